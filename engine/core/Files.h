#pragma once
// File access for the readers and writers: whole-file reads and atomic writes.

#include "core/Outcome.h"

#include <string>

namespace rw {

// A read that fails says why the path cannot be read: the system's reason
// ("No such file or directory"), "is a folder", "is not a regular file" or
// "is not readable".

// The file's bytes, or why it is not a readable regular file.
Outcome<std::string> readFileBytes(const std::string& path);
// The file as UTF-8 text (Latin-1 when it is not UTF-8), or why it is unreadable.
Outcome<std::string> readFileText(const std::string& path);
// Whether the file could be read, without reading it.
Outcome<> checkReadable(const std::string& path);

// Writes through a temporary file in the same folder, then renames it over the
// target, so a reader never sees half a file.
Outcome<> writeFileAtomic(const std::string& path, const std::string& bytes);

// Creates the folder and its parents, or says why it is not a folder afterwards.
Outcome<> makeFolders(const std::string& path);

// The last path component, and that name without its extension; the extension alone.
std::string lastPathComponent(const std::string& path);
std::string pathExtension(const std::string& path);
std::string deletingPathExtension(const std::string& name);

// Same file on disk (after following links); false when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace rw
