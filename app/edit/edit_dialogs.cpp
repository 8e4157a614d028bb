#include "app/edit/edit_dialogs.h"

#include <memory>

#include "app/edit/channel_dialog.h"
#include "app/edit/satellite_dialog.h"
#include "app/edit/transponder_dialog.h"

namespace brondavel::app {

std::unique_ptr<RecordDialog> CreateEditDialog(QWidget* parent, int model, int kind,
                                               ChannelDatabase* database, int row) {
    if (!database) return nullptr;
    const bool knownModel = GenerationOfModel(model) != RecordGeneration::kNone;
    switch (kind) {
        case kSatellite:
            if (knownModel) return std::make_unique<SatelliteDialog>(parent, model, database, row);
            return nullptr;
        case kTransponder:
            if (knownModel)
                return std::make_unique<TransponderDialog>(parent, model, database, row);
            return nullptr;
        case kTv:
        case kRadio:
            return std::make_unique<ChannelDialog>(parent, model, kind, database, row);
        default:
            return nullptr;
    }
}

int RunEditDialog(QWidget* parent, int model, int kind, ChannelDatabase* database, int row) {
    std::unique_ptr<RecordDialog> dialog = CreateEditDialog(parent, model, kind, database, row);
    return dialog && dialog->exec() == QDialog::Accepted ? 1 : 0;
}

}  // namespace brondavel::app
