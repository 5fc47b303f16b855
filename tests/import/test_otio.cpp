// OpenTimelineIO timelines as lists: the flattened picture, its times, its
// rates, bad input, and timelines published with OpenTimelineIO.

#include "ImportHelpers.h"
#include "core/Files.h"
#include "import/OtioDocument.h"
#include "import/OtioReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace rw {
namespace {

using test::rows;

std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}
constexpr double kNtsc = 30000.0 / 1001;

std::string rt(double value, double rate = 24) {
    return R"({"OTIO_SCHEMA":"RationalTime.1","rate":)" + num(rate) + R"(,"value":)" + num(value) + "}";
}
std::string range(double start, double duration, double rate = 24) {
    return R"({"OTIO_SCHEMA":"TimeRange.1","duration":)" + rt(duration, rate) + R"(,"start_time":)" + rt(start, rate) +
           "}";
}
std::string list(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& i : items) out += (out.empty() ? "" : ",") + i;
    return "[" + out + "]";
}
std::string clip(const std::string& name, double start, double duration, const std::string& more = "",
                 double rate = 24) {
    return R"({"OTIO_SCHEMA":"Clip.1","name":")" + name + R"(","source_range":)" + range(start, duration, rate) +
           R"(,"media_reference":null)" + more + "}";
}
std::string gap(double duration) { return R"({"OTIO_SCHEMA":"Gap.1","source_range":)" + range(0, duration) + "}"; }
std::string transition(double in, double out) {
    return R"({"OTIO_SCHEMA":"Transition.1","in_offset":)" + rt(in) + R"(,"out_offset":)" + rt(out) + "}";
}
std::string track(const std::vector<std::string>& children, const std::string& more = "") {
    return R"({"OTIO_SCHEMA":"Track.1","kind":"Video","children":)" + list(children) + more + "}";
}
std::string stack(const std::vector<std::string>& children, const std::string& more = "") {
    return R"({"OTIO_SCHEMA":"Stack.1","children":)" + list(children) + more + "}";
}
std::string timeline(const std::vector<std::string>& tracks, const std::string& start = "null") {
    return R"({"OTIO_SCHEMA":"Timeline.1","name":"t","global_start_time":)" + start + R"(,"tracks":)" + stack(tracks) +
           "}";
}
std::string effect(const std::string& schema, double scalar) {
    return R"(,"effects":[{"OTIO_SCHEMA":")" + schema + R"(","time_scalar":)" + num(scalar) + "}]";
}
const std::string kDisabled = R"(,"enabled":false)";

OtioRead read(const std::string& doc, const std::string& edlType = "film cutlist", bool reels = false) {
    return readOtioText(doc, {edlType, reels});
}

TEST(OtioReader, FlattensTheCutAPlayerShows) {
    struct Case {
        const char* what;
        std::string doc;
        std::vector<std::string> rows;
        std::string edlType = "film cutlist";
    };
    const Case cases[] = {
        {"a trimmed track after a global start time",
         timeline({track({clip("A", 100, 24), clip("B", 200, 24)}, R"(,"source_range":)" + range(10, 30))}, rt(86400)),
         {"001|A|00:00:04:14|00:00:05:04|01:00:00:00|01:00:00:14",
          "002|B|00:00:08:08|00:00:09:00|01:00:00:14|01:00:01:06"}},
        {"a nested stack used from its frame 5 for 10 frames",
         timeline({track({clip("A", 0, 10), stack({track({clip("N", 500, 20)})}, R"(,"source_range":)" + range(5, 10)),
                          clip("B", 0, 5)})}),
         {"001|A|00:00:00:00|00:00:00:10|00:00:00:00|00:00:00:10",
          "002|N|00:00:21:01|00:00:21:11|00:00:00:10|00:00:00:20",
          "003|B|00:00:00:00|00:00:00:05|00:00:00:20|00:00:01:01"}},
        {"a transition moves the cut to its start, as an EDL dissolve",
         timeline({track({clip("A", 100, 20), transition(4, 4), clip("B", 200, 20)})}),
         {"001|A|00:00:04:04|00:00:04:20|00:00:00:00|00:00:00:16",
          "002|B|00:00:08:04|00:00:09:04|00:00:00:16|00:00:01:16"}},
        {"time warps mark events; speed 1 does not",
         timeline(
             {track({clip("W", 0, 10, effect("LinearTimeWarp.1", 2)), clip("S", 0, 10, effect("LinearTimeWarp.1", 1)),
                     track({clip("F", 0, 10)}, effect("FreezeFrame.1", 0))})}),
         {"001|W|00:00:00:00|00:00:00:10|00:00:00:00|00:00:00:10|M",
          "002|S|00:00:00:00|00:00:00:10|00:00:00:10|00:00:00:20",
          "003|F|00:00:00:00|00:00:00:10|00:00:00:20|00:00:01:06|M"}},
        {"the top-most enabled item wins; disabled items, disabled and audio tracks show what lies below",
         timeline({track({clip("A", 0, 48)}), track({gap(12), clip("B", 0, 12, kDisabled), clip("C", 0, 12)}),
                   track({clip("X", 0, 48)}, kDisabled), track({clip("Y", 0, 48)}, R"(,"kind":"Audio")")}),
         {"001|A|00:00:00:00|00:00:01:00|00:00:00:00|00:00:01:00",
          "002|C|00:00:00:00|00:00:00:12|00:00:01:00|00:00:01:12",
          "003|A|00:00:01:12|00:00:02:00|00:00:01:12|00:00:02:00"}},
        {"29.97 is drop frame, as OpenTimelineIO counts it",
         timeline({track({clip("D", 107892, 30, "", kNtsc)})}, rt(107892, kNtsc)),
         {"001|D|01:00:00;00|01:00:01;00|01:00:00;00|01:00:01;00"}},
        {"and non-drop under the NTSC list type",
         timeline({track({clip("D", 107892, 30, "", kNtsc)})}, rt(107892, kNtsc)),
         {"001|D|00:59:56:12|00:59:57:12|00:59:56:12|00:59:57:12"},
         "NTSC"},
        {"23.976 counts 24 frames a second; rates as written",
         timeline({track({clip("E", 86400, 12, "", 23.976023976)})}, rt(0, 23.976023976)),
         {"001|E|01:00:00:00|01:00:00:12|00:00:00:00|00:00:00:12"}},
    };
    for (const Case& c : cases) {
        const OtioRead r = read(c.doc, c.edlType);
        EXPECT_EQ(r.error, "") << c.what;
        EXPECT_EQ(rows(r.value.events), c.rows) << c.what;
    }
}

TEST(OtioReader, ReelsNamesAndSchemasOfEveryVersion) {
    const std::string clip2 =
        R"({"OTIO_SCHEMA":"Clip.2","name":"shot one","source_range":)" + range(0, 10) +
        R"(,"media_references":{"DEFAULT_MEDIA":{"OTIO_SCHEMA":"MissingReference.1"},)"
        R"("hi":{"OTIO_SCHEMA":"ExternalReference.1","target_url":"file:///x/A001%20C003.mov"}},)"
        R"("active_media_reference_key":"hi"})";
    const std::string cmx = clip("shot two", 0, 10, R"(,"metadata":{"cmx_3600":{"reel":"R042"},"other":{"x":1}})");
    const std::string doc = timeline({R"({"OTIO_SCHEMA":"Sequence.1","children":[)" + clip2 + "," +
                                      R"({"OTIO_SCHEMA":"Filler.1","source_range":)" + range(0, 5) + "}," +
                                      R"({"OTIO_SCHEMA":"Wipe.7","source_range":)" + range(0, 5) + "}," + cmx + "]}"});
    OtioRead byReel = read(doc, "film cutlist", true);
    EXPECT_EQ(rows(byReel.value.events),
              (std::vector<std::string>{"001|A001 C003|00:00:00:00|00:00:00:10|00:00:00:00|00:00:00:10",
                                        "002|R042|00:00:00:00|00:00:00:10|00:00:00:20|00:00:01:06"}));
    EXPECT_EQ(byReel.value.notes, std::vector<std::string>{"unknown Wipe.7 skipped (at tracks.children[0].children[2])"});
    EXPECT_EQ(read(doc).value.events.at(1)->clip(), "shot two");
    EXPECT_FALSE(byReel.value.changeList);
}

TEST(OtioReader, BadInputSaysWhereAndReadsNothing) {
    const std::string good = timeline({track({clip("A", 0, 10)})});
    auto with = [&](const std::string& from, const std::string& to) {
        std::string doc = good;
        return doc.replace(doc.find(from), from.size(), to);
    };
    const std::string duration = R"(,"value":10})";
    const std::pair<std::string, std::string> cases[] = {
        {"hello", "not JSON: parse error at line 1, column 1: syntax error while parsing value - invalid literal"},
        {"{\"name\": \"\xff\"}", "column 11: syntax error while parsing value - invalid string: ill-formed UTF-8 byte"},
        {good.substr(0, good.find(R"("tracks":)") + 9),
         "not JSON: parse error at line 1, column 74: syntax error while parsing value - unexpected end of input"},
        {"", "not JSON"},
        {R"({"OTIO_SCHEMA":"Clip.1"})", "no timeline in the file (it holds a Clip.1)"},
        {"[1, 2]", "no timeline in the file"},
        {with(R"("rate":24,"value":10)", R"("rate":0,"value":10)"),
         "rate 0 is not a frame rate (at tracks.children[0].children[0].source_range.duration.rate)"},
        {with(duration, R"(,"value":-10})"),
         "a negative duration (at tracks.children[0].children[0].source_range.duration)"},
        {with(duration, R"(,"value":1e300})"), "frames, too long"},
        {with(duration, R"(,"value":"10"})"),
         R"(not a number: "10" (at tracks.children[0].children[0].source_range.duration.value))"},
        {with(duration, R"(,"value":NaN})"), "not a number"},
        {with(duration, R"(,"value":-Infinity})"), "not a number"},
        {with(R"("children":[{)", R"("children":[17,{)"),
         "a value that is no OpenTimelineIO object (at tracks.children[0])"},
        {std::string(5000, '[') + std::string(5000, ']'), "nested deeper than 256 levels at line 1, column 257"},
        // A failure deep in a nested stack stops the whole read and says where.
        {timeline({track({clip("A", 0, 10), stack({track({clip("B", 0, 5), transition(-1, 2), clip("C", 0, 5)})})})}),
         "a transition with a negative offset (at tracks.children[0].children[1].children[0].children[1])"},
    };
    for (const auto& [doc, error] : cases) {
        const OtioRead r = read(doc);
        EXPECT_NE(r.error.find(error), std::string::npos) << r.error;
        EXPECT_EQ(r.error.find("last read"), std::string::npos) << r.error;  // not the raw bytes
        EXPECT_TRUE(r.value.events.empty()) << error;
    }
    // The cap on values kept bounds the memory a compact file can ask for.
    std::string values = "[0";
    for (int i = 0; i < 1000; ++i) values += ",{}";
    EXPECT_EQ(otio::parseDocument(values + "]", 1000).error, "more than 1000 values: too large a timeline to read");

    test::TempDir dir;
    const std::string huge = dir.file("huge.otio");
    std::filesystem::resize_file(dir.write("huge.otio", ""), 100u << 20);
    EXPECT_EQ(readOtioFile(huge, {}).error, "the file holds 100 MB; timelines of up to 64 MB are read");
    EXPECT_EQ(readOtioFile(dir.file("missing.otio"), {}).error, "the file cannot be read");
}

TEST(OtioReader, LoadsLikeAnyListThroughTheImport) {
    test::TempDir dir;
    test::Session s;
    // No ".otio" name: the content says what it is, so no hour-code sheet.
    s.c.openFiles({dir.write("cut.json", timeline({track({clip("A", 0, 10)})}))});
    EXPECT_EQ(rows(s.list(0)), std::vector<std::string>{"001|A|00:00:00:00|00:00:00:10|00:00:00:00|00:00:00:10"});
    EXPECT_TRUE(s.ui.hourCodeAsked.empty());
    s.c.selectTab(1);
    s.c.openFiles({dir.write("bad.otio", "{\"OTIO_SCHEMA\": \"Timeline.1\", \"tracks\": ")});
    ASSERT_EQ(s.ui.alerts.size(), 2u);
    EXPECT_EQ(s.ui.alerts[0].message, "OpenTimelineIO file not read");
    EXPECT_EQ(s.ui.alerts[0].informativeText.substr(0, 56), "bad.otio: not JSON: parse error at line 1, column 41: sy");
    EXPECT_EQ(s.ui.alerts[1].message, "no valid edits were found");
}

// Timelines published with OpenTimelineIO: each loads, and these give the
// events a player shows.
TEST(OtioCorpus, FirstAndLastEvents) {
    const std::string folder = std::string(RW_TEST_DATA) + "/corpus/otio/";
    struct Pin {
        const char* file;
        std::size_t count;
        const char *first, *last;
    };
    const Pin pins[] = {
        // three tracks over each other; OpenTimelineIO's own flattening of it is preflattened.otio
        {"multitrack.otio", 5, "001|tech.fux (loop)-HD.mp4|00:00:00:00|00:00:20:02|00:00:00:00|00:00:20:02",
         "005|brokchrd (loop)-HD.mp4|00:00:00:00|00:00:30:00|00:01:21:13|00:01:51:13"},
        // nested stacks and a nested track, trimmed; a time warp and a freeze frame
        {"nested_example.otio", 7, "001|Normal Clip 1|00:00:05:15|00:00:15:13|00:00:00:00|00:00:09:22",
         "007|Normal Clip 4|00:00:05:15|00:00:15:13|00:00:16:14|00:00:26:12"},
        // Clip.2 from an editing system, a global start time, disabled clips, eleven audio tracks
        {"effects.otio", 4, "001|sq0100_sh0010_layout_v004.mp4|00:00:00:00|00:00:20:20|01:00:00:00|01:00:20:20",
         "004|sq0100_sh0050_layout_v004.mp4|00:00:00:00|00:00:04:02|01:00:42:19|01:00:46:21"},
        // a dissolve between Clip-002 and Clip-003; Clip-004 without source_range
        {"transition.otio", 4, "001|Clip-001|00:00:00:03|00:00:00:06|00:00:00:00|00:00:00:03",
         "004|Clip-004|00:00:04:04|00:00:04:10|00:00:00:13|00:00:00:19"},
    };
    for (const Pin& p : pins) {
        const OtioRead r = readOtioFile(folder + p.file, {"24fps EDL/XML", false});
        ASSERT_EQ(r.value.events.size(), p.count) << p.file << r.error;
        EXPECT_EQ(rows({r.value.events.front()}).front(), p.first) << p.file;
        EXPECT_EQ(rows({r.value.events.back()}).front(), p.last) << p.file;
    }
    EXPECT_EQ(rows(readOtioFile(folder + "nested_example.otio", {}).value.events).at(3),
              "004|Clip Inside A Stack 2|00:00:17:21|00:00:18:21|00:00:12:14|00:00:13:14|M");
    EXPECT_EQ(rows(readOtioFile(folder + "transition.otio", {}).value.events).at(2),
              "003|Clip-003|00:00:00:01|00:00:00:07|00:00:00:07|00:00:00:13");
    EXPECT_EQ(rows(readOtioFile(folder + "multitrack.otio", {}).value.events),
              rows(readOtioFile(folder + "preflattened.otio", {}).value.events));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const OtioRead r = readOtioFile(entry.path().string(), {});
        EXPECT_EQ(r.error, "") << entry.path();
        EXPECT_FALSE(r.value.events.empty()) << entry.path();  // every sample holds a video track
        test::expectWellFormed(r.value.events, entry.path().string());
    }
}

}  // namespace
}  // namespace rw
