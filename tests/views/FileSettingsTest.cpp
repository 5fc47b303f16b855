#include "settings/FileSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace rw::test {
namespace {

using Map = std::map<std::string, std::string>;

TEST(FileSettings, ReadsKeyValueLinesWrittenByHand) {
    TempDir dir;
    FileSettings store(dir.write("hand.ini",
                                 "; written by hand\r\n"
                                 "[reelwright]\r\n"
                                 "EDL type = PAL video\r\n"
                                 "  # an indented comment\n\n"
                                 "sep1=\" \"\r"
                                 "prefix=VFX_\xE9\n"  // Latin-1
                                 "sel1 =\n"
                                 "conformType=file - tab separated\n"
                                 "conformType=Pro Tools\n"
                                 "odd\\=key=a=b\n"));
    ASSERT_EQ(store.load().error, "");
    EXPECT_EQ(store.values(), (Map{{"EDL type", "PAL video"},
                                   {"sep1", " "},
                                   {"prefix", "VFX_\xC3\xA9"},
                                   {"sel1", ""},
                                   {"conformType", "Pro Tools"},
                                   {"odd=key", "a=b"}}));
}

TEST(FileSettings, BadFilesAreReportedAndChangeNothing) {
    TempDir dir;
    const std::tuple<std::string, std::string> cases[] = {
        {dir.file("none.ini"), "cannot read settings file"},
        {dir.path(), "cannot read settings file"},
        {dir.write("edl.ini", "kept=no\nthis is an EDL, not settings\n"), ":2: not a setting"},
        {dir.write("key.ini", "=value\n"), ":1: not a setting"},
        {dir.write("elf.ini", std::string("\x7F\x45\x4C\x46\x02\x01\x01\0\0", 9)), ":1: not a setting"},
    };
    for (const auto& [path, error] : cases) {
        FileSettings store(path);
        store.setString("kept", "yes");
        EXPECT_NE(store.load().error.find(error), std::string::npos) << path;
        EXPECT_EQ(store.stringForKey("kept"), "yes");
    }
}

TEST(FileSettings, WritesAndReadsBack) {
    TempDir dir;
    FileSettings out(dir.file("prefs.ini"));
    out.setString("EDL type", "NTSC df");
    out.setString("sep3", " ");
    ASSERT_EQ(out.synchronize().error, "");
    EXPECT_EQ(readAll(dir.file("prefs.ini")), "; reelwright preferences\n[reelwright]\nEDL type=NTSC df\nsep3=\" \"\n");
    FileSettings in(dir.file("prefs.ini"));
    ASSERT_EQ(in.load().error, "");
    EXPECT_EQ(in.values(), out.values());
    EXPECT_FALSE(FileSettings(dir.path()).synchronize()) << "a folder is not overwritten";
}

// Any key and value survive a write and a read, whatever bytes they hold.
TEST(FileSettings, AnyTextRoundTrips) {
    const std::vector<std::string> pieces = {"a",  " ",  "=",    "\"",       "\\",           "\n",   "\r",
                                             "\t", ";",  "#",    "[",        "\xC3\xA9",     "\xE2\x80\xA8",
                                             "\x85", "\xC2\x85", "\xFF", std::string(1, '\0'), "\x7F", "\\n"};
    std::mt19937 rng(7);
    auto text = [&](int most) {
        std::string s;
        for (int n = std::uniform_int_distribution<int>(0, most)(rng); n > 0; --n)
            s += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        return s;
    };
    for (int round = 0; round < 500; ++round) {
        Map values;
        for (int k = 0; k < 4; ++k) values["k" + text(5)] = text(6);
        values[text(3) + "k"] = text(2);
        const auto back = FileSettings::parse(FileSettings::format(values));
        ASSERT_TRUE(back) << back.error << "\n" << FileSettings::format(values);
        ASSERT_EQ(back.value, values) << FileSettings::format(values);
    }
}

}  // namespace
}  // namespace rw::test
