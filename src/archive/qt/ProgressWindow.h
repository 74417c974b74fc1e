// A progress bar over the main window while an archive is compacted, and the wait that keeps
// the windows drawn meanwhile.
#pragma once

#include <memory>

#include "archive/Mpq.h"

class QProgressDialog;
class QWidget;

namespace tarrox {

class ProgressWindow : public mpq::CompactProgress {
  public:
    explicit ProgressWindow(QWidget* parent);
    ~ProgressWindow() override;
    void Update(uint64_t done, uint64_t total) override;

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

// Runs pending paints and timers but no input, while the editor waits on an archive job: the
// windows stay drawn and nothing can start a second job meanwhile.
void KeepWindowsPainted();

} // namespace tarrox
