// Which field of a record holds what. Real codes leave fields out in the middle of a record,
// not only at its end (record 1 without the code kind, 101 without the quantity, 111 without
// the code kind or code, 201 without the information kind and the potency flag), so the
// layout is told from the field count and from what each field holds. A record whose fields
// fit no layout is not read at all rather than read into the wrong meanings.
#pragma once

#include <optional>
#include <string>

#include "prescription/record_fields.h"

namespace prescription {

// Every function takes the fields after the record number.

struct InstitutionFields {
    std::string codeKind, code, prefecture, name;
};
InstitutionFields institutionLayout(const Fields& fields);

// Records 5 (code, kana name, name) and 11 (code, name, kana name): `kanaFirst` for 5.
struct PersonFields {
    std::string code, name, kanaName;
};
PersonFields personLayout(const Fields& fields, bool kanaFirst);

struct FormFields {
    std::string rp, kind, formName, quantity;
    bool shortened = false;  // a field was left out in the middle
};
FormFields formLayout(const Fields& fields);

struct UsageFields {
    std::string rp, codeKind, code, text, timesPerDay;
    bool shortened = false;
};
UsageFields usageLayout(const Fields& fields);

struct DrugFields {
    std::string rp, serial, infoKind, codeKind, code, name, amount, potency, unit;
    bool shortened = false;
};
// The layout the fields fit by content: nine (the full layout; further fields only when
// empty), eight (without the information kind or without the potency flag, when just one of
// the two fits) or seven (without both). nullopt when they fit none: never read by position.
std::optional<DrugFields> drugLayout(const Fields& fields);

// Whether a record that the text stops in is whole in a shortened layout rather than cut: a
// record 1, 101, 111 or 201 whose fields fit one of them.
bool fitsShortenedLayout(int record, const Fields& fields);

// Only half-width katakana, their marks and spaces (CP932 0xA1-0xDF), at least one.
bool isHalfWidthKana(std::string_view text);

}  // namespace prescription
