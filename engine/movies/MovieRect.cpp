#include "movies/MovieRect.h"

#include <cmath>

namespace rw {

MovieRectangle movieRect(const MovieRectangle& view, double nw, double nh) {
    MovieRectangle r = view;
    const double w = view.width, h = view.height;
    if (!(nw > 0 && nh > 0 && w > 0 && h > 0)) return r;  // nothing to fit
    if (w >= nw && h >= nh) {
        r.y += std::trunc((h - nh) / 2);
        r.height = nh;
        r.x += std::trunc((w - nw) / 2);
        r.width = nw;
    } else {
        const double a = nw / nh;
        if (a > w / h) {
            r.height = w / a;
            r.y += std::trunc((h - r.height) / 2);
        } else {
            r.width = h * a;
            r.x += std::trunc((w - r.width) / 2);
        }
    }
    r.x = std::floor(r.x);
    r.y = std::floor(r.y);
    return r;
}

}  // namespace rw
