#pragma once
// The inside of MovieReader: the demuxer and decoder of one video stream, and
// the run of frames decoded in order since the last seek.

#include "FFmpeg.h"
#include "media/MovieReader.h"

#include <map>

namespace rw::media {

struct CachedFrame {
    FramePtr decoded;
    std::shared_ptr<const Image> rgb;  // made when first asked for
};

struct MovieReader::Impl {
    FormatPtr format;
    CodecPtr decoder;
    PacketPtr packet = makePacket();
    SwsPtr scaler;
    int stream = -1;
    std::int64_t unit = 1;       // movie units per stream tick (the time base's numerator)
    std::int64_t firstPts = 0;   // stream ticks of movie time 0
    MovieInfo info;
    ReaderOptions options;

    // Frames decoded one after another since the last seek, by movie time.
    // Between the first and the last, the frame at or before t holds t.
    std::map<std::int64_t, CachedFrame> run;
    bool draining = false;    // the demuxer is done; the decoder is giving its last frames
    bool exhausted = false;   // no frame follows the run's last one
    std::string lastError;

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

    // The next frame in presentation order, or nullptr at the end.
    FramePtr decodeNext();
    std::int64_t movieTime(const AVFrame& frame, std::int64_t fallback) const;
    bool seekBefore(std::int64_t time, bool fastForward);
    void append(std::int64_t time, FramePtr frame);
    bool extendRunTo(std::int64_t time);
    Outcome<Frame> frameFromRun(std::int64_t time);
    std::shared_ptr<const Image> toRgb(const AVFrame& frame);
};

// Fills info from the opened stream and its first decoded frame.
void describeMovie(MovieReader::Impl& impl);

}  // namespace rw::media
