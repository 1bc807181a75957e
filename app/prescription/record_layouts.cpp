#include "prescription/record_layouts.h"

namespace prescription {

namespace {

std::string at(const Fields& fields, std::size_t index) {
    return std::string(fieldAt(fields, index));
}

bool emptyOr(std::string_view text, bool holds) {
    return text.empty() || holds;
}

// The fields of a drug record in the full order, from a shortened record: `hasInfoKind` and
// `hasPotency` tell which of the two optional flags it still has.
DrugFields drugFieldsOf(const Fields& f, bool hasInfoKind, bool hasPotency) {
    std::size_t i = 2;
    DrugFields d;
    d.rp = at(f, 0);
    d.serial = at(f, 1);
    if (hasInfoKind) d.infoKind = at(f, i++);
    d.codeKind = at(f, i++);
    d.code = at(f, i++);
    d.name = at(f, i++);
    d.amount = at(f, i++);
    if (hasPotency) d.potency = at(f, i++);
    d.unit = at(f, i);
    d.shortened = !hasInfoKind || !hasPotency;
    return d;
}

// A code as long as its kind asks: 9 digits for a レセ電 code, 12 characters for a YJ or
// 一般名 code.
bool codeFitsKind(std::string_view code, std::string_view kind) {
    if (kind == "2") return code.size() == 9 && isDigits(code);
    if (kind == "4" || kind == "7") return code.size() == 12;
    return true;
}

// Whether each field of a drug record holds what its place asks for.
bool drugFieldsFit(const DrugFields& d) {
    return emptyOr(d.infoKind, isDigitOf(d.infoKind, "123")) && isDigitOf(d.codeKind, "1234567") &&
           emptyOr(d.code, isCode(d.code) && codeFitsKind(d.code, d.codeKind)) &&
           emptyOr(d.name, isWord(d.name)) && isAmount(d.amount) &&
           emptyOr(d.potency, isDigitOf(d.potency, "12")) && emptyOr(d.unit, isWord(d.unit));
}

bool allEmptyFrom(const Fields& f, std::size_t first) {
    for (std::size_t i = first; i < f.size(); ++i) {
        if (!f[i].empty()) return false;
    }
    return true;
}

bool timesOrEmpty(std::string_view text) {
    return text.empty() || isDigits(text);
}

}  // namespace

bool isHalfWidthKana(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte != ' ' && (byte < 0xA1 || byte > 0xDF)) return false;
    }
    return true;
}

InstitutionFields institutionLayout(const Fields& f) {
    // Three fields: the code kind was left out (code, prefecture, name).
    if (f.size() == 3 && !isDigitOf(f[0], "136")) return {"", f[0], f[1], f[2]};
    return {at(f, 0), at(f, 1), at(f, 2), at(f, 3)};
}

PersonFields personLayout(const Fields& f, bool kanaFirst) {
    if (f.size() >= 3) {
        return kanaFirst ? PersonFields{f[0], f[2], f[1]} : PersonFields{f[0], f[1], f[2]};
    }
    // A shortened record: each field goes where its content says.
    PersonFields p;
    for (const std::string& field : f) {
        if (field.empty()) continue;
        if (isHalfWidthKana(field)) {
            p.kanaName = field;
        } else if (isCode(field)) {
            p.code = field;
        } else {
            p.name = field;
        }
    }
    return p;
}

FormFields formLayout(const Fields& f) {
    // Three fields: either the quantity (digits) or the form name is left out.
    if (f.size() == 3) {
        if (isDigits(f[2])) return {f[0], f[1], "", f[2], true};
        return {f[0], f[1], f[2], "", true};
    }
    return {at(f, 0), at(f, 1), at(f, 2), at(f, 3)};
}

UsageFields usageLayout(const Fields& f) {
    if (f.size() == 4 && timesOrEmpty(f[3]) && isWord(f[2])) {
        // The code kind or the code was left out.
        if (isDigitOf(f[1], "12")) return {f[0], f[1], "", f[2], f[3], true};
        return {f[0], "", f[1], f[2], f[3], true};
    }
    if (f.size() == 3 && timesOrEmpty(f[2]) && isWord(f[1])) {
        return {f[0], "", "", f[1], f[2], true};  // neither code kind nor code
    }
    return {at(f, 0), at(f, 1), at(f, 2), at(f, 3), at(f, 4)};
}

std::optional<DrugFields> drugLayout(const Fields& f) {
    if (f.size() >= 9) {
        const DrugFields full = drugFieldsOf(f, true, true);
        if (allEmptyFrom(f, 9) && drugFieldsFit(full)) return full;
        return std::nullopt;
    }
    if (f.size() == 8) {
        const DrugFields withoutInfoKind = drugFieldsOf(f, false, true);
        const DrugFields withoutPotency = drugFieldsOf(f, true, false);
        const bool first = drugFieldsFit(withoutInfoKind);
        const bool second = drugFieldsFit(withoutPotency);
        if (first != second) return first ? withoutInfoKind : withoutPotency;
        return std::nullopt;
    }
    if (f.size() == 7) {
        const DrugFields shortest = drugFieldsOf(f, false, false);
        if (drugFieldsFit(shortest)) return shortest;
    }
    return std::nullopt;
}

bool fitsShortenedLayout(int record, const Fields& f) {
    switch (record) {
        case 1:
            return f.size() == 3 && !isDigitOf(f[0], "136");
        case 101:
            return f.size() == 3 && isDigits(f[2]);
        case 111:
            return usageLayout(f).shortened;
        case 201:
            return drugLayout(f).has_value();
        default:
            return false;
    }
}

}  // namespace prescription
