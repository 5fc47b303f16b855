#include "DecodingStream.h"

namespace rw::media {

namespace {

// Packets read for one decoded frame at most.
constexpr int kPacketBudget = 20000;

}  // namespace

Outcome<> DecodingStream::openFile(const std::string& path, int formatFlags) {
    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (rc < 0) return Outcome<>::failure(path + ": not a movie (" + avError(rc) + ")");
    format.reset(raw);
    raw->flags |= formatFlags;
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) return Outcome<>::failure(path + ": its streams cannot be read (" + avError(rc) + ")");
    return Outcome<>::success();
}

Outcome<> DecodingStream::openDecoder(const std::string& path, const char* kind, int threads,
                                      const Configure& configure) {
    const AVCodecParameters* par = format->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec)
        return Outcome<>::failure(path + ": no decoder for its " + kind + " (" + avcodec_get_name(par->codec_id) + ")");
    decoder.reset(avcodec_alloc_context3(codec));
    if (!decoder) return Outcome<>::failure(path + ": out of memory");
    int rc = avcodec_parameters_to_context(decoder.get(), par);
    if (rc >= 0) {
        decoder->thread_count = threads;
        decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
        if (configure) configure(*decoder, *codec);
        rc = avcodec_open2(decoder.get(), codec, nullptr);
    }
    if (rc < 0) return Outcome<>::failure(path + ": its " + kind + " cannot be decoded (" + avError(rc) + ")");
    return Outcome<>::success();
}

bool DecodingStream::readPacket(const PacketHook& onRead) {
    if (av_read_frame(format.get(), packet_.get()) < 0) {
        draining = true;
        avcodec_send_packet(decoder.get(), nullptr);
        return false;
    }
    if (packet_->stream_index == stream) {
        if (onRead) onRead(*packet_);
        return true;
    }
    av_packet_unref(packet_.get());
    return false;
}

// A packet the decoder refuses for now ("again": it has frames to give
// first) is kept and sent once they are taken; dropping it would lose its
// frame and every frame that refers to it.
Outcome<bool> DecodingStream::next(AVFrame& frame, const PacketHook& onRead) {
    std::string damage;  // the last packet or frame that could not be decoded
    for (int budget = kPacketBudget; budget > 0; --budget) {
        int rc = avcodec_receive_frame(decoder.get(), &frame);
        if (rc == 0) return Outcome<bool>::success(true);
        if (rc == AVERROR_EOF) break;
        if (rc != AVERROR(EAGAIN)) damage = avError(rc);  // a damaged frame: go on with the next
        if (draining) break;
        if (!held_ && !readPacket(onRead)) continue;
        rc = avcodec_send_packet(decoder.get(), packet_.get());
        held_ = rc == AVERROR(EAGAIN);
        if (held_) continue;
        if (rc < 0) damage = avError(rc);
        av_packet_unref(packet_.get());
    }
    return damage.empty() ? Outcome<bool>::success(false) : Outcome<bool>::failure(damage);
}

void DecodingStream::restart() {
    avcodec_flush_buffers(decoder.get());
    av_packet_unref(packet_.get());
    held_ = draining = false;
}

}  // namespace rw::media
