#pragma once
// Small xmeml documents for the XML import tests.

#include <string>

namespace rw::test {

inline std::string rate(int timebase, bool ntsc = false) {
    return "<rate><timebase>" + std::to_string(timebase) + "</timebase><ntsc>" + (ntsc ? "TRUE" : "FALSE") +
           "</ntsc></rate>";
}

inline std::string timecode(int frames, const std::string& text, int timebase, const std::string& format = "NDF",
                            const std::string& reel = "") {
    std::string reelXml = reel.empty() ? "" : "<reel><name>" + reel + "</name></reel>";
    return "<timecode>" + rate(timebase) + "<string>" + text + "</string><frame>" + std::to_string(frames) +
           "</frame><source>source</source><displayformat>" + format + "</displayformat>" + reelXml + "</timecode>";
}

// A file element that defines its start timecode (frames) and reel.
inline std::string file(const std::string& id, int frames, int timebase = 24, const std::string& reel = "") {
    return "<file id=\"" + id + "\"><name>" + id + ".mov</name>" + rate(timebase) +
           timecode(frames, "00:00:00:00", timebase, "NDF", reel) +
           "<media><audio><samplecharacteristics><depth>16</depth></samplecharacteristics></audio></media></file>";
}

// A reference to a file defined earlier.
inline std::string fileRef(const std::string& id) { return "<file id=\"" + id + "\"/>"; }

inline std::string clip(const std::string& name, int in, int out, int start, int end, const std::string& fileXml,
                        const std::string& enabled = "TRUE", const std::string& extra = "") {
    return "<clipitem id=\"" + name + "-item\"><name>" + name + "</name><enabled>" + enabled + "</enabled><in>" +
           std::to_string(in) + "</in><out>" + std::to_string(out) + "</out><start>" + std::to_string(start) +
           "</start><end>" + std::to_string(end) + "</end>" + extra + fileXml + "</clipitem>";
}

inline std::string transition(int start, int end) {
    return "<transitionitem><start>" + std::to_string(start) + "</start><end>" + std::to_string(end) +
           "</end><effect><name>Cross Dissolve</name></effect></transitionitem>";
}

inline std::string track(const std::string& items, const std::string& enabled = "TRUE") {
    return "<track>" + items + "<enabled>" + enabled + "</enabled><locked>FALSE</locked></track>";
}

// A sequence holding the given video tracks (and any other media XML).
inline std::string sequence(const std::string& videoTracks, int timebase = 24, bool ntsc = false,
                            int startFrames = 0, const std::string& format = "NDF", const std::string& more = "") {
    return "<sequence id=\"seq\"><name>cut</name>" + rate(timebase, ntsc) +
           timecode(startFrames, "00:00:00:00", timebase, format) + "<media><video>" + videoTracks + "</video>" +
           more + "</media></sequence>";
}

inline std::string xmeml(const std::string& body, const std::string& doctype = "<!DOCTYPE xmeml>") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype + "\n<xmeml version=\"4\">" + body + "</xmeml>";
}

}  // namespace rw::test
