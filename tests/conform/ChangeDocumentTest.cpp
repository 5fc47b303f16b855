#include "Support.h"

#include "app/ConformController.h"
#include "comparison/Timebase.h"
#include "conform/ChangeDocument.h"
#include "conform/ChangeListExports.h"
#include "core/Files.h"
#include "import/ConformDocument.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

struct Movies : MoviePort {
    std::string oldLocation, newLocation, loadedOld, loadedNew;
    void setMoviesOld(const std::string& u) override { loadedOld = u; }
    void setMoviesNew(const std::string& u) override { loadedNew = u; }
    std::string movieLocation(MovieSide s) const override { return s == MovieSide::Old ? oldLocation : newLocation; }
};

ConformDocumentOptions options(bool autoLoad = true, MoviePort* movies = nullptr) {
    ConformDocumentOptions opt;
    opt.edlType = "film cutlist";
    opt.currentRate = "24";
    opt.autoLoadMovies = autoLoad;
    opt.movies = movies;
    return opt;
}

EditArray sampleList(const std::string& rate) {
    EditArray list = {ev("001", "01:00:00:00", "01:00:10:00", "01:00:00:00", "01:00:10:00", rate, "A001"),
                      ev("002", "01:00:20:00", "01:00:30:00", "01:00:10:00", "01:00:20:00", rate, "é clip"),
                      ev("003", "01:01:00:10", "01:01:02:00", "01:00:20:00", "01:00:22:00", rate, "healed"),
                      ev("004", "01:02:00:10", "01:02:02:00", "01:00:22:00", "01:00:24:00", rate, "B"),
                      ev("005", "01:03:00:10", "01:03:01:00", "01:00:24:00", "01:00:25:00", rate, "C")};
    list[1]->setColor(standardColorMissed());
    list[2]->setColor(standardColorGap());
    list[3]->setColor(standardColorVFXHilite());
    list[4]->setColor(Color{Color::Space::CalibratedWhite, 0.25f, 0, 0, 0.5f});
    return list;
}

std::string exportDocument(const EditArray& list, const std::string& sender, test::TempDir& dir,
                           Movies* movies = nullptr) {
    test::PanelUi ui;
    Movies none;
    conformController c(ui, movies ? *movies : none);
    c.dataSourceC().addEdits(list);
    ui.saveAnswer = dir.file("list.conform");
    EXPECT_EQ(exportC(c, sender).status, ExportResult::Status::Written);
    return *ui.saveAnswer;
}

EditArray importDocument(const std::string& path, const std::string& edlType = "film cutlist") {
    test::PanelUi ui;
    NoMovies movies;
    conformController c(ui, movies);
    c.prefs().set(pref::EDLType, edlType);
    c.selectTab(0);
    c.openFiles({path});
    EXPECT_EQ(c.selectedTab(), 2);
    return c.dataSourceC().getEditArray();
}

TEST(ChangeDocument, RoundTripKeepsEventsNumbersTimesAndColours) {
    for (const char* rate : {"24", "25", "29.97df", "60"}) {
        SCOPED_TRACE(rate);
        test::TempDir dir;
        EditArray list = sampleList(rate);
        EditArray back = importDocument(exportDocument(list, "keep the list's rate", dir), "NTSC df");
        ASSERT_EQ(back.size(), list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(back[i]->editNum(), list[i]->editNum());
            EXPECT_EQ(back[i]->clip(), list[i]->clip());
            EXPECT_EQ(back[i]->color(), list[i]->color());
            for (auto f : {&edit::sourceIn, &edit::sourceOut, &edit::masterIn, &edit::masterOut}) {
                EXPECT_EQ(((*back[i]).*f)()->tcAsString(), ((*list[i]).*f)()->tcAsString());
                EXPECT_EQ(((*back[i]).*f)()->totalFrames(), ((*list[i]).*f)()->totalFrames());
            }
        }
    }
}

TEST(ChangeDocument, ExplicitDropFrameTranslationsReadBackAtTheirRate) {
    for (const char* rate : {"29.97df", "59.94df"}) {
        test::TempDir dir;
        EditArray list = sampleList("24");
        EditArray back = importDocument(exportDocument(list, rate, dir));
        EditArray expected = convertTimebaseForArray(list, rate);
        ASSERT_EQ(back.size(), 5u) << rate;
        EXPECT_TRUE(back[4]->masterOut()->isDrop());
        EXPECT_EQ(back[4]->masterOut()->tcAsString(), expected[4]->masterOut()->tcAsString());
        EXPECT_EQ(back[4]->masterOut()->totalFrames(), expected[4]->masterOut()->totalFrames());
    }
}

TEST(ChangeDocument, FcmTextGivesTheRate) {
    const std::pair<const char*, const char*> rows[] = {
        {"DROP FRAME", "29.97df"}, {"25", "25"}, {"24 fps", "24"}, {"60", "60"}, {"29.97 NON-DROP FRAME", "30"},
        {"NON-DROP FRAME", "24"},  {"", "24"},   {"2", "24"},
    };
    ConformDocumentOptions opt = options();
    for (auto [fcm, rate] : rows) EXPECT_EQ(conformDocumentRate(fcm, opt), rate) << fcm;
    opt.edlType = "PAL film";
    EXPECT_EQ(conformDocumentRate("", opt), "25");
}

ArchiveValue documentWith(const std::string& version, ArchiveArray edits) {
    return ArchiveDict{{"version", version}, {"FCM", "25"}, {"moviepath_Old", ""}, {"moviepath_New", "file:///n.mov"},
                       {"edits", std::move(edits)}};
}

ArchiveDict eventDict(const std::string& num, const std::string& sI, const std::string& sO) {
    return {{"num", num}, {"clip", "x"}, {"colour", Color::red()}, {"sI", sI}, {"sO", sO},
            {"mI", "02:00:00:00"}, {"mO", "02:00:01:00"}};
}

TEST(ChangeDocument, VersionEventAndMovieRules) {
    ArchiveArray edits = {eventDict("001", "01:00:00:00", "01:00:01:00"),
                          eventDict("001", "01:00:05:00", "01:00:06:00"),   // repeats the number
                          eventDict("002", "01:00:05:00", "01:00:05:00"),   // no source length
                          eventDict("003", "01:00:05:00", "01:00:05:25"),   // frames not below 25
                          eventDict("004", "01:00:07:00", "01:00:08:00")};
    Movies movies;
    ConformDocumentOptions opt = options(true, &movies);
    EditArray events;
    ASSERT_TRUE(readConformDocumentBytes(mungeData(archivedDataWithRootObject(documentWith("1", edits))), opt, events));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1]->editNum(), "004");
    EXPECT_EQ(events[0]->sourceIn()->totalFrames(), 90000);  // read at the document's 25
    EXPECT_EQ(events[0]->color(), Color::red());
    EXPECT_EQ(movies.loadedOld, "");  // an empty location loads nothing
    EXPECT_EQ(movies.loadedNew, "file:///n.mov");

    for (const char* version : {"2", "", "01"}) {
        EditArray none;
        EXPECT_FALSE(readConformDocumentBytes(mungeData(archivedDataWithRootObject(documentWith(version, edits))),
                                              opt, none));
        EXPECT_TRUE(none.empty()) << version;
    }
    Movies off;
    ConformDocumentOptions noAuto = options(false, &off);
    EditArray more;
    readConformDocumentBytes(mungeData(archivedDataWithRootObject(documentWith("1", edits))), noAuto, more);
    EXPECT_EQ(off.loadedNew, "");
}

TEST(ChangeDocument, DocumentRecordsMovieLocations) {
    test::TempDir dir;
    Movies movies;
    movies.oldLocation = "file:///pix/old.mov";
    const std::string path = exportDocument(sampleList("24"), "x", dir, &movies);
    auto root = unarchiveObjectWithData(mungeData(*readFileBytes(path)));
    ASSERT_TRUE(root);
    EXPECT_EQ(*root->find("moviepath_Old")->string(), "file:///pix/old.mov");
    EXPECT_EQ(*root->find("moviepath_New")->string(), "");
    EXPECT_EQ(*root->find("FCM")->string(), "24");
}

TEST(ChangeDocument, MungeKeysRunFromTwoAndRepeat) {
    std::string zeros(300, '\0');
    std::string keys = mungeData(zeros);
    for (std::size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(static_cast<unsigned char>(keys[i]), (i + 2) % 256);
    EXPECT_EQ(static_cast<unsigned char>(keys[253]), 255);
    EXPECT_EQ(static_cast<unsigned char>(keys[254]), 0);
    EXPECT_EQ(static_cast<unsigned char>(keys[299]), 45);
    EXPECT_EQ(mungeData(keys), zeros);
}

TEST(ChangeDocument, XmlPropertyListsAreRead) {
    // A keyed archive in XML form: UIDs are "CF$UID" dictionaries.
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>$archiver</key><string>NSKeyedArchiver</string>
<key>$version</key><integer>100000</integer>
<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>
<key>$objects</key><array><string>$null</string>
<dict><key>NS.keys</key><array><dict><key>CF$UID</key><integer>2</integer></dict></array>
<key>NS.objects</key><array><dict><key>CF$UID</key><integer>3</integer></dict></array>
<key>$class</key><dict><key>CF$UID</key><integer>4</integer></dict></dict>
<string>version</string><string>1</string>
<dict><key>$classname</key><string>NSDictionary</string><key>$classes</key><array><string>NSDictionary</string></array></dict>
</array></dict></plist>)";
    auto root = unarchiveObjectWithData(xml);
    ASSERT_TRUE(root);
    EXPECT_EQ(*root->find("version")->string(), "1");
}

TEST(ChangeDocument, ForeignAndDamagedFilesAddNothing) {
    const std::string good = mungeData(archivedDataWithRootObject(documentWith("1", {eventDict("001", "01:00:00:00", "01:00:01:00")})));
    ArchiveValue foreign = documentWith("1", {});
    std::string raw = archivedDataWithRootObject(foreign);
    std::string renamed = raw;
    renamed.replace(renamed.find("NSMutableArray"), 14, "NSMutableOrder");
    const std::string inputs[] = {
        "", "not a property list at all", good.substr(0, good.size() / 2), raw /* not scrambled */,
        mungeData(renamed), std::string(4096, '\xff'),
    };
    ConformDocumentOptions opt = options();
    for (const auto& bytes : inputs) {
        EditArray events;
        EXPECT_FALSE(readConformDocumentBytes(bytes, opt, events));
        EXPECT_TRUE(events.empty());
    }
    EditArray events;
    EXPECT_TRUE(readConformDocumentBytes(good, opt, events));
    EXPECT_EQ(events.size(), 1u);
}

}  // namespace
}  // namespace rw
