#include "media/MoviePictures.h"

#include "media/Difference.h"
#include "media/Jpeg.h"

#include <algorithm>
#include <thread>

namespace rw::media {

namespace {

// Pictures no larger than this are plenty for a grid of 96 x 54 and for the
// report's thumbnails, and cost a fraction of full size to make and keep.
constexpr int kPictureBox = 384;

// The frame, if the reader can show that very frame: one cut short or
// damaged answers with another frame and a note.
std::optional<Frame> frameShownAt(MovieReader& reader, std::int64_t index) {
    auto got = reader.frameNumber(index);
    if (!got || !got.value.image || !got.value.note.empty()) return std::nullopt;
    return got.value;
}

std::string jpegOf(const std::optional<Image>& image) {
    if (!image) return {};
    auto jpeg = encodeJpeg(*image);
    return jpeg ? jpeg.value : std::string();
}

// The difference picture's white outlines on black.
Image onBlack(const Image& rgba) {
    Image out = Image::blank(rgba.width, rgba.height, 3);
    for (int y = 0; y < rgba.height; ++y)
        for (int x = 0; x < rgba.width; ++x) std::fill_n(out.pixel(x, y), 3, rgba.pixel(x, y)[3]);
    return out;
}

}  // namespace

Outcome<> MoviePictures::open(MovieSide side, const std::string& path) {
    quietFFmpegLog();
    ReaderOptions options;
    options.pictureWidth = options.pictureHeight = kPictureBox;
    options.decodeSmall = true;
    auto opened = MovieReader::open(path, options);
    if (!opened) return Outcome<>::failure(opened.error);
    at(side) = Side{std::move(opened.value), {}};
    return Outcome<>::success();
}

const MovieInfo* MoviePictures::info(MovieSide side) const {
    const Side& s = sides_[side == MovieSide::Old ? 0 : 1];
    return s.reader ? &s.reader->info() : nullptr;
}

// The first frame that cannot be had.
std::optional<std::int64_t> MoviePictures::fetchSide(MovieSide side, const std::vector<std::int64_t>& frames) {
    Side& s = at(side);
    for (const std::int64_t index : frames) {
        if (s.kept.count(index)) continue;
        const std::optional<Frame> frame = s.reader ? frameShownAt(*s.reader, index) : std::nullopt;
        if (!frame) return index;
        s.kept[index] = greyPicture(*frame->image, tuning_.gridWidth, tuning_.gridHeight);
    }
    return std::nullopt;
}

std::optional<MovieFrame> MoviePictures::fetch(const std::vector<std::int64_t>& oldFrames,
                                               const std::vector<std::int64_t>& newFrames) {
    std::optional<std::int64_t> oldMissing, newMissing;
    {
        std::jthread oldSide;
        if (!oldFrames.empty()) oldSide = std::jthread([&] { oldMissing = fetchSide(MovieSide::Old, oldFrames); });
        newMissing = fetchSide(MovieSide::New, newFrames);
    }  // the OLD side is joined here
    if (oldMissing) return MovieFrame{MovieSide::Old, *oldMissing};
    if (newMissing) return MovieFrame{MovieSide::New, *newMissing};
    return std::nullopt;
}

double MoviePictures::difference(std::int64_t oldIndex, std::int64_t newIndex) {
    const auto& olds = at(MovieSide::Old).kept;
    const auto& news = at(MovieSide::New).kept;
    const auto a = olds.find(oldIndex), b = news.find(newIndex);
    if (a == olds.end() || b == news.end()) return pictureDifference({}, {}, tuning_);
    return pictureDifference(a->second, b->second, tuning_);
}

void MoviePictures::forget(MovieSide side, std::int64_t below) {
    auto& kept = at(side).kept;
    kept.erase(kept.begin(), kept.lower_bound(below));
}

std::optional<Image> MoviePictures::picture(MovieSide side, std::int64_t index, int width) {
    Side& s = at(side);
    if (!s.reader) return std::nullopt;
    const std::optional<Frame> frame = frameShownAt(*s.reader, index);
    if (!frame) return std::nullopt;
    return shrinkImage(*frame->image, width);
}

ReportShots MoviePictures::shotsFor(const VerifySetup& setup, const edit& event, const EventCheck& check, int width) {
    const auto frameOf = [&](MovieSide side, const TcPtr& t) { return t ? movieFrameFor(setup, side, *t) : std::nullopt; };
    const auto oldIndex = frameOf(MovieSide::Old, oldTimeOf(event, check.worstFrame));
    const auto newIndex = frameOf(MovieSide::New, newTimeOf(event, check.worstFrame));
    const std::optional<Image> old = oldIndex ? picture(MovieSide::Old, *oldIndex, width) : std::nullopt;
    const std::optional<Image> neu = newIndex ? picture(MovieSide::New, *newIndex, width) : std::nullopt;
    std::optional<Image> difference;
    if (old && neu) difference = onBlack(differencePicture(*old, *neu));
    return {jpegOf(old), jpegOf(neu), jpegOf(difference)};
}

}  // namespace rw::media
