// Every named field of every record kind of both generations as data: where
// it lies, how many bits it has and how it is shown. Dumps, exports, diffs
// and column names read records through these tables instead of listing
// fields per command.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/database_layout.h"
#include "model/receiver_generation.h"
#include "model/record.h"

namespace brondavel {

Generation GenerationOf(const DatabaseLayout& layout);

enum class FieldShow : uint8_t {
    kNumber,        // unsigned decimal
    kSigned,        // signed decimal (the word read as two's complement)
    kFlag,          // one bit: true or false
    kWord,          // a whole word that named fields split up; hex in texts
    kRef,           // the id of the parent record: means nothing outside its file
    kReceiverName,  // name in the receiver's text encoding
    kAnsiName,      // name as plain Windows-1256 bytes
};

struct FieldSpec {
    const char* name;
    uint8_t offset;
    uint8_t width;     // bytes of the little-endian word (1, 2 or 4), or of the name field
    uint8_t firstBit;  // within the word
    uint8_t bitCount;  // 0: the whole word
    uint8_t count;     // elements of an array, `width` bytes apart; 1 for a single value
    FieldShow show;

    bool IsName() const { return show == FieldShow::kReceiverName || show == FieldShow::kAnsiName; }
};

using FieldTable = std::span<const FieldSpec>;

// The fields of a kind (0-4) in stored order; empty for another kind.
FieldTable FieldsOf(Generation generation, int kind);
// The field called `name`, or nullptr.
const FieldSpec* FindField(FieldTable table, std::string_view name);
// The name field of a kind's table, or nullptr.
const FieldSpec* NameField(FieldTable table);

// One element of a numeric field (sign-extended for kSigned).
int64_t FieldNumber(const FieldSpec& field, const Record& record, int element = 0);
// The bits of a kWord field that other fields of the table name.
uint32_t NamedBitsOf(FieldTable table, const FieldSpec& word);
// A name field as UTF-8 text, whole (not cut to a list row's width).
std::string FieldName(const FieldSpec& field, const Record& record);
// The name field's bytes up to its NUL, as lower-case hex.
std::string NameBytesHex(const FieldSpec& field, const Record& record);
// The value as a line of text shows it: numbers in decimal, words in hex,
// flags 1 or 0, arrays space-separated, names as UTF-8.
std::string FieldText(const FieldSpec& field, const Record& record);

}  // namespace brondavel
