#pragma once
// Event colours. Colours carry comparison state and are compared by value, so
// every Part uses these same values. The space matters for the change-list
// document, which archives each kind differently.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rw {

struct Color {
    enum class Space : std::uint8_t { CalibratedWhite, CalibratedRGB, SystemText };
    Space space = Space::CalibratedWhite;
    float r = 0, g = 0, b = 0, a = 1;  // a white colour keeps its level in r

    static constexpr Color black() { return {Space::CalibratedWhite, 0, 0, 0, 1}; }
    static constexpr Color red() { return {Space::CalibratedRGB, 1, 0, 0, 1}; }
    static constexpr Color textColor() { return {Space::SystemText, 0, 0, 0, 1}; }
    static constexpr Color rgb(float r, float g, float b, float a = 1) { return {Space::CalibratedRGB, r, g, b, a}; }

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// The seven standard colours of events.
constexpr Color standardColorText() { return Color::textColor(); }
constexpr Color standardColorVFX() { return Color::red(); }
constexpr Color standardColorVFXHilite() { return Color::rgb(1.0f, 0.6f, 0.6f); }
constexpr Color standardColorGap() { return Color::rgb(0.0f, 0.0f, 0.6f); }
constexpr Color standardColorGapHilite() { return Color::rgb(0.6f, 0.6f, 1.0f); }
constexpr Color standardColorMissed() { return Color::red(); }
constexpr Color standardColorMissedHilite() { return Color::rgb(1.0f, 0.6f, 0.6f); }

// The colour spaces by name, where events are written as text.
constexpr const char* colorSpaceName(Color::Space s) {
    return s == Color::Space::CalibratedRGB ? "rgb" : s == Color::Space::SystemText ? "text" : "white";
}
constexpr std::optional<Color::Space> colorSpaceNamed(std::string_view name) {
    for (Color::Space s : {Color::Space::CalibratedWhite, Color::Space::CalibratedRGB, Color::Space::SystemText})
        if (name == colorSpaceName(s)) return s;
    return std::nullopt;
}

}  // namespace rw
