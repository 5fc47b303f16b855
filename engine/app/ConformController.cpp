#include "app/ConformController.h"
#include "app/UnreadableFiles.h"

#include "app/ChangeListDocument.h"
#include "comparison/ChangeListCopy.h"
#include "comparison/Compare.h"
#include "comparison/Heal.h"
#include "comparison/Timebase.h"
#include "core/Files.h"
#include "core/Text.h"
#include "import/ChangeListReader.h"
#include "import/CutListReader.h"
#include "import/ConformDocument.h"
#include "import/EdlReader.h"
#include "import/FcpXmlParser.h"
#include "import/OtioReader.h"
#include "lists/ListUndo.h"
#include "views/SenderTitles.h"

#include <cstdlib>

namespace rw {

namespace {

bool isListExtension(const std::string& ext) {
    return ext == "conform" || ext == "EDL" || ext == "edl" || ext == "xml" || ext == "XML";
}

bool readsAsChangeList(const std::string& text) {
    auto found = findAllNoCase(text, {"end of change list", "do this", "at this", "for this"});
    return found[0] || (found[1] && found[2] && found[3]);
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

conformController::conformController(UiPort& ui, MoviePort& movies)
    : ui_(ui), movies_(movies), changeListFolder_(defaultChangeListFolder()) {
    undo_.setPerformer([this](const UndoRecord& record) { return performUndo(record); });
}

void conformController::startUp(SettingsPort& store) {
    store_ = &store;
    prefsPanel_.showStored(store);
    smartVFXEnable();
    smartVFXRefresh();
    for (dataSource* list : {&listA_, &listB_, &listC_}) list->clearSortDescriptors();
    selectTab(0);
    notify(ModelChange::Preferences);
}

void conformController::savePrefs() {
    if (store_) prefsPanel_.savePrefs(*store_);
}

void conformController::setObserver(ModelObserver* observer) {
    observer_ = observer;
    prefs_.setObserver(observer);
    undo_.setObserver(observer);
}

void conformController::notify(ModelChange change) {
    if (observer_) observer_->modelChanged(change);
}

void conformController::rememberFolder(const std::string& key, const std::string& folder) {
    prefs_.set(key, folder);
    if (store_) store_->setString(key, folder);
}

void conformController::attachReview(MovieReview& review) {
    review_ = &review;
    review.attach(ui_, *this);
}

void conformController::locateFrontEvent(bool end) {
    dataSource& list = listForTab(selectedTab_);
    if (end) list.gotoEditEnd();
    else list.gotoEditStart();
}

void conformController::placePlayhead(MovieSide side, std::int32_t frame) {
    if (side == MovieSide::Old) blockView_.setPlayheadPositionWithElapsedFrames_old(frame);
    else blockView_.setPlayheadPositionWithElapsedFrames_new(frame);
}

void conformController::gotoTimeSource(const KLVtc& time) {
    if (review_) review_->gotoTimeSource(time);
}

void conformController::gotoTimeMaster(const KLVtc& time) {
    if (review_) review_->gotoTimeMaster(time);
}

void conformController::nudgeMoviesBackOne() {
    if (review_) review_->nudge(-1);
}

void conformController::nudgeMoviesForwardOne() {
    if (review_) review_->nudge(1);
}

void conformController::playMovies(std::optional<int> senderTag) {
    if (review_) review_->playMovies(senderTag);
}

void conformController::stopMovies(std::optional<int> senderTag) {
    if (review_) review_->stopMovies(senderTag);
}

void conformController::selectTab(int tab) {
    if (tab == selectedTab_) return;
    selectedTab_ = tab;
    notify(ModelChange::SelectedTab);
}

void conformController::setBlockDrawerOpen(bool open) {
    if (open == blockDrawerOpen_) return;
    blockDrawerOpen_ = open;
    notify(ModelChange::BlockDrawer);
}

std::optional<EditPtr> conformController::eventToLocate() {
    const EditArray selected = listForTab(selectedTab_).selectedEvents();
    if (selected.size() != 1) {
        ui_.beep();
        return std::nullopt;
    }
    return selected.front();
}

bool conformController::performUndo(const UndoRecord& record) {
    if (rw::performUndo(*this, record)) return true;
    ui_.beep();
    ui_.alert("undo history cleared", "a list changed in a way the undo history did not follow, so its older steps "
                                      "were cleared rather than applied to the wrong events.");
    return false;
}

dataSource& conformController::listForTab(int tab) {
    if (tab == 0) return listA_;
    if (tab == 1) return listB_;
    return listC_;
}

std::string conformController::changeTimebase() const {
    std::string rate = currentRate();
    return rate.empty() ? "24" : rate;
}

// A load goes to one list: the OLD and NEW lists take the events after
// their own (a cut in parts), the change list is replaced (a document is
// opened, not merged into another), after the question whether to save a
// modified one. A load is one undo step; a load that reads nothing leaves
// the list and its labels as they were.
void conformController::openFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    int index = selectedTab_;
    // A change list, as a document or as an OpenTimelineIO timeline written by the export.
    if (pathExtension(paths.front()) == "conform" || isOtioChangeList(paths.front())) index = 2;
    if (index == 2 && !mayDiscardChangeList(*this)) return;
    if (index == 2) selectTab(2);
    editArray_.clear();
    beginImport(index);
    importData(paths);
    if (index <= 1 && continuousModeRefuses(index)) return;
    finishLoad(index, paths);
}

void conformController::beginImport(int index) {
    filenameCommon_ = &listForTab(index);
    // The change list starts again; the OLD and NEW labels name every part, one per line.
    sideFilenameString_ = index == 2 || filenameCommon_->filename() == kNoFileLoaded ? "" : filenameCommon_->filename();
    if (!sideFilenameString_.empty() && sideFilenameString_.back() != '\n') sideFilenameString_ += '\n';
}

void conformController::finishLoad(int index, const std::vector<std::string>& paths) {
    if (editArray_.empty()) return;
    dataSource& list = listForTab(index);
    ReplaceList record{index, list.state(), {}, "Load List"};
    if (index <= 1) importedPaths_.insert(importedPaths_.end(), paths.begin(), paths.end());
    if (index == 2) {
        list.clearSortDescriptors();
        list.replaceEvents(editArray_);
        list.deselectAll();
        list.refreshBlockView();
    } else {
        list.addEdits(editArray_);
    }
    list.setFilename(sideFilenameString_);
    if (index == 2) {
        const bool document = paths.size() == 1 && pathExtension(paths.front()) == "conform";
        list.setDocumentPath(document ? paths.front() : "");
        list.markSaved();
        if (document) rememberRecentChangeList(*this, paths.front());
    }
    record.after = list.getEditArray();
    list.registerUndo(std::move(record), "Load List");
}

void conformController::import(const std::string& letter) {
    const int index = letter == "a" ? 0 : (letter == "b" ? 1 : 2);
    if (index <= 1 && continuousModeRefuses(index)) return;
    if (index == 2 && !mayDiscardChangeList(*this)) return;
    const char* folderKey = index == 2 ? pref::ChangePath : pref::OldNewPath;
    std::optional<OpenPanelResult> chosen = ui_.openPanel(prefs_.get(folderKey), true);
    if (!chosen) return;  // Cancel: nothing read, nothing remembered
    alertUnreadable(ui_, chosen->paths);
    editArray_.clear();
    beginImport(index);
    ui_.startProgress();
    importData(chosen->paths);
    ui_.stopProgress();
    rememberFolder(index == 2 && !chosen->paths.empty() ? pref::ChangePath : pref::OldNewPath, chosen->folder);
    finishLoad(index, chosen->paths);
}

// In PAL film CONTINUOUS mode a side is translated from its first event, so
// all of its lists must arrive in one import.
bool conformController::continuousModeRefuses(int index) {
    if (!(prefs_.isPalFilm() && !prefs_.reelsMode())) return false;
    if (listForTab(index).getEditArray().empty()) return false;
    ui_.beep();
    const char* side = index == 0 ? "old" : "new";
    ui_.alert("EDL not loaded",
              std::string("in 'PAL film CONTINUOUS' mode reelwright requires that all EDLs are added together. this is "
                          "due to the 25-24 fps translation process.\n\nif your EDL is split into multiple parts, "
                          "please clear the list and drag all the '") +
                  side + "' EDLs onto reelwright as a group.");
    return true;
}

// A file whose reader has already said what is wrong with it (an xmeml at
// a refused rate) gets no second alert.
void conformController::importData(const std::vector<std::string>& paths) {
    reported_ = false;
    for (const auto& path : paths) readFile(path);
    if (!editArray_.empty()) {
        // Change lists are written at 24 fps already: translating one again
        // would move every event.
        if (prefs_.isPalFilm() && filenameCommon_ != &listC_) translate25To24(editArray_, prefs_.reelsMode());
        return;
    }
    if (!reported_)
        ui_.alert("no valid edits were found", "check that your lists are of the type specified in the help documentation");
}

void conformController::readFile(const std::string& path) {
    listType_ = "edl";
    const std::string name = lastPathComponent(path);
    const std::string ext = pathExtension(path);
    const std::string base = deletingPathExtension(name);
    const bool otio = isOtioFile(path);
    std::optional<std::string> read;
    if (!otio) {
        if (auto text = readFileText(path)) read = std::move(text.value);
    }
    // No sheet asks how to read a file that cannot be read at all, nor an OpenTimelineIO one.
    if (!otio && !isListExtension(ext) && read) {
        HourCodeAnswer answer = ui_.askHourCode(base);
        if (answer.choice == HourCodeChoice::Cancel) {  // the user left this file out: nothing to report
            reported_ = true;
            return;
        }
        if (answer.choice == HourCodeChoice::Cut) {
            hourCode_ = answer.hour;
            listType_ = "cut";
        } else if (answer.choice == HourCodeChoice::Change) {
            hourCode_ = answer.hour;
            listType_ = "change";
        }
    }
    const std::size_t before = editArray_.size();
    if (otio) {  // JSON, read from its bytes
        listType_ = "otio";
        readOtio(path);
    } else {
        readText(path, ext, read);
    }
    // Only a file that gave events is named in the list's label.
    if (editArray_.size() > before) sideFilenameString_ += base + "\n";
}

void conformController::readText(const std::string& path, const std::string& ext, const std::optional<std::string>& read) {

    const std::string text = read.value_or(std::string());  // unreadable: no lines
    if (readsAsChangeList(text)) listType_ = "change";
    if (ext == "xml" || ext == "XML") listType_ = "xml";
    else if (ext == "conform") listType_ = "conform";

    // A change list makes its reel even from no lines, so an unreadable file
    // must not reach it: such a file adds nothing.
    if (read || listType_ != "change") readLines(path, splitLineViews(text));
}

EdlReadOptions conformController::edlReadOptions() const {
    EdlReadOptions opt;
    opt.edlType = prefs_.edlType();
    opt.currentRate = currentRate();
    opt.compareByClipName = prefs_.compareByClipName();
    const VfxSettings vfx = vfxSettings();
    opt.setVFXValues = [vfx](edit& e) { rw::setVFXValuesForEdit(e, vfx); };
    return opt;
}

void conformController::readLines(const std::string& path, const std::vector<std::string_view>& lines) {
    if (listType_ == "edl") {
        EdlReadOptions opt = edlReadOptions();
        opt.movies = &movies_;
        readEdlLines(lines, opt, editArray_);
    } else if (listType_ == "cut") {
        readCutList(lines);
    } else if (listType_ == "change") {
        readChangeListLines(lines, {hourCode_, prefs_.compareFerocity(), &listB_.getEditArray()}, editArray_);
    } else if (listType_ == "xml") {
        readXml(path);
    } else if (listType_ == "conform") {
        // A binary document: read from its bytes, not from the decoded lines.
        ConformDocumentOptions opt;
        opt.edlType = prefs_.edlType();
        opt.currentRate = currentRate();
        opt.autoLoadMovies = prefs_.get(pref::AllowPixAutoLoad) != "OFF";
        opt.movies = &movies_;
        opt.setVFXValues = edlReadOptions().setVFXValues;
        readConformDocument(path, opt, editArray_);
    }
}

// Cut lists are film: any other list type is switched to "film cutlist".
void conformController::readCutList(const std::vector<std::string_view>& lines) {
    const std::string type = prefs_.edlType();
    if (type != "film cutlist") {
        ui_.alert("incompatible framerate",
                  "reelwright is currently set to '" + type + "'\nthis setting has been changed to 'film cutlist'");
        ui_.stopProgress();
        prefs_.set(pref::EDLType, "film cutlist");
    }
    const VfxSettings vfx = vfxSettings();
    CutListOptions opt;
    opt.hourCode = hourCode_;
    opt.compareByClipName = prefs_.compareByClipName();
    opt.isVFXClip = [vfx](std::string_view name) { return isVFXClip(name, vfx); };
    opt.setVFXValues = [vfx](edit& e) { rw::setVFXValuesForEdit(e, vfx); };
    readCutListLines(lines, opt, editArray_);
}

void conformController::readXml(const std::string& path) {
    const FcpRead read = KLVFcpXmlParser({prefs_.edlType(), selectedTab_, !prefs_.compareByClipName()}).parseFile(path);
    if (!read.parsed) {
        ui_.alert(read.rateRefused ? "incompatible sequence framerate" : "XML parse error", read.parsed.error);
        reported_ = true;
    }
    editArray_.insert(editArray_.end(), read.events.begin(), read.events.end());
    const VfxSettings vfx = vfxSettings();
    for (const auto& e : editArray_) rw::setVFXValuesForEdit(*e, vfx);
}

void conformController::readOtio(const std::string& path) {
    OtioRead read = readOtioFile(path, {prefs_.edlType(), !prefs_.compareByClipName()});
    const std::string name = lastPathComponent(path);
    if (!read) {
        ui_.alert("OpenTimelineIO file not read", name + ": " + read.error);
    } else if (!read.value.notes.empty()) {
        std::string text = name + ":";
        for (const auto& note : read.value.notes) text += "\n" + note;
        ui_.alert("OpenTimelineIO file read with notes", text);
    }
    const VfxSettings vfx = vfxSettings();
    const EditArray& events = read.value.events;
    for (const auto& e : events) rw::setVFXValuesForEdit(*e, vfx);
    editArray_.insert(editArray_.end(), events.begin(), events.end());
}

void conformController::setVFXValuesForEdit(edit& e) const { rw::setVFXValuesForEdit(e, vfxSettings()); }

std::array<std::string, 2> conformController::smartVFXRefresh() {
    const VfxSettings vfx = vfxSettings();
    for (dataSource* list : {&listA_, &listB_}) {
        for (const auto& e : list->getEditArray()) rw::setVFXValuesForEdit(*e, vfx);
        list->allRowsChanged();
    }
    return {vfxExampleString(vfx.scheme1), vfxExampleString(vfx.scheme2)};
}

EditArray conformController::compareOldList(const EditArray& oldList, const EditArray& newList) const {
    return rw::compareOldList(oldList, newList, changeTimebase());
}

std::optional<EditArray> conformController::compareABwithSelection(bool selectedOnly) {
    if (listA_.filename() == kNoFileLoaded || listB_.filename() == kNoFileLoaded) {
        ui_.alert("missing list", "reelwright needs both OLD and NEW lists to make a comparison");
        return std::nullopt;
    }
    EditArray newSide = selectedOnly ? listB_.selectedEvents() : listB_.getEditArray();
    ui_.startProgress();
    EditArray matched = compareOldList(listA_.getEditArray(), newSide);
    ui_.stopProgress();

    EditArray healed = healArray(matched, prefs_.compareFerocity(), listB_.getEditArray());
    renumberArray(healed);
    listC_.setFilename(firstLine(listB_.filename()) + "_fr_" + firstLine(listA_.filename()));

    const std::string type = prefs_.edlType();
    if (type == "PAL film 1" || type == "PAL film 2" || type == "PAL film")
        ui_.alert("timecodes have been modified",
                  "the times shown here have been converted to 24fps because your EDL type is set to PAL film\n please "
                  "ensure your session or data is set to 24fps");
    return healed;
}

// One undo step: the change list as it was, with the colours the
// comparison gives the OLD and NEW events. A comparison refused for a
// missing list changes nothing and writes no copy.
void conformController::compare(const std::string& senderTitle) {
    selectTab(2);
    openBlockDrawer();
    lastCopy_ = {};
    const bool selectedOnly = senderTitle == title::CompareSelectedOnly;
    ReplaceList record{2, listC_.state(), {}, selectedOnly ? title::CompareSelectedOnly : title::Compare};
    for (const dataSource* list : {&listA_, &listB_})
        for (const auto& e : list->getEditArray()) record.before.colours.emplace_back(e, e->color());
    std::optional<EditArray> result = compareABwithSelection(selectedOnly);
    if (!result) return;
    listA_.allRowsChanged();
    listB_.allRowsChanged();
    listC_.clearSortDescriptors();
    listC_.replaceEvents(*result);
    listC_.deselectAll();
    listC_.setDocumentPath("");
    listC_.refreshBlockView();
    record.after = listC_.getEditArray();
    const std::string action = record.action;
    listC_.registerUndo(std::move(record), action);
    lastCopy_ = autosave_ ? saveChangeListCopy() : Outcome<std::string>{};
}

std::string conformController::changeListCopy() const {
    return changeListCopyText(listC_.getEditArray(), prefs_.edlType());
}

Outcome<std::string> conformController::saveChangeListCopy() {
    if (changeListFolder_.empty()) return {};
    std::string folder = changeListFolder_;
    if (folder.back() != '/') folder += '/';
    makeFolders(folder);
    std::string name = listC_.filename();
    for (char& c : name)
        if (c == '/' || c == '\n') c = '-';
    std::string path = folder + name + ".edl";
    // A list loaded from this folder under the same name is an input: keep it.
    for (const auto& input : importedPaths_)
        if (sameFile(input, path)) path = folder + name + "-1.edl";
    if (Outcome<> written = writeFileAtomic(path, changeListCopy()); !written)
        return Outcome<std::string>::failure(written.error);
    return Outcome<std::string>::success(path);
}

std::string hourCodeText(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string defaultChangeListFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/share";
    else return {};
    return base + "/reelwright/Change Lists/";
}

}  // namespace rw
