#include "verify/VerifyReport.h"

#include <cmath>
#include <cstdio>

namespace rw {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string hexColor(const Color& c) {
    char text[8];
    const auto level = [](float v) { return static_cast<int>(std::lround(std::fmax(0.f, std::fmin(1.f, v)) * 255)); };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", level(c.r), level(c.g), level(c.b));
    return text;
}

std::string range(const TcPtr& in, const TcPtr& out) { return describe(in) + " &ndash; " + describe(out); }

const char* const kStyle = R"(
body { font: 14px/1.4 -apple-system, "Segoe UI", Helvetica, Arial, sans-serif; margin: 2em; color: #222; }
h1 { font-size: 20px; }
table.facts th { text-align: left; padding-right: 1em; font-weight: 600; }
.summary { font-size: 16px; font-weight: 600; margin: 1.2em 0; }
section { border-top: 1px solid #ccc; padding: 0.8em 0; }
h2 { font-size: 16px; margin: 0 0 0.3em; }
.verdict { color: #fff; border-radius: 3px; padding: 0 0.4em; }
.shots { display: flex; gap: 0.8em; flex-wrap: wrap; }
figure { margin: 0; }
figcaption { font-size: 12px; color: #555; }
img { display: block; border: 1px solid #999; }
.none { color: #777; font-style: italic; }
)";

std::string figure(const std::string& jpeg, const char* caption) {
    std::string out = "<figure>";
    if (jpeg.empty()) out += "<p class=\"none\">no picture</p>";
    else out += "<img alt=\"" + std::string(caption) + "\" src=\"data:image/jpeg;base64," + base64(jpeg) + "\">";
    return out + "<figcaption>" + caption + "</figcaption></figure>";
}

std::string eventSection(const ReportEvent& r) {
    const edit& e = *r.event;
    const EventCheck& c = r.check;
    std::string out = "<section>\n<h2>" + escaped(e.editNum()) + " &middot; " + escaped(e.clip()) +
                      " <span class=\"verdict\" style=\"background:" + hexColor(verdictColor(c.verdict)) + "\">" +
                      escaped(verdictText(c)) + "</span></h2>\n";
    out += "<p>OLD " + range(e.sourceIn(), e.sourceOut()) + " &middot; NEW " + range(e.masterIn(), e.masterOut()) +
           "<br>" + escaped(c.detail) + "</p>\n";
    if (c.verdict == Verdict::NoPicture) return out + "</section>\n";
    out += "<p>worst frame: OLD " + describe(oldTimeOf(e, c.worstFrame)) + ", NEW " +
           describe(newTimeOf(e, c.worstFrame)) + "</p>\n<div class=\"shots\">" + figure(r.shots.oldJpeg, "OLD") +
           figure(r.shots.newJpeg, "NEW") + figure(r.shots.differenceJpeg, "difference") + "</div>\n";
    return out + "</section>\n";
}

std::string factRow(const char* what, const std::string& value) {
    return "<tr><th>" + std::string(what) + "</th><td>" + escaped(value) + "</td></tr>\n";
}

std::string movieText(const std::string& name, const std::string& start) {
    if (name.empty()) return "none";
    return name + (start.empty() ? " (no start set)" : " (starts at " + start + ")");
}

}  // namespace

ReportHeader reportHeader(std::string lists, const VerifySetup& setup) {
    const VerifyMovie &old = setup.movies[0], &neu = setup.movies[1];
    return {std::move(lists), old.name, neu.name, old.start.field, neu.start.field, setup.tuning};
}

VerifyReport reportOf(ReportHeader header, const EditArray& events, const std::vector<EventCheck>& checks,
                      const ShotMaker& shots) {
    VerifyReport report{std::move(header), {}, {}};
    for (std::size_t i = 0; i < checks.size() && i < events.size(); ++i) {
        report.summary.add(checks[i]);
        if (checks[i].verdict == Verdict::Match || !events[i]) continue;
        ReportShots pictures;
        if (shots && checks[i].verdict != Verdict::NoPicture) pictures = shots(*events[i], checks[i]);
        report.flagged.push_back({events[i], checks[i], std::move(pictures)});
    }
    return report;
}

std::string reportHtml(const VerifyReport& r) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>Change list checked against the pictures</title>\n<style>" +
                      std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>Change list checked against the pictures</h1>\n";
    const ReportHeader& h = r.header;
    out += "<table class=\"facts\">\n" + factRow("lists", h.lists) +
           factRow("OLD movie", movieText(h.oldMovie, h.oldStart)) +
           factRow("NEW movie", movieText(h.newMovie, h.newStart)) +
           factRow("search", "\u00b1" + std::to_string(h.tuning.search) + " frames");
    out += "</table>\n<p class=\"summary\">" + escaped(summaryLine(r.summary)) + "</p>\n";
    if (r.flagged.empty()) out += "<p>Every event checked matches its pictures.</p>\n";
    for (const ReportEvent& e : r.flagged) out += eventSection(e);
    return out + "</body>\n</html>\n";
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<std::uint8_t>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

}  // namespace rw
