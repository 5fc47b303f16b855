#pragma once
// The fixed values of the Pro Tools keystroke drive: the pace table, the
// polling constants, the status texts and the activation script.

#include <string>

namespace rw {

// The pace chosen in the preferences: the pause between keystrokes and how
// many quiet processor readings end a wait.
struct Pace {
    double pause = 0.07;
    int quietReadings = 3;
};

// "careful", "very careful"; any other text ("normal", "fast") is the quick pace.
Pace paceFor(const std::string& paceText);

namespace protocol {
inline constexpr double PollInterval = 0.01;
inline constexpr int BaselineSamples = 4;
inline constexpr float BaselineOutlierFactor = 1.2f;
inline constexpr float QuietFactor = 1.1f;
inline constexpr int SettleWindow = 500;
inline constexpr float SettleCeiling = 1.5f;
inline constexpr float SettleBandLow = 0.9f;
inline constexpr float SettleBandHigh = 1.1f;
inline constexpr double FirstEventExtraPause = 0.3;
inline constexpr int LengthTolerance = 1;
// The pause of the conform command before the worker starts.
inline constexpr double StartDelay = 0.5;
// How long local input is held back after each synthetic keystroke.
inline constexpr double LocalEventsSuppressionInterval = 0.1;
// The locate's wait between its paste and its Enter.
inline constexpr double LocatePause = 0.1;

// Limits of this system's own: a workstation that never falls quiet or
// stops answering, and a length that stays wrong, stop the conform instead
// of holding it for good.
inline constexpr double QuietTimeLimit = 60.0;
inline constexpr double BaselineTimeLimit = 10.0;
inline constexpr int SelectionTries = 5;
inline constexpr int PasteTries = 4;
// Put on the pasteboard before every Copy that is read back: the workstation
// never copies this text, so reading it means the Copy was lost.
inline constexpr const char* PasteboardSentinel = "(nothing copied)";
// How often a lost Copy is sent again before the workstation is taken as
// no longer answering.
inline constexpr int CopyTries = 3;
}  // namespace protocol

namespace status {
inline constexpr const char* Initializing = "initializing";
inline constexpr const char* TestingFramerate = "testing session framerate";
inline constexpr const char* Processing = "processing event :";
inline constexpr const char* WaitingForProTools = "waiting for Pro Tools";
inline constexpr const char* PasteLengthRedo = "paste length ERR - redo";
inline constexpr const char* WaitingForNext = "waiting to process event :";
inline constexpr const char* NotFinished = "Pro Tools did not finish - conform stopped";
inline constexpr const char* Quit = "Pro Tools has quit - conform stopped";
inline constexpr const char* NotAnswering = "Pro Tools is not answering - conform stopped";
inline constexpr const char* NotFound = "can't find Pro Tools - conform stopped";
inline constexpr const char* NotActivated = "Pro Tools can't be brought to the front - conform stopped";
}  // namespace status

// The stop panel's buttons as senders of abortConform.
namespace sender {
inline constexpr const char* Next = "next";
inline constexpr const char* Stop = "Stop";
}  // namespace sender

// Brings the workstation to the front and sets its main counter to
// timecode, under either menu layout.
const std::string& activationScript();

}  // namespace rw
