#pragma once
// An engine colour as a Qt brush; the system text colour stays the palette's.

#include "core/Color.h"

#include <QColor>
#include <QVariant>

namespace rw::qt {

inline QColor toQColor(const Color& c) {
    if (c.space == Color::Space::CalibratedWhite) return QColor::fromRgbF(c.r, c.r, c.r, c.a);
    return QColor::fromRgbF(c.r, c.g, c.b, c.a);
}

// An empty value for the system text colour, so the view uses its palette.
inline QVariant foregroundFor(const Color& c) {
    if (c.space == Color::Space::SystemText) return {};
    return toQColor(c);
}

}  // namespace rw::qt
