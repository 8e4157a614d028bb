#include "model/record_rename.h"

#include <algorithm>

#include "model/field_table.h"
#include "text/conexant_text.h"

namespace brondavel {

namespace {

size_t CharacterCount(std::string_view utf8) {
    size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string NameOf(const DatabaseEngine& db, int kind, const Record& record) {
    const FieldSpec* field = NameField(FieldsOf(GenerationOf(db.layout()), kind));
    return field ? FieldName(*field, record) : std::string();
}

}  // namespace

std::string FullName(DatabaseEngine& db, int kind, int row) {
    Record record;
    return db.RowRecord(kind, row, record) ? NameOf(db, kind, record) : std::string();
}

RenameResult RenameRecord(const DatabaseEngine& db, int kind, Record& record,
                          std::string_view wanted) {
    RenameResult result;
    result.wanted = std::string(wanted);
    if (wanted.empty()) {
        result.status = RenameStatus::kEmpty;
        return result;
    }
    const Record before = record;
    db.layout().StoreNameText(kind, record, wanted);
    result.stored = NameOf(db, kind, record);
    if (result.stored.empty()) {
        record = before;
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
    const bool same =
        std::equal(before.stored().begin(), before.stored().end(), record.stored().begin());
    result.status = same ? RenameStatus::kUnchanged : RenameStatus::kRenamed;
    return result;
}

RenameResult RenameRow(DatabaseEngine& db, int kind, int row, std::string_view wanted) {
    Record record;
    if (!db.RowRecord(kind, row, record)) {
        RenameResult result;
        result.wanted = std::string(wanted);
        return result;
    }
    RenameResult result = RenameRecord(db, kind, record, wanted);
    if (result.status == RenameStatus::kRenamed && !db.StoreRecord(kind, row, record.stored()))
        result.status = RenameStatus::kDuplicate;
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
