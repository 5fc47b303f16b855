#pragma once
// The movie files of the review, over the media library: each side's file
// opened three times (drawer, large window, difference window), each place
// decoding on a thread of its own, and the side's sound. Frames arrive on
// the feeds' threads; frameReady is emitted on the GUI thread, at most one
// pending per place.

#include "media/FrameFeed.h"
#include "movies/MovieFiles.h"

#include <QObject>
#include <QSize>

#include <array>
#include <atomic>
#include <memory>

namespace rw::qt {

class MovieSound;

class MovieFeeds : public QObject, public MovieFiles {
    Q_OBJECT
public:
    explicit MovieFeeds(QObject* parent = nullptr);
    ~MovieFeeds() override;

    bool reachable(const std::string& path) const override;
    Outcome<MovieFacts> open(MovieSide side, const std::string& path) override;
    void show(MovieSide side, MovieView view, std::int64_t time, bool playing) override;
    void startSound(MovieSide side, std::int64_t time) override;
    void stopSound(MovieSide side) override;

    // The frame a place shows now; an empty frame before its first.
    media::Frame frame(MovieSide side, MovieView view) const;
    // The size a place shows its pictures at: they are made no larger.
    void setPictureBox(MovieSide side, MovieView view, QSize size);

signals:
    void frameReady(rw::MovieSide side, rw::MovieView view);

private:
    using Feeds = std::array<std::unique_ptr<media::FrameFeed>, 3>;
    struct Place {
        std::atomic<bool> pending{false};
        std::int64_t shownTime = -1;
        bool shownPlaying = false;
        QSize box;
    };
    void watch(MovieSide side, MovieView view);

    std::array<Feeds, 2> feeds_;
    std::array<std::array<Place, 3>, 2> places_;
    std::array<MovieSound*, 2> sound_{};
    std::array<std::int64_t, 2> timeScale_{};
};

}  // namespace rw::qt
