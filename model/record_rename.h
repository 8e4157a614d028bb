// Renaming a record in place: the command line's `rename` and the list
// windows' F2 store a typed name the same way and refuse the same names.
#pragma once

#include <string>
#include <string_view>

#include "model/database_engine.h"

namespace brondavel {

enum class RenameStatus {
    kRenamed,
    kUnchanged,        // the name stored already; nothing was changed
    kEmpty,            // no name given
    kNothingStorable,  // not one character of the name fits the field
    kDuplicate,        // the renamed record would equal another one
    kNoSuchRow,        // no record in that row, or a kind without names
};

struct RenameResult {
    RenameStatus status = RenameStatus::kNoSuchRow;
    std::string wanted;
    // The whole name as the record would hold it (empty when no row).
    std::string stored;
    // When the two differ: the field's limit cut the name, and characters
    // the receiver cannot show were replaced.
    bool cut = false;
    bool replaced = false;

    bool Stored() const {
        return status == RenameStatus::kRenamed || status == RenameStatus::kUnchanged;
    }
    bool Changed() const { return stored != wanted; }
};

// Puts `wanted` (UTF-8) into `record`'s name as a rename would, without
// storing the record; `record` keeps its name when the result is no name.
RenameResult RenameRecord(const DatabaseEngine& db, int kind, Record& record,
                          std::string_view wanted);

// Stores `wanted` (UTF-8) as the name of the record shown in `row` of `kind`
// (0-3), as one undoable step.
RenameResult RenameRow(DatabaseEngine& db, int kind, int row, std::string_view wanted);

// The whole stored name of the record in `row` (a list row shows only its
// start); empty when there is none.
std::string FullName(DatabaseEngine& db, int kind, int row);

// Why a rename was refused, in lower case ("a name cannot be empty"); empty
// for a stored name.
std::string RenameRefusalText(const RenameResult& result);
// How the stored name differs from the one asked for ("cut to the field's
// limit"); empty when it does not.
std::string RenameChangeText(const RenameResult& result);

}  // namespace brondavel
