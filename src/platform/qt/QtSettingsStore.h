// The settings store on QSettings: the user's native settings under the application TarroxII.
#pragma once

#include "platform/SettingsStore.h"

namespace tarrox {

class QtSettingsStore : public SettingsStore {
  public:
    std::optional<std::string> Read(const std::string& section, const std::string& key) override;
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override;
};

} // namespace tarrox
