// The satellite menu's "Update": the changes published tables would make to
// one satellite's transponders, each with a check box. Nothing changes
// before OK.
#pragma once

#include <QDialog>
#include <vector>

#include "model/transponder_update.h"

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace brondavel {

class UpdatePreviewDialog : public QDialog {
    Q_OBJECT
  public:
    UpdatePreviewDialog(DatabaseEngine& db, uint16_t satelliteId,
                        std::vector<TransponderTable> tables, QWidget* parent = nullptr);

    const TransponderUpdatePlan& plan() const { return plan_; }
    // Applies the checked changes; false after telling the user why not.
    bool Apply();

  private:
    void Replan();
    void TakeChecks();
    void ShowSummary();

    DatabaseEngine& db_;
    uint16_t satelliteId_;
    std::vector<TransponderTable> tables_;
    TransponderUpdatePlan plan_;
    QCheckBox* includeS2_;
    QTreeWidget* changes_;
    QLabel* summary_;
    QLabel* note_;
    std::vector<QTreeWidgetItem*> additionItems_, correctionItems_, removalItems_;
};

}  // namespace brondavel
