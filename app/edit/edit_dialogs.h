// Opens the record edit dialog of a kind for one row (0xFFFF: a new record)
// and runs it modally. Satellites and transponders have a dialog for models
// 0, 1 and 2; TV and radio channels for every model; favourites none.
#pragma once

#include <QWidget>
#include <memory>

#include "app/edit/record_dialog.h"
#include "model/channel_database.h"

namespace brondavel::app {

// The dialog RunEditDialog would run, not yet shown; null where none opens.
std::unique_ptr<RecordDialog> CreateEditDialog(QWidget* parent, int model, int kind,
                                               ChannelDatabase* database, int row);

// 1 when the dialog ended with Save (the database stored the record), else 0.
int RunEditDialog(QWidget* parent, int model, int kind, ChannelDatabase* database, int row);

}  // namespace brondavel::app
