// The check's reader decodes intra-only movies at a fraction of their size:
// still the very frame asked for, at no less than the size its box needs.

#include "MovieMaker.h"
#include "support/TempDir.h"

#include "media/MovieReader.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

TEST(SmallDecode, ExactFramesAtTheBoxSize) {
    media::quietFFmpegLog();
    const TempDir dir;
    const struct {
        const char* what;
        const char* codec;
        int movieWidth, movieHeight, sarNum, gop;
        int width, height;  // in a 160-pixel box
    } cases[] = {
        {"intra-only", "mjpeg", 1280, 720, 1, 1, 160, 90},
        {"wide pixels", "mjpeg", 640, 720, 2, 1, 160, 90},
        {"long GOP, decoded whole", "libx264", 1280, 720, 1, 6, 160, 90},
        {"smaller than the box", "mjpeg", 128, 72, 1, 1, 128, 72},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(std::string(c.what) + ".mov");
        MovieRecipe recipe;
        recipe.codec = c.codec;
        recipe.frames = 12;
        recipe.width = c.movieWidth;
        recipe.height = c.movieHeight;
        recipe.sarNum = c.sarNum;
        recipe.gop = c.gop;
        ASSERT_EQ(makeMovie(path, recipe), "") << c.what;
        media::ReaderOptions options;
        options.pictureWidth = options.pictureHeight = 160;
        options.decodeSmall = true;
        auto reader = media::MovieReader::open(path, options);
        ASSERT_TRUE(reader) << c.what << ": " << reader.error;
        for (const int n : {0, 7, 11}) {
            const auto frame = reader.value->frameNumber(n);
            ASSERT_TRUE(frame && frame.value.image) << c.what << " frame " << n;
            EXPECT_EQ(frameNumberIn(*frame.value.image), n) << c.what;
            EXPECT_EQ(frame.value.image->width, c.width) << c.what;
            EXPECT_EQ(frame.value.image->height, c.height) << c.what;
        }
    }
}

}  // namespace
}  // namespace rw::test
