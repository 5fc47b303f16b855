#pragma once
// Titles of the menu items and buttons whose commands branch on their sender.
// The windows show translated text but pass these constants.

namespace rw::title {

inline constexpr const char* Compare = "Compare";
inline constexpr const char* CompareSelectedOnly = "Compare Selected Events Only";
inline constexpr const char* Conform = "Conform";
inline constexpr const char* ConformSelectedOnly = "Conform Selected Events Only";
inline constexpr const char* Next = "next";
inline constexpr const char* LocateSessionToMaster = "Locate Session To Master";
inline constexpr const char* LocateSessionToSource = "Locate Session To Source";
inline constexpr const char* SetInTimes = "Set In Times";
inline constexpr const char* SetOutTimes = "Set Out Times";
inline constexpr const char* Offset = "Offset";
inline constexpr const char* ExportChangeNote = "Export Change Note";
inline constexpr const char* ExportFeetFramesNote = "Export Feet+Frames Change Note";
inline constexpr const char* ImportOldMovie = "Import Old Movie";
inline constexpr const char* ImportNewMovie = "Import New Movie";
inline constexpr const char* CaptureOldZeroPoint = "Capture Old Movie Zero Point";
inline constexpr const char* CaptureNewZeroPoint = "Capture New Movie Zero Point";
inline constexpr const char* ShowHideLargeMovies = "Show/Hide Large Movies";
inline constexpr const char* ShowHideMovieDifferences = "Show/Hide Movie Differences";
// Any other title opens or closes the movie drawer; the menu item carries this one.
inline constexpr const char* ShowHideMovieDrawer = "Show/Hide Movie Drawer";

}  // namespace rw::title
