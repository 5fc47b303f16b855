#pragma once
// One movie file, read frame-exactly. Any container and codec FFmpeg reads
// will do (QuickTime, MP4, MXF, AVI, Matroska ...).
//
// Movie time runs in units of 1/timeScale seconds from the first frame (0).
// frameAt(t) gives the frame whose presentation interval holds t, whatever
// the stream's group-of-pictures structure: the reader seeks to the key frame
// before t and decodes forward. The frames decoded on the way stay in a small
// cache, so stepping a frame or ten back and forth around a position costs
// little or nothing.
//
// Variable frame rate: the rate is the average (frames over duration), the
// frame grid the steps and the locate work on is that average's, and frameAt
// still answers with the frame whose real presentation time holds t.
//
// A reader is thread-compatible: one thread at a time (for instance a
// decoding thread per movie); readers share nothing.

#include "media/Image.h"
#include "movies/FrameGrid.h"
#include "movies/MovieStart.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace rw::media {

struct MovieInfo {
    double rate = 0;             // the measured static frame rate; 0 when unknown
    std::string rateText;        // as the review windows show it ("23.98")
    std::int64_t timeScale = 0;  // movie units per second
    std::int64_t duration = 0;   // movie units
    std::int64_t frameCount = 0;
    int width = 0, height = 0;
    bool hasTimecodeTrack = false;
    std::optional<TrackTimecode> timecode;  // the movie's own start timecode, if it has one
    std::string startTimecode;   // that timecode read at rateText; empty when none or unreadable
    FrameGrid frames;            // frame starts for steps and locates
};

struct Frame {
    std::shared_ptr<const Image> image;  // RGB
    std::int64_t time = 0;   // movie time at which the frame starts being shown
    std::int64_t index = 0;  // its number on the frame grid (frame 0 first)
};

struct ReaderOptions {
    int cacheFrames = 24;  // decoded frames kept around the position
    int decoderThreads = 0;  // 0: FFmpeg chooses
};

class MovieReader {
public:
    // Fails with the reason for a missing, empty, truncated or damaged file,
    // one that is no movie, or one without a decodable video stream.
    static Outcome<std::unique_ptr<MovieReader>> open(const std::string& path, const ReaderOptions& options = {});
    ~MovieReader();
    MovieReader(const MovieReader&) = delete;
    MovieReader& operator=(const MovieReader&) = delete;

    const MovieInfo& info() const;

    // The frame shown at movie time t (clamped to the movie). A frame that
    // cannot be decoded gives the nearest one that can.
    Outcome<Frame> frameAt(std::int64_t time);
    Outcome<Frame> frameNumber(std::int64_t index);
    // The frame after the one shown at t, in presentation order (whatever
    // the grid says); the one at t itself when it is the last.
    Outcome<Frame> frameAfter(std::int64_t time);
    Outcome<Frame> firstFrame() { return frameAt(0); }
    Outcome<Frame> lastFrame() { return frameAt(info().duration > 0 ? info().duration - 1 : lastFrameTime()); }

    // Frame steps on the movie's grid: n forward (n > 0) or back (n < 0).
    std::int64_t stepTime(std::int64_t from, int n) const;
    std::int64_t lastFrameTime() const;

    struct Impl;  // opaque: the FFmpeg state
    explicit MovieReader(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// FFmpeg's messages about damaged input go to standard error unless this is
// called; it changes FFmpeg's process-wide log level.
void quietFFmpegLog();

}  // namespace rw::media
