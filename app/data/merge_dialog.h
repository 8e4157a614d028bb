// File → "Merge from file...": what to copy from the other file.
#pragma once

#include <QDialog>
#include <array>

#include "model/database_merge.h"

class QCheckBox;

namespace brondavel {

class MergeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MergeDialog(const QString& path, QWidget* parent = nullptr);
    MergeOptions options() const;

  private:
    std::array<QCheckBox*, 4> kinds_{};
    QCheckBox* favorites_;
};

}  // namespace brondavel
