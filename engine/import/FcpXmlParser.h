#pragma once
// Final Cut Pro XML ("xmeml") import. The document is read with expat as a
// stream of element events (FcpSequenceReader holds the rules). The reader
// never resolves an external entity and never loads a DTD, and it stops a
// document whose entities expand far beyond its own size.
//
// On malformed XML, an unreadable file or a refused frame rate the parse
// stops and says why; the events finished until then are kept.

#include "core/Edit.h"
#include "core/Outcome.h"
#include "import/FcpSequenceReader.h"

#include <string>
#include <utility>
#include <string_view>

namespace rw {

struct FcpRead {
    EditArray events;  // also those finished before the parse stopped
    Outcome<> parsed;  // why the parse stopped early, in words for the user
    // The stop is a well-formed sequence at a rate the list type refuses,
    // not a parse error.
    bool rateRefused = false;
};

// One parser per list type, tab and matching mode; it reports and never alerts.
class KLVFcpXmlParser {
public:
    explicit KLVFcpXmlParser(FcpReadOptions options) : options_(std::move(options)) {}

    // The events of the file's sequence.
    FcpRead parseFile(const std::string& path) const;
    // The same for a document already in memory.
    FcpRead parseText(std::string_view bytes) const;

private:
    FcpReadOptions options_;
};

}  // namespace rw
