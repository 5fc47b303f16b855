#include "Movies.h"

#include "media/MovieReader.h"

#include <gtest/gtest.h>

#include <random>

namespace rw::test {
namespace {

MovieRecipe recipe(const std::string& codec, int frames, int gop = 1) {
    MovieRecipe s;
    s.codec = codec;
    s.frames = frames;
    s.gop = gop;
    return s;
}

TEST(BadMovie, OpenSaysWhy) {
    const TempDir dir;
    const std::string good = readAll(movie("bad_source.mov", recipe("mjpeg", 10)));
    const struct {
        std::string path, reason;
    } cases[] = {
        {dir.file("missing.mov"), "no such file"},
        {dir.write("empty.mov", ""), "the file is empty"},
        {dir.write("text.mov", "TITLE: not a movie\n001  AX V C 00:00:00:00\n"), "not a movie"},
        {dir.write("sound.wav", silentWave(48000, 4800)), "the file has no video"},
        {dir.write("truncated.mov", good.substr(0, good.size() / 2)), "not a movie"},
        {dir.path(), "not a file"},
    };
    for (const auto& c : cases) {
        auto opened = media::MovieReader::open(c.path);
        EXPECT_FALSE(opened) << c.path;
        EXPECT_NE(opened.error.find(c.reason), std::string::npos) << opened.error;
    }
}

// A frame that cannot be decoded: the one before it stands in, and says so.
TEST(BadMovie, AFrameThatCannotBeDecodedIsSaidSo) {
    std::string bytes = readAll(movie("one_bad.avi", recipe("mjpeg", 10)));
    std::size_t at = 0;
    for (int k = 0; k <= 4; ++k) at = bytes.find("\xff\xd8\xff", at + 1);  // frame 4's picture
    const std::size_t next = bytes.find("\xff\xd8\xff", at + 1);
    ASSERT_NE(next, std::string::npos);
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(next) - 8, '\0');
    const TempDir dir;
    auto opened = media::MovieReader::open(dir.write("one_bad.avi", bytes));
    ASSERT_TRUE(opened) << opened.error;
    const struct {
        int asked, shows;
        const char* note;
    } cases[] = {{4, 3, "frame 4 cannot be decoded; showing frame 3"}, {5, 5, ""}, {3, 3, ""}};
    for (const auto& c : cases) {
        const auto f = opened.value->frameNumber(c.asked);
        ASSERT_TRUE(f) << f.error;
        EXPECT_EQ(frameNumberIn(*f.value.image), c.shows) << c.asked;
        EXPECT_EQ(f.value.index, c.shows) << c.asked;
        EXPECT_EQ(f.value.note, c.note) << c.asked;
    }
}

// No picture decodes: opening says so, with the decoder's own reason.
TEST(BadMovie, NoPictureThatDecodesSaysWhy) {
    std::string bytes = readAll(movie("all_bad.avi", recipe("mjpeg", 4)));
    for (std::size_t at = bytes.find("\xff\xd8\xff"); at != std::string::npos; at = bytes.find("\xff\xd8\xff", at)) {
        const std::size_t end = bytes.find("\xff\xd9", at);  // the picture's end
        ASSERT_NE(end, std::string::npos);
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(end), '\0');
    }
    const TempDir dir;
    auto opened = media::MovieReader::open(dir.write("all_bad.avi", bytes));
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error.find("no picture in it can be decoded ("), std::string::npos) << opened.error;
}

// Frames read in turn from the first: how many decode.
std::int64_t framesThatDecode(media::MovieReader& m) {
    auto f = m.frameAt(0);
    std::int64_t count = f ? 1 : 0;
    for (std::int64_t t = 0; f && (f = m.frameAfter(t)) && f.value.time > t; ++count) t = f.value.time;
    return count;
}

// Seeded byte flips and truncations of small movies: opening and decoding
// either work or fail with a reason, never crash or hang. A movie cut short
// counts no more frames than decode, and every picture it gives is the
// frame it says (its bar code is its index).
TEST(BadMovie, DamagedMoviesNeverCrash) {
    media::quietFFmpegLog();
    const TempDir dir;
    std::mt19937 random(20261207);
    MovieRecipe front = recipe("libx264", 24, 8);
    front.frontIndex = front.texture = true;
    const std::pair<const char*, MovieRecipe> movies[] = {{"damage_h264.mov", recipe("libx264", 24, 8)},
                                                          {"damage_mjpeg.avi", recipe("mjpeg", 24, 8)},
                                                          {"damage_front.mov", front},
                                                          {"damage.ts", recipe("libx264", 24, 8)},
                                                          {"damage.mkv", recipe("libx264", 24, 8)}};
    for (const auto& [name, made] : movies) {
        const std::string good = readAll(movie(name, made));
        for (int round = 0; round < 40; ++round) {
            std::string bytes = good;
            const bool cut = round % 4 == 3;
            if (cut) {
                bytes.resize(random() % bytes.size());
            } else {
                for (int flips = 1 + static_cast<int>(random() % 16); flips > 0; --flips)
                    bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
            }
            auto opened = media::MovieReader::open(dir.write(std::string("m") + name, bytes));
            if (!opened) {
                EXPECT_FALSE(opened.error.empty());
                continue;
            }
            media::MovieReader& m = *opened.value;
            for (std::int64_t t : {m.lastFrameTime(), std::int64_t{0}, m.stepTime(0, 9), m.stepTime(0, 3)}) {
                auto f = m.frameAt(t);
                EXPECT_TRUE(f ? f.value.image != nullptr : !f.error.empty());
                if (cut && f) {
                    EXPECT_EQ(frameNumberIn(*f.value.image), f.value.index) << name << " round " << round;
                }
            }
            if (cut) {
                EXPECT_LE(m.info().frameCount, framesThatDecode(m)) << name << " round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace rw::test
