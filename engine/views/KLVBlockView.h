#pragma once
// The change list as a picture, as geometry only: every change event is a
// rectangle in the upper (old cut, sourceIn..sourceOut) band and one in the
// lower (new cut, masterIn..masterOut) band, on one time scale; the selected
// events again as highlights, the events whose pictures did not match as
// marks; a playhead per movie. The app paints what this holds (blocks gray,
// highlights blue, marks outlined amber, playheads green) and redraws when asked.
//
//   h - 5   +--------+  +----+                 old cut (source) band
//   h/2 + 5 +--------+  +----+
//   h/2 - 5      +--------++----+              new cut (master) band
//   5            +--------++----+
//           x = (frame - lowLimit) * frameSizeInPixels
//
// Coordinates: x to the right, y upward, origin lower left. Main thread only:
// the movie threads hand their playhead updates to the main thread.

#include "core/Edit.h"
#include "ports/MoviePort.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rw {

struct BlockRect {
    float left = 0, bottom = 0, right = 0, top = 0;  // left at the in point, right at the out point
    friend bool operator==(const BlockRect&, const BlockRect&) = default;
};

// The two rectangles of one change event.
struct EventBlocks {
    BlockRect oldCut, newCut;
    friend bool operator==(const EventBlocks&, const EventBlocks&) = default;
};

// A mark of the time ruler: where it stands and the timecode it names.
struct RulerTick {
    float x = 0;
    std::string label;
    friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

// A vertical line of width 2 from (x, from) to (x, to).
struct Playhead {
    float x = 0, from = 0, to = 0;
    float lineWidth = 2;
};

class KLVBlockView {
public:
    // The view's size; the start timecodes come from the movies.
    KLVBlockView(const MoviePort& movies, float width, float height);

    // The widget's current size; read ("measured") by the operations below.
    void setFrameSize(float width, float height);
    void setNeedsDisplayHandler(std::function<void()> handler) { needsDisplay_ = std::move(handler); }

    // Rebuilds scale, bands and blocks from the whole change list.
    void setBlocksFromEdits(const EditArray& events);
    // Highlights these events on the current scale; none clears the highlight.
    void hiLightEdits(const EditArray& events);
    // Which events carry a mark (their pictures were found not to match);
    // asked of every event each time the blocks are built. Empty: no marks.
    void setMarked(std::function<bool(const EditPtr&)> marked) { marked_ = std::move(marked); }
    void setPlayheadPositionWithElapsedFrames_old(std::int32_t elapsed);
    void setPlayheadPositionWithElapsedFrames_new(std::int32_t elapsed);
    void resetPlayheads();
    void viewWillStartLiveResize();
    // Scales blocks and highlights to the new width; the playheads wait for their next update.
    void viewDidEndLiveResize();

    float xForFrame(std::int32_t frame) const;

    // The change event whose block (old or new band) holds the point; null
    // between blocks and bands.
    EditPtr eventAt(float x, float y) const;
    // Marks at whole seconds, minutes or hours, the first step in 1 2 5 10
    // 15 30 s, 1 2 5 10 15 30 min, 1 h that keeps them `minSpacing` points
    // apart, labelled in the timecode of the list's first event.
    std::vector<RulerTick> rulerTicks(float minSpacing) const;

    const std::vector<EventBlocks>& blocks() const { return blocks_; }
    const std::vector<EventBlocks>& hiLights() const { return hiLights_; }
    const std::vector<EventBlocks>& marks() const { return marks_; }
    const std::optional<Playhead>& playheadOld() const { return playheadOld_; }
    const std::optional<Playhead>& playheadNew() const { return playheadNew_; }
    float masterBottom() const { return masterBottom_; }
    float masterTop() const { return masterTop_; }
    float sourceBottom() const { return sourceBottom_; }
    float sourceTop() const { return sourceTop_; }
    float frameSizeInPixels() const { return frameSizeInPixels_; }
    std::int32_t hiLimit() const { return hiLimit_; }
    std::int32_t lowLimit() const { return lowLimit_; }
    std::int32_t totalRange() const { return totalRange_; }
    float viewWidth() const { return viewWidth_; }
    float viewHeight() const { return viewHeight_; }

private:
    void measure();
    void rescale();
    EventBlocks blocksFor(const edit& e) const;
    void placePlayhead(std::optional<Playhead>& playhead, std::int32_t elapsed, MovieSide side);
    void display();

    const MoviePort& movies_;
    std::function<void()> needsDisplay_;
    std::function<bool(const EditPtr&)> marked_;
    EditArray events_;  // the list the blocks were built from, in their order
    KLVtc labelTime_;   // the list's timecode kind, for the ruler's labels
    float width_ = 0, height_ = 0;  // the bounds as the widget last reported them

    std::vector<EventBlocks> blocks_, hiLights_, marks_;
    std::optional<Playhead> playheadOld_, playheadNew_;
    float masterBottom_ = 0, sourceBottom_ = 0, masterTop_ = 0, sourceTop_ = 0;
    float frameSizeInPixels_ = 0;
    std::int32_t hiLimit_ = 0, lowLimit_ = 0, totalRange_ = 0;
    float viewHeight_ = 0, viewWidth_ = 0, oldWidth_ = 0;
};

// What a block's tooltip says of its change event: number, clip, and the
// old-cut and new-cut times.
std::string blockToolTip(const edit& e);

}  // namespace rw
