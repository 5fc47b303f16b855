// The controller's part of the search in other files (the search itself is
// import/SearchFiles).

#include "app/ConformController.h"

#include "import/SearchFiles.h"

namespace rw {

void conformController::findEventsInOtherFiles() {
    auto job = beginSearch();
    if (!job) return;
    finishSearch(*job, runSearch(*job, {}));
}

std::optional<conformController::SearchJob> conformController::beginSearch() {
    auto folder = ui_.chooseFolder(prefs_.get(pref::FindPath));
    const EditArray selected = listB_.selectedEvents();
    if (!folder || folder->empty() || selected.empty()) return std::nullopt;
    SearchJob job{*folder, {}, {}, edlReadOptions(), changeTimebase()};
    for (const auto& e : selected) {
        job.names.push_back(e->clip());
        job.selected.push_back(e->deepCopy());
    }
    ui_.startProgress();
    return job;
}

std::optional<std::vector<SearchResult>> conformController::runSearch(const SearchJob& job,
                                                                      const SearchProgress& progress) {
    auto results = countNamesBelow(job.folder, job.names, progress);
    if (results) rankResults(*results, job.selected, job.readOptions, job.timebase);
    return results;
}

void conformController::finishSearch(const SearchJob& job, std::optional<std::vector<SearchResult>> results) {
    if (results && !results->empty()) {
        finder_.setFinds(*results);
        ui_.showSearchResults(summaryText(*results));
    } else if (results) {
        ui_.alert("no matches found for selected events",
                  "make sure to select a folder containing relevant EDLs, Cutlists or XML");
    }
    ui_.stopProgress();
    rememberFolder(pref::FindPath, job.folder);
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
