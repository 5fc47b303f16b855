#include "views/KLVBlockView.h"

#include <algorithm>
#include <limits>

namespace rw {

KLVBlockView::KLVBlockView(const MoviePort& movies, float width, float height)
    : movies_(movies), width_(width), height_(height), viewHeight_(height), viewWidth_(width) {}

void KLVBlockView::setFrameSize(float width, float height) {
    width_ = width;
    height_ = height;
}

void KLVBlockView::measure() {
    viewHeight_ = height_;
    viewWidth_ = width_;
}

// A list whose events all start and end on one frame has no range: it is
// scaled as if it spanned one frame, instead of dividing by zero.
void KLVBlockView::rescale() {
    frameSizeInPixels_ = viewWidth_ / static_cast<float>(totalRange_ == 0 ? 1 : totalRange_);
}

float KLVBlockView::xForFrame(std::int32_t frame) const {
    const std::int64_t offset = std::int64_t{frame} - lowLimit_;
    return static_cast<float>(offset) * frameSizeInPixels_;
}

EventBlocks KLVBlockView::blocksFor(const edit& e) const {
    EventBlocks b;
    b.oldCut = {xForFrame(framesOf(e.sourceIn())), sourceBottom_, xForFrame(framesOf(e.sourceOut())), sourceTop_};
    b.newCut = {xForFrame(framesOf(e.masterIn())), masterBottom_, xForFrame(framesOf(e.masterOut())), masterTop_};
    return b;
}

void KLVBlockView::setBlocksFromEdits(const EditArray& events) {
    measure();
    blocks_.clear();
    hiLights_.clear();
    marks_.clear();
    events_ = events;
    if (!events.empty()) {
        if (const TcPtr& first = events.front()->masterIn()) labelTime_ = *first;
        std::int32_t hi = std::numeric_limits<std::int32_t>::min();
        std::int32_t low = std::numeric_limits<std::int32_t>::max();
        for (const auto& e : events) {
            hi = std::max({hi, framesOf(e->masterOut()), framesOf(e->sourceOut())});
            low = std::min({low, framesOf(e->masterIn()), framesOf(e->sourceIn())});
        }
        hiLimit_ = hi;
        lowLimit_ = low;
        totalRange_ = wrap32(std::int64_t{hi} - low);
        rescale();
        masterBottom_ = 5;
        sourceBottom_ = viewHeight_ / 2 + 5;
        masterTop_ = viewHeight_ / 2 - 5;
        sourceTop_ = viewHeight_ - 5;
        for (const auto& e : events) blocks_.push_back(blocksFor(*e));
        if (marked_)
            for (const auto& e : events)
                if (marked_(e)) marks_.push_back(blocksFor(*e));
    }
    display();
}

void KLVBlockView::hiLightEdits(const EditArray& events) {
    hiLights_.clear();
    measure();
    rescale();
    for (const auto& e : events) hiLights_.push_back(blocksFor(*e));
    display();
}

void KLVBlockView::resetPlayheads() {
    measure();
    playheadOld_ = Playhead{0, viewHeight_ - 1, viewHeight_ / 2 + 1};
    playheadNew_ = Playhead{0, viewHeight_ / 2 - 1, 1};
}

// The movie's elapsed frames plus its start timecode give the list frame under the playhead.
void KLVBlockView::placePlayhead(std::optional<Playhead>& playhead, std::int32_t elapsed, MovieSide side) {
    measure();
    if (!playhead) resetPlayheads();
    rescale();
    const std::int64_t frame = std::int64_t{elapsed} + movies_.startTimecode(side).totalFrames() - lowLimit_;
    playhead->x = frameSizeInPixels_ * static_cast<float>(frame);
    display();
}

void KLVBlockView::setPlayheadPositionWithElapsedFrames_old(std::int32_t elapsed) {
    placePlayhead(playheadOld_, elapsed, MovieSide::Old);
}

void KLVBlockView::setPlayheadPositionWithElapsedFrames_new(std::int32_t elapsed) {
    placePlayhead(playheadNew_, elapsed, MovieSide::New);
}

void KLVBlockView::viewWillStartLiveResize() { oldWidth_ = width_; }

void KLVBlockView::viewDidEndLiveResize() {
    if (oldWidth_ > 0) {
        const float factor = width_ / oldWidth_;
        for (auto* list : {&blocks_, &hiLights_, &marks_})
            for (auto& b : *list)
                for (auto* r : {&b.oldCut, &b.newCut}) {
                    r->left *= factor;
                    r->right *= factor;
                }
    }
    display();
}

EditPtr KLVBlockView::eventAt(float x, float y) const {
    const auto inside = [&](const BlockRect& r) {
        return x >= std::min(r.left, r.right) && x <= std::max(r.left, r.right) && y >= r.bottom && y <= r.top;
    };
    // Later blocks are drawn over earlier ones: the last one hit is the one seen.
    for (std::size_t i = blocks_.size(); i-- > 0;)
        if (i < events_.size() && (inside(blocks_[i].oldCut) || inside(blocks_[i].newCut))) return events_[i];
    return nullptr;
}

std::vector<RulerTick> KLVBlockView::rulerTicks(float minSpacing) const {
    std::vector<RulerTick> ticks;
    if (blocks_.empty() || width_ <= 0) return ticks;
    const double perFrame = width_ / static_cast<double>(totalRange_ == 0 ? 1 : totalRange_);
    const std::int64_t fps = std::max<std::int64_t>(1, static_cast<std::int64_t>(labelTime_.framerate()));
    static const int seconds[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    std::int64_t step = fps * 3600;
    for (int s : seconds)
        if (perFrame * fps * s >= minSpacing) {
            step = fps * s;
            break;
        }
    KLVtc label = labelTime_;
    for (std::int64_t f = (std::int64_t{lowLimit_} + step - 1) / step * step; f <= hiLimit_; f += step) {
        label.setTotalFrames(static_cast<std::int32_t>(f));
        ticks.push_back({static_cast<float>((f - lowLimit_) * perFrame), label.tcAsString()});
    }
    return ticks;
}

std::string blockToolTip(const edit& e) {
    return e.editNum() + "  " + e.clip() + "\nold cut " + describe(e.sourceIn()) + " \u2013 " + describe(e.sourceOut()) +
           "\nnew cut " + describe(e.masterIn()) + " \u2013 " + describe(e.masterOut());
}

void KLVBlockView::display() {
    if (needsDisplay_) needsDisplay_();
}

}  // namespace rw
