#pragma once
// One movie file, read frame-exactly. Any container and codec FFmpeg reads
// will do (QuickTime, MP4, MXF, AVI, Matroska, MPEG transport streams ...).
//
// Movie time runs in units of 1/timeScale seconds from the first frame a
// player shows (0). The frames are those a player shows: an edit list's
// hidden frames are not among them, and a file cut short ends at its last
// whole frame. frameAt(t) gives the frame whose presentation interval holds
// t, whatever the stream's group-of-pictures structure: the reader seeks to
// the key frame before t and decodes forward. The frames decoded on the way
// are kept (within a byte budget, at the size asked for), so stepping back
// and forth around a position costs little or nothing; warm() decodes the
// frames around a position before they are asked for.
//
// Variable frame rate: the frame grid holds each frame's own start, so an
// index is the frame's real number and a step goes to the next real frame;
// the rate is the average (frames over duration).
//
// Pictures are shown as a player shows them: square pixels, turned upright.
//
// A reader is thread-compatible: one thread at a time (for instance a
// decoding thread per movie); readers share nothing.

#include "media/Image.h"
#include "movies/FrameGrid.h"
#include "movies/MovieStart.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace rw::media {

struct MovieInfo {
    double rate = 0;             // the measured static frame rate; 0 when unknown
    std::string rateText;        // as the review windows show it ("23.98")
    std::int64_t timeScale = 0;  // movie units per second
    std::int64_t duration = 0;   // movie units: the last frame's end
    std::int64_t frameCount = 0;
    int width = 0, height = 0;   // as stored
    int displayWidth = 0, displayHeight = 0;  // as shown: square pixels, turned upright
    int rotation = 0;            // clockwise degrees it is turned when shown: 0, 90, 180 or 270
    bool variableRate = false;   // frames of unequal length
    bool hasTimecodeTrack = false;
    std::optional<TrackTimecode> timecode;  // the movie's own start timecode, if it has one
    std::string startTimecode;   // that timecode read at rateText; empty when none or unreadable
    FrameGrid frames;            // frame starts for steps and locates
};

struct Frame {
    std::shared_ptr<const Image> image;  // RGB, as shown
    std::int64_t time = 0;   // movie time at which the frame starts being shown
    std::int64_t index = 0;  // its number on the frame grid (frame 0 first)
    std::string note;        // why it is not the frame asked for (the file ends sooner, ...); empty when it is
};

struct ReaderOptions {
    int cacheFrames = 24;  // decoded frames kept around the position
    int decoderThreads = 0;  // 0: FFmpeg chooses
    std::size_t cacheBytes = std::size_t{256} << 20;  // pictures kept for going back
    // Pictures no larger than this box (the place they are shown in), their
    // aspect kept; 0: the movie's display size.
    int pictureWidth = 0, pictureHeight = 0;
    // Decode at a half, quarter or eighth of full size where the codec can
    // (MJPEG) and the box still gets pictures at least its size; only for a
    // box that stays as it is.
    bool decodeSmall = false;
};

class MovieReader {
public:
    // Fails with the reason for a missing, empty, truncated or damaged file,
    // one that is no movie, one without a decodable video stream, or one
    // whose length cannot be right.
    static Outcome<std::unique_ptr<MovieReader>> open(const std::string& path, const ReaderOptions& options = {});
    ~MovieReader();
    MovieReader(const MovieReader&) = delete;
    MovieReader& operator=(const MovieReader&) = delete;

    const MovieInfo& info() const;

    // The frame shown at movie time t (clamped to the movie). A frame that
    // cannot be decoded gives the nearest one that can, with a note.
    Outcome<Frame> frameAt(std::int64_t time);
    Outcome<Frame> frameNumber(std::int64_t index);
    // The frame after the one shown at t, in presentation order; the one at
    // t itself when it is the last.
    Outcome<Frame> frameAfter(std::int64_t time);
    Outcome<Frame> firstFrame() { return frameAt(0); }
    Outcome<Frame> lastFrame() { return frameAt(lastFrameTime()); }

    // Frame steps on the movie's grid: n forward (n > 0) or back (n < 0).
    std::int64_t stepTime(std::int64_t from, int n) const;
    std::int64_t lastFrameTime() const;

    // A new box for the pictures (see ReaderOptions); the kept ones go.
    void setPictureBox(int width, int height);
    // Decodes frames around `position` that a step or two might soon ask
    // for: on a little, and the group of pictures before when the kept ones
    // begin close behind. `interrupted` is asked between frames. False when
    // there is nothing more to do there.
    bool warm(std::int64_t position, const std::function<bool()>& interrupted);
    // Whether the frame at t is kept, and whether warm() is making it now.
    bool hasPicture(std::int64_t time) const;
    bool isFilling(std::int64_t time) const;

    struct Impl;  // opaque: the FFmpeg state
    explicit MovieReader(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// FFmpeg's messages about damaged input go to standard error unless this is
// called; it changes FFmpeg's process-wide log level.
void quietFFmpegLog();

}  // namespace rw::media
