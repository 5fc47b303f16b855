#include "movies/MovieFeeds.h"

#include "media/MovieFacts.h"
#include "movies/MovieSound.h"

#include <QFileInfo>
#include <QMetaObject>

namespace rw::qt {

MovieFeeds::MovieFeeds(QObject* parent) : QObject(parent) {
    media::quietFFmpegLog();
    for (auto& sound : sound_) sound = new MovieSound(this);
}

// The feeds stop and join before the places their callbacks touch go.
MovieFeeds::~MovieFeeds() {
    for (auto& side : feeds_)
        for (auto& feed : side) feed.reset();
}

bool MovieFeeds::reachable(const std::string& path) const {
    const QFileInfo file(QString::fromStdString(path));
    return file.isFile() && file.isReadable();
}

// All three places open before any replaces the side's movie, so a file
// that fails leaves the loaded movie in every place.
Outcome<MovieFacts> MovieFeeds::open(MovieSide side, const std::string& path) {
    Feeds opened;
    for (auto& feed : opened) {
        auto result = media::FrameFeed::open(path);
        if (!result) return Outcome<MovieFacts>::failure(result.error);
        feed = std::move(result.value);
    }
    const int s = sideIndex(side);
    for (auto& feed : feeds_[s]) feed.reset();
    feeds_[s] = std::move(opened);
    for (MovieView view : {MovieView::Small, MovieView::Large, MovieView::Diff}) {
        Place& place = places_[s][viewIndex(view)];
        place.shownTime = -1;
        place.pending = false;
        feeds_[s][viewIndex(view)]->setPictureBox(place.box.width(), place.box.height());
    }
    for (MovieView view : {MovieView::Small, MovieView::Large, MovieView::Diff}) watch(side, view);
    sound_[s]->load(QString::fromStdString(path));
    timeScale_[s] = feeds_[s][0]->info().timeScale;
    return Outcome<MovieFacts>::success(media::movieFactsOf(feeds_[s][0]->info()));
}

void MovieFeeds::watch(MovieSide side, MovieView view) {
    Place& place = places_[sideIndex(side)][viewIndex(view)];
    feeds_[sideIndex(side)][viewIndex(view)]->setOnFrame([this, &place, side, view] {
        if (place.pending.exchange(true)) return;
        QMetaObject::invokeMethod(this, [this, &place, side, view] {
            place.pending = false;
            emit frameReady(side, view);
        }, Qt::QueuedConnection);
    });
}

void MovieFeeds::show(MovieSide side, MovieView view, std::int64_t time, bool playing) {
    auto& feed = feeds_[sideIndex(side)][viewIndex(view)];
    Place& place = places_[sideIndex(side)][viewIndex(view)];
    if (!feed || (place.shownTime == time && place.shownPlaying == playing)) return;
    place.shownTime = time;
    place.shownPlaying = playing;
    feed->show(time, playing);
}

// The frame shown is made again at the new size.
void MovieFeeds::setPictureBox(MovieSide side, MovieView view, QSize size) {
    Place& place = places_[sideIndex(side)][viewIndex(view)];
    auto& feed = feeds_[sideIndex(side)][viewIndex(view)];
    if (place.box == size) return;
    place.box = size;
    if (!feed) return;
    feed->setPictureBox(size.width(), size.height());
    if (place.shownTime >= 0) feed->show(place.shownTime, place.shownPlaying);
}

media::Frame MovieFeeds::frame(MovieSide side, MovieView view) const {
    const auto& feed = feeds_[sideIndex(side)][viewIndex(view)];
    return feed ? feed->current() : media::Frame{};
}

void MovieFeeds::startSound(MovieSide side, std::int64_t time) {
    sound_[sideIndex(side)]->play(time, timeScale_[sideIndex(side)]);
}

void MovieFeeds::stopSound(MovieSide side) {
    sound_[sideIndex(side)]->stop();
}

}  // namespace rw::qt
