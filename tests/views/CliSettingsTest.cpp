#include "lists/ListFakes.h"
#include "support/RunCli.h"

#include <gtest/gtest.h>


namespace rw::test {
namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

struct CliFixture {
    TempDir dir;
    // Record times with frame 24: only a list type of more than 24 fps reads them.
    const std::string oldList =
        dir.write("old.edl", "001  A001 V C 01:00:00:00 01:00:10:24 10:00:00:00 10:00:10:24\n");
    const std::string newList =
        dir.write("new.edl", "001  A001 V C 01:00:02:00 01:00:06:00 10:00:00:00 10:00:04:24\n");
    std::vector<std::string> compare(std::vector<std::string> extra) const {
        std::vector<std::string> args = {"compare", "--old", oldList, "--new", newList, "--no-autosave"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
};

TEST(CliSettings, CompareReadsThePreferencesAndFlagsWin) {
    CliFixture f;
    const std::string pal = f.dir.write("pal.ini", "[reelwright]\nEDL type = PAL video\n");
    const std::string old = f.dir.write("old.ini", "EDL type=PAL film 1\n");
    struct Case {
        std::vector<std::string> extra;
        int status;
        std::string header;
    };
    const Case cases[] = {
        {{}, 1, "FCM: 24"},  // the registered default list type cannot read frame 24
        {{"--settings", pal}, 0, "FCM: 25"},
        {{"--settings", pal, "--edl-type", "NTSC"}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--edl-type", "NTSC", "--settings", pal}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--settings", old}, 0, "FCM: 24"},  // "PAL film 1" reads as "PAL film": read at 25, shown at 24
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(f.compare(c.extra));
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status == 0) {
            EXPECT_EQ(firstLine(r.out), c.header) << r.out;
        }
    }
}

TEST(CliSettings, ShowReadsThePreferences) {
    CliFixture f;
    const std::string pal = f.dir.write("pal.ini", "EDL type=PAL video\n");
    EXPECT_EQ(runCli({"show", f.oldList}).status, 1);
    const CliResult r = runCli({"show", "--settings", pal, f.oldList});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "001|A001|01:00:00:00|01:00:10:24|10:00:00:00|10:00:10:24|0\n");
}

TEST(CliSettings, UnreadableSettingsAreBadArguments) {
    CliFixture f;
    const std::string garbage = f.dir.write("garbage.ini", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
    for (const std::string& path : {f.dir.path() + "/missing.ini", f.dir.path(), garbage}) {
        const CliResult r = runCli(f.compare({"--settings", path}));
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(runCli({"show", "--settings", path, f.oldList}).status, 2) << path;
    }
}

}  // namespace
}  // namespace rw::test
