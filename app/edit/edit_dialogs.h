// Opens the record edit dialog of a kind for one row (kNoRow: a new record)
// and runs it modally. Satellites, transponders, TV and radio channels have a
// dialog; favourites none.
#pragma once

#include <QWidget>
#include <memory>

#include "app/edit/record_dialog.h"
#include "model/database_engine.h"

namespace brondavel::app {

// The dialog RunEditDialog would run, not yet shown; null where none opens.
std::unique_ptr<RecordDialog> CreateEditDialog(QWidget* parent, int kind, DatabaseEngine* database,
                                               int row);

struct EditOutcome {
    bool saved = false;  // the dialog ended with Save
    std::optional<uint16_t> newRecordId;
};

// Runs the dialog. A new record that would have no parent is refused with a
// message instead.
EditOutcome RunEditDialog(QWidget* parent, int kind, DatabaseEngine* database, int row);

// After a Save: refreshes `list`, keeping its selection; a new record is
// selected alone and scrolled into view.
void ShowEditedRecord(DatabaseEngine& database, int kind, ListControl* list, int row,
                      const EditOutcome& outcome);

}  // namespace brondavel::app
