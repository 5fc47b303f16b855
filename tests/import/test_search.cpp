#include "ImportHelpers.h"
#include "import/NameMatcher.h"
#include "import/SearchFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace rw {
namespace {

// Feeds the pieces as the file search does: each after the end of the one before.
std::vector<bool> namesIn(const std::vector<std::string>& names, const std::vector<std::string>& pieces) {
    NameMatcher m(names);
    auto scan = m.start();
    std::string tail;
    for (const auto& p : pieces) {
        const std::string view = tail + p;
        m.feed(scan, view);
        tail = view.substr(view.size() - std::min(view.size(), m.overlap()));
    }
    return scan.found();
}

TEST(NameMatcher, FindsEveryNameAcrossPieces) {
    // With a name under six bytes every byte is stepped through; without, the text is skipped through.
    EXPECT_EQ(namesIn({"A001", "A0012", "001", "B7", "A001", "", "zz", "a001"}, {"xx A0", "012 yy B", "7"}),
              (std::vector<bool>{true, true, true, true, true, false, false, false}));
    const std::vector<std::string> longNames = {"A001C002", "A001C0023", "01C002", "A001C002", "", "a001c002",
                                                "0023 yy"};
    EXPECT_EQ(namesIn(longNames, {"xx A00", "1C0", "023 y", "y"}),
              (std::vector<bool>{true, true, true, true, false, false, true}));
    EXPECT_EQ(namesIn(longNames, {"A001C00"}), std::vector<bool>(longNames.size(), false));
}

TEST(NameMatcher, AgreesWithPlainSubstringSearch) {
    std::mt19937 gen(7);
    auto word = [&](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += "ab\xc3\xa9"[gen() % 4];
        return s;
    };
    for (int round = 0; round < 400; ++round) {
        const std::size_t shortest = round % 2 ? 6 : 1;  // both ways of searching
        std::vector<std::string> names;
        for (int i = 0; i < 12; ++i) names.push_back(word(shortest + gen() % 5));
        const std::string text = word(gen() % (round % 4 < 2 ? 60 : 3000));
        std::vector<bool> expected;
        for (const auto& n : names) expected.push_back(text.find(n) != std::string::npos);
        const std::size_t cut = text.empty() ? 0 : gen() % text.size();
        EXPECT_EQ(namesIn(names, {text.substr(0, cut), text.substr(cut)}), expected) << text;
    }
}

std::string tc(int seconds, int hour = 1) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d:00", hour + seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

// One EDL event: reel, source seconds, record seconds (at hour 1 and 10).
std::string edlLine(int n, const std::string& reel, int src, int srcEnd, int rec, int recEnd) {
    char num[8];
    std::snprintf(num, sizeof num, "%03d", n);
    return std::string(num) + "  " + reel + "  V  C  " + tc(src) + " " + tc(srcEnd) + " " + tc(rec, 10) + " " +
           tc(recEnd, 10) + "\n";
}

// "file:count", and " shots duration" once ranked.
std::vector<std::string> files(const std::vector<SearchResult>& results) {
    std::vector<std::string> out;
    for (const auto& r : results)
        out.push_back(r.file + ":" + std::to_string(r.theCount) +
                      (r.shotCount ? " " + std::to_string(*r.shotCount) + " " + r.duration.value_or("-") : ""));
    return out;
}

// NEW events of the reels: ten seconds from 01:00:00:00 each.
EditArray newEvents(const std::vector<std::string>& reels) {
    EditArray events;
    auto t = [](int s, int h) { return KLVtc::initWithString(tc(s, h), "24"); };
    for (const auto& r : reels) {
        const int i = static_cast<int>(events.size()) + 1;
        events.push_back(edit::initWithNum(std::to_string(i), r, t(0, 1), t(10, 1), t(20 * i, 2), t(20 * i + 10, 2)));
    }
    return events;
}

void rank(std::vector<SearchResult>& results, const std::vector<std::string>& reels) {
    rankResults(results, newEvents(reels), {"24fps EDL/XML", "24", false, true, nullptr, {}}, "24");
}

TEST(SearchFiles, CountsNamesPerEventBelowTheFolder) {
    test::TempDir dir;
    dir.write("a.edl", "A001 A002 and A003\n");
    dir.write("deep/er/b.txt", "only A003 here\n");
    dir.write("c.edl", "nothing\n");
    dir.write("latin1.edl", "Caf\xe9 A001\n");  // Latin-1: read as text it holds "Café"
    std::filesystem::create_directory_symlink(dir.path(), dir.file("deep/loop"));  // a link back up the tree
    std::filesystem::create_symlink(dir.file("gone.edl"), dir.file("dangling.edl"));
    ::mkfifo(dir.file("pipe.edl").c_str(), 0644);

    auto results = countNamesBelow(dir.path(), {"A001", "A002", "A003", "A003"});
    EXPECT_EQ(files(results), (std::vector<std::string>{"a.edl:4", "b.txt:2", "latin1.edl:1"}));
    EXPECT_EQ(results[1].thePath, dir.file("deep/er/b.txt"));

    auto accented = countNamesBelow(dir.path(), {"Café"});
    EXPECT_EQ(files(accented), (std::vector<std::string>{"latin1.edl:1"}));
    EXPECT_TRUE(countNamesBelow(dir.file("missing"), {"A001"}).empty());
    EXPECT_TRUE(countNamesBelow(dir.file("a.edl"), {"A001"}).empty());  // a file is no folder
}

TEST(SearchFiles, LargeFilesAreSearchedOnlyWhenTheyAreListsByName) {
    test::TempDir dir;
    const std::string big(kLargeFileBytes, 'x');
    dir.write("big.dat", big + "A001");
    dir.write("big.edl", big + "A001");
    dir.write("small.dat", "A001");
    EXPECT_EQ(files(countNamesBelow(dir.path(), {"A001"})), (std::vector<std::string>{"big.edl:1", "small.dat:1"}));
}

TEST(SearchFiles, RankedByRecordTimeThenByShots) {
    test::TempDir dir;
    // all three shots, whole
    dir.write("three.edl", edlLine(1, "A001", 0, 10, 0, 10) + edlLine(2, "A002", 0, 10, 10, 20) +
                               edlLine(3, "A003", 0, 10, 20, 30));
    // one shot in one piece, and the same shot in two pieces: the same record time
    dir.write("one.edl", edlLine(1, "A001", 0, 4, 0, 4));
    dir.write("split.edl", edlLine(1, "A001", 0, 2, 0, 2) + edlLine(2, "A001", 2, 4, 30, 32));
    // the name occurs, but no source overlaps: no shots
    dir.write("elsewhere.edl", edlLine(1, "A001", 100, 110, 0, 10));

    auto results = countNamesBelow(dir.path(), {"A001", "A002", "A003"});
    rank(results, {"A001", "A002", "A003"});
    EXPECT_EQ(files(results), (std::vector<std::string>{"three.edl:3 3 00:00:30:00", "split.edl:1 2 00:00:04:00",
                                                        "one.edl:1 1 00:00:04:00", "elsewhere.edl:1 0 00:00:00:00"}));
    EXPECT_EQ(summaryText(results),
              "3\t\t00:00:30:00\t\tthree.edl\n2\t\t00:00:04:00\t\tsplit.edl\n1\t\t00:00:04:00\t\tone.edl\n");

    dataSourceFinder finder;
    finder.setFinds(results);
    ASSERT_EQ(finder.numberOfRowsInTableView(), 3u);  // no row without shots
    EXPECT_EQ(finder.objectValue("duration", 2), "00:00:04:00");
    EXPECT_FALSE(finder.selectedFile());
    finder.selectRow(5);
    EXPECT_FALSE(finder.selectedFile());
    finder.selectRow(2);
    EXPECT_EQ(finder.selectedFile()->file, "one.edl");
}

TEST(SearchFiles, OnlyTheBestThirtyAreCompared) {
    test::TempDir dir;
    for (int i = 0; i < 32; ++i) dir.write("f" + std::to_string(100 + i) + ".edl", edlLine(1, "A001", 0, 10, 0, 10));
    auto results = countNamesBelow(dir.path(), {"A001"});
    rank(results, {"A001"});
    ASSERT_EQ(results.size(), 32u);
    EXPECT_TRUE(results[29].shotCount);
    EXPECT_FALSE(results[30].shotCount);
    EXPECT_FALSE(results[31].duration);
}

TEST(SearchFiles, TheCommandAsTheWindowRunsIt) {
    test::TempDir dir;
    dir.write("lists/old.edl", edlLine(1, "A001", 0, 10, 0, 10));
    test::Session s;
    auto& [ui, movies, c] = s;
    c.dataSourceB().addEdits(newEvents({"A001", "B001"}));

    ui.folder = dir.file("lists");
    c.findEventsInOtherFiles();  // nothing selected: nothing happens
    EXPECT_TRUE(ui.searchResults.empty());
    EXPECT_TRUE(ui.alerts.empty());
    EXPECT_EQ(c.prefs().get("FindPath"), "");

    c.dataSourceB().selectRows({1});
    c.findEventsInOtherFiles();  // B001 is nowhere
    ASSERT_EQ(ui.alerts.size(), 1u);
    EXPECT_EQ(ui.alerts[0].message, "no matches found for selected events");
    EXPECT_EQ(ui.alerts[0].informativeText, "make sure to select a folder containing relevant EDLs, Cutlists or XML");

    c.dataSourceB().selectRows({0, 1});
    c.findEventsInOtherFiles();
    ASSERT_EQ(ui.searchResults.size(), 1u);
    EXPECT_EQ(ui.searchResults[0], "1\t\t00:00:10:00\t\told.edl\n");
    EXPECT_EQ(c.prefs().get("FindPath"), dir.file("lists"));
    EXPECT_EQ(ui.folderAskedFrom.back(), dir.file("lists"));  // the next panel starts there

    c.importFromFinderList();  // no row selected
    EXPECT_EQ(ui.beeps, 1);
    c.finder().selectRow(0);
    c.selectTab(1);
    c.importFromFinderList();
    EXPECT_EQ(c.selectedTab(), 0);
    ASSERT_EQ(c.dataSourceA().getEditArray().size(), 1u);
    EXPECT_EQ(c.dataSourceA().getEditArray()[0]->clip(), "A001");

    ui.folder.reset();  // a cancelled panel stores nothing
    c.prefs().set("FindPath", "/before");
    c.findEventsInOtherFiles();
    EXPECT_EQ(c.prefs().get("FindPath"), "/before");
}

TEST(SearchFiles, AStoppedSearchEndsWithoutResultsOrAlert) {
    test::TempDir dir;
    for (const char* name : {"a.edl", "b.edl", "c.edl"}) dir.write(name, edlLine(1, "A001", 0, 10, 0, 10));
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    auto stopAtSecond = [&](std::size_t done, std::size_t total) {
        seen.emplace_back(done, total);
        return done < 1;
    };
    EXPECT_FALSE(countNamesBelow(dir.path(), {"A001"}, stopAtSecond));
    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}}));

    test::Session s;
    auto& [ui, movies, c] = s;
    c.dataSourceB().addEdits(newEvents({"A001"}));
    c.dataSourceB().selectRows({0});
    ui.folder = dir.path();
    auto job = c.beginSearch();
    ASSERT_TRUE(job);
    c.dataSourceB().getEditArray()[0]->setClip("changed meanwhile");  // the job holds its own copies
    EXPECT_EQ(job->selected[0]->clip(), "A001");
    c.finishSearch(*job, conformController::runSearch(*job, [](std::size_t, std::size_t) { return false; }));
    EXPECT_TRUE(ui.alerts.empty());
    EXPECT_TRUE(ui.searchResults.empty());
    EXPECT_EQ(ui.progressStarts, ui.progressStops);
}

}  // namespace
}  // namespace rw
