// Nested clip items: the composed placement against the walk through every
// enclosing clip item, and a nest far deeper than any real sequence.

#include "import/FcpClipItem.h"
#include "import/FcpXmlParser.h"
#include "import/XmemlBuilder.h"
#include "ports/UiPort.h"
#include "support/EventFrames.h"

#include <gtest/gtest.h>

#include <random>

namespace rw {
namespace {

using namespace rw::test;

// Each enclosing clip item in turn, innermost first.
std::optional<FcpPlacement> walk(const FcpClipItem& item, const std::vector<FcpClipItem>& enclosing, bool earlier) {
    FcpPlacement p = resolveTransitions(item, earlier);
    for (auto it = enclosing.rbegin(); it != enclosing.rend(); ++it) {
        const FcpPlacement parent = resolveTransitions(*it, true);
        if (p.end <= parent.in || p.start >= parent.out) return std::nullopt;
        if (p.start <= parent.in) {
            p.in += parent.in - p.start;
            p.start = parent.start;
        } else {
            p.start = p.start + parent.start - parent.in;
        }
        if (p.end >= parent.out) {
            p.out -= p.end - parent.out;
            p.end = parent.end;
        } else {
            p.end = p.end + parent.start - parent.in;
        }
    }
    return p;
}

// Small numbers, so that times meet the levels' ends often; lengths that
// differ from level to level, the odd empty range, transitions and -1 starts
// and ends.
void randomize(FcpClipItem& c, std::mt19937& rng) {
    auto n = [&](int from, int to) { return std::uniform_int_distribution<std::int64_t>(from, to)(rng); };
    c.in = n(0, 10);
    c.out = c.in + (rng() % 10 ? n(10, 40) : n(-2, 5));
    c.start = rng() % 6 == 0 ? -1 : n(0, 12);
    c.end = rng() % 6 == 0 ? -1 : c.start + c.out - c.in + n(-4, 4);
    c.transitionStart = c.transitionEnd = std::nullopt;
    if (rng() % 4 == 0) {
        c.transitionStart = n(0, 20);
        c.transitionEnd = *c.transitionStart + n(1, 8);
    }
}

bool same(const std::optional<FcpPlacement>& a, const std::optional<FcpPlacement>& b) {
    if (!a || !b) return !a && !b;
    return a->in == b->in && a->out == b->out && a->start == b->start && a->end == b->end;
}

TEST(FcpClipItemStack, PlacesAsTheWalkThroughEveryLevel) {
    std::mt19937 rng(2024);
    FcpClipItemStack stack;
    std::vector<FcpClipItem> mirror;
    int placedSome = 0;
    for (int step = 0; step < 200000; ++step) {
        const unsigned op = rng() % 10;
        if (op < 3 && mirror.size() < 24) {
            FcpClipItem c;
            randomize(c, rng);
            stack.push(c);
            mirror.push_back(c);
        } else if (op < 6 && !mirror.empty()) {
            stack.pop();
            mirror.pop_back();
        } else if (op < 7 && !mirror.empty()) {  // a field read after the items inside it
            randomize(stack.top(), rng);
            mirror.back() = stack.top();
        } else {
            FcpClipItem c;
            randomize(c, rng);
            const bool earlier = rng() % 2;
            const auto want = walk(c, mirror, earlier);
            ASSERT_TRUE(same(stack.place(c, earlier), want)) << "step " << step << ", depth " << mirror.size();
            placedSome += want.has_value();
        }
    }
    EXPECT_GT(placedSome, 5000);  // at every depth up to about twenty
}

// Every level is used from 0 to 100000 and placed one frame later than the
// level inside it; each level's own clip item has a file and so an event.
std::string nest(int depth) {
    std::string open, close;
    for (int k = 0; k < depth; ++k) {
        open += "<clipitem><name>n" + std::to_string(k) + "</name><in>0</in><out>100000</out><start>1</start>"
                "<end>100001</end><file id=\"f\"/><sequence><media><video><track>";
        close += "</track></video></media></sequence></clipitem>";
    }
    return open + clip("inner", 0, 10, 0, 10, fileRef("f")) + close;
}

TEST(FcpXml, DeepNestingReadsEveryLevel) {
    constexpr int depth = 20000;
    const FcpRead read = KLVFcpXmlParser({"24fps EDL/XML", 0, false}).parseText(xmeml(sequence(track(file("f", 0) + nest(depth)))));
    ASSERT_EQ(read.parsed.error, "");
    const EditArray& events = read.events;
    ASSERT_EQ(events.size(), depth + 1u);
    const Frames inner = frames(events.front()), outer = frames(events.back()), middle = frames(events[depth / 2]);
    EXPECT_EQ(inner.si, 0);  // moved by one frame per level, never cut
    EXPECT_EQ(inner.mi, depth);
    EXPECT_EQ(inner.mo, depth + 10);
    EXPECT_EQ(outer.so, 100000);  // cut by one frame per level around it
    EXPECT_EQ(middle.so, 100000 - depth / 2);
    EXPECT_EQ(middle.mo, 100001);
}

}  // namespace
}  // namespace rw
