#include "import/FcpXmlParser.h"

#include "core/Files.h"

// The system expat is built with DTD support (which brings the entity
// expansion limits); its header declares them only under this macro.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>

#include <algorithm>
#include <memory>

namespace rw {

namespace {

// Entity expansion is allowed to grow a document this much, and expat starts
// watching once this much has been read or expanded.
constexpr float kMaxAmplification = 20.0f;
constexpr unsigned long long kAmplificationThreshold = 1ull << 20;
// Our own bound on expanded text: this much text plus the document's size times this factor.
constexpr std::size_t kTextAllowance = 16u << 20;
constexpr std::size_t kTextFactor = 8;

struct ParserFree {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

struct Context {
    FcpSequenceReader reader;
    XML_Parser parser;
    std::size_t textLeft;
    bool stopped = false;
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* c = static_cast<Context*>(data);
    c->reader.startElement(name, attributes);
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    auto* c = static_cast<Context*>(data);
    const auto n = static_cast<std::size_t>(std::max(length, 0));
    if (n > c->textLeft) {  // entity text far beyond the document's own: a bomb
        c->stopped = true;
        XML_StopParser(c->parser, XML_FALSE);
        return;
    }
    c->textLeft -= n;
    c->reader.characters(std::string_view(text, n));
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* c = static_cast<Context*>(data);
    if (c->reader.endElement(name)) return;
    c->stopped = true;
    XML_StopParser(c->parser, XML_FALSE);
}

// External entities stay unresolved: there is no handler that would load
// one, and parameter entities (and with them any external DTD) are off.
std::unique_ptr<XML_ParserStruct, ParserFree> makeParser() {
    std::unique_ptr<XML_ParserStruct, ParserFree> p(XML_ParserCreate(nullptr));
    if (!p) return p;
    XML_SetParamEntityParsing(p.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(p.get(), kMaxAmplification);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(p.get(), kAmplificationThreshold);
    XML_SetElementHandler(p.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(p.get(), onText);
    return p;
}

FcpRead parseError(EditArray kept) {
    return {std::move(kept),
            Outcome<>::failure("an XML parsing error was encountered. any valid events have been retained."), false};
}

// A well-formed sequence at a refused rate is no parse error: that alone is told.
FcpRead refusedRate(EditArray kept, const std::string& rate, const FcpReadOptions& options) {
    return {std::move(kept),
            Outcome<>::failure("the list you are importing has a timebase of " + rate + "fps\nreelwright is set to " +
                               options.edlType + "\nplease change the 'list type' preference accordingly"),
            true};
}

}  // namespace

FcpRead KLVFcpXmlParser::parseFile(const std::string& path) const {
    const Outcome<std::string> bytes = readFileBytes(path);
    if (!bytes) return parseError({});
    return parseText(bytes.value);
}

FcpRead KLVFcpXmlParser::parseText(std::string_view bytes) const {
    auto parser = makeParser();
    if (!parser) return parseError({});
    Context c{FcpSequenceReader(options_), parser.get(), kTextAllowance + kTextFactor * bytes.size()};
    XML_SetUserData(parser.get(), &c);

    bool ok = true;
    // Fed in slices, since XML_Parse takes an int length.
    constexpr std::size_t kSlice = 1 << 24;
    for (std::size_t at = 0; ok; at += kSlice) {
        const std::size_t n = std::min(kSlice, bytes.size() - std::min(at, bytes.size()));
        const bool last = at + n >= bytes.size();
        ok = XML_Parse(parser.get(), bytes.data() + at, static_cast<int>(n), last ? XML_TRUE : XML_FALSE) ==
             XML_STATUS_OK;
        if (last) break;
    }
    EditArray events = c.reader.takeEvents();
    if (ok && !c.stopped) return {std::move(events), Outcome<>::success(), false};
    const std::string rate = c.reader.refusedRate();
    return rate.empty() ? parseError(std::move(events)) : refusedRate(std::move(events), rate, options_);
}

}  // namespace rw
