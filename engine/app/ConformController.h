#pragma once
// The application controller: owns the three lists and the import array,
// routes files into the lists and runs the comparison. It reaches the screen,
// the movies and the settings store only through ports.

#include "settings/Preferences.h"
#include "app/VfxPreferences.h"
#include "core/Edit.h"
#include "core/Outcome.h"
#include "import/DataSourceFinder.h"
#include "import/EdlReader.h"
#include "lists/DataSource.h"
#include "lists/ListHost.h"
#include "ports/ModelObserver.h"
#include "ports/MoviePort.h"
#include "ports/SettingsPort.h"
#include "ports/UiPort.h"
#include "views/KLVBlockView.h"
#include "views/PreferencesPanel.h"
#include "app/MovieReview.h"
#include "app/OffsetPanel.h"
#include "views/UndoStack.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rw {

class conformController : public ListHost, private MovieReviewHost {
public:
    conformController(UiPort& ui, MoviePort& movies);
    // The lists, the undo records and the panels point back at their controller.
    conformController(const conformController&) = delete;
    conformController& operator=(const conformController&) = delete;

    // Start-up: the stored preferences into the controls (values of earlier
    // versions replaced, the VFX sets enabled and refreshed), the three sort
    // orders cleared, the first tab in front. `store` is kept: remembered
    // folders are written to it as they change, and quit() saves into it.
    void startUp(SettingsPort& store);
    // Quitting: savePrefs.
    void quit() { savePrefs(); }
    // The preferences panel's action: the enabling rule, then every setting
    // stored. Without a store (before startUp) nothing is stored.
    void savePrefs();
    PreferencesPanel& preferencesPanel() { return prefsPanel_; }

    // The windows' one observer; nullptr for none.
    void setObserver(ModelObserver* observer);

    // A panel's folder, remembered under `key` (pref::OldNewPath ...) in the
    // controls and at once in the store, so the next run starts there too.
    void rememberFolder(const std::string& key, const std::string& folder);

    Preferences& prefs() { return prefs_; }
    const Preferences& prefs() const { return prefs_; }
    UiPort& ui() { return ui_; }
    // The settings store given at start-up; nullptr before.
    SettingsPort* store() { return store_; }

    dataSource& dataSourceA() { return listA_; }
    dataSource& dataSourceB() { return listB_; }
    dataSource& dataSourceC() { return listC_; }
    dataSource& listForTab(int tab) override;
    MoviePort& movies() override { return movies_; }

    // The main window's undo manager; its steps are applied by performUndo().
    UndoStack& undoManager() override { return undo_; }
    // False (after a beep and an alert) when the step no longer fits its list.
    bool performUndo(const UndoRecord& record);

    KLVBlockView& blockView() override { return blockView_; }
    bool blockDrawerOpen() const { return blockDrawerOpen_; }
    void openBlockDrawer() override { setBlockDrawerOpen(true); }
    void showHideBlocks() { setBlockDrawerOpen(!blockDrawerOpen_); }

    // The movie transport the lists ask for. The movie review attaches here
    // (it is also the movie port the controller was made with); until it
    // does, a list's request moves nothing.
    void attachReview(MovieReview& review);
    MovieReview* review() { return review_; }
    void gotoTimeSource(const KLVtc& time) override;
    void gotoTimeMaster(const KLVtc& time) override;
    void nudgeMoviesBackOne() override;
    void nudgeMoviesForwardOne() override;
    void playMovies(std::optional<int> senderTag) override;
    void stopMovies(std::optional<int> senderTag) override;
    // The difference window repaints with every frame it is given.
    void refreshMovieDiffPanel() override {}

    // The offset panel (offsetSheetAction() answers its buttons).
    OffsetPanel& offsetPanel() { return offsetPanel_; }

    int selectedTab() const { return selectedTab_; }
    // Every change of the front tab comes through here, so the window hears it.
    void selectTab(int tab) override;

    // The event a session or movie locate goes to: the one selected event of
    // the front list; with none or several, the beep and nullopt.
    std::optional<EditPtr> eventToLocate();

    // The timebase of the current list type.
    std::string currentRate() const { return prefs_.currentRate(); }
    // The timebase change events are made at: the list type's, or 24 where
    // the list type implies none (as "PAL film 2").
    std::string changeTimebase() const;

    // Files dropped on the window: loaded into the list of the selected tab
    // (a ".conform" file switches to the change list). The OLD and NEW lists
    // take them after their own events; the change list is replaced, after
    // asking to save a modified one. One undo step.
    void openFiles(const std::vector<std::string>& paths);
    // Reads every file into editArray(); alerts when nothing was read.
    void importData(const std::vector<std::string>& paths);
    // The open-panel import into list "a", "b" or "c", loaded as openFiles()
    // loads (PAL film continuous mode refuses a second import).
    void import(const std::string& letter) override;
    const EditArray& editArray() const { return editArray_; }

    // Fills the VFX fields of an event from its clip name.
    void setVFXValuesForEdit(edit& e) const;
    // The naming schemes as the preference controls now stand.
    VfxSettings vfxSettings() const { return vfxSettingsFrom(prefs_); }
    // Which scheme's controls are enabled (each exactly when its switch is on).
    VfxControlsEnabled smartVFXEnable() const { return vfxControlsEnabled(vfxSettings()); }
    // The example texts of schemes 1 and 2; then every event of lists A and B
    // is derived again, so the comparison uses the new schemes at once.
    std::array<std::string, 2> smartVFXRefresh();

    // The search for the selected NEW events in the lists below a folder.
    void findEventsInOtherFiles();
    // The same search in three steps, so a window can run the middle one on
    // another thread: the folder panel and the selection (nullopt: nothing to
    // search; else the progress wheel runs), the search over the job's own
    // copies (no list is touched), and the results shown or the alert (none
    // when the search was stopped, `results` nullopt).
    struct SearchJob {
        std::string folder;
        std::vector<std::string> names;
        EditArray selected;  // copies of the selected NEW events
        EdlReadOptions readOptions;
        std::string timebase;
    };
    std::optional<SearchJob> beginSearch();
    static std::optional<std::vector<SearchResult>> runSearch(const SearchJob& job, const SearchProgress& progress);
    void finishSearch(const SearchJob& job, std::optional<std::vector<SearchResult>> results);
    dataSourceFinder& finder() { return finder_; }
    // Loads the selected search result into list A; beeps with none selected.
    void importFromFinderList();

    // The pure matching, with the change events at changeTimebase().
    EditArray compareOldList(const EditArray& oldList, const EditArray& newList) const;
    // Matching, healing and renumbering for list C; nullopt when a list is missing.
    std::optional<EditArray> compareABwithSelection(bool selectedOnly);
    // The Compare command. "Compare Selected Events Only" compares only the
    // selected NEW events.
    void compare(const std::string& senderTitle);

    // The folder for automatic change-list copies, and whether they are written.
    void setChangeListFolder(std::string folder) { changeListFolder_ = std::move(folder); }
    const std::string& changeListFolder() const { return changeListFolder_; }
    void setAutosave(bool on) { autosave_ = on; }
    // Where a fresh comparison's copy went (empty when none was written), or
    // why it did not.
    const Outcome<std::string>& lastCopy() const { return lastCopy_; }
    // The text of the automatic copy for the current list C.
    std::string changeListCopy() const;

    const std::optional<std::string>& hourCode() const { return hourCode_; }
    void setHourCode(std::optional<std::string> hour) { hourCode_ = std::move(hour); }

private:
    // MovieReviewHost: what the movie review may ask of the window.
    std::string movieFolder() const override { return prefs_.get(pref::MoviePath); }
    void rememberMovieFolder(const std::string& folder) override { rememberFolder(pref::MoviePath, folder); }
    bool dropFrameCounting() const override { return prefs_.edlType() == "NTSC df"; }
    SettingsPort* settings() override { return store_; }
    void locateFrontEvent(bool end) override;
    void locateChangeEvent() override { listC_.gotoEditStart(); }
    void placePlayhead(MovieSide side, std::int32_t frame) override;

    void beginImport(int index);
    void finishLoad(int index, const std::vector<std::string>& paths);
    void setBlockDrawerOpen(bool open);
    void notify(ModelChange change);
    void readFile(const std::string& path);
    // A list file's text (unreadable: none), read as listType_ and its content say.
    void readText(const std::string& path, const std::string& ext, const std::optional<std::string>& read);
    void readLines(const std::string& path, const std::vector<std::string_view>& lines);
    // How the EDL reader reads for the current settings (no movie lines).
    EdlReadOptions edlReadOptions() const;
    void readCutList(const std::vector<std::string_view>& lines);
    void readXml(const std::string& path);
    void readOtio(const std::string& path);
    bool continuousModeRefuses(int index);
    Outcome<std::string> saveChangeListCopy();

    Preferences prefs_;
    PreferencesPanel prefsPanel_{prefs_};
    SettingsPort* store_ = nullptr;
    ModelObserver* observer_ = nullptr;
    UiPort& ui_;
    MoviePort& movies_;
    MovieReview* review_ = nullptr;
    dataSource listA_{0, this}, listB_{1, this}, listC_{2, this};
    UndoStack undo_;
    KLVBlockView blockView_{movies_, 0, 0};
    bool blockDrawerOpen_ = false;
    OffsetPanel offsetPanel_{*this};
    int selectedTab_ = 0;

    EditArray editArray_;
    dataSource* filenameCommon_ = &listA_;
    std::string sideFilenameString_;
    std::optional<std::string> hourCode_;
    std::string listType_ = "edl";
    bool reported_ = false;  // a reader has already alerted about this import
    std::vector<std::string> importedPaths_;
    dataSourceFinder finder_;

    std::string changeListFolder_;
    bool autosave_ = true;
    Outcome<std::string> lastCopy_;
};

// The hour-code sheet's stepper: the value as the hour field
// shows it, with a leading "0" below 10.
std::string hourCodeText(int value);

// "<data home>/reelwright/Change Lists/": XDG_DATA_HOME, else ~/.local/share.
std::string defaultChangeListFolder();

}  // namespace rw
