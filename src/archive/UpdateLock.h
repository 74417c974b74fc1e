// The right to update one archive, exclusive across processes, and the names of the working
// copies an update writes beside the archive.
#pragma once

#include <chrono>
#include <string>

namespace tarrox {

class UpdateLock {
  public:
    // Waits up to `wait` for an update of the same archive to finish. Once held, whatever
    // working copies earlier, killed updates of this archive left behind are removed: no live
    // update can own one then, since each makes and removes its copies under the lock.
    UpdateLock(const std::string& archivePath, std::chrono::milliseconds wait);
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    bool Held() const { return fd_ >= 0; }

    // Creates an empty file beside the archive under a name no other update uses and returns
    // its path; empty on failure (errno says why).
    std::string NewWorkingCopy() const;

  private:
    std::string archive_;
    std::string lockPath_;
    int fd_ = -1;
};

// The partial file the library writes beside an archive it compacts.
std::string CompactionPartialOf(const std::string& path);

} // namespace tarrox
