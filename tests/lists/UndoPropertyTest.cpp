// Random sequences of every list command, undone to the start and redone to the end.

#include "lists/ListFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <random>
#include <sstream>

namespace rw::test {
namespace {

using Rng = std::mt19937;

int pick(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Everything the three lists show: which events, their numbers, names,
// times and colours, and the labels. The order is left out: a header click
// sorts a list without an undo step.
std::string state(Fixture& f) {
    std::ostringstream out;
    for (dataSource* list : {&f.A(), &f.B(), &f.C()}) {
        out << list->filename() << '|' << list->editCount() << '|' << list->documentPath() << '\n';
        std::vector<std::string> lines;
        for (const auto& e : list->getEditArray()) {
            std::ostringstream line;
            line << e.get() << ' ' << e->editNum() << ' ' << e->clip();
            for (const TcPtr& t : {e->sourceIn(), e->sourceOut(), e->masterIn(), e->masterOut()}) {
                if (t) line << ' ' << t->tcAsString() << '=' << t->totalFrames() << '@' << t->framerate() << t->isDrop();
                else line << " -";
            }
            line << ' ' << e->color().r << ',' << e->color().g << ',' << e->color().b;
            lines.push_back(line.str());
        }
        std::sort(lines.begin(), lines.end());
        for (const auto& l : lines) out << l << '\n';
    }
    return out.str();
}

const Color kColors[] = {standardColorText(), standardColorGap(), Color::red(), Color::black()};

// A list as a comparison leaves it: in masterIn order, numbered, times within the day.
EditArray generateList(Rng& rng, const std::string& timebase) {
    const int rate = timebase == "25" ? 25 : 30;
    const std::int32_t day = (timebase == "29.97df" ? 107892 : 3600 * rate) * 24;
    EditArray list;
    std::int32_t at = pick(rng, 0, day / 2);
    for (int i = 0, n = pick(rng, 1, 12); i < n; ++i) {
        const std::int32_t length = pick(rng, 1, 500), source = pick(rng, 0, day - 600);
        EditPtr e = edit::initWithNum(eventNumberText(i + 1), "clip" + std::to_string(i), frames(source, timebase),
                                      frames(source + length, timebase), frames(at, timebase),
                                      frames(std::min(at + length, day - 1), timebase));
        e->setColor(kColors[pick(rng, 0, 3)]);
        list.push_back(e);
        at = std::min(at + length + pick(rng, 1, 300), day - 2);
    }
    return list;
}

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// What a user might type into a time cell: the time it holds, something that
// is not a time, or a time of the day with or without colons.
std::string typedTime(Rng& rng, const TcPtr& current) {
    const int form = pick(rng, 0, 4);
    if (form == 0) return current->tcAsString();
    if (form == 1) return "garbage";
    const std::string sep = form == 2 ? "" : ":";
    const std::string h = two(pick(rng, 0, 23)), m = two(pick(rng, 0, 59)), s = two(pick(rng, 0, 59));
    return h + sep + m + sep + s + sep + two(pick(rng, 0, 23));
}

void selectSome(Rng& rng, dataSource& list) {
    const int n = static_cast<int>(list.getEditArray().size());
    std::vector<std::size_t> rows;
    for (int k = n ? pick(rng, 1, 3) : 0; k > 0; --k) rows.push_back(static_cast<std::size_t>(pick(rng, 0, n - 1)));
    if (n) list.selectRows(rows);
}

void placeMovies(Rng& rng, FakeMovies& movies) {
    for (auto* side : {&movies.old, &movies.nu})
        *side = movieAt(pick(rng, 0, 3599 * 600), 600, pick(rng, 0, 1) ? 25 : 29.97);  // within the list's hour
    movies.old.loaded = pick(rng, 0, 3) != 0;
    movies.nu.loaded = pick(rng, 0, 3) != 0;
}

std::string typedName(Rng& rng) {
    static const char* const names[] = {"clip0", "clip3", "VFX_010_020_v2", "", "renamed"};
    return names[pick(rng, 0, 4)];
}

struct Files {
    std::string oldCut, newCut;
};

void randomStep(Rng& rng, Fixture& f, const Files& files) {
    dataSource& list = pick(rng, 0, 2) == 0 ? f.A() : f.C();
    const int n = static_cast<int>(list.getEditArray().size());
    const auto row = static_cast<std::size_t>(n ? pick(rng, 0, n - 1) : 0);
    switch (pick(rng, 0, 12)) {
    case 0:
        if (n > 0) {
            static const char* const columns[] = {"sourceIn", "sourceOut", "masterIn", "masterOut"};
            const char* column = columns[pick(rng, 0, 3)];
            list.setObjectValue(typedTime(rng, timecodeForColumn(*list.getEditArray()[row], column)), column, row);
        }
        break;
    case 1:
        if (n > 0) list.setObjectValue(typedName(rng), "clip", row);
        break;
    case 2: selectSome(rng, list); list.deleteEvents(); break;
    case 3: placeMovies(rng, f.movies); f.C().newEvent(); break;
    case 4:
        placeMovies(rng, f.movies);
        selectSome(rng, f.C());
        f.C().setTimes(pick(rng, 0, 1) ? "Set In Times" : "Set Out Times");
        break;
    case 5: {
        const double stepper = std::array{1.0, -1.0, 0.25}[pick(rng, 0, 2)];  // anything but 1 is down
        if (pick(rng, 0, 1)) {
            f.C().setStepperSource(stepper);
            f.C().sourceHour();
        } else {
            f.C().setStepperMaster(stepper);
            f.C().masterHour();
        }
        break;
    }
    case 6: selectSome(rng, f.C()); f.C().healSelected(); break;
    case 7:
        f.c.selectTab(list.tag());
        selectSome(rng, list);
        f.c.offsetPanel().offsetValueSource = pick(rng, 0, 1) ? "+00:00:01:00" : "-00:00:00:05";
        f.c.offsetPanel().offsetValueMaster = pick(rng, 0, 4) ? "00:00:00:00" : "bad";
        f.c.offsetPanel().offsetSheetAction("Offset");
        break;
    case 8:
        selectSome(rng, f.B());
        f.c.compare(pick(rng, 0, 2) ? "Compare" : "Compare Selected Events Only");
        break;
    case 9: {
        const int tab = pick(rng, 0, 2);
        f.c.selectTab(tab);
        f.c.openFiles({tab == 1 ? files.newCut : files.oldCut});
        break;
    }
    case 10: {
        static const char* const columns[] = {"editNum", "clip", "sourceIn", "masterIn", "masterOut"};
        list.sortByColumn(columns[pick(rng, 0, 4)], pick(rng, 0, 1) == 0);
        break;
    }
    case 11: list.deleteAll(); break;
    default:
        if (f.undo().canUndo() && pick(rng, 0, 1)) f.undo().undo();
        else f.undo().redo();
    }
}

// The change list's events each belong to one whole list: the events a
// comparison or a load brought in (and what healing, editing and hand-made
// events made of them). Two such generations at once would be an event of
// a replaced list inside its successor.
class Generations {
public:
    // After every step: new events join the generation of the events around
    // them, or, when the change list holds none of the old ones, a new one.
    void tag(const EditArray& list) {
        std::set<int> present;
        for (const auto& e : list)
            if (auto it = of_.find(e); it != of_.end()) present.insert(it->second);
        const int joined = present.size() == 1 ? *present.begin() : ++last_;
        for (const auto& e : list) of_.emplace(e, joined);
    }
    std::size_t countIn(const EditArray& list) const {
        std::set<int> present;
        for (const auto& e : list) present.insert(of_.at(e));
        return present.size();
    }

private:
    std::map<EditPtr, int> of_;  // holds the events, so no address is reused
    int last_ = 0;
};

// Every list command in random order, with undo and redo among them: no
// list holds an event twice, the change list never holds two events of one
// number or events of two generations, a table listening only to the
// notices shows the list with no "will" left open, no step is refused as
// not fitting its list, and undoing everything gives back the start,
// redoing everything the end.
TEST(UndoProperty, RandomCommandsKeepEveryListWholeAndUndoToTheStart) {
    const char* const timebases[] = {"25", "30", "29.97df"};
    const char* const listTypes[] = {"PAL video", "NTSC", "NTSC df"};
    TempDir dir;
    const Files files{dir.write("old.edl", "001  clip1 V C 01:00:00:00 01:00:10:00 10:00:00:00 10:00:10:00\n"
                                           "002  clip2 V C 02:00:00:00 02:00:05:00 10:00:10:00 10:00:15:00\n"),
                      dir.write("new.edl", "001  clip2 V C 02:00:01:00 02:00:05:00 10:00:00:00 10:00:04:00\n")};
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        Rng rng(seed);
        Fixture f;
        f.c.setAutosave(false);
        f.ui.saveChoice = SaveChoice::DontSave;
        f.c.prefs().set(pref::EDLType, listTypes[seed % 3]);
        f.A().addEdits(generateList(rng, timebases[seed % 3]));
        f.B().addEdits(generateList(rng, timebases[seed % 3]));
        f.C().addEdits(generateList(rng, timebases[seed % 3]));
        f.A().setFilename("old\n");
        f.B().setFilename("new\n");
        f.C().setFilename("new_fr_old");
        const std::string start = state(f);
        Generations generations;
        generations.tag(f.C().getEditArray());

        for (int i = 0, steps = pick(rng, 1, 40); i < steps; ++i) {
            randomStep(rng, f, files);
            generations.tag(f.C().getEditArray());
            for (dataSource* list : {&f.A(), &f.B(), &f.C()}) {
                const EditArray& events = list->getEditArray();
                ASSERT_EQ(std::set<EditPtr>(events.begin(), events.end()).size(), events.size()) << "step " << i;
            }
            const std::vector<std::string> numbers = numbersOf(f.C().getEditArray());
            ASSERT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), numbers.size()) << "step " << i;
            ASSERT_LE(generations.countIn(f.C().getEditArray()), 1u) << "step " << i;
            ASSERT_EQ(f.tableA.rows, f.A().getEditArray()) << "step " << i;
            ASSERT_EQ(f.tableC.rows, f.C().getEditArray()) << "step " << i;
            ASSERT_FALSE(f.tableA.pending || f.tableC.pending) << "a \"will\" left open at step " << i;
            if (pick(rng, 0, 4) == 0 && f.undo().canUndo()) {  // undo and redo on the way, under the same name
                const std::string before = state(f), name = f.undo().undoActionName();
                f.undo().undo();
                ASSERT_EQ(f.undo().redoActionName(), name) << "step " << i;
                f.undo().redo();
                ASSERT_EQ(state(f), before) << "step " << i;
                ASSERT_EQ(f.undo().undoActionName(), name) << "step " << i;
            }
        }
        while (f.undo().canRedo()) f.undo().redo();  // the steps undone last, back
        for (const auto& a : f.ui.alerts) ASSERT_NE(a.message, "undo history cleared");
        const std::string end = state(f);
        const std::size_t recorded = f.undo().undoCount();
        while (f.undo().canUndo()) f.undo().undo();
        ASSERT_EQ(state(f), start);
        EXPECT_EQ(f.undo().redoCount(), recorded);
        while (f.undo().canRedo()) f.undo().redo();
        ASSERT_EQ(state(f), end);
    }
}

}  // namespace
}  // namespace rw::test
