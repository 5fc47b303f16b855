#include "ardour/ArdourSession.h"

#include <gtest/gtest.h>

namespace rw {
namespace {

// A session file cut down to what the conform reads, as Ardour 7 writes it:
// times in superclocks (282240000 a second; 5880 a sample at 48 kHz).
const char* const kSession = R"(<?xml version="1.0" encoding="UTF-8"?>
<Session version="7002" name="reel1" sample-rate="48000" id-counter="500">
  <ProgramVersion created-with="Ardour 7.2.0" modified-with="Ardour 7.3.0~ds0-1"/>
  <Config>
    <Option name="timecode-format" value="timecode_2997drop"/>
    <Option name="timecode-offset" value="172800000"/>
    <Option name="timecode-offset-negative" value="0"/>
    <Option name="video-pullup" value="0"/>
  </Config>
  <Regions>
    <Region name="whole" start="a0" length="a999@a0" id="1"/>
  </Regions>
  <Locations>
    <Location id="9" name="session" start="a5880" end="a58800" flags="IsSessionRange"/>
    <Location id="10" name="loop" start="a0" end="a5880" flags="IsAutoLoop"/>
  </Locations>
  <Routes>
    <Route id="20" name="Master" default-type="audio"/>
    <Route id="21" name="Dia &amp; FX" default-type="audio" audio-playlist="31"/>
    <Route id="22" name="Synth" default-type="midi" midi-playlist="32"/>
  </Routes>
  <Playlists>
    <Playlist id="31" name="Dia &amp; FX.1" type="audio" orig-track-id="21">
      <Region name="a" start="a11760" length="a58800@a5880" layering-index="1" id="41"/>
      <Region name="b" start="a0" length="a5880@a0" id="42"/>
      <Region name="glued" start="b0" length="b1920@b3840" id="43"/>
    </Playlist>
  </Playlists>
  <UnusedPlaylists>
    <Playlist id="33" name="Dia &amp; FX" type="audio" orig-track-id="21">
      <Region name="old" start="a0" length="a5880@a0" id="44"/>
    </Playlist>
  </UnusedPlaylists>
  <TempoMap superclocks-per-second="282240000"/>
</Session>
)";

TEST(ArdourSessionFile, ReadsTracksPlaylistsRegionsAndTimecodeInSamples) {
    const Outcome<ArdourSession> read = readArdourSession(kSession);
    ASSERT_TRUE(read) << read.error;
    const ArdourSession& s = read.value;
    EXPECT_EQ(s.format, 7002);
    EXPECT_EQ(s.savedBy, "Ardour 7.3.0~ds0-1");
    EXPECT_EQ(s.sampleRate, 48000);
    EXPECT_EQ(s.timecodeFormat, "timecode_2997drop");
    EXPECT_EQ(s.timecodeOffset, 172800000);
    EXPECT_FALSE(s.timecodeOffsetNegative);
    EXPECT_FALSE(s.pulledUp);
    ASSERT_EQ(s.tracks.size(), 2u);  // the master bus is no track
    EXPECT_EQ(s.tracks[0].name, "Dia & FX");
    EXPECT_FALSE(s.tracks[0].midi);
    EXPECT_TRUE(s.tracks[1].midi);
    EXPECT_EQ(s.tracks[1].playlistId, "32");
    const ArdourPlaylist* pl = s.playlist("31");
    ASSERT_TRUE(pl);
    ASSERT_EQ(pl->regions.size(), 2u);
    EXPECT_EQ(pl->regions[0].position, 1);
    EXPECT_EQ(pl->regions[0].length, 10);
    EXPECT_EQ(pl->regions[0].start, 2);
    EXPECT_EQ(pl->regions[0].layeringIndex, 1);
    EXPECT_EQ(s.musicTimeRegions, std::vector<std::string>{"glued"});
    ASSERT_TRUE(s.playlist("33"));
    ASSERT_TRUE(s.sessionRange);
    EXPECT_EQ(s.sessionRange->first, 1);
    EXPECT_EQ(s.sessionRange->second, 10);
}

TEST(ArdourSessionFile, BadInputIsNoSessionWithAReason) {
    const std::string cases[] = {
        "",
        std::string("\x00\x01\xff\xfe garbage", 12),
        "<html><body/></html>",
        "<Session name=\"x\"/>",                                              // no version or rate
        "<Session version=\"7002\" sample-rate=\"48000\">",                    // cut off
        "<Session version=\"7002\" sample-rate=\"48000\" name=\"\xc3\x28\"/>", // invalid UTF-8
        "<Session version=\"7002\" sample-rate=\"48000\"><Playlists><Playlist id=\"1\">"
        "<Region name=\"r\" start=\"a0\" length=\"12\"/></Playlist></Playlists></Session>",  // a time it cannot read
        std::string(1 << 16, '<'),
    };
    for (const auto& bytes : cases) {
        const Outcome<ArdourSession> read = readArdourSession(bytes);
        EXPECT_FALSE(read) << bytes.substr(0, 40);
        EXPECT_FALSE(read.error.empty());
    }
    const Outcome<ArdourSession> crlf = readArdourSession("<Session version=\"7002\"\r\n sample-rate=\"44100\">\r\n</Session>\r\n");
    ASSERT_TRUE(crlf) << crlf.error;
    EXPECT_EQ(crlf.value.sampleRate, 44100);
}

TEST(ArdourSessionFile, VersionOfTheProgramText) {
    EXPECT_EQ(ardourVersion("Ardour 7.3.0~ds0-1"), std::make_pair(7, 3));
    EXPECT_EQ(ardourVersion("8.12"), std::make_pair(8, 12));
    EXPECT_EQ(ardourVersion("Ardour 8"), std::make_pair(0, 0));
    EXPECT_EQ(ardourVersion(""), std::make_pair(0, 0));
}

}  // namespace
}  // namespace rw
