#pragma once
// File access for the readers and writers: whole-file reads and atomic writes.

#include <optional>
#include <string>

namespace rw {

// The file's bytes, or nullopt when it is not a readable regular file.
std::optional<std::string> readFileBytes(const std::string& path);
// The file as UTF-8 text (Latin-1 when it is not UTF-8); nullopt when unreadable.
std::optional<std::string> readFileText(const std::string& path);

// Why the file cannot be read: the system's reason ("No such file or
// directory"), "is a folder", "is not a regular file" or "is not readable";
// empty when it can be.
std::string unreadableReason(const std::string& path);

// Writes through a temporary file in the same folder, then renames it over the
// target, so a reader never sees half a file. Empty on success, else the reason.
std::string writeFileAtomic(const std::string& path, const std::string& bytes);

// Creates the folder and its parents; true when it exists afterwards.
bool makeFolders(const std::string& path);

// The last path component, and that name without its extension; the extension alone.
std::string lastPathComponent(const std::string& path);
std::string pathExtension(const std::string& path);
std::string deletingPathExtension(const std::string& name);

// Same file on disk (after following links); false when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace rw
