#include "Support.h"

#include "conform/FileConform.h"
#include "conform/Tc6000Conform.h"
#include "conform/TextConform.h"
#include "core/Files.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;
const auto events = test::twoChanges;

TEST(TextConform, LinesAndStatusWords) {
    const std::pair<const char*, const char*> tabRows[] = {
        {"cue1\t01:00:05:00\t01:00:20:00", "cue1\t02:00:05:00\t[01:00:20:00]\tRESPOT\n"},
        {"cue2\t01:00:05:00\t01:01:30:00", "cue2\t02:00:05:00\t02:00:40:00\tCONFORMED\n"},
        {"just a note", "just a note\tNOCODE\n"},
        {"\n", "\tNOCODE\n"},
        {"\"01:00:01:00\"\t\"x\"", "02:00:01:00\tx\tCONFORMED\n"},
        {"0100+00", "0025+00\tCONFORMED\n"},  // 66 s into the hour: in the second event
        {"01:00:10:00", "[01:00:10:00]\tRESPOT\n"},  // out points are exclusive
        {"a\r\nb\rc\n", "a\tNOCODE\nb\tNOCODE\nc\tNOCODE\n"},  // any line end, no empty last line
        {"", ""},
    };
    for (auto [in, out] : tabRows) EXPECT_EQ(conformTextFile(in, events(), '\t', "24"), out) << in;

    const std::pair<const char*, const char*> commaRows[] = {
        {"\"cue\",\"01:00:05:00\"", "\"cue\",\"02:00:05:00\"\tCONFORMED\n"},
        {"\n", "\"\"\tNOCODE\n"},
        {"a\t01:00:05:00,b", "\"a\t01:00:05:00\",\"b\"\tNOCODE\n"},
    };
    for (auto [in, out] : commaRows) EXPECT_EQ(conformTextFile(in, events(), ',', "24"), out) << in;
}

TEST(TextConform, OutputNamesStayWithin31Characters) {
    const std::string n30(30, 'n');
    const std::pair<std::string, std::string> rows[] = {
        {"cues.txt", "cues-conf.txt"},
        {"cues", "cues-conf.txt"},
        {std::string(23, 'a'), std::string(22, 'a') + "-conf.txt"},
        {std::string(22, 'a'), std::string(22, 'a') + "-conf.txt"},
        {n30 + ".txt", std::string(22, 'n') + "-conf.txt"},
        {"abc." + std::string(24, 'x'), "a-conf." + std::string(24, 'x')},
        {"abc." + std::string(25, 'x'), "abc-conf.txt"},
        {std::string(30, 'b') + "." + std::string(40, 'x'), std::string(22, 'b') + "-conf.txt"},
    };
    for (const auto& [in, out] : rows) {
        EXPECT_EQ(conformedTextName(in), out) << in;
        EXPECT_LE(conformedTextName(in).size(), 31u);
    }
}

TEST(TextConform, NeverReplacesItsInput) {
    test::TempDir dir;
    const std::string input = dir.file("ABCDEFGHIJKLMNOPQRSTUVWX-conf.t");
    ASSERT_EQ(conformedTextName(lastPathComponent(input)), lastPathComponent(input));
    ASSERT_EQ(writeFileAtomic(input, "01:00:01:00\n").error, "");
    Outcome<std::string> r = conformChosenFile(input, "file - tab separated", events(), "24");
    EXPECT_EQ(r.value, dir.file("ABCDEFGHIJKLMNOPQRSTUVWX-conf-1.t"));
    EXPECT_EQ(readFileText(input).value, "01:00:01:00\n");
    EXPECT_EQ(readFileText(r.value).value, "02:00:01:00\tCONFORMED\n");
}

TEST(Tc6000Conform, NewMovedSortedAndWithoutRepeats) {
    const EditArray moved = {ev("001", "01:00:04:00", "01:00:10:00", "02:00:00:00", "02:00:06:00"),
                             ev("002", "01:00:20:00", "01:00:30:00", "02:00:06:00", "02:00:16:00")};
    const EditArray twice = {ev("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00"),
                             ev("002", "01:00:00:00", "01:00:10:00", "03:00:00:00", "03:00:10:00")};
    const std::tuple<const char*, EditArray, std::optional<std::string>> cases[] = {
        {"ICONLISTV1\r\n01000000,1,R1,patchA\r\n01000500,1,R1,patchB\r\n01002000,2,R1,patchC\r\nbad\r\n"
         "0100,1,R1\r\n0100AA00,1,R1,x\r\n01000600,1,R1,p,extra\r\n",
         moved, "ICONLISTV1\n02000000,1,R1,patchA\n02000100,1,R1,patchB\n02000600,2,R1,patchC"},
        // A repeat in another hour stays.
        {"ICONLISTV1\n01000000,1,R1,P", twice, "ICONLISTV1\n02000000,1,R1,P\n03000000,1,R1,P"},
        {"ICONLISTV1", events(), "ICONLISTV1"},
        {"ICONLISTV2\n01000000,1,R1,P", events(), std::nullopt},
        {"", events(), std::nullopt},
    };
    for (const auto& [in, list, out] : cases) EXPECT_EQ(conformTc6000File(in, list, "24"), out) << in;
    EXPECT_EQ(conformedTc6000Name("mix.reel1.EVL"), "mix.reel1-conf.EVL");
}

}  // namespace
}  // namespace rw
