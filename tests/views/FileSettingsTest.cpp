#include "lists/ListFakes.h"
#include "core/Files.h"
#include "ports/FileSettings.h"

#include <gtest/gtest.h>

#include <random>

namespace rw::test {
namespace {

using Map = std::map<std::string, std::string>;

TEST(FileSettings, ReadsKeyValueLines) {
    const std::string text =
        "; written by hand\r\n"
        "[reelwright]\r\n"
        "EDL type = PAL video\r\n"
        "  # an indented comment\n"
        "\n"
        "sep1=\" \"\r"
        "prefix=VFX_\\tx\n"
        "sel1 =\n"
        "conformType=file - tab separated\n"
        "conformType=Pro Tools\n"
        "odd\\=key=a=b\n";
    std::size_t bad = 0;
    const auto values = FileSettings::parse(text, bad);
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (Map{{"EDL type", "PAL video"},
                            {"sep1", " "},
                            {"prefix", "VFX_\tx"},
                            {"sel1", ""},
                            {"conformType", "Pro Tools"},
                            {"odd=key", "a=b"}}));
}

TEST(FileSettings, RefusesLinesThatAreNotSettings) {
    for (const auto& [text, line] : std::vector<std::pair<std::string, std::size_t>>{
             {"a=1\nno equals sign\n", 2}, {"=value\n", 1}, {std::string("\x7F\x45\x4C\x46\x02\x01\x01\0\0", 9), 1}}) {
        std::size_t bad = 0;
        EXPECT_FALSE(FileSettings::parse(text, bad)) << text;
        EXPECT_EQ(bad, line) << text;
    }
}

TEST(FileSettings, LoadReportsUnreadableFilesAndKeepsItsValues) {
    TempDir dir;
    FileSettings missing(dir.path() + "/none.ini");
    missing.setString("kept", "yes");
    EXPECT_NE(missing.load().find("cannot read settings file"), std::string::npos);
    FileSettings folder(dir.path());
    EXPECT_FALSE(folder.load().empty());
    FileSettings garbage(dir.write("bad.ini", "kept=no\nthis is an EDL, not settings\n"));
    garbage.setString("kept", "yes");
    EXPECT_NE(garbage.load().find(":2: not a setting"), std::string::npos);
    EXPECT_EQ(garbage.stringForKey("kept"), "yes");
    FileSettings latin1(dir.write("latin1.ini", "prefix=VFX_\xE9\n"));
    EXPECT_EQ(latin1.load(), "");
    EXPECT_EQ(latin1.stringForKey("prefix"), "VFX_\xC3\xA9");
    FileSettings bom(dir.write("bom.ini", "\xEF\xBB\xBF; comment\r\nsep1=-\r\n"));
    EXPECT_EQ(bom.load(), "");
    EXPECT_EQ(bom.stringForKey("sep1"), "-");
    FileSettings empty(dir.write("empty.ini", ""));
    EXPECT_EQ(empty.load(), "");
    EXPECT_TRUE(empty.values().empty());
}

TEST(FileSettings, WritesAtomicallyAndReadsBack) {
    TempDir dir;
    const std::string path = dir.path() + "/prefs.ini";
    FileSettings out(path);
    out.setString("EDL type", "NTSC df");
    out.setString("sep2", " ");
    out.remove("sep2");
    out.setString("sep3", " ");
    ASSERT_EQ(out.synchronize(), "");
    EXPECT_EQ(*readFileText(path), "; reelwright preferences\n[reelwright]\nEDL type=NTSC df\nsep3=\" \"\n");
    FileSettings in(path);
    ASSERT_EQ(in.load(), "");
    EXPECT_EQ(in.values(), out.values());
    FileSettings intoFolder(dir.path());
    EXPECT_FALSE(intoFolder.synchronize().empty());
}

// Any key and value survive a write and a read, whatever bytes they hold.
TEST(FileSettings, AnyTextRoundTrips) {
    const std::vector<std::string> pieces = {"a",   " ",  "=",    "\"",         "\\",           "\n", "\r", "\t",
                                             ";",   "#",  "[",    "]",          "\xC3\xA9",     "\xE2\x80\xA8",
                                             "\x85", "\xC2\x85", "\xFF", std::string(1, '\0'), "\x7F", "x\\", "\\n"};
    std::mt19937 rng(7);
    auto text = [&](int maxPieces) {
        std::string s;
        for (int n = std::uniform_int_distribution<int>(0, maxPieces)(rng); n > 0; --n)
            s += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        return s;
    };
    for (int round = 0; round < 500; ++round) {
        Map values;
        for (int k = 0; k < 4; ++k) {
            std::string key = text(5);
            if (key.empty()) key = "k";
            values[key] = text(6);
        }
        std::size_t bad = 0;
        const auto back = FileSettings::parse(FileSettings::format(values), bad);
        ASSERT_TRUE(back) << "round " << round << " line " << bad << "\n" << FileSettings::format(values);
        ASSERT_EQ(*back, values) << "round " << round << "\n" << FileSettings::format(values);
    }
}

}  // namespace
}  // namespace rw::test
