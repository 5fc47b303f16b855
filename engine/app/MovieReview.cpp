// Loading the movies, their start timecodes, and the windows that show them.

#include "app/MovieReview.h"

#include "core/Files.h"
#include "core/Text.h"
#include "views/SenderTitles.h"

#include <cstdio>
#include <filesystem>
#include <limits>

namespace rw {

MovieReview::MovieReview(MovieFiles& files, Clock& clock) : files_(files), clock_(clock) {}

std::string MovieReview::movieLocation(MovieSide side) const {
    return at(side).loaded ? fileUrlFromPath(at(side).path) : std::string();
}

std::int32_t MovieReview::timeScale(MovieSide side) const {
    const std::int64_t scale = at(side).facts.timeScale;
    return scale > std::numeric_limits<std::int32_t>::max() ? 0 : static_cast<std::int32_t>(scale);
}

double MovieReview::playbackRate(MovieSide side) const {
    return playing_ && playing_->set == MovieView::Small && at(side).loaded ? 1.0 : 0.0;
}

void MovieReview::importMovie(const std::string& senderTitle) {
    if (!ui_ || !host_) return;
    const bool old = senderTitle == title::ImportOldMovie;
    if (!old && senderTitle != title::ImportNewMovie) return;
    const auto chosen = ui_->openPanel(host_->movieFolder(), false);
    if (!chosen || chosen->paths.empty()) return;
    load(old ? MovieSide::Old : MovieSide::New, chosen->paths.front(), true);
    host_->rememberMovieFolder(chosen->folder);
    drawerOpen_ = true;
    notify(ModelChange::Movies);
}

// An unreachable file is passed over in silence (a list may name a movie
// that only its editor's machine has); a file that is there but will not
// open is reported, and the side keeps what it had.
void MovieReview::load(MovieSide side, const std::string& url, bool chosen) {
    std::string path = pathFromFileUrl(std::string(trimWhitespace(url)));
    std::error_code error;
    if (!path.empty() && std::filesystem::path(path).is_relative())
        path = std::filesystem::absolute(path, error).lexically_normal().string();
    if (path.empty() || !files_.reachable(path)) {
        if (chosen && ui_) ui_->alert("movie not loaded", path + ": the file cannot be read");
        return;
    }
    const Outcome<MovieFacts> opened = files_.open(side, path);
    if (!opened.ok()) {
        if (ui_) ui_->alert("movie not loaded", opened.error);  // the reason names the file
        return;
    }
    if (playing_) stopPlaying();
    Side& s = at(side);
    s.loaded = true;
    s.path = path;
    s.name = lastPathComponent(path);
    s.facts = opened.value;
    s.times = {};
    s.startRed = false;
    loadStart(side);
    drawerOpen_ = true;
    notify(ModelChange::Movies);
    showAll();
}

void MovieReview::loadStart(MovieSide side) {
    Side& s = at(side);
    SettingsPort* store = host_ ? host_->settings() : nullptr;
    const std::optional<std::string> stored = store ? store->stringForKey(movieStartKey(s.name)) : std::nullopt;
    s.start = startForLoadedMovie(stored, s.facts.timecode, s.facts.rateText, s.start.start);
}

void MovieReview::stepStart(MovieSide side, int stepperValue) {
    at(side).start = stepStartHour(at(side).start, stepperValue);
    startChanged();
}

void MovieReview::captureZeroPoint(const std::string& senderTitle) {
    const bool old = senderTitle == title::CaptureOldZeroPoint;
    if (!old && senderTitle != title::CaptureNewZeroPoint) return;
    const MovieSide side = old ? MovieSide::Old : MovieSide::New;
    Side& s = at(side);
    const std::int64_t frame = s.facts.frames.frameIndexAt(currentTime(side));
    s.start = rw::captureZeroPoint(s.start, frame, s.facts.rateText);
    startChanged();
}

void MovieReview::editStartField(MovieSide side, const std::string& text) {
    at(side).start = startFromField(at(side).start, text, at(side).facts.rateText);
    startChanged();
}

bool MovieReview::isValidStartEntry(const std::string& text, int tag) const {
    return rw::isValidStartEntry(text, tag, at(MovieSide::Old).facts.rateText, at(MovieSide::New).facts.rateText);
}

std::string MovieReview::refuseStartEntry(MovieSide side, const std::string& text) {
    if (ui_) ui_->beep();
    return startEntryRefusal(text, at(side).loaded ? at(side).facts.rateText : std::string());
}

// Both starts are remembered per file name, then the selected event is
// located again so the new offset shows at once.
void MovieReview::startChanged() {
    SettingsPort* store = host_ ? host_->settings() : nullptr;
    for (const Side& s : sides_) {
        const auto value = startToStore(s.start);
        if (store && value && !s.name.empty()) store->setString(movieStartKey(s.name), *value);
    }
    notify(ModelChange::Movies);
    if (host_) host_->locateChangeEvent();
}

void MovieReview::showHideMovies(const std::string& senderTitle) {
    const auto copyTimes = [this](MovieView from, MovieView to) {
        for (Side& s : sides_) s.times[viewIndex(to)] = s.times[viewIndex(from)];
    };
    if (senderTitle == title::ShowHideLargeMovies) {
        if (!largeVisible_) copyTimes(MovieView::Small, MovieView::Large);
        largeVisible_ = !largeVisible_;
    } else if (senderTitle == title::ShowHideMovieDifferences) {
        if (!diffVisible_) copyTimes(MovieView::Small, MovieView::Diff);
        diffVisible_ = !diffVisible_;
    } else {
        if (!drawerOpen_) copyTimes(MovieView::Large, MovieView::Small);
        drawerOpen_ = !drawerOpen_;
    }
    notify(ModelChange::Movies);
    showAll();
}

void MovieReview::windowClosed(MovieView view) {
    bool& shown = view == MovieView::Small ? drawerOpen_ : view == MovieView::Large ? largeVisible_ : diffVisible_;
    if (!shown) return;
    shown = false;
    notify(ModelChange::Movies);
}

void MovieReview::notify(ModelChange change) {
    if (observer_) observer_->modelChanged(change);
}

namespace {

bool keptInUrl(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string fileUrlFromPath(const std::string& path) {
    std::string url = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptInUrl(c)) {
            url += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            url += hex;
        }
    }
    return url;
}

std::string pathFromFileUrl(const std::string& url) {
    std::string_view rest(url);
    if (rest.substr(0, 7) != "file://") return url;
    rest.remove_prefix(7);
    if (rest.substr(0, 9) == "localhost") rest.remove_prefix(9);
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const int hi = rest[i] == '%' && i + 2 < rest.size() ? hexValue(rest[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(rest[i + 2]) : -1;
        if (lo >= 0) {
            path += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

}  // namespace rw
