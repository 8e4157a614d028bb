// The commands that bring outside data into the open database or write it
// out for others, each from a file the user picked: the panel's File menu
// and the satellite window call them, then refresh their lists.
#pragma once

#include <QString>
#include <optional>

#include "files/database_file.h"

class QWidget;

namespace brondavel {

// Merges `path` after asking what to copy; shows the counts. True when the
// database changed.
bool MergeFromFile(QWidget* parent, DatabaseEngine& db, const QString& path);

// Writes the database to `path` as a file of `model` (the other
// generation's flash and compress settings are the defaults).
void SaveAsOtherGeneration(QWidget* parent, const DatabaseEngine& db, const QString& path,
                           int model);

// Asks whether the TV or the radio order is wanted: kTv, kRadio, or nothing
// when the user cancels.
std::optional<int> AskReferenceKind(QWidget* parent);

// Writes the TV (or radio) order as a "number;name;ONID-TSID-SID" list.
void SaveReferenceList(QWidget* parent, const DatabaseEngine& db, const QString& path, int kind);

// Applies a text list's order, asking whether to take its names. True when
// the database changed.
bool ApplyTextList(QWidget* parent, DatabaseEngine& db, const QString& path);

// Shows the Update preview for the satellite in `row` of the satellite
// window, from the configured table source at its position or, when that
// has none, from a table file the user picks. True when the database
// changed.
bool UpdateSatellite(QWidget* parent, DatabaseEngine& db, int row);

// A new satellite from a table of the configured source (or of a file the
// user picks when the source offers none), chosen by name and position.
// True when it was added.
bool NewSatelliteFromTable(QWidget* parent, DatabaseEngine& db);

}  // namespace brondavel
