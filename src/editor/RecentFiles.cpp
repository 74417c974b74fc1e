#include "editor/RecentFiles.h"

#include <algorithm>

#include "platform/SettingsStore.h"

namespace tarrox {

namespace {
constexpr const char* Section = "Recent Files";
std::string Key(size_t i) {
    return "File" + std::to_string(i + 1);
}
} // namespace

void RecentFiles::Read(SettingsStore& store) {
    paths_.clear();
    for (size_t i = 0; i < Capacity; ++i) {
        auto path = store.Read(Section, Key(i));
        if (path && !path->empty() &&
            std::find(paths_.begin(), paths_.end(), *path) == paths_.end())
            paths_.push_back(*path);
    }
}

void RecentFiles::Write(SettingsStore& store) const {
    // Every slot is written so a removed entry does not come back from an older value.
    for (size_t i = 0; i < Capacity; ++i)
        store.Write(Section, Key(i), i < paths_.size() ? paths_[i] : std::string());
}

void RecentFiles::Add(const std::string& path) {
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > Capacity) paths_.resize(Capacity);
}

void RecentFiles::Remove(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

} // namespace tarrox
