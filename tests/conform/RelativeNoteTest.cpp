#include "Support.h"

#include "app/ChangeListExports.h"
#include "conform/RelativeNote.h"
#include "core/Files.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

const std::string kHead = "original timebase: 24\nreelwright relative change note\nall times are inclusive (inside-inside)\n\n";
const std::string kTc = kHead + "\tfrom\t\taction\t\tlength\t\ttotal change\n\n";
const std::string kFf = kHead + "\tfrom\taction\t\tlength\t\ttotal change\n\n";

TEST(RelativeNote, StepsTotalsAndSigns) {
    // Ten seconds kept, ten seconds deleted, then a third event.
    const auto after = [](EditPtr third) {
        return EditArray{ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:00", "01:00:10:00"),
                         ev("002", "01:00:20:00", "01:00:30:00", "01:00:10:00", "01:00:20:00"), third};
    };
    const std::tuple<const char*, EditArray, bool, std::string> cases[] = {
        {"later material moved earlier gives deletes",
         after(ev("003", "01:00:35:00", "01:00:40:00", "01:00:20:00", "01:00:25:00")), false,
         kTc + "1\t01:00:10:00\tdelete\t\t00:00:10:00\t- 00:00:10:00\n"
               "2\t01:00:20:00\tdelete\t\t00:00:05:00\t- 00:00:15:00\n"},
        {"a total back at zero has a space for its sign",
         after(ev("003", "01:00:30:00", "01:00:40:00", "01:00:30:00", "01:00:40:00")), false,
         kTc + "1\t01:00:10:00\tdelete\t\t00:00:10:00\t- 00:00:10:00\n"
               "2\t01:00:20:00\tinsert\t\t00:00:10:00\t  00:00:00:00\n"},
        {"first event starting later is an insert",
         {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:10", "01:00:10:10")}, false,
         kTc + "1\t01:00:00:00\tinsert\t\t00:00:00:10\t+ 00:00:00:10\n"},
        {"starting earlier: a delete at the new start",
         {ev("001", "01:00:00:10", "01:00:10:10", "01:00:00:00", "01:00:10:00")}, false,
         kTc + "1\t01:00:00:00\tdelete\t\t00:00:00:10\t- 00:00:00:10\n"},
        {"feet and frames count from the hour",
         {ev("001", "01:01:00:00", "01:01:10:00", "01:01:00:10", "01:01:10:10")}, true,
         kFf + "1\t0090+00\tinsert\t\t0000+10\t\t+ 0000+10\n"},
    };
    for (const auto& [name, list, feet, text] : cases) EXPECT_EQ(relativeNoteText(list, feet), text) << name;
}

const EditArray kReordered = {ev("1", "01:00:02:00", "01:00:03:00", "02:00:00:00", "02:00:01:00"),
                              ev("2", "01:00:00:00", "01:00:01:00", "02:00:01:00", "02:00:02:00")};

TEST(RelativeNote, OrderChecks) {
    EditArray fine = {ev("1", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                      ev("2", "01:00:02:00", "01:00:03:00", "02:00:01:00", "02:00:02:00")};
    EditArray reused = {ev("1", "01:00:00:00", "01:00:03:00", "02:00:00:00", "02:00:03:00"),
                        ev("2", "01:00:01:00", "01:00:02:00", "02:00:03:00", "02:00:04:00")};
    EXPECT_EQ(checkRelativeOrder(fine), RelativeOrder::Fine);
    EXPECT_EQ(checkRelativeOrder(kReordered), RelativeOrder::ReorderedShots);
    EXPECT_EQ(checkRelativeOrder(reused), RelativeOrder::OverlappingOrReusedShots);
}

TEST(RelativeNote, RefusedListsShowTheAlertAndWriteNothing) {
    for (int variant = 0; variant < 2; ++variant) {
        test::Conformer f(kReordered);
        Outcome<ChangeListExport> r = variant ? exportEuphonixRelative(f.c) : exportRelative(f.c, "Export Change Note");
        EXPECT_EQ(r.value.status, ChangeListExport::Status::Refused);
        EXPECT_EQ(f.ui.beeps, 1);
        ASSERT_EQ(f.ui.alerts.size(), 1u);
        EXPECT_EQ(f.ui.alerts[0].message, "change note creation error");
        EXPECT_EQ(f.ui.alerts[0].informativeText,
                  "this change EDL contains reordered shots which can cause errors in a relative change note.\n"
                  "please locate and delete these shots before trying again.");
        EXPECT_TRUE(f.ui.savePanelNames.empty());
    }
}

TEST(RelativeNote, ExportWritesTheFeetFramesNoteForItsSender) {
    test::TempDir dir;
    EditArray list = {ev("001", "01:01:00:00", "01:01:10:00", "01:01:00:10", "01:01:10:10")};
    test::Conformer f(list);
    f.c.dataSourceC().setFilename("cut2");
    f.ui.savePanelAnswer = dir.file("note.txt");
    EXPECT_EQ(exportRelative(f.c, "Export Feet+Frames Change Note").value.status, ChangeListExport::Status::Written);
    EXPECT_EQ(f.ui.savePanelNames.at(0), "cut2.txt");
    EXPECT_EQ(readFileText(dir.file("note.txt")).value, relativeNoteText(list, true));

    test::Conformer empty;
    EXPECT_EQ(exportRelative(empty.c, "x").value.status, ChangeListExport::Status::Empty);
    EXPECT_EQ(exportEuphonix(empty.c).value.status, ChangeListExport::Status::Empty);
    EXPECT_EQ(empty.ui.beeps, 0);
}

}  // namespace
}  // namespace rw
