#include "Movies.h"

#include "media/MovieAudio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace rw::test {
namespace {

using media::MovieAudio;

// Two seconds of picture at 25 fps with a tone as long as it.
MovieRecipe toneRecipe() {
    MovieRecipe r{"mjpeg", 25, 1, 50, 64, 48, 1, ""};
    r.sound = true;
    return r;
}

// Reads to the end; the sample frames read and the loudest value.
std::pair<std::size_t, int> readSound(MovieAudio& audio, std::size_t limit = SIZE_MAX) {
    std::vector<std::int16_t> chunk(1000 * static_cast<std::size_t>(audio.channels()));
    std::size_t total = 0;
    int loudest = 0;
    while (total < limit) {
        const std::size_t n = audio.read(chunk.data(), std::min<std::size_t>(1000, limit - total));
        if (n == 0) break;
        total += n;
        for (std::size_t i = 0; i < n * audio.channels(); ++i) loudest = std::max(loudest, std::abs(int{chunk[i]}));
    }
    return {total, loudest};
}

TEST(MovieAudio, MovieWithoutSoundSaysWhy) {
    auto opened = MovieAudio::open(movie("silent.mov", {"mjpeg", 25, 1, 5, 64, 48, 1, ""}));
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error.find("no sound"), std::string::npos) << opened.error;
    EXPECT_FALSE(MovieAudio::open(movieFolder().file("none.mov")));
}

// A sound rate no card plays is a damaged number, refused before any buffer
// is sized by it; 8 kHz, the lowest a card plays, comes out whole at 48 kHz.
TEST(MovieAudio, SoundRatesOutsideWhatACardPlaysAreRefused) {
    const TempDir dir;
    for (std::uint32_t rate : {1u, 7999u, 400000u}) {
        auto opened = MovieAudio::open(dir.write("odd.wav", silentWave(rate, 4000)));
        ASSERT_FALSE(opened) << rate;
        EXPECT_NE(opened.error.find("Hz) is not one a sound card plays"), std::string::npos) << opened.error;
    }
    auto low = MovieAudio::open(dir.write("low.wav", silentWave(8000, 40000)));
    ASSERT_TRUE(low) << low.error;
    EXPECT_EQ(readSound(*low.value).first, 240000u);
}

// Seeded byte flips and truncations: opening, seeking and reading either
// work or fail with a reason, never crash or hang.
TEST(MovieAudio, DamagedMoviesNeverCrash) {
    const TempDir dir;
    const std::string good = readAll(movie("tone.mov", toneRecipe()));
    std::mt19937 random(7);
    for (int round = 0; round < 30; ++round) {
        std::string bytes = good;
        if (round % 3 == 2) bytes.resize(random() % bytes.size());
        else
            for (int flips = 1 + static_cast<int>(random() % 24); flips > 0; --flips)
                bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
        auto opened = MovieAudio::open(dir.write("damaged.mov", bytes));
        if (!opened) {
            EXPECT_FALSE(opened.error.empty());
            continue;
        }
        readSound(*opened.value);
        if (opened.value->seek(1, 2)) readSound(*opened.value);
    }
}

struct Output {
    int rate, channels;
};

class Tone : public ::testing::TestWithParam<Output> {};

// The whole tone, then from one second in: the right length (within an AAC
// frame of padding) and sound in it.
TEST_P(Tone, GivesTheToneFromWhereItIsAsked) {
    const Output out = GetParam();
    auto opened = MovieAudio::open(movie("tone.mov", toneRecipe()), out.rate, out.channels);
    ASSERT_TRUE(opened) << opened.error;
    MovieAudio& audio = *opened.value;
    EXPECT_EQ(audio.sampleRate(), out.rate);
    EXPECT_EQ(audio.channels(), out.channels);
    const auto [all, loudest] = readSound(audio);
    EXPECT_NEAR(static_cast<double>(all), 2.0 * out.rate, 0.05 * out.rate);
    EXPECT_GT(loudest, 10000);  // the tone is at half scale

    ASSERT_TRUE(audio.seek(25, 25));  // one second, in the picture's time scale
    const auto [rest, restLoudest] = readSound(audio);
    EXPECT_NEAR(static_cast<double>(rest), 1.0 * out.rate, 0.05 * out.rate);
    EXPECT_GT(restLoudest, 10000);
}

// Before the first frame there is silence, then the tone.
TEST_P(Tone, BeforeTheStartIsSilence) {
    const Output out = GetParam();
    auto opened = MovieAudio::open(movie("tone.mov", toneRecipe()), out.rate, out.channels);
    ASSERT_TRUE(opened) << opened.error;
    MovieAudio& audio = *opened.value;
    ASSERT_TRUE(audio.seek(-1, 2));  // half a second before
    EXPECT_EQ(readSound(audio, static_cast<std::size_t>(out.rate * 0.45)).second, 0);
    EXPECT_GT(readSound(audio, static_cast<std::size_t>(out.rate * 0.1)).second, 10000);
    EXPECT_FALSE(audio.seek(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Outputs, Tone, ::testing::Values(Output{48000, 2}, Output{44100, 1}),
                         [](const auto& info) { return std::to_string(info.param.rate) + "_" +
                                                       std::to_string(info.param.channels); });

}  // namespace
}  // namespace rw::test
