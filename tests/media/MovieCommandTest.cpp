#include "Movies.h"

#include "support/RunCli.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

const MovieRecipe kPal{"mjpeg", 25, 1, 260, 64, 48, 1, "00:59:50:00"};
const MovieRecipe kFilm{"mjpeg", 24000, 1001, 250, 64, 48, 1, ""};
const MovieRecipe kNtsc{"libx264", 30000, 1001, 310, 64, 48, 60, ""};

TEST(MovieCommands, MovieInfoPrintsWhatTheMovieSays) {
    const CliResult r = runCli({"movie-info", movie("pal.mov", kPal)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "rate: 25.00\nstart: 00:59:50:00\nframes: 260\nsize: 64x48\ntimecode track: yes\n");
    const CliResult plain = runCli({"movie-info", movie("film.mov", kFilm)});
    EXPECT_EQ(plain.out, "rate: 23.98\nstart: \nframes: 250\nsize: 64x48\ntimecode track: no\n");

    const TempDir dir;
    const CliResult bad = runCli({"movie-info", dir.write("list.edl", "TITLE: CUT\n")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("not a movie"), std::string::npos) << bad.err;
}

// Each writes the frame a locate shows; the PNG's bar code says which.
TEST(MovieCommands, FrameShowsTheLocatedFrame) {
    const struct {
        const char* name;
        MovieRecipe recipe;
        std::vector<std::string> flags;
        int frame;
    } cases[] = {
        {"pal.mov", kPal, {"--tc", "01:00:00:00", "--edl-type", "PAL video"}, 250},  // start from the timecode track
        {"pal.mov", kPal, {"--tc", "01:00:10:00", "--edl-type", "PAL video", "--no-start"}, 250},
        {"pal.mov", kPal, {"--tc", "00:59:40:00", "--edl-type", "PAL video"}, 0},  // before the movie
        {"pal.mov", kPal, {"--tc", "10:00:01:05", "--edl-type", "PAL video", "--start", "10:00:00:00"}, 30},
        {"film.mov", kFilm, {"--tc", "01:00:10:00", "--no-start"}, 240},
        {"film.mov", kFilm, {"--tc", "01:00:10:00", "--start", "01:00:00:00", "--side", "new"}, 240},
        {"film.mov", kFilm, {"--tc", "00:00:00:00", "--no-start"}, 0},
        {"ntsc.mp4", kNtsc, {"--tc", "01:00:00;00", "--edl-type", "NTSC df", "--no-start"}, 0},
        {"ntsc.mp4", kNtsc, {"--tc", "01:00:10;00", "--edl-type", "NTSC df", "--no-start"}, 300},
        {"ntsc.mp4", kNtsc, {"--tc", "01:00:02;00", "--edl-type", "NTSC df", "--no-start", "--side", "new"}, 60},
    };
    const TempDir dir;
    for (const auto& c : cases) {
        std::vector<std::string> args{"frame", movie(c.name, c.recipe), "--output", dir.file("f.png")};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const CliResult r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(frameNumberIn(readPng(dir.file("f.png"))), c.frame) << c.name << " " << c.flags[1];
    }
}

TEST(MovieCommands, DifferenceIsClearWhereThePicturesAgree) {
    const TempDir dir;
    const std::string pal = movie("pal.mov", kPal), out = dir.file("d.png");
    auto difference = [&](const std::string& newTc) {
        return runCli({"difference", pal, pal, "--old-tc", "01:00:00:00", "--new-tc", newTc, "--edl-type",
                       "PAL video", "--output", out});
    };
    ASSERT_EQ(difference("01:00:00:00").status, 0);
    media::Image same = readPng(out);
    ASSERT_EQ(same.channels, 4);
    int opaque = 0;
    for (std::size_t i = 3; i < same.bytes.size(); i += 4) opaque += same.bytes[i] != 0;
    EXPECT_EQ(opaque, 0);

    ASSERT_EQ(difference("01:00:00:01").status, 0);  // frames 250 and 251: other bar codes
    const media::Image other = readPng(out);
    opaque = 0;
    for (std::size_t i = 3; i < other.bytes.size(); i += 4) opaque += other.bytes[i] != 0;
    EXPECT_GT(opaque, 0);
}

TEST(MovieCommands, RefusesBadTimesAndItsOwnInput) {
    const std::string pal = movie("pal.mov", kPal);
    EXPECT_EQ(runCli({"frame", pal, "--tc", "01:00:00:00", "--output", pal}).status, 2);
    EXPECT_EQ(runCli({"frame", pal, "--tc", "1 hour", "--output", movieFolder().file("x.png")}).status, 2);
    EXPECT_EQ(runCli({"frame", pal, "--tc", "01:00:00:00", "--start", "xx", "--output", movieFolder().file("x.png")})
                  .status,
              2);
}

}  // namespace
}  // namespace rw::test
