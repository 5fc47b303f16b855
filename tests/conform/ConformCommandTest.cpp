#include "Support.h"

#include "app/ConformCommand.h"
#include "conform/Preflight.h"
#include "core/Files.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

const std::string kRounding =
    "although reelwright will convert the numbers for you, be aware that rounding errors of up to 1/2 frame may "
    "occur.\n";
const std::string kNotFound = "\nNOTE: can't seem to find Pro Tools. is it open?\n";
const std::string kNoAccess =
    "\nNOTE: you appear to have Universal Access switched off. we recommend checking 'Enable access for assistive "
    "devices' in the Universal Access pane of System Preferences\n";

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
    // Copy times 01:00:00:00-01:20:00:00 against these paste times; new
    // positions around the whole old material overwrite it too.
    const std::tuple<const char*, const char*, bool> cases[] = {{"01:10:00:00", "01:30:00:00", true},
                                                                {"02:10:00:00", "02:30:00:00", false},
                                                                {"00:50:00:00", "01:10:00:00", true},
                                                                {"00:50:00:00", "01:30:00:00", true},
                                                                {"00:40:00:00", "01:00:00:00", false}};
    for (auto [in, out, overlap] : cases)
        EXPECT_EQ(copyAndPasteTimesOverlap({ev("1", "01:00:00:00", "01:20:00:00", in, out)}), overlap) << in;
}

TEST(ConformAlert, ProToolsChecksThroughTheHost) {
    EditArray list = {ev("1", "01:00:00:00", "01:00:10:00", "02:00:00:00", "02:00:10:00")};
    const std::string afeOff = "\nNOTE: you appear to have 'Automation Follows Edit' switched OFF\n";
    FakeHost host;
    host.apps = {app("Pro Tool", 1), app("Finder", 2)};
    EXPECT_EQ(proToolsPreflightNotes(list, host), kNotFound + afeOff);
    host.apps.push_back(app("Pro Tools LE", 7));
    host.apps.push_back(app("Pro Tools", 9));
    host.mark = "\xE2\x9C\x93";
    EXPECT_EQ(proToolsPreflightNotes(list, host), "");
    EXPECT_EQ(findProTools(host)->processSerialNumberLow, 9);
    host.mark = " ";
    EXPECT_EQ(proToolsPreflightNotes(list, host), afeOff);
    EXPECT_EQ(host.scripts.back(), automationFollowsEditScript());
    host.ax = false;
    EXPECT_EQ(proToolsPreflightNotes(list, host), kNoAccess);
    NoWorkstation none;
    EXPECT_EQ(proToolsPreflightNotes(list, none), kNotFound + kNoAccess);
}

TEST(ConformCommand, ComposedTextByType) {
    const std::string note = "\nNOTE: your change list is in 25fps and you are set to conform in 24fps\n" + kRounding;
    const std::tuple<const char*, ConformOutcome::Step, const char*, std::string> cases[] = {
        {"Pro Tools", ConformOutcome::Step::Cancelled, "conform Pro Tools session?",
         "please check the details below and ensure that your session is using the same timebase\n\nPro Tools\n"
         "timebase - 24\nspeed - fast\n" + note + kNotFound + kNoAccess},
        {"file - comma separated", ConformOutcome::Step::Cancelled, "conform comma separated file?",
         "please check the details below and ensure that your file is using the same timebase\n\ntimebase - 24\n\n" +
             note},
        {"file - AAF", ConformOutcome::Step::NotAvailable, "feature yet to be implemented",
         "this kind of conform is under development\nplease try back later" + note},
    };
    for (const auto& [type, step, message, text] : cases) {
        Fixture f(type);
        f.ui.confirmAnswer = false;
        EXPECT_EQ(f.command.conform("Conform").step, step) << type;
        ASSERT_EQ(f.ui.confirmations.size(), 1u);
        EXPECT_EQ(f.ui.confirmations[0].message, message);
        EXPECT_EQ(f.ui.confirmations[0].informativeText, text);
        EXPECT_TRUE(f.ui.openPanelFolders.empty()) << type;
    }
}

TEST(ConformCommand, EmptyEventSetBeeps) {
    Fixture empty("Pro Tools", {});
    EXPECT_EQ(empty.command.conform("Conform").step, ConformOutcome::Step::NothingToConform);
    Fixture unselected("Pro Tools");
    EXPECT_EQ(unselected.command.conform("Conform Selected Events Only").step, ConformOutcome::Step::NothingToConform);
    for (Fixture* f : {&empty, &unselected}) {
        EXPECT_EQ(f->ui.beeps, 1);
        EXPECT_TRUE(f->ui.confirmations.empty());
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
    ASSERT_EQ(writeFileAtomic(dir.file("cues.txt"), "a\t01:00:05:00\n").error, "");
    f.ui.openAnswer = dir.file("cues.txt");
    ConformOutcome o = f.command.conform("Conform");
    EXPECT_EQ(o.step, ConformOutcome::Step::FileConform);
    EXPECT_EQ(f.ui.openPanelFolders.at(0), "/nowhere");
    EXPECT_EQ(o.file.value, dir.file("cues-conf.txt"));
    EXPECT_EQ(readFileText(o.file.value).value, "a\t02:00:05:00\tCONFORMED\n");
    EXPECT_EQ(f.c.prefs().get("confPath"), dir.path());
    EXPECT_EQ(f.ui.beeps, 1);

    Fixture cancelled("file - TC6000 .EVL");
    const ConformOutcome none = cancelled.command.conform("Conform");
    EXPECT_TRUE(none.file.ok() && none.file.value.empty());
    EXPECT_EQ(cancelled.ui.beeps, 0);

    Fixture foreign("file - TC6000 .EVL");
    foreign.ui.openAnswer = dir.file("cues.txt");
    ConformOutcome refused = foreign.command.conform("Conform");
    EXPECT_FALSE(refused.file);
    EXPECT_NE(refused.file.error.find("not a TC6000 snapshot list"), std::string::npos) << refused.file.error;
    EXPECT_EQ(foreign.ui.alerts.at(0).message, "file not conformed");
    EXPECT_EQ(foreign.ui.beeps, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("cues-conf.EVL")));
}

}  // namespace
}  // namespace rw
