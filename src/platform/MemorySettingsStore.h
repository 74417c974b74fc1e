// Settings kept in memory and forgotten on exit: for tests, and for tools that must neither
// read nor change the user's own settings.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/SettingsStore.h"

namespace tarrox {

class MemorySettingsStore : public SettingsStore {
  public:
    std::map<std::pair<std::string, std::string>, std::string> Values;

    std::optional<std::string> Read(const std::string& section, const std::string& key) override {
        auto it = Values.find({section, key});
        if (it == Values.end()) return std::nullopt;
        return it->second;
    }
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override {
        Values[{section, key}] = value;
    }
};

} // namespace tarrox
