#include "import/EdlReader.h"

#include "app/Preferences.h"
#include "core/Files.h"
#include "core/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpusFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(std::string(RW_TEST_DATA) + "/corpus/edl"))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

rw::EditArray readText(const std::string& text, const std::string& type, bool byClip) {
    rw::EdlReadOptions o;
    o.edlType = type;
    o.currentRate = rw::rateForListType(type);
    o.compareByClipName = byClip;
    rw::EditArray out;
    rw::readEdlLines(rw::splitLineViews(text), o, out);
    return out;
}

// Every event the reader makes has four times and a source length.
void expectWellFormed(const rw::EditArray& events) {
    for (const auto& e : events) {
        ASSERT_TRUE(e->sourceIn() && e->sourceOut() && e->masterIn() && e->masterOut());
        ASSERT_NE(e->sourceIn()->totalFrames(), e->sourceOut()->totalFrames());
    }
}

TEST(EdlCorpus, EveryListReadsUnderEveryListType) {
    const auto files = corpusFiles();
    ASSERT_GT(files.size(), 50u);
    for (const auto& path : files) {
        const std::string text = *rw::readFileText(path);
        for (const auto& type : rw::listTypes())
            for (bool byClip : {false, true}) expectWellFormed(readText(text, type, byClip));
    }
}

TEST(EdlCorpus, PinnedCounts) {
    struct Pin {
        const char* file;
        const char* type;
        bool byClip;
        std::size_t events, motion;
    };
    // Lists whose shape shows a rule: FCM switching per event, CR-only line
    // ends with ^Z padding, dissolves, 59.94 drop frame, Premiere's 4-digit events.
    const Pin pins[] = {
        {"libedl_cmx3600.edl", "NTSC df", true, 902, 351},
        {"sgotio_FINALSCHECK_EDL_TEST_140318.edl", "24fps EDL/XML", false, 245, 0},
        {"sgotio_079_HA_V05.edl", "24fps EDL/XML", true, 57, 1},
        {"edlgenius_cmx3600_5994.edl", "film cutlist", false, 0, 0},
        {"pycmx_adobe_dai109_test.edl", "24fps EDL/XML", true, 2463, 7},
    };
    for (const Pin& p : pins) {
        auto events = readText(*rw::readFileText(std::string(RW_TEST_DATA) + "/corpus/edl/" + p.file), p.type, p.byClip);
        std::size_t motion = std::count_if(events.begin(), events.end(), [](auto& e) { return e->isMotionEffected(); });
        EXPECT_EQ(events.size(), p.events) << p.file;
        EXPECT_EQ(motion, p.motion) << p.file;
    }
    auto df = readText(*rw::readFileText(std::string(RW_TEST_DATA) + "/corpus/edl/edlgenius_cmx3600_5994.edl"),
                       "60fps EDL/XML", false);
    ASSERT_FALSE(df.empty());
    EXPECT_TRUE(df[0]->sourceIn()->isDrop());
    EXPECT_EQ(df[0]->sourceIn()->framerate(), 30);  // "DROP FRAME" means 29.97 drop frame
    EXPECT_EQ(df[0]->masterIn()->framerate(), 60);
}

// Mutated lists and random bytes: the reader may find anything or nothing,
// but it never crashes (run under the sanitizers) and never makes a malformed event.
TEST(EdlFuzz, MutatedListsAndRandomBytes) {
    std::mt19937 rng(20261206);
    const auto files = corpusFiles();
    const std::string alphabet = "0123456789:; *\t\r\nMFCM2BLAXV-+.";
    std::uniform_int_distribution<int> byte(0, 255), op(0, 3);
    for (int round = 0; round < 400; ++round) {
        std::string text = *rw::readFileText(files[static_cast<std::size_t>(round) % files.size()]);
        if (text.size() > 20000) text.resize(20000);
        const int edits = 1 + round % 40;
        for (int k = 0; k < edits && !text.empty(); ++k) {
            std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(rng);
            switch (op(rng)) {
            case 0: text[at] = alphabet[static_cast<std::size_t>(byte(rng)) % alphabet.size()]; break;
            case 1: text.insert(at, 1, alphabet[static_cast<std::size_t>(byte(rng)) % alphabet.size()]); break;
            case 2: text.erase(at, 1 + static_cast<std::size_t>(byte(rng)) % 12); break;
            default: text[at] = static_cast<char>(byte(rng)); break;
            }
        }
        const std::string& type = rw::listTypes()[static_cast<std::size_t>(round) % rw::listTypes().size()];
        expectWellFormed(readText(rw::decodeText(text), type, round % 2 == 0));
    }
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(byte(rng)) * 16, '\0');
        for (char& c : bytes) c = static_cast<char>(byte(rng));
        expectWellFormed(readText(rw::decodeText(bytes), "24fps EDL/XML", true));
    }
}

TEST(EdlFuzz, HostileShapesStayBounded) {
    // 20,000 event lines with one number under clip-name comparison, then a
    // name: every line's block runs to the end, yet the work stays linear.
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    auto named = readText(text + "* FROM CLIP NAME: LAST\n", "24fps EDL/XML", true);
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0]->clip(), "LAST");
    for (int i = 0; i < 18500; ++i) text += "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    EXPECT_EQ(readText(text, "24fps EDL/XML", true).size(), 1u);
    // starred event lines with changing numbers belong to every block before them
    std::string starred;
    for (int i = 0; i < 20000; ++i)
        starred += "*" + std::to_string(i % 7) + " R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    EXPECT_EQ(readText(starred, "24fps EDL/XML", true).size(), 20000u);
    EXPECT_TRUE(readText(std::string(1 << 20, ':'), "24fps EDL/XML", true).empty());
}

}  // namespace
