#include "Ltc.h"

#include "core/KLVtc.h"

#include <ltc.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

namespace rw::test {

namespace {

struct Rate {
    double fps;
    LTC_TV_STANDARD standard;
    bool drop;
};

Rate rateOf(const std::string& timebase) {
    if (timebase == "23.976") return {24000.0 / 1001, LTC_TV_FILM_24, false};
    if (timebase == "24") return {24, LTC_TV_FILM_24, false};
    if (timebase == "25") return {25, LTC_TV_625_50, false};
    if (timebase == "29.97") return {30000.0 / 1001, LTC_TV_525_60, false};
    if (timebase == "29.97df") return {30000.0 / 1001, LTC_TV_525_60, true};
    return {30, LTC_TV_525_60, false};
}

struct EncoderFree {
    void operator()(LTCEncoder* e) const { ltc_encoder_free(e); }
};
struct DecoderFree {
    void operator()(LTCDecoder* d) const { ltc_decoder_free(d); }
};

SMPTETimecode label(std::int64_t frame, const std::string& timebase) {
    SMPTETimecode t{};
    std::strcpy(t.timezone, "+0000");
    const TcPtr tc = KLVtc::initWithFrames(static_cast<std::int32_t>(frame), timebase);
    t.hours = static_cast<unsigned char>(tc->hours());
    t.mins = static_cast<unsigned char>(tc->minutes());
    t.secs = static_cast<unsigned char>(tc->seconds());
    t.frame = static_cast<unsigned char>(tc->frames());
    return t;
}

std::int64_t frameOf(const SMPTETimecode& t, const std::string& timebase) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%c%02d", t.hours, t.mins, t.secs,
                  rateOf(timebase).drop ? ';' : ':', t.frame);
    const TcPtr tc = KLVtc::initWithString(text, timebase);
    return tc ? tc->totalFrames() : -1;
}

// Encodes frames into `out` as 16-bit samples.
void encode(LTCEncoder* e, const Rate& r, const SMPTETimecode& t, unsigned tag, std::vector<std::int16_t>& out) {
    SMPTETimecode copy = t;
    ltc_encoder_set_timecode(e, &copy);
    ltc_encoder_set_user_bits(e, tag);
    LTCFrame f;
    ltc_encoder_get_frame(e, &f);
    f.dfbit = r.drop ? 1 : 0;
    ltc_frame_set_parity(&f, r.standard);
    ltc_encoder_set_frame(e, &f);
    ltc_encoder_encode_frame(e);
    ltcsnd_sample_t* buf = nullptr;
    const int n = ltc_encoder_get_bufferptr(e, &buf, 1);
    for (int i = 0; i < n; ++i) out.push_back(static_cast<std::int16_t>((buf[i] - 128) * 256));
}

float median(std::vector<float> v) {
    if (v.empty()) return 0.0f;
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

template <typename T>
T read(const std::string& bytes, std::size_t at) {
    T v{};
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

}  // namespace

std::vector<std::int16_t> ltcSamples(const LtcFormat& format, std::int64_t first, std::int64_t count, unsigned tag) {
    const Rate r = rateOf(format.timebase);
    std::unique_ptr<LTCEncoder, EncoderFree> e(
        ltc_encoder_create(format.sampleRate, r.fps, r.standard, LTC_BGF_DONT_TOUCH));
    std::vector<std::int16_t> out;
    for (std::int64_t n = first; n < first + count; ++n) encode(e.get(), r, label(n, format.timebase), tag, out);
    return out;
}

bool writeWav(const std::string& path, int sampleRate, int channels, const std::vector<std::int16_t>& samples) {
    std::ofstream f(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    f.write("RIFF", 4);
    u32(36 + bytes);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(channels));
    u32(static_cast<std::uint32_t>(sampleRate));
    u32(static_cast<std::uint32_t>(sampleRate * channels * 2));
    u16(static_cast<std::uint16_t>(channels * 2));
    u16(16);
    f.write("data", 4);
    u32(bytes);
    f.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(bytes));
    return static_cast<bool>(f);
}

std::optional<Wav> readWav(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return std::nullopt;
    Wav w;
    int bits = 0, format = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const auto len = read<std::uint32_t>(bytes, at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && at + 24 <= bytes.size()) {
            format = read<std::uint16_t>(bytes, at + 8);
            w.channels = read<std::uint16_t>(bytes, at + 10);
            w.sampleRate = static_cast<int>(read<std::uint32_t>(bytes, at + 12));
            bits = read<std::uint16_t>(bytes, at + 22);
        } else if (bytes.compare(at, 4, "data") == 0 && (bits == 16 || (format == 3 && bits == 32))) {
            const std::size_t width = static_cast<std::size_t>(bits / 8);
            const std::size_t end = std::min(bytes.size(), at + 8 + len);
            for (std::size_t p = at + 8; p + width <= end; p += width) {
                if (format == 3) w.samples.push_back(read<float>(bytes, p));
                else w.samples.push_back(read<std::int16_t>(bytes, p) / 32768.0f);
            }
            return w;
        }
        at += 8 + len + (len & 1);
    }
    return std::nullopt;
}

std::vector<DecodedFrame> decodeLtc(const Wav& wav, int channel, std::int64_t from, std::int64_t to,
                                    const LtcFormat& format) {
    const Rate r = rateOf(format.timebase);
    std::vector<std::int16_t> primer = ltcSamples(format, 0, 3, 0);
    std::vector<float> s;
    for (auto v : primer) s.push_back(v / 32768.0f);
    const auto primed = static_cast<std::int64_t>(s.size());
    for (std::int64_t i = std::max<std::int64_t>(from, 0); i < std::min(wav.frames(), to); ++i)
        s.push_back(wav.samples[static_cast<std::size_t>(i * wav.channels + channel)]);
    // And after it, so that the last frame is seen to end.
    for (auto v : primer) s.push_back(v / 32768.0f);
    std::unique_ptr<LTCDecoder, DecoderFree> d(ltc_decoder_create(static_cast<int>(wav.sampleRate / r.fps), 64));
    std::vector<DecodedFrame> frames;
    LTCFrameExt f;
    constexpr std::size_t kChunk = 1024;  // read the queue often: it holds few frames
    for (std::size_t at = 0; at < s.size(); at += kChunk) {
        const std::size_t n = std::min(kChunk, s.size() - at);
        ltc_decoder_write_float(d.get(), &s[at], n, from - primed + static_cast<std::int64_t>(at));
        while (ltc_decoder_read(d.get(), &f)) {
            if (f.off_start < from - wav.sampleRate / 1000 || f.off_start >= to) continue;  // primer and postamble
            SMPTETimecode t;
            ltc_frame_to_time(&t, &f.ltc, 0);
            std::vector<float> mags;
            const std::int64_t settled = f.off_start + 3 * (f.off_end - f.off_start) / 4;
            for (std::int64_t i = std::max<std::int64_t>(settled, 0); i <= f.off_end && i < wav.frames(); ++i)
                mags.push_back(std::abs(wav.samples[static_cast<std::size_t>(i * wav.channels + channel)]));
            frames.push_back({f.off_start, f.off_end, frameOf(t, format.timebase),
                              static_cast<unsigned>(ltc_frame_get_user_bits(&f.ltc)), median(std::move(mags))});
        }
    }
    return frames;
}

}  // namespace rw::test
