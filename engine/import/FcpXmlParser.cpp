#include "import/FcpXmlParser.h"

#include "core/Files.h"
#include "ports/UiPort.h"

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

}  // namespace

const EditArray& KLVFcpXmlParser::parseFile(const std::string& path) {
    auto bytes = readFileBytes(path);
    if (!bytes) {
        editArray_.clear();
        fail("");
        return editArray_;
    }
    return parseText(bytes.value);
}

const EditArray& KLVFcpXmlParser::parseText(std::string_view bytes) {
    editArray_.clear();
    failed_ = false;
    auto parser = makeParser();
    if (!parser) {
        fail("");
        return editArray_;
    }
    Context c{FcpSequenceReader(opt_), parser.get(), kTextAllowance + kTextFactor * bytes.size()};
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
    editArray_ = c.reader.takeEvents();
    if (!ok || c.stopped) fail(c.reader.refusedRate());
    return editArray_;
}

// A well-formed sequence at a refused rate is no parse error: that alert alone.
void KLVFcpXmlParser::fail(const std::string& refusedRate) {
    failed_ = true;
    if (!refusedRate.empty())
        ui_.alert("incompatible sequence framerate", "the list you are importing has a timebase of " + refusedRate +
                                                         "fps\nreelwright is set to " + opt_.edlType +
                                                         "\nplease change the 'list type' preference accordingly");
    else
        ui_.alert("XML parse error", "an XML parsing error was encountered. any valid events have been retained.");
}

}  // namespace rw
