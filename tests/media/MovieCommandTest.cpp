#include "Movies.h"

#include "support/RunCli.h"

#include <gtest/gtest.h>

namespace rw::test {
namespace {

const MovieRecipe kPal{"mjpeg", 25, 1, 260, 64, 48, 1, "00:59:50:00"};
const MovieRecipe kFilm{"mjpeg", 24000, 1001, 250, 64, 48, 1, ""};
const MovieRecipe kNtsc{"libx264", 30000, 1001, 310, 64, 48, 60, ""};
const MovieRecipe kStream{"libx264", 25, 1, 150, 64, 48, 50, ""};
const MovieRecipe kMidnight{"mjpeg", 25, 1, 50, 64, 48, 1, "23:59:59:00"};
const MovieRecipe k5994{"libx264", 60000, 1001, 130, 64, 48, 30, ""};
const MovieRecipe kCut{"mjpeg", 25, 1, 100, 64, 48, 1, ""};

MovieRecipe trimmed() {
    MovieRecipe r = kStream;
    r.frames = 100;
    r.trimFrames = 15;
    return r;
}

MovieRecipe variable() {
    MovieRecipe r = kStream;
    r.frames = 40;
    r.jitter = true;
    return r;
}

TEST(MovieCommands, MovieInfoPrintsWhatTheMovieSays) {
    const CliResult r = runCli({"movie-info", movie("pal.mov", kPal)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "rate: 25.00\nstart: 00:59:50:00\nframes: 260\nsize: 64x48\ndisplay size: 64x48\ntimecode track: yes\n");
    const CliResult plain = runCli({"movie-info", movie("film.mov", kFilm)});
    EXPECT_EQ(plain.out, "rate: 23.98\nstart: \nframes: 250\nsize: 64x48\ndisplay size: 64x48\ntimecode track: no\n");
    MovieRecipe wide = kFilm;
    wide.frames = 2;
    wide.sarNum = 64, wide.sarDen = 45;
    wide.rotation = 180;
    const CliResult shown = runCli({"movie-info", movie("wide.mov", wide)});
    EXPECT_NE(shown.out.find("\nsize: 64x48\ndisplay size: 91x48\n"), std::string::npos) << shown.out;
    const TempDir dir;
    ASSERT_EQ(runCli({"frame", movie("wide.mov", wide), "--tc", "00:00:00:00", "--no-start", "--output",
                      dir.file("wide.png")}).status, 0);
    const media::Image picture = readPng(dir.file("wide.png"));
    EXPECT_EQ(picture.width, 91);  // as shown
    EXPECT_EQ(picture.height, 48);
    const CliResult trim = runCli({"movie-info", movie("cli_trim.mp4", trimmed())});
    EXPECT_NE(trim.out.find("rate: 25.00\n"), std::string::npos) << trim.out;
    EXPECT_NE(trim.out.find("frames: 85\n"), std::string::npos) << trim.out;

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

// The kinds of movie that once gave a wrong frame: the printed number is the
// frame's real index, the picture carries its own number, and "lies outside
// the movie" is said exactly when the time is.
TEST(MovieCommands, FrameIsExactInEveryKindOfMovie) {
    const struct {
        const char* name;
        MovieRecipe recipe;
        std::vector<std::string> flags;
        int index, shows;
        bool outside;
    } cases[] = {
        {"cli_stream.ts", kStream, {"--tc", "01:00:00:00"}, 0, 0, false},
        {"cli_stream.ts", kStream, {"--tc", "01:00:01:24"}, 49, 49, false},  // the first group's last
        {"cli_stream.ts", kStream, {"--tc", "01:00:05:24"}, 149, 149, false},  // the movie's last frame
        {"cli_stream.ts", kStream, {"--tc", "01:00:06:00"}, 149, 149, true},   // just after its end
        {"cli_trim.mp4", trimmed(), {"--tc", "01:00:00:00"}, 0, 15, false},
        {"cli_trim.mp4", trimmed(), {"--tc", "01:00:02:00"}, 50, 65, false},
        {"cli_trim.mp4", trimmed(), {"--tc", "01:00:03:09"}, 84, 99, false},
        {"cli_vfr.mov", variable(), {"--tc", "01:00:01:05"}, 30, 30, false},  // exactly on frame 30's start
        {"cli_vfr.mov", variable(), {"--tc", "01:00:01:04"}, 28, 28, false},  // frame 29 shows late
        {"midnight.mov", kMidnight, {"--tc", "23:59:59:20"}, 20, 20, false},
        {"midnight.mov", kMidnight, {"--tc", "00:00:00:10"}, 35, 35, false},  // the next day
        {"midnight.mov", kMidnight, {"--tc", "23:59:58:24"}, 0, 0, true},     // before its start
        {"cli_cut.mov", kCut, {"--tc", "01:00:10:00"}, 0, 0, true},  // past the frames really there: its last
        {"cli_5994.mov", k5994, {"--tc", "01:00:01;00", "--edl-type", "NTSC df", "--start", "01:00:00;00"}, 60, 60, false},
    };
    const TempDir dir;
    const std::string cut = cutShort("cli_cut.mov", kCut, 0.5), cutInfo = runCli({"movie-info", cut}).out;
    const int cutLast = std::stoi(cutInfo.substr(cutInfo.find("frames: ") + 8)) - 1;
    ASSERT_LT(cutLast, 90);
    for (const auto& c : cases) {
        const bool isCut = std::string(c.name) == "cli_cut.mov";
        std::vector<std::string> args{"frame", isCut ? cut : movie(c.name, c.recipe), "--output", dir.file("f.png")};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        if (c.flags.size() == 2) args.insert(args.end(), {"--edl-type", "PAL video"});
        const CliResult r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const int index = isCut ? cutLast : c.index, shows = isCut ? cutLast : c.shows;
        EXPECT_EQ(r.out, "old frame: " + std::to_string(index) + "\n") << c.name << " " << c.flags[1];
        EXPECT_EQ(frameNumberIn(readPng(dir.file("f.png"))), shows) << c.name << " " << c.flags[1];
        EXPECT_EQ(r.err.find("lies outside the movie") != std::string::npos, c.outside) << c.name << " " << r.err;
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
