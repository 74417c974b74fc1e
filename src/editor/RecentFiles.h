// The files the user opened last, newest first, as File > Recent Files lists them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarrox {

class SettingsStore;

class RecentFiles {
  public:
    static constexpr size_t Capacity = 8;

    // Kept in the settings as "Recent Files" File1..File8; empty values are skipped.
    void Read(SettingsStore& store);
    void Write(SettingsStore& store) const;

    // Puts the path first, dropping an older mention of it and whatever falls past the end.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    std::vector<std::string> paths_;
};

} // namespace tarrox
