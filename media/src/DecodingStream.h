#pragma once
// One stream of a movie file opened for decoding: the demuxer, the stream's
// decoder, and the pump that feeds the decoder the stream's packets. The
// movie reader and the movie sound are each one of these.

#include "FFmpeg.h"

#include <functional>
#include <string>

namespace rw::media {

struct DecodingStream {
    FormatPtr format;
    CodecPtr decoder;
    int stream = -1;
    bool draining = false;  // the demuxer is done; the decoder is giving its last frames

    // Opens the file's container and reads what its streams are; `formatFlags`
    // are set before the streams are read. The reason when it cannot.
    Outcome<> openFile(const std::string& path, int formatFlags = 0);
    // Opens the decoder of `stream` with `threads` threads (0: FFmpeg
    // chooses); `kind` names the stream in the reasons ("video", "sound");
    // `configure` may set the decoder's options before it opens.
    using Configure = std::function<void(AVCodecContext&, const AVCodec&)>;
    Outcome<> openDecoder(const std::string& path, const char* kind, int threads, const Configure& configure = {});

    using PacketHook = std::function<void(const AVPacket&)>;
    // Decodes the next frame into `frame`: true when one came; false at the
    // end, or when no frame came of a budget of packets (a damaged file never
    // keeps a read busy). No frame after a damaged packet or frame is a
    // failure naming the last damage. `onRead` is told of each of the
    // stream's packets before it is sent.
    Outcome<bool> next(AVFrame& frame, const PacketHook& onRead = {});
    // Forgets what the decoder holds, for decoding from a new position.
    void restart();

private:
    // Reads on to the stream's next packet; false at the end or for another
    // stream's packet.
    bool readPacket(const PacketHook& onRead);
    PacketPtr packet_ = makePacket();
    bool held_ = false;  // packet_ was refused until frames are taken: sent again then
};

}  // namespace rw::media
