// The change list as an OpenTimelineIO timeline: what it holds, that it
// reads back into the same change list, and the lists it cannot hold.

#include "Support.h"

#include "conform/OtioWriter.h"
#include "core/Files.h"
#include "import/OtioReader.h"
#include "support/RunCli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace rw {
namespace {

using test::ev;

std::string row(const EditPtr& e) {
    return e->editNum() + "|" + e->clip() + "|" + describe(e->sourceIn()) + "|" + describe(e->sourceOut()) + "|" +
           describe(e->masterIn()) + "|" + describe(e->masterOut());
}

EditPtr coloured(EditPtr e, Color c) {
    e->setColor(c);
    return e;
}

TEST(OtioWriter, ChangeListReadsBackTheSame) {
    const struct {
        const char* what;
        EditArray list;
        std::string edlType;
    } cases[] = {
        {"24 fps with a gap in the new cut and every state",
         {ev("001", "01:00:01:00", "01:00:06:00", "01:00:00:00", "01:00:05:00"),
          coloured(ev("002", "01:00:10:12", "01:00:18:12", "01:00:05:00", "01:00:13:00"), Color::red()),
          coloured(ev("004", "01:00:22:12", "01:00:31:00", "01:00:20:00", "01:00:28:12", "24", "healed"),
                   standardColorGap())},
         "24fps EDL/XML"},
        {"29.97 drop frame",
         {ev("001", "01:00:00;00", "01:00:10;00", "00:59:59;28", "01:00:09;28", "29.97df"),
          ev("002", "00:10:00;02", "00:10:01;02", "01:00:09;28", "01:00:10;28", "29.97df")},
         "NTSC df"},
    };
    for (const auto& c : cases) {
        const OtioRead back =
            readOtioText(otioChangeListText(c.list, {"new_fr_old", "old", "new"}, c.edlType), {c.edlType, true});
        ASSERT_EQ(back.value.events.size(), c.list.size()) << c.what << back.error;
        EXPECT_TRUE(back.value.changeList);
        EXPECT_TRUE(back.value.notes.empty()) << c.what;
        for (std::size_t i = 0; i < c.list.size(); ++i) {
            EXPECT_EQ(row(back.value.events[i]), row(c.list[i])) << c.what;
            EXPECT_EQ(back.value.events[i]->color(), c.list[i]->color()) << c.what;
        }
    }
}

TEST(OtioWriter, WritesTheSchemasOpenTimelineIOWrites) {
    const EditArray list = {
        coloured(ev("002", "01:00:10:00", "01:00:11:00", "02:00:02:00", "02:00:03:00"), Color::red()),
        ev("001", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00")};
    const auto doc = nlohmann::json::parse(otioChangeListText(list, {"n_fr_o", "o.edl", "n.edl"}, "24fps EDL/XML"));
    EXPECT_EQ(doc["OTIO_SCHEMA"], "Timeline.1");
    EXPECT_EQ(doc["name"], "n_fr_o");
    EXPECT_EQ(doc["global_start_time"],
              nlohmann::json::parse(R"({"OTIO_SCHEMA":"RationalTime.1","rate":24.0,"value":172800.0})"));
    const auto& track = doc["tracks"]["children"][0];
    EXPECT_EQ(doc["tracks"]["OTIO_SCHEMA"], "Stack.1");
    EXPECT_EQ(track["OTIO_SCHEMA"], "Track.1");
    EXPECT_EQ(track["kind"], "Video");
    ASSERT_EQ(track["children"].size(), 3u);  // in new-cut order, a second's gap between
    const auto& first = track["children"][0];
    EXPECT_EQ(first["OTIO_SCHEMA"], "Clip.2");
    EXPECT_EQ(first["source_range"]["start_time"]["value"], 86400.0);
    EXPECT_EQ(first["source_range"]["duration"]["value"], 24.0);
    EXPECT_EQ(first["active_media_reference_key"], "DEFAULT_MEDIA");
    EXPECT_EQ(first["media_references"]["DEFAULT_MEDIA"]["OTIO_SCHEMA"], "MissingReference.1");
    EXPECT_EQ(track["children"][1]["OTIO_SCHEMA"], "Gap.1");
    EXPECT_EQ(track["children"][1]["source_range"]["duration"]["value"], 24.0);
    EXPECT_EQ(track["children"][2]["metadata"]["reelwright"],
              nlohmann::json::parse(R"({"event":"002","colour":{"space":"rgb","rgba":[1.0,0.0,0.0,1.0]},"state":"vfx",
                                        "old_list":"o.edl","new_list":"n.edl"})"));
    // Drop-frame times are NTSC.
    const auto df = nlohmann::json::parse(otioChangeListText(
        {ev("001", "01:00:00;00", "01:00:01;00", "01:00:00;00", "01:00:01;00", "29.97df")}, {}, "NTSC df"));
    EXPECT_EQ(df["global_start_time"]["rate"], 30000.0 / 1001);
    EXPECT_EQ(df["global_start_time"]["value"], 107892.0);
}

TEST(OtioWriter, RefusesListsOneTrackCannotHold) {
    const std::pair<EditArray, std::string> cases[] = {
        {test::twoChanges(), ""},
        {{ev("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00"),
          ev("002", "01:01:00:00", "01:01:10:00", "02:00:09:00", "02:00:19:00")},
         "events 001 and 002 overlap in the new cut; an OpenTimelineIO track shows one clip at a time."},
        {{ev("007", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:09:00")},
         "event 007 is not as long in the old cut as in the new one; an OpenTimelineIO clip has one length."},
        {{ev("003", "01:00:00:00", "01:00:00:00", "02:00:01:00", "02:00:00:00")},
         "event 003 ends before it starts in the new cut."},
    };
    for (const auto& [list, problem] : cases) EXPECT_EQ(otioChangeListProblem(list), problem);
}

TEST(OtioWriter, CommandLineExportReadsBackAsTheChangeList) {
    const std::string pair = std::string(RW_TEST_DATA) + "/corpus/edl/sgotio_090PC_091MJ_100TC_";
    test::TempDir dir;
    const std::string otio = dir.file("changes.otio"), direct = dir.file("direct.edl"), back = dir.file("back.edl");
    const std::vector<std::string> lists = {"--old", pair + "V05_TURNOVER_20150123.edl", "--new",
                                            pair + "V06_TURNOVER_20150206.edl"};
    auto run = [&](std::vector<std::string> args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return test::runCli(args);
    };
    ASSERT_EQ(run({"export", "otio", "--output", otio}, lists).status, 0);
    ASSERT_EQ(run({"export", "change-edl", "--output", direct}, lists).status, 0);
    // Read back as list C: dropped on the OLD tab it goes to the change list.
    EXPECT_EQ(test::openAsListC(otio, 0).size(), 10u);
    test::CliResult r = test::runCli({"export", "change-edl", "--changes", otio, "--output", back});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileText(back).value, readFileText(direct).value);

    const std::string overlapping = dir.write("overlap.edl",
                                              "FCM: 24\n001  A  01:00:00:00 01:00:02:00 02:00:00:00 02:00:02:00\n"
                                              "002  B  01:00:05:00 01:00:07:00 02:00:01:00 02:00:03:00\n");
    r = test::runCli({"export", "otio", "--changes", overlapping, "--output", dir.file("x.otio")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "change list not exported: events 001 and 002 overlap in the new cut; an OpenTimelineIO track "
              "shows one clip at a time.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.otio")));
}

}  // namespace
}  // namespace rw
