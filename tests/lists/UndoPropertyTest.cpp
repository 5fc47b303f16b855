// Random sequences of list changes, undone to the start and redone to the end.

#include "lists/ListFakes.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>

namespace rw::test {
namespace {

using Rng = std::mt19937;

int pick(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Everything lists A and C show: which events, in which order, their numbers,
// names, times and colours, and the labels.
std::string state(Fixture& f) {
    std::ostringstream out;
    for (dataSource* list : {&f.A(), &f.C()}) {
        out << list->filename() << '|' << list->editCount() << '\n';
        for (const auto& e : list->getEditArray()) {
            out << e.get() << ' ' << e->editNum() << ' ' << e->clip();
            for (const TcPtr& t : {e->sourceIn(), e->sourceOut(), e->masterIn(), e->masterOut()}) {
                if (t) out << ' ' << t->tcAsString() << '=' << t->totalFrames() << '@' << t->framerate() << t->isDrop();
                else out << " -";
            }
            out << ' ' << e->color().r << ',' << e->color().g << ',' << e->color().b << '\n';
        }
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

void randomStep(Rng& rng, Fixture& f) {
    dataSource& list = pick(rng, 0, 3) == 0 ? f.A() : f.C();
    const int n = static_cast<int>(list.getEditArray().size());
    switch (pick(rng, 0, 5)) {
    case 0:
    case 1:
        if (n > 0) {
            static const char* const columns[] = {"sourceIn", "sourceOut", "masterIn", "masterOut"};
            const auto row = static_cast<std::size_t>(pick(rng, 0, n - 1));
            const char* column = columns[pick(rng, 0, 3)];
            list.setObjectValue(typedTime(rng, timecodeForColumn(*list.getEditArray()[row], column)), column, row);
        }
        break;
    case 2: selectSome(rng, list); list.deleteEvents(); break;
    case 3: placeMovies(rng, f.movies); f.C().newEvent(); break;
    case 4:
        placeMovies(rng, f.movies);
        selectSome(rng, f.C());
        f.C().setTimes(pick(rng, 0, 1) ? "Set In Times" : "Set Out Times");
        break;
    default: {
        const double stepper = std::array{1.0, -1.0, 0.25}[pick(rng, 0, 2)];  // anything but 1 is down
        if (pick(rng, 0, 1)) {
            f.C().setStepperSource(stepper);
            f.C().sourceHour();
        } else {
            f.C().setStepperMaster(stepper);
            f.C().masterHour();
        }
    }
    }
}

TEST(UndoProperty, RandomChangesUndoToTheStartAndRedoToTheEnd) {
    const char* const timebases[] = {"25", "30", "29.97df"};
    const char* const listTypes[] = {"PAL video", "NTSC", "NTSC df"};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Rng rng(seed);
        Fixture f;
        f.c.prefs().set(pref::EDLType, listTypes[seed % 3]);
        f.A().addEdits(generateList(rng, timebases[seed % 3]));
        f.C().addEdits(generateList(rng, timebases[seed % 3]));
        f.A().setFilename("old\n");
        f.C().setFilename("new_fr_old");
        const std::string start = state(f);

        for (int i = 0, steps = pick(rng, 1, 40); i < steps; ++i) {
            randomStep(rng, f);
            if (pick(rng, 0, 4) == 0 && f.undo().canUndo()) {  // undo and redo on the way, under the same name
                const std::string before = state(f), name = f.undo().undoActionName();
                f.undo().undo();
                ASSERT_EQ(f.undo().redoActionName(), name) << "step " << i;
                f.undo().redo();
                ASSERT_EQ(state(f), before) << "step " << i;
                ASSERT_EQ(f.undo().undoActionName(), name) << "step " << i;
            }
        }
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
