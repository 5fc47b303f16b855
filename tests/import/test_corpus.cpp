// Lists written by other tools: the pinned copies in the test data, and every
// file of the shared corpus when it is present.

#include "settings/Choices.h"
#include "ImportHelpers.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace rw {
namespace {

namespace fs = std::filesystem;

using test::rows;

struct Loaded {
    EditArray events;
    std::vector<RecordingUi::Alert> alerts;
};

Loaded load(const std::string& path, const std::string& type, int tab = 0, bool byClipName = true) {
    test::Session s;
    s.c.prefs().set(pref::EDLType, type);
    s.c.prefs().set(pref::CompareLabClip, byClipName ? "Clipname" : "Labroll");
    s.c.selectTab(tab);
    s.c.openFiles({path});
    return {s.list(tab), s.ui.alerts};
}

std::string data(const std::string& name) { return std::string(RW_TEST_DATA) + "/corpus/xmeml/" + name; }

TEST(CorpusXml, NtscDropFrameWithHeadTransition) {
    Loaded l = load(data("ccnmtl_Mark_P_XML.xml"), "NTSC");
    // start -1 after the transition 0..30 in the first track: the clip starts at the transition's start.
    EXPECT_EQ(rows(l.events), (std::vector<std::string>{
                                  "001|marc_phillipson_032310|00:37:23;21|01:02:01;00|01:00:00;00|01:24:37;09"}));
    EXPECT_TRUE(l.alerts.empty());
    // By lab roll the file's reel names the event.
    EXPECT_EQ(load(data("ccnmtl_Mark_P_XML.xml"), "NTSC df", 0, false).events.at(0)->clip(), "XH A1");
}

TEST(CorpusXml, NestedSequencesAndTransitions) {
    Loaded l = load(data("premiere_example.xml"), "NTSC");
    EXPECT_EQ(rows(l.events), (std::vector<std::string>{
                        "001|sc01_sh010_anim.mov|00:00:00:00|00:00:01:20|00:00:17:26|00:00:21:06",
                        "002|sc01_sh010_anim.mov|00:00:00:00|00:00:03:10|00:00:00:13|00:00:03:23",
                        "003|sc01_sh020_anim.mov|00:00:00:00|00:00:05:07|00:00:05:15|00:00:10:22",
                        "004|sc01_sh030_anim.mov|00:00:00:00|00:00:07:25|00:00:10:22|00:00:18:17",
                        // the nested sequence "sc01_sh010_anim", used 0..320 at 636
                        "005|sc01_sh010_anim.mov|00:00:00:00|00:00:03:10|00:00:21:06|00:00:24:16",
                        "006|sc01_sh030_anim.mov|00:00:00:00|00:00:07:10|00:00:24:16|00:00:31:26",
                        "007|test_title|01:00:00:00|01:00:31:11|00:00:00:15|00:00:31:26",
                        "008|sc01_master_layerA_sh030_temp.mov|00:00:04:13|00:00:11:24|00:00:31:26|00:00:39:07",
                        // start -1 in a later track: cut at the transition's end (1177), in advanced by 25
                        "009|sc01_sh010_anim.mov|00:00:01:01|00:00:03:10|00:00:39:07|00:00:41:16",
                    }));
}

TEST(CorpusXml, DisabledClipItemsAndTracks) {
    Loaded l = load(data("otiofcp_premiere_enable_property.xml"), "PAL video");
    EXPECT_EQ(rows(l.events), (std::vector<std::string>{
                        "001|source.mp4|00:00:14:03|00:00:17:09|00:00:00:00|00:00:03:06",
                        "002|source3.mp4|00:00:21:05|00:00:22:23|00:00:07:02|00:00:08:20",
                        "003|source.mp4|00:00:17:09|00:00:21:05|00:00:03:06|00:00:07:02",
                    }));
}

TEST(CorpusXml, TracksWithoutEnabledElement) {
    Loaded l = load(data("hiero_xml_export.xml"), "24fps EDL/XML");
    ASSERT_EQ(l.events.size(), 2u);
    EXPECT_EQ(rows(l.events)[0], "001|A160C005_171213_R0MN|12:44:37:23|12:45:21:22|01:00:00:14|01:00:44:13");
}

// Every file of the shared corpus (RW_CORPUS, or the copies in the test
// data) under every list type, by lab roll and by clip name, and XML into the
// change list too (its frame-rate check): a list is either read or reported,
// and every event is well formed.
TEST(Corpus, EveryFileImportsUnderEveryListType) {
    const char* env = std::getenv("RW_CORPUS");
    std::error_code ec;
    fs::path corpus = env && *env ? env : "/work/shared/corpus";
    if (!fs::is_directory(corpus, ec)) corpus = fs::path(RW_TEST_DATA) / "corpus";
    std::size_t files = 0;
    for (const std::string sub : {"edl", "xmeml"}) {
        const std::pair<int, bool> tabs[] = {{0, true}, {sub == "edl" ? 0 : 2, false}};
        for (const auto& entry : fs::directory_iterator(corpus / sub, ec)) {
            ++files;
            for (const std::string& type : choices::listTypes())
                for (const auto& [tab, byClip] : tabs) {
                    Loaded l = load(entry.path().string(), type, tab, byClip);
                    const bool reported = std::any_of(l.alerts.begin(), l.alerts.end(), [](const auto& a) {
                        return a.message == "no valid edits were found" || a.message == "XML parse error" ||
                               a.message == "incompatible sequence framerate";
                    });
                    const std::string what = entry.path().string() + " " + type + " tab " + std::to_string(tab);
                    EXPECT_TRUE(!l.events.empty() || reported) << what;
                    test::expectWellFormed(l.events, what);
                }
        }
    }
    EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace rw
