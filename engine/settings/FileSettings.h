#pragma once
// A settings store kept in an INI-style text file, for the command line and
// the tests (the app keeps its settings with the platform):
//
//   ; reelwright preferences
//   [reelwright]
//   EDL type=PAL video
//   sep1=" "
//
// One "key=value" a line. Spaces around key and value are trimmed; a value in
// double quotes is taken as it stands inside them. Backslash escapes: \\ \n
// \r \t \" and \= (in keys). Blank lines, comments (; or #) and section
// headers are skipped. Keys are case-sensitive; the last of a repeated key wins.

#include "core/Outcome.h"
#include "ports/SettingsPort.h"

#include <map>
#include <optional>
#include <string>

namespace rw {

class FileSettings : public SettingsPort {
public:
    explicit FileSettings(std::string path) : path_(std::move(path)) {}

    // Reads the file, or says why not (unreadable, or a line that is not a
    // setting). On failure the store is left as it was.
    Outcome<> load();
    // Writes every setting atomically, or says why not.
    Outcome<> synchronize() const;

    std::optional<std::string> stringForKey(const std::string& key) const override;
    void setString(const std::string& key, const std::string& value) override { values_[key] = value; }
    void remove(const std::string& key) override { values_.erase(key); }
    const std::map<std::string, std::string>& values() const { return values_; }
    const std::string& path() const { return path_; }

    // The file's text for a set of values, and the values a text holds.
    static std::string format(const std::map<std::string, std::string>& values);
    // A line that is not a setting fails as "N: not a setting (expected
    // key=value)", N counted from 1, for the caller to put after the file's name.
    static Outcome<std::map<std::string, std::string>> parse(const std::string& text);

private:
    std::string path_;
    std::map<std::string, std::string> values_;
};

}  // namespace rw
