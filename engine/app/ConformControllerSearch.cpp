// The controller's part of the search in other files (the search itself is
// import/SearchFiles).

#include "app/ConformController.h"

#include "import/SearchFiles.h"

namespace rw {

void conformController::findEventsInOtherFiles() {
    auto folder = ui_.chooseFolder(prefs_.get(pref::FindPath));
    const EditArray selected = listB_.selectedEvents();
    if (!folder || folder->empty() || selected.empty()) return;
    ui_.startProgress();
    std::vector<std::string> names;
    for (const auto& e : selected) names.push_back(e->clip());
    std::vector<SearchResult> results = countNamesBelow(*folder, names);
    rankResults(results, selected, edlReadOptions(), changeTimebase());
    if (!results.empty()) {
        finder_.setFinds(results);
        ui_.showSearchResults(summaryText(results));
    } else {
        ui_.alert("no matches found for selected events",
                  "make sure to select a folder containing relevant EDLs, Cutlists or XML");
    }
    ui_.stopProgress();
    rememberFolder(pref::FindPath, *folder);
}

void conformController::importFromFinderList() {
    auto found = finder_.selectedFile();
    if (!found) {
        ui_.beep();
        return;
    }
    listA_.deleteAll();
    selectTab(0);
    openFiles({found->thePath});
}

}  // namespace rw
