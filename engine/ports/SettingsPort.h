#pragma once
// Where preferences are stored. The engine reads and writes texts (and the one
// integer) through this port; the app backs it with QSettings, the CLI and the
// tests with a memory or file store.

#include <map>
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

// A store held in memory; what the CLI and the tests use.
class MemorySettings : public SettingsPort {
public:
    std::optional<std::string> stringForKey(const std::string& key) const override {
        auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void setString(const std::string& key, const std::string& value) override { values_[key] = value; }
    void remove(const std::string& key) override { values_.erase(key); }
    const std::map<std::string, std::string>& values() const { return values_; }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace rw
