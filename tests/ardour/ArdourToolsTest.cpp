#include "support/TempDir.h"
#include "workstation/ArdourTools.h"
#include "workstation/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace rw {
namespace {

namespace fs = std::filesystem;

// PATH set for one test, then put back.
class PathFor {
public:
    explicit PathFor(const std::string& path) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathFor() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

TEST(ArdourTools, TheNewestInstalledArdourIsFoundByItsVersion) {
    test::TempDir a, b;
    for (const auto& [dir, name] : {std::pair{&a, "ardour7-lua"}, {&b, "ardour12-lua"}, {&a, "ardour9-export"},
                                    {&a, "ardour-lua"}, {&b, "ardour13-luax"}, {&b, "ardour14-lua.bak"}}) {
        dir->write(name, "#!/bin/true\n");
        fs::permissions(dir->file(name), fs::perms::owner_all);
    }
    b.write("ardour15-lua", "not executable");
    PathFor path(a.path() + ":" + b.path() + "::/no/such/folder");
    EXPECT_EQ(ArdourTools::find("lua"), b.file("ardour12-lua"));
    EXPECT_EQ(ArdourTools::find("export"), a.file("ardour9-export"));
    EXPECT_EQ(ArdourTools::find("new_session"), "");
}

TEST(ChildProcess, ReadsLinesAndNeverHangs) {
    std::vector<std::string> lines;
    const ChildResult echo = runChild({"/bin/echo", "one two"}, [&](const std::string& l) { lines.push_back(l); },
                                      std::chrono::seconds(10));
    EXPECT_TRUE(echo.started);
    EXPECT_EQ(echo.exitStatus, 0);
    EXPECT_EQ(lines, std::vector<std::string>{"one two"});

    const auto start = std::chrono::steady_clock::now();
    const ChildResult sleeper = runChild({"/bin/sleep", "30"}, {}, std::chrono::milliseconds(200));
    EXPECT_TRUE(sleeper.timedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    EXPECT_FALSE(runChild({"/no/such/program"}, {}, std::chrono::seconds(1)).started);
    EXPECT_FALSE(runChild({}, {}, std::chrono::seconds(1)).started);
}

}  // namespace
}  // namespace rw
