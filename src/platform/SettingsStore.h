// The per-user settings store: text values by section and key.
#pragma once

#include <optional>
#include <string>

namespace tarrox {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Nothing when the key has never been written.
    virtual std::optional<std::string> Read(const std::string& section, const std::string& key) = 0;
    virtual void Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

} // namespace tarrox
