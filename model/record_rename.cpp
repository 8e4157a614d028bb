#include "model/record_rename.h"

#include <algorithm>

#include "model/record_text.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

size_t CharacterCount(std::string_view utf8) {
    size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Spaces alone are no name: a blank row cannot be found or told apart.
bool Blank(std::string_view utf8) {
    return utf8.find_first_not_of(" \t") == std::string_view::npos;
}

std::string NameOf(const DatabaseEngine& db, int kind, const Record& record) {
    return WholeName(db.layout(), kind, record);
}

}  // namespace

std::string FullName(DatabaseEngine& db, int kind, int row) {
    Record record;
    return db.RowRecord(kind, row, record) ? NameOf(db, kind, record) : std::string();
}

RenameResult RenameRow(DatabaseEngine& db, int kind, int row, std::string_view wanted) {
    RenameResult result;
    result.wanted = std::string(wanted);
    Record record;
    if (!db.RowRecord(kind, row, record)) return result;
    if (Blank(wanted)) {
        result.status = RenameStatus::kEmpty;
        return result;
    }
    const Record before = record;
    db.layout().StoreNameText(kind, record, wanted);
    result.stored = NameOf(db, kind, record);
    if (Blank(result.stored)) {
        result.status = RenameStatus::kNothingStorable;
        return result;
    }
    if (result.Changed()) {
        result.cut = CharacterCount(result.stored) < CharacterCount(wanted);
        result.replaced = text::AnsiToUtf8(text::Utf8ToAnsi(wanted)) != wanted ||
                          std::any_of(wanted.begin(), wanted.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    }
    // Storing the same bytes again would be an undo step that changes nothing.
    if (std::equal(before.stored().begin(), before.stored().end(), record.stored().begin())) {
        result.status = RenameStatus::kUnchanged;
        return result;
    }
    result.status = db.StoreRecord(kind, row, record.stored()) ? RenameStatus::kRenamed
                                                               : RenameStatus::kDuplicate;
    return result;
}

std::string RenameRefusalText(const RenameResult& result) {
    switch (result.status) {
        case RenameStatus::kEmpty:
            return "a name cannot be empty";
        case RenameStatus::kNothingStorable:
            return "nothing of \"" + result.wanted + "\" can be stored";
        case RenameStatus::kDuplicate:
            return "the renamed record equals another one";
        case RenameStatus::kNoSuchRow:
            return "there is no record to rename";
        case RenameStatus::kRenamed:
        case RenameStatus::kUnchanged:
            break;
    }
    return {};
}

std::string RenameChangeText(const RenameResult& result) {
    if (!result.Changed() || result.stored.empty()) return {};
    if (result.cut && result.replaced) return "cut to the field's limit and characters replaced";
    if (result.cut) return "cut to the field's limit";
    if (result.replaced) return "characters replaced";
    return "changed by the receiver's text encoding";
}

}  // namespace brondavel
