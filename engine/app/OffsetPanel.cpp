#include "app/OffsetPanel.h"

#include "views/SenderTitles.h"

#include "lists/DataSource.h"
#include "lists/ListHost.h"

#include <optional>
#include <set>

namespace rw {

namespace {

// A signed offset: a leading "-" negates, a leading "+" is dropped.
std::optional<std::int64_t> parseOffset(const std::string& text, const Timebase& timebase) {
    std::string_view t = text;
    const bool negative = !t.empty() && t.front() == '-';
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    const TcPtr tc = KLVtc::initWithString(t, timebase);
    if (!tc) return std::nullopt;
    return negative ? -std::int64_t{tc->totalFrames()} : tc->totalFrames();
}

// setTotalFrames leaves a time alone when the sum would fall below zero.
void shift(const TcPtr& t, std::int64_t by, std::set<const KLVtc*>& done, TimesChange& record) {
    if (!t || !done.insert(t.get()).second) return;
    record.times.emplace_back(t, t->totalFrames());
    t->setTotalFrames(wrap32(t->totalFrames() + by));
}

}  // namespace

bool OffsetPanel::offsetSheetAction(const std::string& title) {
    message_.clear();
    if (title != title::Offset) return true;
    dataSource& list = host_.listForTab(host_.selectedTab());
    const EditArray events = list.selectedEvents();
    if (events.empty()) return true;
    // The time's own rate and drop flag: 59.94 drop frame has no rate text of its own.
    const Timebase timebase = events.front()->sourceIn() ? events.front()->sourceIn()->timebase() : Timebase{};
    const auto source = parseOffset(offsetValueSource, timebase);
    const auto master = parseOffset(offsetValueMaster, timebase);
    if (!source || !master) {
        host_.ui().beep();
        const std::string& bad = source ? offsetValueMaster : offsetValueSource;
        const std::string rate = events.front()->sourceIn() ? events.front()->sourceIn()->framerateString() : "";
        message_ = "\"" + bad + "\" is not an offset at " + rate + " fps: type [+|-]HH:MM:SS:FF";
        return false;
    }
    std::set<const KLVtc*> done;  // a timecode shared by two fields moves once
    TimesChange record{{}, list.tag(), "Offset Events"};
    for (const auto& e : events) {
        shift(e->sourceIn(), *source, done, record);
        shift(e->sourceOut(), *source, done, record);
        shift(e->masterIn(), *master, done, record);
        shift(e->masterOut(), *master, done, record);
    }
    list.registerUndo(std::move(record), "Offset Events");
    list.allRowsChanged();
    host_.listForTab(2).refreshBlockView();
    message_ = "Offset " + std::to_string(events.size()) + (events.size() == 1 ? " event" : " events");
    return true;
}

}  // namespace rw
