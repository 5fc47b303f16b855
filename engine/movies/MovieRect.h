#pragma once
// Where a movie is drawn inside its view: at its natural size, centred, when
// it fits; else scaled down to fit with its aspect ratio kept and centred in
// the other direction. Never enlarged. Coordinates grow up and to the right.

namespace rw {

struct MovieRectangle {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const MovieRectangle&) const = default;
};

// `view` is the rectangle the view offers; natural the movie's size.
MovieRectangle movieRect(const MovieRectangle& view, double naturalWidth, double naturalHeight);

}  // namespace rw
