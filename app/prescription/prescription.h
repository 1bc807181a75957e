// A prescription as read from the text of a prescription QR code: institution, prescriber,
// patient, date and the RP groups with their drugs. Texts are CP932 as in the rest of the
// system; amounts keep the digits the prescription wrote.
#pragma once

#include <string>
#include <vector>

#include "prescription/amount.h"

namespace prescription {

// A date as the code gives it; month and day are 0 when the code gives only the year (and
// month). Era dates are converted to the Western calendar.
struct PartialDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool known() const { return year != 0; }
    bool operator==(const PartialDate&) const = default;
};

struct Institution {
    int codeKind = 0;  // 1 medical, 3 dental, 6 visiting; 0 when not given
    std::string code;
    std::string prefecture;
    std::string name;
};

struct Prescriber {
    std::string doctorCode;
    std::string kanaName;  // half-width katakana
    std::string name;
    std::string department;  // record 4's department name
};

enum class Sex { kUnknown = 0, kMale = 1, kFemale = 2 };

struct Patient {
    std::string code;
    std::string name;
    std::string kanaName;  // half-width katakana, family and given name separated by a space
    Sex sex = Sex::kUnknown;
    PartialDate birth;
};

// The form kind of an RP (record 101).
enum class FormKind {
    kUnknown = 0,  // not given or 9 (不明)
    kInternal = 1,
    kAsNeeded = 2,  // 頓服
    kExternal = 3,
    kInternalDrops = 4,
    kInjection = 5,
    kMaterial = 6,
};

// The code kinds of a drug record (record 201).
enum class CodeKind {
    kNone = 1,
    kReceipt = 2,  // レセ電 code, 9 digits
    kMinistry = 3,
    kYj = 4,
    kHot = 6,
    kGeneralName = 7,  // 一般名 code, 12 characters
};

struct DrugNote {
    int kind = 0;  // 3 後発品変更不可, 4 剤形変更不可, ... (record 281)
    std::string text;
};

struct Drug {
    int line = 0;  // line of its record 201 in the text
    int serial = 0;
    int codeKind = 0;  // a CodeKind value as written; 0 when the record left it out
    std::string code;
    std::string name;
    Amount
        amount;  // 内服: per day; 頓服: per intake; other forms: the total; empty when unreadable
    bool potency = false;  // the amount is in potency units (力価), not the product's weight
    std::string unit;
    std::vector<Amount> unevenAmounts;  // record 221: the amounts of the 1st, 2nd, ... intake
    Amount perIntake;                   // record 241; empty when absent
    int intakesPerDay = 0;              // record 241
    std::vector<DrugNote> notes;        // record 281
    // Why the pharmacist must check this drug before it goes into the print list (an odd
    // record layout, amounts that contradict each other, a text that had to be shortened…);
    // UTF-8, one sentence each. Empty for a drug read plainly.
    std::vector<std::string> checks;
};

struct Rp {
    int number = 0;
    FormKind form = FormKind::kUnknown;
    std::string formName;   // only for form kind 9
    int quantity = 0;       // this dispensing's 内服 days or 頓服 times; 0 when not given
    int totalQuantity = 0;  // record 102: the whole of a split dispensing; 0 when not split
    std::string usageCode;
    std::string usage;  // 用法名称
    int timesPerDay = 0;
    std::vector<std::string> supplements;  // record 181 texts, in order
    // What every drug of the RP must be checked for (an odd 101 or 111 record); each drug
    // carries these in its own checks.
    std::vector<std::string> checks;
    std::vector<Drug> drugs;
};

struct Prescription {
    int version = 0;  // 10 for "JAHIS10"
    Institution institution;
    Prescriber prescriber;
    Patient patient;
    PartialDate issued;
    std::vector<Rp> rps;
    // What could not be read, one message (UTF-8) per thing left out, naming its line.
    std::vector<std::string> warnings;
};

}  // namespace prescription
