#pragma once
// Where preferences are stored. The engine reads and writes texts (and the one
// integer) through this port; the app backs it with QSettings, the CLI and the
// tests with a memory or file store (settings/).

#include <optional>
#include <string>

namespace rw {

class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    // The stored text, or nullopt when nothing is stored under the key.
    virtual std::optional<std::string> stringForKey(const std::string& key) const = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
    virtual void remove(const std::string& key) = 0;
};

}  // namespace rw
