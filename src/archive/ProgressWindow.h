// A progress bar over the main window while an archive is compacted.
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

} // namespace tarrox
