// Damaged copies of real lists and random bytes: every reader comes through
// without a crash (run under the sanitizers) and without a malformed event;
// the XML reader stops with its parse-error alert.

#include "settings/Choices.h"
#include "ImportHelpers.h"
#include "core/Files.h"
#include "import/ChangeListReader.h"
#include "import/CutListReader.h"
#include "import/FcpXmlParser.h"
#include "import/OtioReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace rw {
namespace {

using test::expectWellFormed;
using test::readEdl;

std::vector<std::string> corpusFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(RW_TEST_DATA) + "/corpus/edl"))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
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
    const std::string folder = std::string(RW_TEST_DATA) + "/corpus/edl/";
    for (const Pin& p : pins) {
        auto events = readEdl(readFileText(folder + p.file).value, p.type, p.byClip);
        std::size_t motion = std::count_if(events.begin(), events.end(), [](auto& e) { return e->isMotionEffected(); });
        EXPECT_EQ(events.size(), p.events) << p.file;
        EXPECT_EQ(motion, p.motion) << p.file;
    }
    auto df = readEdl(readFileText(folder + "edlgenius_cmx3600_5994.edl").value, "60fps EDL/XML");
    ASSERT_FALSE(df.empty());
    EXPECT_TRUE(df[0]->sourceIn()->isDrop());
    EXPECT_EQ(df[0]->sourceIn()->framerate(), 30);  // "DROP FRAME" means 29.97 drop frame
    EXPECT_EQ(df[0]->masterIn()->framerate(), 60);
}

// The reader may find anything or nothing in these.
TEST(EdlFuzz, MutatedListsAndRandomBytes) {
    std::mt19937 rng(20261206);
    const auto files = corpusFiles();
    ASSERT_GT(files.size(), 50u);
    const std::string alphabet = "0123456789:; *\t\r\nMFCM2BLAXV-+.";
    std::uniform_int_distribution<int> byte(0, 255), op(0, 3);
    auto symbol = [&] { return alphabet[static_cast<std::size_t>(byte(rng)) % alphabet.size()]; };
    for (int round = 0; round < 400; ++round) {
        std::string text = readFileText(files[static_cast<std::size_t>(round) % files.size()]).value;
        if (text.size() > 20000) text.resize(20000);
        const int edits = 1 + round % 40;
        for (int k = 0; k < edits && !text.empty(); ++k) {
            std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(rng);
            switch (op(rng)) {
            case 0: text[at] = symbol(); break;
            case 1: text.insert(at, 1, symbol()); break;
            case 2: text.erase(at, 1 + static_cast<std::size_t>(byte(rng)) % 12); break;
            default: text[at] = static_cast<char>(byte(rng)); break;
            }
        }
        const std::string& type = choices::listTypes()[static_cast<std::size_t>(round) % choices::listTypes().size()];
        expectWellFormed(readEdl(decodeText(text), type, round % 2 == 0));
    }
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(byte(rng)) * 16, '\0');
        for (char& c : bytes) c = static_cast<char>(byte(rng));
        expectWellFormed(readEdl(decodeText(bytes), "24fps EDL/XML", true));
    }
}

TEST(EdlFuzz, HostileShapesStayBounded) {
    // 20,000 event lines with one number under clip-name comparison, then a
    // name: every line's block runs to the end, yet the work stays linear.
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    auto named = readEdl(text + "* FROM CLIP NAME: LAST\n", "24fps EDL/XML", true);
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0]->clip(), "LAST");
    for (int i = 0; i < 18500; ++i) text += "001  R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    EXPECT_EQ(readEdl(text, "24fps EDL/XML", true).size(), 1u);
    // starred event lines with changing numbers belong to every block before them
    std::string starred;
    for (int i = 0; i < 20000; ++i)
        starred += "*" + std::to_string(i % 7) + " R1 V C 00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n";
    EXPECT_EQ(readEdl(starred, "24fps EDL/XML", true).size(), 20000u);
    EXPECT_TRUE(readEdl(std::string(1 << 20, ':'), "24fps EDL/XML", true).empty());
}

// Truncated, with bytes changed, cut out or repeated.
std::string mutate(const std::string& original, std::mt19937& gen) {
    std::string s = original;
    if (s.empty()) return s;
    switch (gen() % 4) {
    case 0: s.resize(gen() % s.size()); break;  // truncated
    case 1:
        for (int k = 0; k < 8; ++k) s[gen() % s.size()] = static_cast<char>(gen());
        break;
    case 2: s.erase(gen() % s.size(), 1 + gen() % 64); break;
    default: s.insert(gen() % s.size(), std::string(1 + gen() % 16, static_cast<char>(gen()))); break;
    }
    return s;
}

TEST(Mutations, XmlReaderSurvivesDamagedDocuments) {
    std::mt19937 gen(2024);
    for (const char* name : {"ccnmtl_Mark_P_XML.xml", "premiere_example.xml", "hiero_xml_export.xml"}) {
        auto bytes = readFileBytes(std::string(RW_TEST_DATA) + "/corpus/xmeml/" + name);
        ASSERT_TRUE(bytes) << name << ": " << bytes.error;
        for (int round = 0; round < 60; ++round) {
            const FcpRead read = KLVFcpXmlParser({"NTSC", round % 3, round % 2 == 0}).parseText(mutate(bytes.value, gen));
            for (const auto& e : read.events) EXPECT_TRUE(e->sourceIn() && e->masterOut()) << name;
        }
    }
}

TEST(Mutations, OtioReaderSurvivesDamagedTimelines) {
    std::mt19937 gen(19);
    for (const char* name : {"nested_example.otio", "transition.otio", "multiple_track.otio", "big_int.otio"}) {
        auto bytes = readFileBytes(std::string(RW_TEST_DATA) + "/corpus/otio/" + name);
        ASSERT_TRUE(bytes) << name << ": " << bytes.error;
        for (int round = 0; round < 150; ++round) {
            const OtioRead r = readOtioText(mutate(bytes.value, gen), {round % 2 ? "NTSC" : "PAL video", round % 3 == 0});
            for (const auto& e : r.value.events) EXPECT_TRUE(e->sourceIn() && e->sourceOut() && e->masterIn() && e->masterOut());
            if (!r.error.empty()) { EXPECT_TRUE(r.value.events.empty()) << name; }
        }
    }
}

TEST(Mutations, FilmListReadersSurviveDamagedLines) {
    const std::string cutList = "  1  0000+00  0001+00  0001+00  A001       0100+00  0101+00\tshot\n"
                                "  2  0001+00  0003+00  0002+00  B002       0200+00  0202+00\tVFX_1_2_3_\n";
    const std::string changeList = "   1  move    0010+00  0002+00\n      to # 3\n"
                                   "   3  insert  0100+00  0000+00  0002+00\n      from # 1\n"
                                   "   4  delete  0200+00  0001+08\n";
    std::mt19937 gen(99);
    for (int round = 0; round < 400; ++round) {
        EditArray cuts, changes;
        const std::string cutText = decodeText(mutate(cutList, gen)), changeText = decodeText(mutate(changeList, gen));
        readCutListLines(splitLineViews(cutText), {std::string("01"), round % 2 == 0, {}, {}}, cuts);
        readChangeListLines(splitLineViews(changeText), {std::string("01"), "aggressive", nullptr}, changes);
        for (const auto& e : cuts) EXPECT_LT(e->sourceIn()->totalFrames(), e->sourceOut()->totalFrames());
        EXPECT_FALSE(changes.empty());  // the reel itself is always there
    }
}

}  // namespace
}  // namespace rw
