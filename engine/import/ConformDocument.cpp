#include "import/ConformDocument.h"

#include "archive/KeyedArchive.h"
#include "core/Files.h"
#include "ports/MoviePort.h"

namespace rw {

namespace {

const std::string* textAt(const ArchiveValue& dict, std::string_view key) {
    const ArchiveValue* v = dict.find(key);
    return v ? v->string() : nullptr;
}

std::string textOr(const ArchiveValue& dict, std::string_view key, const std::string& fallback) {
    const std::string* s = textAt(dict, key);
    return s ? *s : fallback;
}

void loadMovies(const ArchiveValue& root, const ConformDocumentOptions& opt) {
    if (!opt.autoLoadMovies || !opt.movies) return;
    // An empty location means no movie was loaded when the document was written.
    if (const std::string* old = textAt(root, "moviepath_Old"); old && !old->empty()) opt.movies->setMoviesOld(*old);
    if (const std::string* nu = textAt(root, "moviepath_New"); nu && !nu->empty()) opt.movies->setMoviesNew(*nu);
}

EditPtr eventFrom(const ArchiveValue& d, const std::string& rate) {
    const std::string* texts[4] = {textAt(d, "sI"), textAt(d, "sO"), textAt(d, "mI"), textAt(d, "mO")};
    TcPtr times[4];
    for (int k = 0; k < 4; ++k) {
        if (!texts[k]) return nullptr;
        times[k] = KLVtc::initWithString(*texts[k], rate);
        if (!times[k]) return nullptr;
    }
    EditPtr e = edit::initWithNum(textOr(d, "num", "000"), textOr(d, "clip", "none"), times[0], times[1], times[2],
                                  times[3]);
    if (const ArchiveValue* c = d.find("colour"); c && c->color()) e->setColor(*c->color());
    return e;
}

}  // namespace

std::string conformDocumentRate(const std::string& fcm, const ConformDocumentOptions& opt) {
    if (fcm == "DROP FRAME") return "29.97df";
    // The export writes these two tokens; without them its drop-frame
    // documents would come back at the list type's rate.
    if (fcm == "29.97 DROP FRAME") return "29.97df";
    if (fcm == "59.94 DROP FRAME") return "59.94df";
    if (fcm.size() >= 2) {
        std::string two = fcm.substr(0, 2);
        if (two == "25" || two == "24" || two == "30" || two == "50" || two == "60") return two;
    }
    if (fcm == "29.97 NON-DROP FRAME") return "30";
    if (opt.edlType == "PAL film") return "25";
    return opt.currentRate;
}

bool readConformDocumentBytes(std::string_view bytes, const ConformDocumentOptions& opt, EditArray& events) {
    const Outcome<ArchiveValue> archive = unarchiveObjectWithData(mungeData(bytes));
    const ArchiveValue& root = archive.value;
    if (!archive || !root.dict()) return false;
    const std::string* version = textAt(root, "version");
    if (!version || version->empty() || version->front() != '1') return false;

    const std::string rate = conformDocumentRate(textOr(root, "FCM", ""), opt);
    loadMovies(root, opt);
    const ArchiveValue* edits = root.find("edits");
    if (!edits || !edits->array()) return true;
    for (const auto& item : *edits->array()) {
        if (!item.dict()) continue;
        EditPtr e = eventFrom(item, rate);
        if (!e || e->sourceIn()->totalFrames() == e->sourceOut()->totalFrames()) continue;
        if (!events.empty() && events.back()->editNum() == e->editNum()) continue;
        if (opt.setVFXValues) opt.setVFXValues(*e);
        events.push_back(std::move(e));
    }
    return true;
}

bool readConformDocument(const std::string& path, const ConformDocumentOptions& opt, EditArray& events) {
    auto bytes = readFileBytes(path);
    return bytes && readConformDocumentBytes(bytes.value, opt, events);
}

}  // namespace rw
