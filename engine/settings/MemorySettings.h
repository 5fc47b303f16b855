#pragma once
// A settings store held in memory: what the CLI starts from (then a settings
// file and flags), and what the tests use.

#include "ports/SettingsPort.h"

#include <map>
#include <optional>
#include <string>

namespace rw {

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
