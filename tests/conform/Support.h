#pragma once
// Events and a UI that answers the panels, for the conform tests.

#include "core/Edit.h"
#include "ports/UiPort.h"
#include "support/TempDir.h"

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

class PanelUi : public RecordingUi {
public:
    struct Asked {
        std::string message, text;
    };
    std::vector<Asked> confirms;
    std::vector<std::string> openFolders, saveFolders, saveNames;
    bool confirmAnswer = true;
    std::optional<std::string> openAnswer, saveAnswer;

    bool confirm(const std::string& m, const std::string& t) override {
        confirms.push_back({m, t});
        return confirmAnswer;
    }
    std::optional<std::string> openPanel(const std::string& folder) override {
        openFolders.push_back(folder);
        return openAnswer;
    }
    std::optional<std::string> savePanel(const std::string& folder, const std::string& name) override {
        saveFolders.push_back(folder);
        saveNames.push_back(name);
        return saveAnswer;
    }
};

}  // namespace rw::test
