#pragma once
// The installed Ardour's headless tools (ardourN-lua, ardourN-export,
// ardourN-new_session, ...), found on the PATH by version: the highest N
// wins, so Ardour 8 is taken over 7 when both are there.

#include "ports/ArdourHost.h"

#include <optional>
#include <string>

namespace rw {

class ArdourTools : public ArdourHost {
public:
    std::optional<ArdourTool> luaTool() override;
    ArdourRun runLua(const ArdourTool& tool, const std::string& program,
                     const std::function<void(const std::string&)>& onLine, std::chrono::seconds limit) override;

    // The path of the newest Ardour's tool `name` ("lua", "export", "new_session"); empty when none is installed.
    static std::string find(const std::string& name);

private:
    std::optional<ArdourTool> lua_;
    bool looked_ = false;
};

}  // namespace rw
