#include "ardour/ArdourScript.h"

#include <cstdio>
#include <sstream>

namespace rw {

namespace {

// The program; `plan` is defined before it. Regions are found by id and
// checked against the file's reading before anything is changed; a mismatch
// stops the run before the save.
constexpr const char* kProgram = R"lua(
local function fail(msg) error({rw = msg}, 0) end
local function at(s) return Temporal.timepos_t(s) end
local done, total, shown = 0, plan.total, -1
local function step()
  done = done + 1
  local now = done * 200 // total  -- at most 200 lines
  if now ~= shown then
    shown = now
    print("RW PROGRESS " .. done .. " " .. total)
  end
end

local function check(r, p, track)
  if r:isnil() then fail("region \"" .. p.name .. "\" is not in the playlist of track \"" .. track .. "\"") end
  local pos, len, start = r:position():samples(), r:length():samples(), r:start():samples()
  if pos ~= p.pos or len ~= p.len or start ~= p.start then
    fail(string.format("Ardour reads region \"%s\" of track \"%s\" at sample %d, %d long, from %d; the session file at %d, %d long, from %d",
      p.name, track, pos, len, start, p.pos, p.len, p.start))
  end
end

local function place(t, old, new)
  new:to_stateful():clear_changes()
  for _, p in ipairs(t.pieces) do
    local r = old:region_by_id(PBD.ID(p.id))
    check(r, p, t.name)
    local c = ARDOUR.RegionFactory.clone_region(r, false, false)  -- unannounced: the playlist keeps it
    if p.cut_front or p.cut_back then c:trim_to(at(p.from), Temporal.timecnt_t(p.to - p.from)) end
    if p.cut_front then c:to_audioregion():set_fade_in_active(false) end
    if p.cut_back then c:to_audioregion():set_fade_out_active(false) end
    new:add_region(c, at(p.at), 1, false, 0, 0, false)
    if c:position():samples() ~= p.at or c:length():samples() ~= p.to - p.from then
      fail(string.format("Ardour placed a piece of region \"%s\" at sample %d, %d long, not at %d, %d long",
        p.name, c:position():samples(), c:length():samples(), p.at, p.to - p.from))
    end
    step()
  end
  Session:add_stateful_diff_command(new:to_statefuldestructible())
end

-- The points of [from, to) of the old list, moved to newFrom: the value at
-- each end and every point between.
local function move_list(al)
  if al:isnil() or al:size() == 0 then return end
  local when, value = {}, {}
  for ev in al:events():iter() do
    when[#when + 1] = ev.when:samples()
    value[#value + 1] = ev.value
  end
  local points = {}
  for _, s in ipairs(plan.segments) do
    local from, to, shift = s[1], s[2], s[3] - s[1]
    points[#points + 1] = {s[3], al:eval(at(from))}
    local lo, hi = 1, #when + 1
    while lo < hi do
      local mid = (lo + hi) // 2
      if when[mid] <= from then lo = mid + 1 else hi = mid end
    end
    while lo <= #when and when[lo] < to - 1 do
      points[#points + 1] = {when[lo] + shift, value[lo]}
      lo = lo + 1
    end
    if to - 1 > from then points[#points + 1] = {to - 1 + shift, al:eval(at(to - 1))} end
  end
  local before = al:get_state()
  al:clear_list()
  for _, p in ipairs(points) do al:add(at(p[1]), p[2], false, false) end
  Session:add_command(al:memento_command(before, al:get_state()))
end

local function move_automation(route)
  local controls = {route:gain_control(), route:trim_control(), route:mute_control(),
    route:pan_azimuth_control(), route:pan_elevation_control(), route:pan_width_control(),
    route:pan_frontback_control(), route:pan_lfe_control()}
  for _, c in ipairs(controls) do
    if not c:isnil() then move_list(c:alist()) end
  end
  step()
end

local function conform()
  AudioEngine:set_backend("None (Dummy)", "", "")
  AudioEngine:set_sample_rate(plan.rate)
  if AudioEngine:start(false) ~= 0 then fail("Ardour's audio engine did not start") end
  if not load_session(plan.folder, plan.read) then fail("Ardour could not load the session") end
  if Session:nominal_sample_rate() ~= plan.rate or at(plan.rate):str() ~= "a" .. Temporal.superclock_ticks_per_second() then
    fail("Ardour runs the session at another sample rate than its file names")
  end
  Session:begin_reversible_command("reelwright conform")
  for _, t in ipairs(plan.tracks) do
    local route = Session:route_by_id(PBD.ID(t.id))
    if route:isnil() or route:to_track():isnil() then fail("track \"" .. t.name .. "\" is not in the session") end
    local track = route:to_track()
    local old = track:playlist()
    if old:to_stateful():id():to_s() ~= t.playlist then
      fail("track \"" .. t.name .. "\" plays another playlist than the session file names")
    end
    if track:use_new_playlist(ARDOUR.DataType("audio")) ~= 0 then fail("track \"" .. t.name .. "\" got no new playlist") end
    local new = track:playlist()
    if Session:playlists():by_name(t.new_name):isnil() then new:set_name(t.new_name) end
    place(t, old, new)
    move_automation(route)
  end
  if plan.range then
    local loc = Session:locations():session_range_location()
    if loc then loc:set(at(plan.range[1]), at(plan.range[2])) end
  end
  Session:commit_reversible_command(nil)
  if Session:save_state(plan.snapshot, false, false, false, false, false) ~= 0 then
    fail("Ardour could not save the snapshot")
  end
end

local ok, err = pcall(conform)
if ok then
  print("RW DONE")
else
  print("RW ERROR " .. (type(err) == "table" and err.rw or tostring(err)))
end
-- A clean close also removes the empty recording files Ardour made for its
-- MIDI tracks when it loaded the session.
if Session then close_session() end
)lua";

void writePiece(std::ostream& out, const Piece& p) {
    out << "{id=" << luaString(p.region.id) << ",name=" << luaString(p.region.name) << ",pos=" << p.region.position
        << ",len=" << p.region.length << ",start=" << p.region.start << ",from=" << p.from << ",to=" << p.to
        << ",at=" << p.newPosition << (p.cutFront ? ",cut_front=true" : "") << (p.cutBack ? ",cut_back=true" : "")
        << "},\n";
}

}  // namespace

std::string luaString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03u", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string ardourConformScript(const ArdourScriptInput& in, const ArdourPlan& plan) {
    std::ostringstream s;
    s << "-- reelwright: conform of an Ardour session to a new cut\nlocal plan = {\n"
      << "folder=" << luaString(in.folder) << ",read=" << luaString(in.snapshotRead)
      << ",snapshot=" << luaString(in.snapshot) << ",rate=" << in.sampleRate << ",\n"
      << "total=" << plan.placedPieces() + static_cast<std::int64_t>(plan.tracks.size()) << ",\n";
    if (plan.sessionRange) s << "range={" << plan.sessionRange->first << "," << plan.sessionRange->second << "},\n";
    s << "segments={\n";
    for (const auto& seg : plan.segments) s << "{" << seg.from << "," << seg.to << "," << seg.newFrom << "},\n";
    s << "},\ntracks={\n";
    for (const auto& t : plan.tracks) {
        s << "{id=" << luaString(t.trackId) << ",name=" << luaString(t.trackName)
          << ",playlist=" << luaString(t.oldPlaylistId) << ",new_name=" << luaString(t.newPlaylistName)
          << ",pieces={\n";
        for (const auto& p : t.pieces) writePiece(s, p);
        s << "}},\n";
    }
    s << "},\n}\n" << kProgram;
    return s.str();
}

}  // namespace rw
