// Damaged copies of real lists: truncated, with bytes changed or cut out.
// Every reader must come through them without a crash (run under the
// sanitizers), and the XML reader must stop with its parse-error alert.

#include "core/Files.h"
#include "core/Text.h"
#include "import/ChangeListReader.h"
#include "import/CutListReader.h"
#include "import/FcpXmlParser.h"
#include "ports/UiPort.h"

#include <gtest/gtest.h>

#include <random>

namespace rw {
namespace {

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
        ASSERT_TRUE(bytes) << name;
        for (int round = 0; round < 60; ++round) {
            RecordingUi ui;
            KLVFcpXmlParser parser({"NTSC", round % 3, round % 2 == 0}, ui);
            const EditArray& events = parser.parseText(mutate(*bytes, gen));
            for (const auto& e : events) EXPECT_TRUE(e->sourceIn() && e->masterOut()) << name;
            if (parser.failed()) {
                EXPECT_EQ(ui.alerts.back().message, "XML parse error");
            }
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
