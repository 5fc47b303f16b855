// Random sequences of list changes, undone to the start and redone to the end.

#include "lists/ListFakes.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace rw::test {
namespace {

using Rng = std::mt19937;

int pick(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

std::string describeTime(const TcPtr& t) {
    if (!t) return "-";
    std::ostringstream out;
    out << t->tcAsString() << '=' << t->totalFrames() << '@' << t->framerate() << (t->isDrop() ? "d" : "");
    return out.str();
}

// Everything the lists show: which events, in which order, their numbers,
// names, times and colours, and the labels.
std::vector<std::string> snapshot(dataSource& list) {
    std::vector<std::string> lines = {list.filename() + "|" + list.editCount()};
    for (const auto& e : list.getEditArray()) {
        std::ostringstream out;
        out << e.get() << ' ' << e->editNum() << ' ' << e->clip() << ' ' << describeTime(e->sourceIn()) << ' '
            << describeTime(e->sourceOut()) << ' ' << describeTime(e->masterIn()) << ' '
            << describeTime(e->masterOut()) << ' ' << e->color().r << ',' << e->color().g << ',' << e->color().b;
        lines.push_back(out.str());
    }
    return lines;
}

using State = std::pair<std::vector<std::string>, std::vector<std::string>>;

State state(Fixture& f) { return {snapshot(f.A()), snapshot(f.C())}; }

const Color kColors[] = {standardColorText(), standardColorGap(), Color::red(), Color::black()};

// A list as a comparison leaves it: in masterIn order, numbered, times within the day.
EditArray generateList(Rng& rng, const std::string& timebase) {
    const int rate = timebase == "25" ? 25 : 30;
    const std::int32_t day = (timebase == "29.97df" ? 107892 : 3600 * rate) * 24;
    EditArray list;
    std::int32_t at = pick(rng, 0, day / 2);
    const int n = pick(rng, 1, 12);
    for (int i = 0; i < n; ++i) {
        const std::int32_t length = pick(rng, 1, 500);
        const std::int32_t source = pick(rng, 0, day - 600);
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

// What a user might type into a time cell: a time of the day in one of the
// two forms, the same time again, or something that is not a time.
std::string typedTime(Rng& rng, const TcPtr& current) {
    switch (pick(rng, 0, 4)) {
    case 0: return current->tcAsString();
    case 1: return "garbage";
    case 2: return two(pick(rng, 0, 23)) + two(pick(rng, 0, 59)) + two(pick(rng, 0, 59)) + two(pick(rng, 0, 23));
    default:
        return two(pick(rng, 0, 23)) + ":" + two(pick(rng, 0, 59)) + ":" + two(pick(rng, 0, 59)) + ":" +
               two(pick(rng, 0, 23));
    }
}

void selectSome(Rng& rng, dataSource& list) {
    std::vector<std::size_t> rows;
    const int n = static_cast<int>(list.getEditArray().size());
    if (n == 0) return;
    for (int k = pick(rng, 1, 3); k > 0; --k) rows.push_back(static_cast<std::size_t>(pick(rng, 0, n - 1)));
    list.selectRows(rows);
}

void placeMovies(Rng& rng, FakeMovies& movies) {
    for (auto* side : {&movies.old, &movies.nu}) {
        side->loaded = pick(rng, 0, 3) != 0;
        side->time = pick(rng, 0, 3599 * 600);  // within the hour the list starts in
        side->scale = 600;
        side->rate = pick(rng, 0, 1) ? 25 : 29.97;
    }
}

void randomStep(Rng& rng, Fixture& f) {
    dataSource& list = pick(rng, 0, 3) == 0 ? f.A() : f.C();
    const int n = static_cast<int>(list.getEditArray().size());
    switch (pick(rng, 0, 5)) {
    case 0:
    case 1:
        if (n > 0) {
            const auto row = static_cast<std::size_t>(pick(rng, 0, n - 1));
            static const char* const columns[] = {"sourceIn", "sourceOut", "masterIn", "masterOut"};
            const char* column = columns[pick(rng, 0, 3)];
            list.setObjectValue(typedTime(rng, timecodeForColumn(*list.getEditArray()[row], column)), column, row);
        }
        break;
    case 2:
        selectSome(rng, list);
        list.deleteEvents();
        break;
    case 3:
        placeMovies(rng, f.movies);
        f.C().newEvent();
        break;
    case 4:
        placeMovies(rng, f.movies);
        selectSome(rng, f.C());
        f.C().setTimes(pick(rng, 0, 1) ? "Set In Times" : "Set Out Times");
        break;
    default:
        if (pick(rng, 0, 1)) {
            f.C().setStepperSource(pick(rng, 0, 1) ? 1 : -1);
            f.C().sourceHour();
        } else {
            f.C().setStepperMaster(pick(rng, 0, 1) ? 1 : -1);
            f.C().masterHour();
        }
    }
}

TEST(UndoProperty, RandomChangesUndoToTheStartAndRedoToTheEnd) {
    const char* const timebases[] = {"25", "30", "29.97df"};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Rng rng(seed);
        Fixture f;
        const std::string timebase = timebases[seed % 3];
        f.c.prefs().set(pref::EDLType, timebase == "25" ? "PAL video" : (timebase == "30" ? "NTSC" : "NTSC df"));
        f.A().addEdits(generateList(rng, timebase));
        f.C().addEdits(generateList(rng, timebase));
        f.A().setFilename("old\n");
        f.C().setFilename("new_fr_old");
        const State start = state(f);

        const int steps = pick(rng, 1, 40);
        for (int i = 0; i < steps; ++i) {
            randomStep(rng, f);
            if (pick(rng, 0, 4) == 0 && f.undo().canUndo()) {  // undo and redo on the way
                const State before = state(f);
                f.undo().undo();
                f.undo().redo();
                ASSERT_EQ(state(f), before) << "seed " << seed << " step " << i;
            }
        }
        const State end = state(f);
        const std::size_t recorded = f.undo().undoCount();
        while (f.undo().canUndo()) f.undo().undo();
        ASSERT_EQ(state(f), start) << "seed " << seed;
        EXPECT_EQ(f.undo().redoCount(), recorded);
        while (f.undo().canRedo()) f.undo().redo();
        ASSERT_EQ(state(f), end) << "seed " << seed;
    }
}

}  // namespace
}  // namespace rw::test
