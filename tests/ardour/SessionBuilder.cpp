#include "SessionBuilder.h"

#include "ardour/ArdourClock.h"
#include "ardour/ArdourScript.h"
#include "core/Files.h"
#include "workstation/ArdourTools.h"
#include "workstation/ChildProcess.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace rw::test {

namespace fs = std::filesystem;

namespace {

constexpr int kFirstId = 900000;  // far above the ids of a fresh session

ArdourClock clockOf(const SessionSpec& spec) {
    const auto unshifted = ardourClock(spec.timecodeFormat, spec.format.sampleRate, 0, true);
    ArdourClock c = *unshifted;
    c.offset = unshifted->sampleAt(spec.offsetFrames);
    return c;
}

bool replaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos) return false;
    text.replace(at, from.size(), to);
    return true;
}

std::int64_t superclockRate(const std::string& xml) {
    const std::string key = "superclocks-per-second=\"";
    const auto at = xml.find(key);
    return at == std::string::npos ? 282240000 : std::stoll(xml.substr(at + key.size()));
}

std::string superclocks(std::int64_t samples, std::int64_t rate, std::int64_t scRate) {
    std::string text = "a";  // audio time
    return text += std::to_string(samples * (scRate / rate));
}

struct Placed {
    std::int64_t at, length, start;
};

Placed placed(const SessionSpec& spec, const BuildRegion& r) {
    const std::int64_t at = sessionSample(spec, r.at);
    return {at, sessionSample(spec, r.at + r.frames) - at, at - sessionSample(spec, r.at - r.start)};
}

// Writes the timecode files and registers them, with the options and the
// session range, in the fresh session's file.
std::string registerAudio(const SessionSpec& spec, const fs::path& folder) {
    const fs::path file = folder / (spec.name + ".ardour");
    std::string xml = readFileBytes(file.string()).value;
    const std::int64_t rate = spec.format.sampleRate, scRate = superclockRate(xml);
    std::ostringstream sources, regions, range;
    std::int64_t from = INT64_MAX, to = 0;
    for (std::size_t i = 0; i < spec.regions.size(); ++i) {
        const BuildRegion& r = spec.regions[i];
        const Placed p = placed(spec, r);
        from = std::min(from, p.at);
        to = std::max(to, p.at + p.length);
        if (r.source >= 0) continue;
        const auto pcm = ltcSamples(spec.format, r.at - r.start, r.start + r.frames + 1, static_cast<unsigned>(r.track));
        const std::string name = "ltc" + std::to_string(i);
        if (!writeWav((folder / "interchange" / spec.name / "audiofiles" / (name + ".wav")).string(), int(rate), 1, pcm))
            return "cannot write " + name + ".wav";
        const std::size_t id = kFirstId + 2 * i;
        sources << "<Source name=\"" << name << ".wav\" type=\"audio\" flags=\"\" id=\"" << id
                << "\" channel=\"0\" origin=\"\" gain=\"1\"/>\n";
        regions << "<Region name=\"" << name << "\" whole-file=\"1\" start=\"a0\" length=\""
                << superclocks(static_cast<std::int64_t>(pcm.size()), rate, scRate) << "@a0\" id=\"" << id + 1
                << "\" type=\"audio\" source-0=\"" << id << "\" master-source-0=\"" << id << "\" channels=\"1\"/>\n";
    }
    range << "<Locations>\n<Location id=\"" << kFirstId - 1 << "\" name=\"session\" start=\""
          << superclocks(from, rate, scRate) << "\" end=\"" << superclocks(to, rate, scRate)
          << "\" flags=\"IsSessionRange\" locked=\"0\" timestamp=\"1\" cue=\"0\"/>\n</Locations>";
    const bool ok =
        replaceOnce(xml, "<Sources/>", "<Sources>\n" + sources.str() + "</Sources>") &&
        replaceOnce(xml, "<Regions/>", "<Regions>\n" + regions.str() + "</Regions>") &&
        replaceOnce(xml, "<Locations/>", range.str()) &&
        replaceOnce(xml, "\"timecode-format\" value=\"timecode_30\"", "\"timecode-format\" value=\"" + spec.timecodeFormat + "\"") &&
        replaceOnce(xml, "\"timecode-offset\" value=\"0\"", "\"timecode-offset\" value=\"" + std::to_string(clockOf(spec).offset) + "\"");
    if (!ok) return "the fresh session file has not the expected form";
    return writeFileAtomic(file.string(), xml).error;
}

std::string failed(std::string& error, std::string why) {
    error = std::move(why);
    return {};
}

void writeGain(std::ostream& out, const SessionSpec& spec) {
    out << "local gain = {";
    for (std::size_t i = 0; i < spec.gain.size(); ++i) {
        const std::int64_t at = sessionSample(spec, spec.gain[i].frame);
        if (i > 0) out << "{" << at - 1 << "," << spec.gain[i - 1].gain << "},";
        out << "{" << at << "," << spec.gain[i].gain << "},";
    }
    out << "}\n";
}

std::string buildScript(const SessionSpec& spec, const fs::path& folder) {
    std::ostringstream s;
    s << "local folder, name, rate, ntracks, midi = " << luaString(folder.string()) << ", " << luaString(spec.name)
      << ", " << spec.format.sampleRate << ", " << spec.audioTracks << ", " << (spec.midiTrack ? "true" : "false")
      << "\nlocal regions = {";
    for (std::size_t i = 0; i < spec.regions.size(); ++i) {
        const Placed p = placed(spec, spec.regions[i]);
        const int source = spec.regions[i].source >= 0 ? spec.regions[i].source : static_cast<int>(i);
        s << "{track=" << spec.regions[i].track << ",src=\"" << kFirstId + 2 * source + 1 << "\",at=" << p.at
          << ",len=" << p.length << ",start=" << p.start << "},";
    }
    s << "}\n";
    writeGain(s, spec);
    s << R"lua(
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_sample_rate(rate)
AudioEngine:start(false)
assert(load_session(folder, name))
local tracks = {}
for t in Session:new_audio_track(1, 2, nil, ntracks, "Track", ARDOUR.PresentationInfo.max_order,
    ARDOUR.TrackMode.Normal, true, false):iter() do tracks[#tracks + 1] = t end
for i, t in ipairs(tracks) do
  for c = 0, 1 do t:output():audio(c):connect("Master/audio_in " .. (c + 1)) end
  t:pan_azimuth_control():set_value(i == 1 and 0 or 1, PBD.GroupControlDisposition.NoGroup)
end
-- Named as the regions of takes are, twenty to a take: Ardour numbers a
-- clone after the last region of its name.
for i, r in ipairs(regions) do
  local c = ARDOUR.RegionFactory.clone_region(ARDOUR.RegionFactory.region_by_id(PBD.ID(r.src)), true, false)
  c:set_name(string.format("take%d.%d", (i - 1) // 20 + 1, (i - 1) % 20 + 1))
  c:trim_to(Temporal.timepos_t(r.start), Temporal.timecnt_t(r.len))
  c:to_audioregion():set_fade_in_active(false)
  c:to_audioregion():set_fade_out_active(false)
  tracks[r.track]:playlist():add_region(c, Temporal.timepos_t(r.at), 1, false, 0, 0, false)
end
if #gain > 0 then
  local al = tracks[1]:gain_control():alist()
  for _, g in ipairs(gain) do al:add(Temporal.timepos_t(g[1]), g[2], false, false) end
  tracks[1]:gain_control():set_automation_state(ARDOUR.AutoState.Play)
  -- Pan (in music time) and mute automation that does not play: the conform moves it too.
  local last = tracks[#tracks]
  for i, g in ipairs(gain) do
    last:pan_azimuth_control():alist():add(Temporal.timepos_t(g[1]), 1 - (i % 2) * 0.25, false, false)
    last:mute_control():alist():add(Temporal.timepos_t(g[1]), i % 2, false, false)
  end
end
if midi then
  Session:new_midi_track(ARDOUR.ChanCount(ARDOUR.DataType("midi"), 1), ARDOUR.ChanCount(ARDOUR.DataType("audio"), 2),
    true, ARDOUR.PluginInfo(), nil, nil, 1, "Synth", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
end
if Session:save_state("", false, false, false, false, false) == 0 then print("BUILT") end
close_session()
)lua";
    return s.str();
}

}  // namespace

std::optional<std::string> ardourMissing() {
    for (const char* tool : {"lua", "new_session", "export"})
        if (ArdourTools::find(tool).empty())
            return std::string("Ardour's ardourN-") + tool + " is not installed (scripts/deps.sh --tests installs it)";
    return std::nullopt;
}

std::int64_t sessionSample(const SessionSpec& spec, std::int64_t frame) { return clockOf(spec).sampleAt(frame); }

std::string buildSession(const SessionSpec& spec, const std::string& parent, std::string& error) {
    const fs::path folder = fs::path(parent) / spec.name;
    const ChildResult made = runChild({ArdourTools::find("new_session"), "-s", std::to_string(spec.format.sampleRate),
                                       folder.string(), spec.name},
                                      {}, std::chrono::seconds(120));
    if (made.exitStatus != 0) return failed(error, "ardour new_session failed: " + made.errorTail);
    if (std::string why = registerAudio(spec, folder); !why.empty()) return failed(error, why);
    ArdourTools tools;
    bool built = false;
    const ArdourRun run = tools.runLua(*tools.luaTool(), buildScript(spec, folder),
                                       [&](const std::string& line) { built = built || line == "BUILT"; },
                                       std::chrono::seconds(120));
    if (!built) return failed(error, "the session was not built: " + run.errorOutput);
    return (folder / (spec.name + ".ardour")).string();
}

std::optional<Wav> renderSnapshot(const std::string& folder, const std::string& snapshot, std::int64_t frames,
                                  std::string& error) {
    const std::string out = (fs::path(folder) / "export" / (snapshot + "-render.wav")).string();
    for (int attempt = 0; attempt < 4; ++attempt) {
        fs::remove(out);
        const ChildResult r =
            runChild({ArdourTools::find("export"), "-o", out, folder, snapshot}, {}, std::chrono::seconds(180));
        auto wav = readWav(out);
        if (wav && wav->frames() == frames) return wav;
        error = "ardour export gave " + std::string(wav ? std::to_string(wav->frames()) + " frames" : "no file") +
                " (exit status " + std::to_string(r.exitStatus) + "): " + r.errorTail;
    }
    return std::nullopt;
}

}  // namespace rw::test
