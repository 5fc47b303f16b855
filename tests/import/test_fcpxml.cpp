#include "import/FcpXmlParser.h"
#include "import/XmemlBuilder.h"
#include "ports/UiPort.h"
#include "support/EventFrames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using namespace rw::test;

const std::string kParseError = "an XML parsing error was encountered. any valid events have been retained.";

FcpRead parse(const std::string& doc, const std::string& type = "24fps EDL/XML", int tab = 0, bool reels = false) {
    return KLVFcpXmlParser({type, tab, reels}).parseText(doc);
}

// "num clip source in-out > record in-out", in frames.
std::vector<std::string> placed(const EditArray& events) {
    std::vector<std::string> out;
    for (const auto& e : events) {
        const Frames f = frames(e);
        out.push_back(e->editNum() + " " + e->clip() + " " + std::to_string(f.si) + "-" + std::to_string(f.so) + " > " +
                      std::to_string(f.mi) + "-" + std::to_string(f.mo));
    }
    return out;
}

TEST(FcpXml, WhereClipItemsArePlaced) {
    // The nested sequence is used from 200 to 300 and placed at 5000.
    const std::string nested = "<clipitem id=\"nest\"><name>nest</name><in>200</in><out>300</out><start>5000</start>"
                               "<end>5100</end>" +
                               sequence(track(clip("in1", 0, 100, 150, 250, file("f1", 0)) +
                                              clip("in2", 0, 100, 300, 400, fileRef("f1")) +
                                              clip("in3", 0, 300, 100, 400, fileRef("f1")))) +
                               "</clipitem>";
    const std::string audio = "<audio><track>" + clip("sound", 0, 10, 0, 10, file("a1", 0)) + "<audio><track>" +
                              clip("deeper", 0, 10, 0, 10, fileRef("a1")) + "</track></audio></track></audio>";
    const std::string bin = "<bin><children>" + sequence(track(clip("binned", 0, 10, 0, 10, file("b1", 0)))) +
                            "</children></bin>";
    const std::string multi = "<clipitem id=\"m\"><name>m</name><multiclip><clip>" +
                              clip("angle", 0, 10, 0, 10, file("m1", 0)) + "</clip></multiclip></clipitem>";
    const std::string video = track(clip("kept", 0, 10, 0, 10, file("v1", 0)) +
                                    clip("off", 0, 10, 10, 20, fileRef("v1"), "FALSE") +
                                    "<clipitem><name>nofile</name><in>0</in><out>5</out><start>20</start><end>25</end>"
                                    "</clipitem>" + multi) +
                              track(clip("disabled track", 0, 10, 30, 40, fileRef("v1")), "FALSE");
    // Written as Premiere and Hiero write it: no <enabled> in the track, no
    // <source> in the timecodes, and the sequence timecode after its media.
    const std::string hiero =
        "<xmeml version=\"5\"><sequence><name>s</name>" + rate(24) +
        "<media><video><track><clipitem><name>a</name><in>0</in><out>10</out><start>0</start><end>10</end>"
        "<file id=\"f\"><rate><timebase>24</timebase></rate><timecode><rate><timebase>24</timebase></rate>"
        "<frame>240</frame><string>00:00:10:00</string></timecode></file></clipitem></track></video></media>"
        "<timecode><rate><timebase>24</timebase></rate><frame>86400</frame><string>01:00:00:00</string></timecode>"
        "</sequence></xmeml>";
    const std::string reel = xmeml(sequence(track(clip("shot", 0, 10, 0, 10, file("f", 0, 24, "A001")))));
    const struct {
        const char* what;
        std::string doc;
        std::vector<std::string> expected;
        bool reels = false;
    } cases[] = {
        {"times add the file and sequence starts",
         xmeml(sequence(track(clip("a", 10, 58, 0, 48, file("f1", 1000))), 24, false, 86400)),
         {"001 a 1010-1058 > 86400-86448"}},
        {"a head transition starts at its start in the first track and at its end later",
         xmeml(sequence(track(transition(100, 112) + clip("a", 0, 50, -1, 150, file("f1", 0))) +
                        track(transition(100, 112) + clip("b", 0, 50, -1, 150, fileRef("f1"))))),
         {"001 a 0-50 > 100-150", "002 b 12-50 > 112-150"}},
        {"a tail transition ends after the clip length",
         xmeml(sequence(track(clip("a", 50, 150, 1000, -1, file("f1", 0)) + transition(1090, 1100)))),
         {"001 a 50-150 > 1000-1100"}},
        {"a nested sequence places the used part only, cut at both ends", xmeml(sequence(track(nested))),
         {"001 in1 50-100 > 5000-5050", "002 in3 100-200 > 5000-5100"}},
        {"audio, bins, multiclips, disabled and fileless items give nothing",
         xmeml(bin + sequence(video, 24, false, 0, "NDF", audio)), {"001 kept 0-10 > 0-10"}},
        {"a file id without a file record starts at zero",
         xmeml(sequence(track(clip("ghost", 5, 15, 0, 10, fileRef("never-defined"))))), {"001 ghost 5-15 > 0-10"}},
        {"a file without timecode does not take the last file's start, nor its reel",
         xmeml(sequence(track(clip("a", 0, 10, 0, 10, file("f1", 5000, 24, "R1")) +
                              clip("b", 0, 10, 10, 20, "<file id=\"f2\"><name>f2</name></file>")))),
         {"001 R1 5000-5010 > 0-10", "002 b 0-10 > 10-20"}, true},
        {"tracks without enabled, timecodes after the media", hiero, {"001 a 240-250 > 86400-86410"}},
        {"the reel names the event when comparing by lab roll", reel, {"001 A001 0-10 > 0-10"}, true},
        {"and the clip otherwise", reel, {"001 shot 0-10 > 0-10"}},
    };
    for (const auto& c : cases) {
        FcpRead p = parse(c.doc, "24fps EDL/XML", 0, c.reels);
        EXPECT_EQ(placed(p.events), c.expected) << c.what;
        EXPECT_EQ(p.parsed.error, "") << c.what;
    }
}

TEST(FcpXml, EventNumbersCountEveryPlacedClipItem) {
    std::string items = clip("c1", 0, 10, 0, 10, file("f", 0));
    for (int i = 2; i <= 100; ++i) items += clip("c" + std::to_string(i), 0, 10, i * 10, i * 10 + 10, fileRef("f"));
    FcpRead p = parse(xmeml(sequence(track(items))));
    ASSERT_EQ(p.events.size(), 100u);
    for (const auto& [i, num] : {std::pair{0, "001"}, {8, "009"}, {9, "010"}, {99, "100"}}) {
        EXPECT_EQ(p.events[i]->editNum(), num);
        EXPECT_EQ(p.events[i]->trackPriority(), i + 1);
    }
}

TEST(FcpXml, FrameRateCheck) {
    struct Case {
        int timebase;
        bool ntsc;
        const char* type;
        int tab;
        const char* refusedRate;  // nullptr: accepted
    } cases[] = {
        {25, false, "PAL film", 0, nullptr},     {25, false, "PAL film", 2, "25"},
        {25, false, "PAL video", 2, nullptr},    {24, false, "PAL film", 2, nullptr},
        {24, false, "PAL film", 1, "24"},        {24, true, "24fps EDL/XML", 0, nullptr},
        {24, true, "NTSC", 0, "23.976"},         {30, true, "NTSC df", 0, nullptr},
        {30, false, "film cutlist", 0, "30"},    {50, false, "50fps EDL/XML", 0, nullptr},
        {60, false, "NTSC", 0, "60"},            {15, false, "film cutlist", 0, nullptr},
    };
    for (const auto& c : cases) {
        const std::string doc = xmeml(sequence(track(clip("a", 0, 10, 0, 10, file("f", 0, c.timebase))),
                                               c.timebase, c.ntsc));
        FcpRead p = parse(doc, c.type, c.tab);
        const std::string what = std::to_string(c.timebase) + " " + c.type + " tab " + std::to_string(c.tab);
        if (!c.refusedRate) {
            EXPECT_EQ(p.events.size(), 1u) << what;
            EXPECT_EQ(p.parsed.error, "") << what;
            continue;
        }
        EXPECT_TRUE(p.events.empty()) << what;
        EXPECT_TRUE(p.rateRefused) << what;  // a good document: no parse error
        EXPECT_EQ(p.parsed.error, std::string("the list you are importing has a timebase of ") + c.refusedRate +
                                      "fps\nreelwright is set to " + c.type +
                                      "\nplease change the 'list type' preference accordingly");
    }
}

TEST(FcpXml, DropFrameSequenceLabelsAtDropFrame) {
    const std::string doc =
        xmeml(sequence(track(clip("a", 0, 30, 0, 30, file("f", 0, 30))), 30, true, 107892, "DF"));
    FcpRead p = parse(doc, "NTSC df");
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0]->masterIn()->tcAsString(), "01:00:00;00");
    EXPECT_EQ(p.events[0]->masterIn()->framerateString(), "29.97df");
}

TEST(FcpXml, ExternalEntitiesAndDtdsAreNeverLoaded) {
    TempDir dir;
    const std::string secret = dir.write("secret.txt", "TOPSECRET");
    const std::string dtd = dir.write("evil.dtd", "<!ENTITY leak SYSTEM \"file://" + secret + "\">");
    const std::string doctype = "<!DOCTYPE xmeml SYSTEM \"file://" + dtd + "\" [\n<!ENTITY ext SYSTEM \"file://" +
                                secret + "\">\n]>";
    std::string item = clip("NAME", 0, 10, 0, 10, file("f", 0));
    item.replace(item.find("<name>NAME"), 10, "<name>name&ext;&leak;");
    const std::string body = sequence(track(item));
    FcpRead p = parse(xmeml(body, doctype));
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0]->clip().find("TOPSECRET"), std::string::npos) << p.events[0]->clip();
    EXPECT_EQ(p.events[0]->clip(), "name");
}

TEST(FcpXml, EntityExpansionBombStopsAndKeepsFinishedEvents) {
    std::string doctype = "<!DOCTYPE xmeml [\n<!ENTITY lol0 \"lollollollollollollollollollol\">\n";
    for (int i = 1; i <= 9; ++i) {
        std::string ten;
        for (int k = 0; k < 10; ++k) ten += "&lol" + std::to_string(i - 1) + ";";
        doctype += "<!ENTITY lol" + std::to_string(i) + " \"" + ten + "\">\n";
    }
    doctype += "]>";
    const std::string tracks = track(clip("before", 0, 10, 0, 10, file("f", 0))) +
                               track(clip("&lol9;", 0, 10, 10, 20, fileRef("f")));
    FcpRead p = parse(xmeml(sequence(tracks), doctype));
    ASSERT_EQ(p.events.size(), 1u);
    EXPECT_EQ(p.events[0]->clip(), "before");
    EXPECT_FALSE(p.rateRefused);
    EXPECT_EQ(p.parsed.error, kParseError);
}

TEST(FcpXml, BadInputAlertsAndKeepsWhatWasFinished) {
    const std::string good = xmeml(sequence(track(clip("a", 0, 10, 0, 10, file("f", 0))) +
                                            track(clip("b", 0, 10, 10, 20, fileRef("f")))));
    const std::size_t cut = good.find("<clipitem", good.find("</track>"));
    struct Case {
        const char* what;
        std::string doc;
        std::size_t events;
        bool fails;
    } cases[] = {
        {"empty", "", 0, true},
        {"truncated after the first track", good.substr(0, cut), 1, true},
        {"binary", std::string("\x00\x01\xff\xfe<\x89PNG\r\n", 10), 0, true},
        {"invalid UTF-8 in a name", good.substr(0, cut) + "<clipitem><name>\xff\xfe</name></clipitem>", 1, true},
        {"not xmeml", "<?xml version=\"1.0\"?><filter><effect><name>x</name></effect></filter>", 0, false},
        {"plain text", "this is no xml at all", 0, true},
        {"mismatched tags", "<xmeml><sequence></xmeml>", 0, true},
    };
    for (const auto& c : cases) {
        FcpRead p = parse(c.doc);
        EXPECT_EQ(p.events.size(), c.events) << c.what;
        EXPECT_EQ(p.parsed.error, c.fails ? kParseError : "") << c.what;
        EXPECT_FALSE(p.rateRefused) << c.what;
    }
}

TEST(FcpXml, UnreadableFileIsAParseError) {
    TempDir dir;
    for (const std::string& path : {dir.path(), dir.file("missing.xml")}) {  // a folder, and no file
        const FcpRead read = KLVFcpXmlParser({"24fps EDL/XML", 0, false}).parseFile(path);
        EXPECT_TRUE(read.events.empty()) << path;
        EXPECT_EQ(read.parsed.error, kParseError) << path;
    }
}

}  // namespace
}  // namespace rw
