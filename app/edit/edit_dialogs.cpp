#include "app/edit/edit_dialogs.h"

#include <QMessageBox>
#include <memory>

#include "app/edit/channel_dialog.h"
#include "app/edit/satellite_dialog.h"
#include "app/edit/transponder_dialog.h"
#include "app/logic/new_record.h"

namespace brondavel::app {

std::unique_ptr<RecordDialog> CreateEditDialog(QWidget* parent, int kind, DatabaseEngine* database,
                                               int row) {
    if (!database) return nullptr;
    switch (kind) {
        case kSatellite:
            return std::make_unique<SatelliteDialog>(parent, *database, row);
        case kTransponder:
            return std::make_unique<TransponderDialog>(parent, *database, row);
        case kTv:
        case kRadio:
            return std::make_unique<ChannelDialog>(parent, kind, *database, row);
        default:
            return nullptr;
    }
}

EditOutcome RunEditDialog(QWidget* parent, int kind, DatabaseEngine* database, int row) {
    if (!database) return {};
    if (row == kNoRow) {
        const std::string refusal = NewRecordRefusal(*database, kind);
        if (!refusal.empty()) {
            QMessageBox::warning(parent, QStringLiteral("Error"), QString::fromStdString(refusal));
            return {};
        }
    }
    std::unique_ptr<RecordDialog> dialog = CreateEditDialog(parent, kind, database, row);
    if (!dialog || dialog->exec() != QDialog::Accepted) return {};
    return {true, dialog->newRecordId()};
}

void ShowEditedRecord(DatabaseEngine& database, int kind, ListControl* list, int row,
                      const EditOutcome& outcome) {
    if (!list) return;
    database.RefreshKeepSelection(kind, list, row);
    if (!outcome.newRecordId) return;
    const int shown = database.list(kind).RowOfId(*outcome.newRecordId);
    if (shown != kNoRow) SelectOnlyRow(*list, shown);
}

}  // namespace brondavel::app
