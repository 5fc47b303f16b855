#pragma once
// Fakes shared by the list and view tests: movies with settable clocks, a
// table that counts what it is told, and a controller that records the movie
// transport the lists ask for.

#include "app/ConformController.h"
#include "comparison/Heal.h"
#include "ports/TablePort.h"
#include "support/TempDir.h"
#include "app/NullPorts.h"
#include "support/RecordingUi.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace rw::test {

class FakeMovies : public NoMovies {
public:
    struct Side {
        bool loaded = false;
        std::int64_t time = 0;
        std::int32_t scale = 600;
        double rate = 25;
        std::string startField;
        KLVtc startTC;
        double playback = 0;
    };
    Side old, nu;

    const Side& side(MovieSide s) const { return s == MovieSide::Old ? old : nu; }
    bool hasMovie(MovieSide s) const override { return side(s).loaded; }
    std::int64_t currentTime(MovieSide s) const override { return side(s).time; }
    std::int32_t timeScale(MovieSide s) const override { return side(s).scale; }
    double measuredRate(MovieSide s) const override { return side(s).rate; }
    std::string startField(MovieSide s) const override { return side(s).startField; }
    KLVtc startTimecode(MovieSide s) const override { return side(s).startTC; }
    double playbackRate(MovieSide s) const override { return side(s).playback; }
};

// A loaded movie standing at `time` (in units of `scale` a second).
inline FakeMovies::Side movieAt(std::int64_t time, std::int32_t scale, double rate, std::string startField = "",
                                KLVtc startTC = KLVtc()) {
    return {true, time, scale, rate, std::move(startField), startTC, 0};
}

// Keeps the rows as the notices tell them (by event identity read at each
// notice), so a test can check that the notices alone follow the list.
class RecordingTable : public TablePort {
public:
    explicit RecordingTable(const dataSource& list) : list_(list) {}
    EditArray rows;  // what a table that only listened would show
    bool pending = false;  // between a "will" and its "did"
    std::vector<std::size_t> scrolledTo;

    void rowsWillChange(const RowChange&) override { pending = true; }
    void rowsDidChange(const RowChange& c) override {
        pending = false;
        const EditArray& now = list_.getEditArray();
        using K = RowChange::Kind;
        if (c.kind == K::Insert) rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(c.first),
                                             now.begin() + static_cast<std::ptrdiff_t>(c.first),
                                             now.begin() + static_cast<std::ptrdiff_t>(c.last + 1));
        if (c.kind == K::Remove) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(c.first),
                                            rows.begin() + static_cast<std::ptrdiff_t>(c.last + 1));
        if (c.kind == K::Reorder) rows = now;
    }
    void labelsChanged() override {}
    void selectionChanged() override {}
    void scrollRowToVisible(std::size_t row) override { scrolledTo.push_back(row); }

private:
    const dataSource& list_;
};

// Records the transport requests ("source 01:00:00:00", "play", ...).
class ProbeController : public conformController {
public:
    using conformController::conformController;
    std::vector<std::string> calls;
    std::string lastCall() const { return calls.empty() ? "" : calls.back(); }
    void gotoTimeSource(const KLVtc& t) override { calls.push_back("source " + t.tcAsString()); }
    void gotoTimeMaster(const KLVtc& t) override { calls.push_back("master " + t.tcAsString()); }
    void nudgeMoviesBackOne() override { calls.push_back("back"); }
    void nudgeMoviesForwardOne() override { calls.push_back("forward"); }
    void playMovies(std::optional<int> tag) override { calls.push_back("play" + tagText(tag)); }
    void stopMovies(std::optional<int> tag) override { calls.push_back("stop" + tagText(tag)); }
    void refreshMovieDiffPanel() override { calls.push_back("diff"); }

private:
    static std::string tagText(std::optional<int> tag) { return tag ? " " + std::to_string(*tag) : ""; }
};

inline TcPtr tc(const std::string& text, const std::string& timebase = "25") {
    TcPtr t = KLVtc::initWithString(text, timebase);
    if (!t) throw std::invalid_argument("bad test timecode " + text);
    return t;
}

inline TcPtr frames(std::int32_t n, const std::string& timebase = "25") { return KLVtc::initWithFrames(n, timebase); }

inline EditPtr event(const std::string& num, const std::string& si, const std::string& so, const std::string& mi,
                     const std::string& mo, const std::string& timebase = "25") {
    return edit::initWithNum(num, "clip" + num, tc(si, timebase), tc(so, timebase), tc(mi, timebase),
                             tc(mo, timebase));
}

inline EditPtr eventAt(const std::string& num, std::int32_t si, std::int32_t so, std::int32_t mi, std::int32_t mo) {
    return edit::initWithNum(num, "clip" + num, frames(si), frames(so), frames(mi), frames(mo));
}

// n numbered events a second long, one after the other from 10:00:00:00.
inline EditArray numberedList(int n) {
    EditArray list;
    for (int i = 0; i < n; ++i) {
        const std::int32_t at = 10 * 3600 * 25 + i * 25;
        list.push_back(eventAt(eventNumberText(i + 1), at, at + 25, at, at + 25));
    }
    return list;
}

inline std::vector<std::string> numbersOf(const EditArray& list) {
    std::vector<std::string> out;
    for (const auto& e : list) out.push_back(e->editNum());
    return out;
}

struct Fixture {
    RecordingUi ui;
    FakeMovies movies;
    ProbeController c{ui, movies};
    RecordingTable tableA{c.dataSourceA()}, tableC{c.dataSourceC()};
    Fixture() {
        c.dataSourceA().setTable(&tableA);
        c.dataSourceC().setTable(&tableC);
    }
    dataSource& A() { return c.dataSourceA(); }
    dataSource& B() { return c.dataSourceB(); }
    dataSource& C() { return c.dataSourceC(); }
    UndoStack& undo() { return c.undoManager(); }
};

}  // namespace rw::test
