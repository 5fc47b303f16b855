#include "Support.h"

#include "conform/ConformCommand.h"
#include "conform/Preflight.h"
#include "core/Files.h"
#include "core/Text.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

const std::string kRounding =
    "although reelwright will convert the numbers for you, be aware that rounding errors of up to 1/2 frame may "
    "occur.\n";

LaunchedApplication app(const std::string& name, std::int32_t psn) {
    LaunchedApplication a;
    a.name = name;
    a.processSerialNumberLow = psn;
    return a;
}

struct FakeHost : NoWorkstation {
    std::vector<LaunchedApplication> apps;
    bool ax = true;
    std::optional<std::string> mark;
    std::vector<std::string> scripts;
    std::vector<LaunchedApplication> launchedApplications() const override { return apps; }
    bool accessibilityEnabled() const override { return ax; }
    std::optional<std::string> runScript(const std::string& s) override {
        scripts.push_back(s);
        return mark;
    }
};

// List C at 25 fps under a conform type, with a host that finds no workstation.
struct Fixture : test::Conformer {
    NoWorkstation host;
    ConformCommand command{c, host};
    explicit Fixture(const std::string& type,
                     EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00", "25")})
        : Conformer(list) {
        c.prefs().set(pref::ConformType, type);
    }
};

TEST(ConformAlert, TimebaseNotes) {
    struct Row {
        const char* list;
        const char* conform;
        std::string note;
    } rows[] = {
        {"24", "23.976", ""},
        {"24", "25", "\nNOTE: your change list is in 24fps and you are set to conform in 25fps\n" + kRounding},
        {"30", "29.97", ""},
        {"30", "29.97df", "\nNOTE: your change list is in 30fps and you are set to conform in 29.97dffps\n" + kRounding},
        {"29.97df", "30",
         "\nNOTE: your change list is in 29.97df fps and you are set to conform in 30fps\nplease switch the Pro Tools "
         "framerate to 29.97df\n"},
        {"60", "59.94", ""},
        {"", "25", ""},
    };
    for (const auto& r : rows) EXPECT_EQ(timebaseNote(r.list, r.conform), r.note) << r.list << " at " << r.conform;
}

TEST(ConformAlert, CopyAndPasteOverlap) {
    // Copy times 01:00:00:00-01:20:00:00 against these paste times.
    const std::tuple<const char*, const char*, bool> cases[] = {{"01:10:00:00", "01:30:00:00", true},
                                                                {"02:10:00:00", "02:30:00:00", false},
                                                                {"00:50:00:00", "01:10:00:00", true},
                                                                {"00:50:00:00", "01:30:00:00", false}};
    for (auto [in, out, overlap] : cases)
        EXPECT_EQ(copyAndPasteTimesOverlap({ev("1", "01:00:00:00", "01:20:00:00", in, out)}), overlap) << in;
}

TEST(ConformAlert, ProToolsChecksThroughTheHost) {
    EditArray list = {ev("1", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00")};
    const std::string notFound = "\nNOTE: can't seem to find Pro Tools. is it open?\n";
    const std::string afeOff = "\nNOTE: you appear to have 'Automation Follows Edit' switched OFF\n";
    const std::string noAccess =
        "\nNOTE: you appear to have Universal Access switched off. we recommend checking 'Enable access for assistive "
        "devices' in the Universal Access pane of System Preferences\n";
    FakeHost host;
    host.apps = {app("Pro Tool", 1), app("Finder", 2)};
    EXPECT_EQ(proToolsPreflightNotes(list, host), notFound + afeOff);
    host.apps.push_back(app("Pro Tools LE", 7));
    host.apps.push_back(app("Pro Tools", 9));
    host.mark = "\xE2\x9C\x93";
    EXPECT_EQ(proToolsPreflightNotes(list, host), "");
    EXPECT_EQ(findProTools(host)->processSerialNumberLow, 9);
    host.mark = " ";
    EXPECT_EQ(proToolsPreflightNotes(list, host), afeOff);
    EXPECT_EQ(host.scripts.back(), automationFollowsEditScript());
    host.ax = false;
    EXPECT_EQ(proToolsPreflightNotes(list, host), noAccess);
    NoWorkstation none;
    EXPECT_EQ(proToolsPreflightNotes(list, none), notFound + noAccess);
}

TEST(ConformCommand, ComposedTextByType) {
    Fixture pt("Pro Tools");
    pt.ui.confirmAnswer = false;
    ConformOutcome o = pt.command.conform("Conform");
    EXPECT_EQ(o.step, ConformOutcome::Step::Cancelled);
    EXPECT_EQ(pt.ui.confirms.at(0).message, "conform Pro Tools session?");
    EXPECT_TRUE(startsWith(pt.ui.confirms.at(0).text,
                           "please check the details below and ensure that your session is using the same "
                           "timebase\n\nPro Tools\ntimebase - 24\nspeed - fast\n\nNOTE: your change list is in 25fps"));
    EXPECT_NE(o.alert.text.find("can't seem to find Pro Tools"), std::string::npos);

    Fixture csv("file - comma separated");
    csv.ui.confirmAnswer = false;
    csv.command.conform("Conform");
    EXPECT_EQ(csv.ui.confirms.at(0).message, "conform comma separated file?");
    EXPECT_EQ(csv.ui.confirms.at(0).text,
              "please check the details below and ensure that your file is using the same timebase\n\ntimebase - "
              "24\n\n\nNOTE: your change list is in 25fps and you are set to conform in 24fps\n" + kRounding);
    EXPECT_TRUE(csv.ui.openFolders.empty());

    Fixture other("file - AAF");
    EXPECT_EQ(other.command.conform("Conform").step, ConformOutcome::Step::NotAvailable);
    EXPECT_EQ(other.ui.confirms.at(0).message, "feature yet to be implemented");
    EXPECT_TRUE(startsWith(other.ui.confirms.at(0).text,
                           "this kind of conform is under development\nplease try back later\nNOTE: your change list"));
    EXPECT_TRUE(other.ui.openFolders.empty());
}

TEST(ConformCommand, EmptyEventSetBeeps) {
    Fixture empty("Pro Tools", {});
    EXPECT_EQ(empty.command.conform("Conform").step, ConformOutcome::Step::NothingToConform);
    Fixture unselected("Pro Tools");
    EXPECT_EQ(unselected.command.conform("Conform Selected Events Only").step, ConformOutcome::Step::NothingToConform);
    for (Fixture* f : {&empty, &unselected}) {
        EXPECT_EQ(f->ui.beeps, 1);
        EXPECT_TRUE(f->ui.confirms.empty());
    }
}

TEST(ConformCommand, ConvertsToTheConformTimebase) {
    Fixture f("Pro Tools", {ev("1", "01:00:00:00", "01:00:01:00", "02:00:00:00", "02:00:01:00", "25"),
                            ev("2", "01:00:01:00", "01:00:02:00", "02:00:01:00", "02:00:02:00", "25")});
    f.c.dataSourceC().selectRows({1});
    EXPECT_EQ(f.command.conform("Conform Selected Events Only").step, ConformOutcome::Step::ProToolsConfirmed);
    ASSERT_EQ(f.command.editArrayConvC().size(), 1u);
    EXPECT_EQ(f.command.editArrayConvC()[0]->sourceIn()->totalFrames(), 86424);
    EXPECT_EQ(f.command.editArrayConvC()[0]->sourceIn()->framerate(), 24);
}

TEST(ConformCommand, FileConformThroughTheOpenPanel) {
    test::TempDir dir;
    Fixture f("file - tab separated");
    f.c.prefs().set(pref::ConformTimebase, "25");
    f.c.prefs().set("confPath", "/nowhere");
    ASSERT_EQ(writeFileAtomic(dir.file("cues.txt"), "a\t01:00:05:00\n"), "");
    f.ui.openAnswer = dir.file("cues.txt");
    ConformOutcome o = f.command.conform("Conform");
    EXPECT_EQ(o.step, ConformOutcome::Step::FileConform);
    EXPECT_EQ(f.ui.openFolders.at(0), "/nowhere");
    EXPECT_EQ(o.file.written, dir.file("cues-conf.txt"));
    EXPECT_EQ(*readFileText(o.file.written), "a\t02:00:05:00\tCONFORMED\n");
    EXPECT_EQ(f.c.prefs().get("confPath"), dir.path());
    EXPECT_EQ(f.ui.beeps, 1);

    Fixture cancelled("file - TC6000 .EVL");
    EXPECT_FALSE(cancelled.command.conform("Conform").file.chosen);
    EXPECT_EQ(cancelled.ui.beeps, 0);

    Fixture foreign("file - TC6000 .EVL");
    foreign.ui.openAnswer = dir.file("cues.txt");
    ConformOutcome refused = foreign.command.conform("Conform");
    EXPECT_TRUE(refused.file.written.empty());
    EXPECT_EQ(foreign.ui.alerts.at(0).message, "file not conformed");
    EXPECT_EQ(foreign.ui.beeps, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("cues-conf.EVL")));
}

}  // namespace
}  // namespace rw
