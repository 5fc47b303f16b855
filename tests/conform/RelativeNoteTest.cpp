#include "Support.h"

#include "app/ConformController.h"
#include "conform/ChangeListExports.h"
#include "conform/RelativeNote.h"
#include "core/Files.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

const std::string kHead = "original timebase: 24\nreelwright relative change note\nall times are inclusive (inside-inside)\n\n";
const std::string kTcColumns = "\tfrom\t\taction\t\tlength\t\ttotal change\n\n";
const std::string kFfColumns = "\tfrom\taction\t\tlength\t\ttotal change\n\n";

TEST(RelativeNote, LaterMaterialMovedEarlierGivesDeletes) {
    EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:00", "01:00:10:00"),
                      ev("002", "01:00:20:00", "01:00:30:00", "01:00:10:00", "01:00:20:00"),
                      ev("003", "01:00:35:00", "01:00:40:00", "01:00:20:00", "01:00:25:00")};
    EXPECT_EQ(relativeNoteText(list, false), kHead + kTcColumns +
                                                 "1\t01:00:10:00\tdelete\t\t00:00:10:00\t- 00:00:10:00\n"
                                                 "2\t01:00:20:00\tdelete\t\t00:00:05:00\t- 00:00:15:00\n");
}

TEST(RelativeNote, FirstEventStartingLaterIsAnInsert) {
    EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:10", "01:00:10:10")};
    EXPECT_EQ(relativeNoteText(list, false),
              kHead + kTcColumns + "1\t01:00:00:00\tinsert\t\t00:00:00:10\t+ 00:00:00:10\n");
    // Starting earlier: a delete at the new start.
    EditArray earlier = {ev("001", "01:00:00:10", "01:00:10:10", "01:00:00:00", "01:00:10:00")};
    EXPECT_EQ(relativeNoteText(earlier, false),
              kHead + kTcColumns + "1\t01:00:00:00\tdelete\t\t00:00:00:10\t- 00:00:00:10\n");
}

TEST(RelativeNote, TotalBackAtZeroHasASpaceForSign) {
    EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:00", "01:00:10:00"),
                      ev("002", "01:00:20:00", "01:00:30:00", "01:00:10:00", "01:00:20:00"),
                      ev("003", "01:00:30:00", "01:00:40:00", "01:00:30:00", "01:00:40:00")};
    const std::string text = relativeNoteText(list, false);
    EXPECT_NE(text.find("2\t01:00:20:00\tinsert\t\t00:00:10:00\t  00:00:00:00\n"), std::string::npos) << text;
}

TEST(RelativeNote, FeetAndFramesCountFromTheHour) {
    EditArray list = {ev("001", "01:01:00:00", "01:01:10:00", "01:01:00:10", "01:01:10:10")};
    EXPECT_EQ(relativeNoteText(list, true), kHead + kFfColumns + "1\t0090+00\tinsert\t\t0000+10\t\t+ 0000+10\n");
}

TEST(RelativeNote, OrderChecks) {
    EditArray fine = {ev("1", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00"),
                      ev("2", "01:00:02:00", "01:00:03:00", "02:00:01:00", "02:00:02:00")};
    EditArray reordered = {ev("1", "01:00:02:00", "01:00:03:00", "02:00:00:00", "02:00:01:00"),
                           ev("2", "01:00:00:00", "01:00:01:00", "02:00:01:00", "02:00:02:00")};
    EditArray reused = {ev("1", "01:00:00:00", "01:00:03:00", "02:00:00:00", "02:00:03:00"),
                        ev("2", "01:00:01:00", "01:00:02:00", "02:00:03:00", "02:00:04:00")};
    EXPECT_EQ(checkRelativeOrder(fine), RelativeOrder::Fine);
    EXPECT_EQ(checkRelativeOrder(reordered), RelativeOrder::ReorderedShots);
    EXPECT_EQ(checkRelativeOrder(reused), RelativeOrder::OverlappingOrReusedShots);
}

TEST(RelativeNote, RefusedListsShowTheAlertAndWriteNothing) {
    EditArray reordered = {ev("1", "01:00:02:00", "01:00:03:00", "02:00:00:00", "02:00:01:00"),
                           ev("2", "01:00:00:00", "01:00:01:00", "02:00:01:00", "02:00:02:00")};
    for (int variant = 0; variant < 2; ++variant) {
        test::PanelUi ui;
        NoMovies movies;
        conformController c(ui, movies);
        c.dataSourceC().addEdits(reordered);
        ExportResult r = variant ? exportEuphonixRelative(c) : exportRelative(c, "Export Change Note");
        EXPECT_EQ(r.status, ExportResult::Status::Refused);
        EXPECT_EQ(ui.beeps, 1);
        ASSERT_EQ(ui.alerts.size(), 1u);
        EXPECT_EQ(ui.alerts[0].message, "change note creation error");
        EXPECT_EQ(ui.alerts[0].informativeText,
                  "this change EDL contains reordered shots which can cause errors in a relative change note.\n"
                  "please locate and delete these shots before trying again.");
        EXPECT_TRUE(ui.saveNames.empty());
    }
}

TEST(RelativeNote, ExportWritesTheFeetFramesNoteForItsSender) {
    test::TempDir dir;
    test::PanelUi ui;
    NoMovies movies;
    conformController c(ui, movies);
    EditArray list = {ev("001", "01:01:00:00", "01:01:10:00", "01:01:00:10", "01:01:10:10")};
    c.dataSourceC().addEdits(list);
    c.dataSourceC().setFilename("cut2");
    ui.saveAnswer = dir.file("note.txt");
    EXPECT_EQ(exportRelative(c, "Export Feet+Frames Change Note").status, ExportResult::Status::Written);
    EXPECT_EQ(ui.saveNames.at(0), "cut2.txt");
    EXPECT_EQ(*readFileText(dir.file("note.txt")), relativeNoteText(list, true));

    test::PanelUi quiet;
    conformController empty(quiet, movies);
    EXPECT_EQ(exportRelative(empty, "x").status, ExportResult::Status::Empty);
    EXPECT_EQ(exportEuphonix(empty).status, ExportResult::Status::Empty);
    EXPECT_EQ(quiet.beeps, 0);
}

}  // namespace
}  // namespace rw
