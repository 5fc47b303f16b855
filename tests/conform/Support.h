#pragma once
// Events, a UI that answers the panels and a controller holding list C, for
// the conform tests.

#include "app/ConformController.h"
#include "core/Edit.h"
#include "ports/UiPort.h"
#include "support/TempDir.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <optional>
#include <string>

namespace rw::test {

inline TcPtr tc(const std::string& text, const std::string& rate) { return KLVtc::initWithString(text, rate); }

// A change event: old range sI..sO, new range mI..mO.
inline EditPtr ev(const std::string& num, const std::string& sI, const std::string& sO, const std::string& mI,
                  const std::string& mO, const std::string& rate = "24", const std::string& clip = "clip") {
    EditPtr e = edit::initWithNum(num, clip, tc(sI, rate), tc(sO, rate), tc(mI, rate), tc(mO, rate));
    e->setColor(standardColorText());
    return e;
}

// Two change events at 24 fps: ten seconds from hour 01 to hour 02, and the
// minute from 01:01:00:00 placed after them.
inline EditArray twoChanges() {
    return {ev("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00"),
            ev("002", "01:01:00:00", "01:02:00:00", "02:00:10:00", "02:01:10:00")};
}

// Confirms, and answers the one-file open panel with `openAnswer`.
class PanelUi : public RecordingUi {
public:
    PanelUi() { confirmAnswer = true; }
    std::optional<std::string> openAnswer;
    std::optional<OpenPanelResult> openPanel(const std::string& folder, bool multiple) override {
        RecordingUi::openPanel(folder, multiple);
        if (!openAnswer) return std::nullopt;
        return OpenPanelResult{{*openAnswer}, folder};
    }
};

// A controller with `list` as list C, under the list type given.
struct Conformer {
    PanelUi ui;
    NoMovies none;
    conformController c;
    explicit Conformer(const EditArray& list = {}, const std::string& edlType = "film cutlist",
                       MoviePort* movies = nullptr)
        : c(ui, movies ? *movies : none) {
        c.prefs().set(pref::EDLType, edlType);
        c.dataSourceC().addEdits(list);
    }
};

// The file opened from the tab given, as list C reads it.
inline EditArray openAsListC(const std::string& path, int fromTab, const std::string& edlType = "film cutlist") {
    Conformer reader({}, edlType);
    reader.c.selectTab(fromTab);
    reader.c.openFiles({path});
    return reader.c.selectedTab() == 2 ? reader.c.dataSourceC().getEditArray() : EditArray{};
}

}  // namespace rw::test
