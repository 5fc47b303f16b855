#pragma once
// The inside of MovieReader: the movie's video stream opened for decoding,
// the run of frames decoded in order since the last seek, and the pictures
// kept from earlier runs.

#include "DecodingStream.h"
#include "Pictures.h"
#include "media/MovieReader.h"

#include <functional>
#include <map>

namespace rw::media {

struct CachedFrame {
    FramePtr decoded;
    std::shared_ptr<const Image> rgb;  // made when first asked for
};

// A frame with where it ends: the next frame's start, or the movie's end.
struct FrameSpan {
    Frame frame;
    std::int64_t end = 0;
};

struct MovieReader::Impl : DecodingStream {
    SwsPtr scaler;               // to RGB
    SwsPtr resizer;              // to the picture's size, in the frame's own pixel format
    FramePtr sized;
    std::int64_t unit = 1;       // movie units per stream tick (the time base's numerator)
    std::int64_t firstPts = 0;   // stream ticks of movie time 0
    AVRational sar{1, 1};        // the pixel aspect pictures are shown at
    MovieInfo info;
    ReaderOptions options;

    // Frames decoded one after another since the last seek, by movie time.
    // Between the first and the last, the frame at or before t holds t.
    std::map<std::int64_t, CachedFrame> run;
    bool exhausted = false;   // no frame follows the run's last one

    // Pictures made from earlier runs, each with its end. While `keeping`,
    // every frame decoded becomes one as soon as the next one tells its end.
    Pictures pictures;
    bool keeping = false;
    std::int64_t keepFrom = INT64_MIN;  // frames before this would not fit: not made
    std::function<bool()> interrupted;  // polled between frames while filling
    std::int64_t fillFrom = 0, fillTo = -1;  // the times being filled

    // Fast forward after a seek: until the packets come within a few frames of
    // the target, frames no other frame refers to are not decoded. A frame
    // shown before `trustFrom` may have lost such a neighbour, so the run
    // starts at trustFrom (movie time).
    bool skipping = false;
    std::int64_t skipUntil = 0;                 // stream ticks
    std::int64_t sentWhileSkipping = INT64_MIN;  // stream ticks
    std::int64_t trustFrom = INT64_MIN;
    void startSkipping(std::int64_t targetTime);
    void stopSkipping(std::int64_t trustTime);
    void noteSent(const AVPacket& packet);

    // Stream ticks and movie time, both ways, saturating far outside any movie.
    std::int64_t movieTime(std::int64_t pts) const;
    std::int64_t streamTicks(std::int64_t time) const;

    // The next frame in presentation order; nullptr at the end, and with the
    // damage that ended the decoding, if any, as the failure.
    Outcome<FramePtr> decodeNext();
    std::int64_t frameTime(const AVFrame& frame, std::int64_t fallback) const;
    Outcome<> seekTo(std::int64_t ticks, bool fromStart);
    // With fastForward, frames no other refers to are skipped until close
    // to `time`, or to `decodeFrom` when that is sooner. The failure of its
    // last seek or decode, if that failed.
    Outcome<> seekBefore(std::int64_t time, bool fastForward, std::int64_t decodeFrom = INT64_MAX);
    void append(std::int64_t time, FramePtr frame);
    // The damage that ended the decoding, if any, as the failure.
    Outcome<> extendRunTo(std::int64_t time);
    void keep(std::map<std::int64_t, CachedFrame>::iterator it);
    // An empty run is a failure; `decoding` says what went wrong making it.
    Outcome<FrameSpan> frameFromRun(std::int64_t time, const Outcome<>& decoding);
    Outcome<FrameSpan> spanAt(std::int64_t time);
    void fill(std::int64_t from, std::int64_t to, bool backward);
    Frame frameOf(std::int64_t time, std::shared_ptr<const Image> image) const;
    void keepBackTo(std::int64_t time);
    // The size pictures of a frame this size are made at (before turning).
    std::pair<int, int> pictureSize(int width, int height) const;
    const AVFrame* resized(const AVFrame& frame, int width, int height);
    std::shared_ptr<const Image> toRgb(const AVFrame& frame);
};

// Fills info from the opened stream and its first decoded frame; the reason
// when the movie's numbers cannot be right. It reads the file as it needs:
// the run is empty afterwards.
Outcome<> describeMovie(MovieReader::Impl& impl, const AVFrame& first);

// The frames a player shows, their grid, count and rate (firstPts set); the
// reason when the numbers cannot be right.
Outcome<> measureFrames(MovieReader::Impl& impl);

}  // namespace rw::media
