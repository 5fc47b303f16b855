#pragma once
// Final Cut Pro XML ("xmeml") import. The document is read with expat as a
// stream of element events (FcpSequenceReader holds the rules). The reader
// never resolves an external entity and never loads a DTD, and it stops a
// document whose entities expand far beyond its own size.
//
// On malformed XML, an unreadable file or a refused frame rate the parse
// stops, one alert says which, and the events finished until then are kept.

#include "core/Edit.h"
#include "import/FcpSequenceReader.h"

#include <string>
#include <string_view>

namespace rw {

class UiPort;

class KLVFcpXmlParser {
public:
    KLVFcpXmlParser(FcpReadOptions options, UiPort& ui) : opt_(std::move(options)), ui_(ui) {}

    // The events of the file's sequence; also after a parse error.
    const EditArray& parseFile(const std::string& path);
    // The same for a document already in memory.
    const EditArray& parseText(std::string_view bytes);

    // Whether the last parse stopped early (and alerted).
    bool failed() const { return failed_; }

private:
    void fail(const std::string& refusedRate);

    FcpReadOptions opt_;
    UiPort& ui_;
    EditArray editArray_;
    bool failed_ = false;
};

}  // namespace rw
