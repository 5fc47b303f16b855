#include "app/NullPorts.h"
#include "Support.h"

#include "comparison/Timebase.h"
#include "conform/ChangeDocument.h"
#include "app/ChangeListExports.h"
#include "core/Files.h"
#include "import/ConformDocument.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

using test::ev;

struct Movies : NoMovies {
    std::string oldLocation, loadedOld, loadedNew;
    void setMoviesOld(const std::string& u) override { loadedOld = u; }
    void setMoviesNew(const std::string& u) override { loadedNew = u; }
    std::string movieLocation(MovieSide s) const override { return s == MovieSide::Old ? oldLocation : ""; }
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
                           MoviePort* movies = nullptr) {
    test::Conformer f(list, "film cutlist", movies);
    f.ui.savePanelAnswer = dir.file("list.conform");
    EXPECT_EQ(exportC(f.c, sender).value.status, ChangeListExport::Status::Written);
    return *f.ui.savePanelAnswer;
}

// Numbers, names and times (as text and as frame counts) of the events.
std::vector<std::string> shown(const EditArray& list) {
    std::vector<std::string> out;
    for (const auto& e : list) {
        std::string line = e->editNum() + " " + e->clip();
        for (const TcPtr& t : {e->sourceIn(), e->sourceOut(), e->masterIn(), e->masterOut()})
            line += " " + t->tcAsString() + "=" + std::to_string(t->totalFrames());
        out.push_back(line);
    }
    return out;
}

TEST(ChangeDocument, RoundTripKeepsEventsNumbersTimesAndColours) {
    // The list's rate, the sender (a rate translates), and the list type it is read under: the document's wins.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"24", "keep the list's rate", "NTSC df"}, {"25", "x", "NTSC df"}, {"29.97df", "x", "NTSC df"},
        {"60", "x", "NTSC df"}, {"24", "29.97df", "film cutlist"}, {"24", "59.94df", "film cutlist"}};
    for (const auto& [rate, sender, edlType] : cases) {
        test::TempDir dir;
        const EditArray list = sampleList(rate);
        const EditArray back = test::openAsListC(exportDocument(list, sender, dir), 0, edlType);
        const bool translated = std::string(sender).find("df") != std::string::npos;
        ASSERT_EQ(shown(back), shown(translated ? convertTimebaseForArray(list, sender) : list)) << rate << sender;
        for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(back[i]->color(), list[i]->color()) << rate << i;
    }
}

TEST(ChangeDocument, DocumentRecordsMovieLocations) {
    test::TempDir dir;
    Movies movies;
    movies.oldLocation = "file:///pix/old.mov";
    auto root = unarchiveObjectWithData(mungeData(readFileBytes(exportDocument(sampleList("24"), "x", dir, &movies)).value));
    ASSERT_TRUE(root) << root.error;
    EXPECT_EQ(*root.value.find("moviepath_Old")->string(), "file:///pix/old.mov");
    EXPECT_EQ(*root.value.find("moviepath_New")->string(), "");
    EXPECT_EQ(*root.value.find("FCM")->string(), "24");
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

ArchiveDict eventDict(const std::string& num, const std::string& sI, const std::string& sO) {
    return {{"num", num}, {"clip", "x"}, {"colour", Color::red()}, {"sI", sI}, {"sO", sO},
            {"mI", "02:00:00:00"}, {"mO", "02:00:01:00"}};
}

// The archive before it is scrambled.
std::string archiveWith(const std::string& version,
                        ArchiveArray edits = {eventDict("001", "01:00:00:00", "01:00:01:00")}) {
    return archivedDataWithRootObject(ArchiveDict{{"version", version}, {"FCM", "25"}, {"moviepath_Old", ""},
                                                  {"moviepath_New", "file:///n.mov"}, {"edits", std::move(edits)}});
}

std::string documentWith(const std::string& version, ArchiveArray edits) {
    return mungeData(archiveWith(version, std::move(edits)));
}

TEST(ChangeDocument, VersionEventAndMovieRules) {
    ArchiveArray edits = {eventDict("001", "01:00:00:00", "01:00:01:00"),
                          eventDict("001", "01:00:05:00", "01:00:06:00"),   // repeats the number
                          eventDict("002", "01:00:05:00", "01:00:05:00"),   // no source length
                          eventDict("003", "01:00:05:00", "01:00:05:25"),   // frames not below 25
                          eventDict("004", "01:00:07:00", "01:00:08:00")};
    Movies movies;
    EditArray events;
    ASSERT_TRUE(readConformDocumentBytes(documentWith("1", edits), options(true, &movies), events));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1]->editNum(), "004");
    EXPECT_EQ(events[0]->sourceIn()->totalFrames(), 90000);  // read at the document's 25
    EXPECT_EQ(events[0]->color(), Color::red());
    EXPECT_EQ(movies.loadedOld, "");  // an empty location loads nothing
    EXPECT_EQ(movies.loadedNew, "file:///n.mov");

    for (const char* version : {"2", "", "01"}) {
        EditArray none;
        EXPECT_FALSE(readConformDocumentBytes(documentWith(version, edits), options(), none));
        EXPECT_TRUE(none.empty()) << version;
    }
    Movies off;
    readConformDocumentBytes(documentWith("1", edits), options(false, &off), events);
    EXPECT_EQ(off.loadedNew, "");
}

TEST(ChangeDocument, MungeKeysRunFromTwoAndRepeat) {
    std::string zeros(300, '\0');
    std::string keys = mungeData(zeros);
    for (std::size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(static_cast<unsigned char>(keys[i]), (i + 2) % 256);
    EXPECT_EQ(mungeData(keys), zeros);
}

TEST(ChangeDocument, ForeignAndDamagedFilesAddNothing) {
    const std::string raw = archiveWith("1"), good = mungeData(raw);
    std::string renamed = raw;
    renamed.replace(renamed.find("NSMutableArray"), 14, "NSMutableOrder");
    const std::string inputs[] = {
        "", "not a property list at all", good.substr(0, good.size() / 2), raw /* not scrambled */,
        mungeData(renamed), std::string(4096, '\xff'),
    };
    for (const auto& bytes : inputs) {
        EditArray events;
        EXPECT_FALSE(readConformDocumentBytes(bytes, options(), events));
        EXPECT_TRUE(events.empty());
    }
    EditArray events;
    EXPECT_TRUE(readConformDocumentBytes(good, options(), events));
    EXPECT_EQ(events.size(), 1u);
}

}  // namespace
}  // namespace rw
