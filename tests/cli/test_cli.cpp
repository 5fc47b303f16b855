#include "core/Files.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace rw::test {
namespace {

const std::string kOld = std::string(RW_EXAMPLES) + "/old_cut.edl";
const std::string kNew = std::string(RW_EXAMPLES) + "/new_cut.edl";

const char* kExpected =
    "FCM: 24\n"
    "001  HARBOU  01:00:01:00 01:00:06:00 01:00:00:00 01:00:05:00\n"
    "002  SKIPPE  01:00:10:12 01:00:18:12 01:00:05:00 01:00:13:00\n"
    "003  NETS_C  01:00:06:00 01:00:09:12 01:00:13:00 01:00:16:12\n"
    "004  healed  01:00:22:12 01:00:31:00 01:00:16:12 01:00:25:00\n";

// Ten seconds of the reel from 01:00:00:00, recorded at HH:MM:SS.
std::string edlEvent(const std::string& num, const std::string& reel, const std::string& rec) {
    const int s = std::stoi(rec.substr(6, 2)) + 10;
    return num + "  " + reel + "  V  C  01:00:00:00 01:00:10:00 " + rec + ":00 " + rec.substr(0, 6) +
           std::to_string(s) + ":00\n";
}

TEST(Cli, ComparePrintsTheChangeListOfTheExamples) {
    TempDir dir;
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    CliResult r = runCli({"compare", "--old", kOld, "--new", kNew, "--compare", "clipname"});
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kExpected);
    // the automatic copy holds the same text
    EXPECT_EQ(readAll(dir.file("reelwright/Change Lists/new_cut_fr_old_cut.edl")), kExpected);
}

TEST(Cli, CompareWritesOutputAtomicallyAndNeverOverItsInput) {
    TempDir dir;
    const std::string copy = dir.write("old.edl", readAll(kOld));
    CliResult r = runCli({"compare", "--old", copy, "--new", kNew, "--compare", "clipname", "--no-autosave",
                          "--output", dir.file("changes.edl")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(readAll(dir.file("changes.edl")), kExpected);

    CliResult clash = runCli({"compare", "--old", copy, "--new", kNew, "--no-autosave", "--output", copy});
    EXPECT_EQ(clash.status, 1);
    EXPECT_EQ(readAll(copy), readAll(kOld));
}

TEST(Cli, FailuresAndTheirStatus) {
    TempDir dir;
    CliResult empty = runCli({"compare", "--old", dir.write("e.edl", ""), "--new", kNew, "--no-autosave"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("no valid edits were found: check that your lists"), std::string::npos);
    EXPECT_NE(empty.err.find("missing list: reelwright needs both OLD and NEW lists"), std::string::npos);
    EXPECT_TRUE(empty.out.empty());

    const std::vector<std::string> badArguments[] = {
        {},
        {"compare", "--old", kOld},
        {"compare", "--old", kOld, "--new", kNew, "--ferocity", "wild"},
        {"compare", "--old", kOld, "--new", kNew, "--edl-type", "PAL"},
        {"show", "x.edl", "--hour", "1a"},
        {"show", "x.edl", "--hour", "123"},
        {"show", "x.edl", "--as", "xml"},
        {"show", "x.edl", "--list", "a"},
        {"show", "x.edl", "--vfx1", "VFX_,scene,_,shot"},
        {"show", "x.edl", "--vfx1", "VFX_,scene,_,take,_,version,_"},
        {"show", "x.edl", "--vfx2", "VFX_,scene,,shot,_,version,_"},
        {"show", "x.edl", "--vfx3", "4th,-,before"},
        {"show", "x.edl", "--vfx3", "last,,before"},
    };
    for (const auto& args : badArguments) EXPECT_EQ(runCli(args).status, 2) << testing::PrintToString(args);
    CliResult help = runCli({"compare", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--ferocity"), std::string::npos);
}

TEST(Cli, ShowPrintsOneImport) {
    CliResult r = runCli({"show", kNew, "--compare", "clipname"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n', r.out.find('\n') + 1) + 1),
              "001|HARBOUR_WIDE|14:02:11:00|14:02:16:00|01:00:00:00|01:00:05:00|0\n"
              "002|SKIPPER_MS|15:01:00:00|15:01:08:00|01:00:05:00|01:00:13:00|0\n");
    EXPECT_NE(r.out.find("005|HORIZON|14:40:00:00|14:40:05:00|01:00:22:12|01:00:25:00|1\n"), std::string::npos);
    CliResult labroll = runCli({"show", kNew});
    EXPECT_NE(labroll.out.find("005|A004C005|14:40:00:00|14:40:05:00|01:00:22:12|01:00:25:00|0\n"), std::string::npos);
    TempDir dir;
    EXPECT_EQ(runCli({"show", dir.path()}).status, 1);
}

TEST(Cli, ShowTakesTheImportFlags) {
    TempDir dir;
    const std::string change = dir.write("reel.txt", "  1  delete  0010+00  0002+00\n");
    const std::string cut = dir.write("reel.cut", "  1  0000+00  9999+99  0010+08  A001       1234+05  9999+99\n");
    // an .edl read as a change list by its contents takes --hour for an earlier sheet
    const std::string edl = dir.write("reel.edl", readAll(change) + "end of change list\n");
    const std::string xml = std::string(RW_TEST_DATA) + "/corpus/xmeml/otiofcp_premiere_enable_property.xml";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err = {};  // the start of what is printed; a part of the errors
    } cases[] = {
        {{"show", cut, "--as", "cut", "--hour", "01"}, 0,
         "001|A001|00:13:42:21|00:13:49:21|01:00:00:00|01:00:07:00|0\n"},
        {{"show", cut}, 1, "", "no valid edits were found"},  // read as an EDL: nothing
        {{"show", change, "--as", "change", "--hour", "02", "--list", "new"}, 0, "001||02:00:00:00"},
        {{"show", edl, "--hour", "04"}, 0, "001||04:00:00:00"},
        {{"show", edl}, 0, "001||00:00:00:00"},
        {{"show", edl, "--as", "cut", "--hour", "05"}, 0, "001||05:00:00:00"},
        // --list names the tab of the frame-rate check: 25 fps is refused only in the change list
        {{"show", xml, "--edl-type", "PAL film"}, 0, "001|"},
        {{"show", xml, "--edl-type", "PAL film", "--list", "changes"}, 1, "", "incompatible sequence framerate"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args) << r.err;
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << testing::PrintToString(c.args);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(runCli(cases[0].args).out, cases[0].out);  // one event, nothing more

    CliResult r = runCli({"export", "change-edl", "--changes", change, "--as", "change", "--hour", "03", "--output",
                          dir.file("out.edl")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = readFileText(dir.file("out.edl")).value;
    EXPECT_NE(text.find("03:00:06:16"), std::string::npos) << text;  // the cut, placed in hour 3
}

TEST(Cli, VfxFlagsMatchShotsAcrossVersions) {
    TempDir dir;
    const std::string old = dir.write("old.edl", edlEvent("001", "VFX_010_020_v1_", "10:00:00"));
    const std::string neu = dir.write("new.edl", edlEvent("001", "VFX_010_020_v2_", "10:00:00"));
    auto compare = [&](std::vector<std::string> flags) {
        flags.insert(flags.begin(), {"compare", "--old", old, "--new", neu, "--no-autosave"});
        return runCli(flags);
    };
    EXPECT_EQ(compare({}).out, "FCM: 24\n");
    CliResult vfx = compare({"--vfx1", "VFX_,scene,_,shot,_,version,_"});
    EXPECT_EQ(vfx.status, 0) << vfx.err;
    EXPECT_NE(vfx.out.find("10:00:00:00 10:00:10:00 10:00:00:00 10:00:10:00"), std::string::npos) << vfx.out;
    const std::string settings = dir.write("prefs.ini", "smartVFX=ON\nprefix=VFX_\nsel1=scene\nsel2=shot\n"
                                                       "sel3=version\nsep1=_\nsep2=_\nsep3=_\n");
    CliResult fromFile = compare({"--settings", settings});
    EXPECT_EQ(fromFile.out, vfx.out) << fromFile.err;
    CliResult split = compare({"--vfx3", "last,_v,before"});
    EXPECT_NE(split.out.find("10:00:00:00 10:00:10:00"), std::string::npos) << split.out;
}

TEST(Cli, SearchPrintsTheRankedFiles) {
    TempDir dir;
    dir.write("lists/a.edl", edlEvent("001", "A001", "10:00:00") + edlEvent("002", "A002", "10:00:20"));
    dir.write("lists/sub/b.edl", edlEvent("001", "A002", "10:00:00"));
    const std::string neu = dir.write("new.edl", edlEvent("001", "A001", "11:00:00") +
                                                     edlEvent("002", "A002", "11:00:20") +
                                                     edlEvent("003", "Z009", "11:00:40"));
    auto search = [&](const std::string& folder, const std::string& select) {
        return runCli({"search", dir.file(folder), "--new", neu, "--select", select});
    };
    CliResult r = search("lists", "1-2");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\t\t00:00:20:00\t\ta.edl\n1\t\t00:00:10:00\t\tb.edl\n");
    const CliResult json = runCli({"search", dir.file("lists"), "--new", neu, "--select", "1-2", "--json"});
    const nlohmann::json results = nlohmann::json::parse(json.out)["results"];
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1], nlohmann::json::parse(R"({"shots": 1, "duration": "00:00:10:00", "file": "b.edl",
        "path": ")" + dir.file("lists/sub/b.edl") + "\"}"));

    CliResult none = search("lists", "3");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no matches found for selected events"), std::string::npos);

    EXPECT_EQ(search("lists", "4").status, 2);
    EXPECT_EQ(search("lists", "2-1").status, 2);
    EXPECT_EQ(search("nowhere", "1").status, 2);
}

TEST(CliSettings, CompareAndShowReadThePreferencesAndFlagsWin) {
    TempDir dir;
    // Record times with frame 24: only a list type of more than 24 fps reads them.
    const std::string oldList = dir.write("old.edl", "001  A001 V C 01:00:00:00 01:00:10:24 10:00:00:00 10:00:10:24\n");
    const std::string newList = dir.write("new.edl", "001  A001 V C 01:00:02:00 01:00:06:00 10:00:00:00 10:00:04:24\n");
    const std::string pal = dir.write("pal.ini", "[reelwright]\nEDL type = PAL video\n");
    const std::string old = dir.write("old.ini", "EDL type=PAL film 1\n");
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{}, 1, ""},  // the registered default list type cannot read frame 24
        {{"--settings", pal}, 0, "FCM: 25"},
        {{"--settings", pal, "--edl-type", "NTSC"}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--edl-type", "NTSC", "--settings", pal}, 0, "FCM: 29.97 NON-DROP FRAME"},
        {{"--settings", old}, 0, "FCM: 24"},  // "PAL film 1" reads as "PAL film": read at 25, shown at 24
    };
    for (const auto& [extra, status, header] : cases) {
        std::vector<std::string> args = {"compare", "--old", oldList, "--new", newList, "--no-autosave"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_EQ(r.out.substr(0, header.size()), header);
    }
    EXPECT_EQ(runCli({"show", oldList}).status, 1);
    const CliResult r = runCli({"show", "--settings", pal, oldList});
    EXPECT_EQ(r.out, "001|A001|01:00:00:00|01:00:10:24|10:00:00:00|10:00:10:24|0\n") << r.err;
}

TEST(CliSettings, UnreadableSettingsAreBadArguments) {
    TempDir dir;
    const std::string list = dir.write("old.edl", "001  A001 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\n");
    const std::string garbage = dir.write("garbage.ini", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
    for (const std::string& path : {dir.file("missing.ini"), dir.path(), garbage}) {
        const CliResult r = runCli({"compare", "--old", list, "--new", list, "--no-autosave", "--settings", path});
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(runCli({"show", "--settings", path, list}).status, 2) << path;
        const CliResult note =
            runCli({"export", "note", "--old", list, "--new", list, "--settings", path, "--output", dir.file("n.txt")});
        EXPECT_EQ(note.status, 2) << path;
    }
}

}  // namespace
}  // namespace rw::test
