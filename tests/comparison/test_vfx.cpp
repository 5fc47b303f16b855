#include "app/ConformController.h"
#include "app/VfxPreferences.h"
#include "comparison/Compare.h"
#include "comparison/VfxNaming.h"

#include "EventBuilders.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

VfxSettings defaults() {
    Preferences prefs;
    prefs.set("smartVFX", "ON");
    return vfxSettingsFrom(prefs);
}

struct SchemeCase {
    const char* name;
    const char* clip;
    std::optional<VfxComponents> expected;
    std::array<const char*, 3> sep = {"_", "_", "_"};
    std::array<const char*, 3> sel = {"scene", "shot", "version"};
};

TEST(VfxNaming, SchemeOneDecomposesByPrefixSeparatorsAndPopups) {
    const SchemeCase cases[] = {
        {"defaults", "VFX_123_03_11_comp", VfxComponents{"123", "03", "11"}},
        {"third separator missing", "VFX_123_03_11", std::nullopt},
        {"empty third separator takes the rest", "VFX_123_03_11", VfxComponents{"123", "03", "11"}, {"_", "_", ""}},
        {"text after the third separator is ignored", "VFX_1_2_3_4_5", VfxComponents{"1", "2", "3"}},
        {"popups version scene shot", "VFX_ver2_45_7_", VfxComponents{"45", "7", "ver2"}, {"_", "_", "_"},
         {"version", "scene", "shot"}},
        {"first popup is never consulted", "VFX_a_b_c_", VfxComponents{"a", "c", "a"}, {"_", "_", "_"},
         {"shot", "shot", "shot"}},
        {"multi-character separators", "VFX_12--34.5v", VfxComponents{"12", "34", "5"}, {"--", ".", "v"}},
        {"name equal to the prefix", "VFX_", std::nullopt},
        {"prefix is case-sensitive", "vfx_1_2_3_", std::nullopt},
        {"second separator missing", "VFX_123", std::nullopt},
        {"an empty second separator never fits", "VFX_1_2_3_", std::nullopt, {"_", "", "_"}},
    };
    for (const auto& c : cases) {
        VfxSettings s = defaults();
        for (int i = 0; i < 3; ++i) {
            s.scheme1.sel[i] = c.sel[i];
            s.scheme1.sep[i] = c.sep[i];
        }
        EXPECT_EQ(VFXComponentsForString(c.clip, s), c.expected) << c.name;
        EXPECT_EQ(isVFXClip(c.clip, s), c.expected.has_value()) << c.name;
    }
}

struct SplitCase {
    const char* occurrence;
    int tag;
    const char* clip;
    std::optional<VfxComponents> expected;
};

TEST(VfxNaming, SchemeThreeSplitsAtTheChosenOccurrence) {
    const SplitCase cases[] = {
        {"last", 2, "A12-B-007", VfxComponents{"NONE", "A12-B", "007"}},
        {"last", 1, "A12-B-007", VfxComponents{"NONE", "007", "A12-B"}},
        {"1st", 2, "A12-B-007", VfxComponents{"NONE", "A12", "B-007"}},
        {"2nd", 2, "A12-B-007", VfxComponents{"NONE", "A12-B", "007"}},
        {"3rd", 2, "A12-B-007", std::nullopt},
        {"3rd", 2, "a-b-c-d", VfxComponents{"NONE", "a-b-c", "d"}},
        {"1st", 2, "nohyphen", std::nullopt},
        {"last", 2, "nohyphen", std::nullopt},
        {"other", 2, "A12-B-007", std::nullopt},
    };
    for (const auto& c : cases) {
        VfxSettings s;
        s.scheme3 = {true, c.occurrence, "-", c.tag};
        EXPECT_EQ(VFXComponentsForString(c.clip, s), c.expected) << c.occurrence << " " << c.clip;
        EXPECT_EQ(isVFXClip_3(c.clip, s), c.expected.has_value()) << c.occurrence << " " << c.clip;
    }
}

TEST(VfxNaming, SchemesAreTriedInOrderAndOnlyWhenSwitchedOn) {
    Preferences prefs;
    prefs.set("prefix_2", "FX");
    prefs.set("sel1_3", "last");
    prefs.set("sep1_3", "_");
    prefs.set("VFXBeforeAfterTag", "2");
    VfxSettings s = vfxSettingsFrom(prefs);
    EXPECT_FALSE(VFXComponentsForString("VFX_1_2_3_", s));  // every switch is off

    s.scheme3.on = true;
    EXPECT_EQ(VFXComponentsForString("VFX_1_2_3_", s), (VfxComponents{"NONE", "VFX_1_2_3", ""}));
    s.scheme2.on = true;
    // The prefix is followed straight by the first separator: an empty first part.
    EXPECT_EQ(VFXComponentsForString("FX_9_8_7_", s), (VfxComponents{"", "9", "8"}));
    EXPECT_TRUE(isVFXClip_2("FX_9_8_7_", s));
    s.scheme1.on = true;
    EXPECT_EQ(VFXComponentsForString("VFX_1_2_3_", s), (VfxComponents{"1", "2", "3"}));
}

TEST(VfxNaming, AnEventThatStopsFittingKeepsItsStringsButIsNoLongerVfx) {
    VfxSettings s = defaults();
    edit e;
    auto fields = [&] { return std::tuple{e.isVFX(), e.scene(), e.shot(), e.version()}; };
    e.setClip("VFX_123_03_11_comp");
    setVFXValuesForEdit(e, s);
    EXPECT_EQ(fields(), std::tuple(true, "123", "03", "11"));
    e.setClip("A001C002");
    setVFXValuesForEdit(e, s);
    EXPECT_EQ(fields(), std::tuple(false, "123", "03", "11"));
}

TEST(VfxNaming, ExampleTextFollowsThePopupsAndSeparators) {
    VfxSettings s = defaults();
    s.scheme2.sel = {"version", "shot", "scene"};
    s.scheme2.sep = {"-", ".", ""};
    EXPECT_EQ(vfxExampleString(s.scheme2), "eg: VFX_11-03.123");
}

TEST(VfxNaming, RefreshRederivesBothListsAndComparisonMatchesByShot) {
    RecordingUi ui;
    NoMovies movies;
    conformController c(ui, movies);
    c.dataSourceA().addEdits({test::ev("VFX_010_020_v1_", 1000, 1100, 0, 100)});
    c.dataSourceB().addEdits({test::ev("VFX_010_020_v2_", 1000, 1100, 500, 600)});
    EXPECT_TRUE(compareOldList(c.dataSourceA().getEditArray(), c.dataSourceB().getEditArray(), "24").empty());

    c.prefs().set("smartVFX", "ON");
    auto examples = c.smartVFXRefresh();
    EXPECT_EQ(examples[0], "eg: VFX_123_03_11_");
    ASSERT_TRUE(c.dataSourceA().getEditArray()[0]->isVFX());
    ASSERT_TRUE(c.dataSourceB().getEditArray()[0]->isVFX());
    EditArray changes = c.compareOldList(c.dataSourceA().getEditArray(), c.dataSourceB().getEditArray());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0]->color(), Color::red());  // matched by scene and shot, not by name
    EXPECT_EQ(changes[0]->clip(), "VFX_010_020_v2_");
    EXPECT_EQ(changes[0]->sourceIn()->totalFrames(), 0);
    EXPECT_EQ(changes[0]->masterIn()->totalFrames(), 500);
}

}  // namespace
}  // namespace rw
