#include "ehandbook/handbook_writer.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <vector>

#include "ehandbook/record_line.h"
#include "era/era.h"
#include "sjis/sjis.h"

namespace ehandbook {

namespace {

// Byte limits of the fields written.
constexpr std::size_t kNameBytes = 40;
constexpr std::size_t kDateBytes = 8;
constexpr std::size_t kNoteBytes = 120;
constexpr std::size_t kInstitutionBytes = 120;
constexpr std::size_t kPrefectureBytes = 2;
constexpr std::size_t kInstitutionCodeBytes = 7;
constexpr std::size_t kPostalCodeBytes = 8;
constexpr std::size_t kAddressBytes = 800;
constexpr std::size_t kTelephoneBytes = 13;
constexpr std::size_t kDepartmentBytes = 80;
constexpr std::size_t kDrugNameBytes = 120;
constexpr std::size_t kAmountBytes = 12;
constexpr std::size_t kUnitBytes = 12;
constexpr std::size_t kDrugCodeBytes = 13;
constexpr std::size_t kDrugNoteBytes = 100;
constexpr std::size_t kUsageBytes = 100;

constexpr int kAuthorProfessional = 1;
constexpr int kFeeTableMedical = 1;
constexpr int kFeeTablePharmacy = 4;
constexpr int kCodeKindNone = 1;
constexpr int kCodeKindYj = 4;
constexpr int kLargestQuantity = 999;

// The dispensing quantity of the usage record: "１４日分" is 14 日分 and "５回分" 5 回分; any
// other days text is one 調剤 and is kept whole in a 311 note.
struct Quantity {
    int count = 1;
    std::string unit;
    bool exact = false;  // the days text said all there is
};

Quantity quantityOf(std::string_view days) {
    static const std::string kDays = sjis::fromUtf8("日分");
    static const std::string kDoses = sjis::fromUtf8("回分");
    static const std::string kWhole = sjis::fromUtf8("調剤");
    const std::string half = sjis::toHalfWidth(days);
    std::size_t digits = 0;
    int count = 0;
    while (digits < half.size() && std::isdigit(static_cast<unsigned char>(half[digits])) &&
           count <= kLargestQuantity) {
        count = count * 10 + (half[digits++] - '0');
    }
    const std::string_view rest = std::string_view(half).substr(digits);
    if (digits > 0 && count > 0 && count <= kLargestQuantity && (rest == kDays || rest == kDoses))
        return {count, std::string(rest), true};
    return {1, kWhole, days.empty()};
}

struct Rp {
    const Drug* first;
    std::vector<const Drug*> drugs;
};

bool sameRp(const Drug& a, const Drug& b) {
    return a.usage == b.usage && a.days == b.days && a.form == b.form;
}

std::vector<Rp> groupIntoRps(const std::vector<Drug>& drugs) {
    std::vector<Rp> rps;
    for (const Drug& drug : drugs) {
        Rp* rp = nullptr;
        for (Rp& r : rps)
            if (sameRp(*r.first, drug)) rp = &r;
        if (!rp) rp = &rps.emplace_back(Rp{&drug, {}});
        rp->drugs.push_back(&drug);
    }
    return rps;
}

// Records `number` holding `lead` (a note's kind or an RP number), one piece of `text` and the
// author: as many as the whole text needs, none for an empty text.
void writeNoteRecords(std::string_view number, int lead, std::string_view text, std::size_t limit,
                      std::string& out) {
    for (const std::string& piece : fieldPieces(text, limit))
        out +=
            RecordLine(number).number(lead).text(piece, limit).number(kAuthorProfessional).done();
}

// A date the format reads: YYYYMMDD of a day that exists.
bool isDay(std::string_view date) {
    if (date.size() != kDateBytes ||
        !std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto number = [&](std::size_t at, std::size_t n) {
        return std::stoi(std::string(date.substr(at, n)));
    };
    return era::isDate({number(0, 4), number(4, 2), number(6, 2)});
}

void writePatient(const Patient& patient, std::string& out) {
    // Name, sex and birth date are required and the format has no code for an unknown sex, so
    // a patient not known that well gets no record 1 rather than one a reader refuses.
    if (!fieldText(patient.name, kNameBytes).empty() && patient.sex != Sex::kUnknown &&
        isDay(patient.birthDate)) {
        out += RecordLine("1")
                   .text(patient.name, kNameBytes)
                   .number(static_cast<int>(patient.sex))
                   .text(patient.birthDate, kDateBytes)
                   .blanks(7)
                   .done();
    }
    for (const PatientNote& note : patient.notes)
        writeNoteRecords("2", static_cast<int>(note.kind), note.text, kNoteBytes, out);
}

// Record 11: the pharmacy (or the hospital) that dispensed, with what is known of it.
void writeDispenser(const Dispensing& d, std::string& out) {
    if (fieldText(d.pharmacy, kInstitutionBytes).empty()) return;
    const PharmacyDetails& details = d.pharmacyDetails;
    out += RecordLine("11")
               .text(d.pharmacy, kInstitutionBytes)
               .text(details.prefecture, kPrefectureBytes)
               .number(d.dispensingPharmacy ? kFeeTablePharmacy : kFeeTableMedical)
               .text(details.code, kInstitutionCodeBytes)
               .text(details.postalCode, kPostalCodeBytes)
               .text(details.address, kAddressBytes)
               .text(details.telephone, kTelephoneBytes)
               .number(kAuthorProfessional)
               .done();
}

// Records 51 and 55: the institution and doctor of a prescription code, or a typed prescriber
// as the doctor's name alone.
void writePrescriber(const Dispensing& d, std::string& out) {
    const Prescribing& p = d.prescribing;
    const bool coded = !fieldText(p.institution, kInstitutionBytes).empty();
    if (coded) {
        RecordLine line("51");
        line.text(p.institution, kInstitutionBytes).text(p.prefecture, kPrefectureBytes);
        if (p.feeTable == 0) {
            line.blank();
        } else {
            line.number(p.feeTable);
        }
        out += line.text(p.code, kInstitutionCodeBytes).number(kAuthorProfessional).done();
    }
    const std::string& doctor = coded ? p.doctor : d.prescriber;
    if (fieldText(doctor, kNameBytes).empty()) return;
    out += RecordLine("55")
               .text(doctor, kNameBytes)
               .text(coded ? p.department : std::string(), kDepartmentBytes)
               .number(kAuthorProfessional)
               .done();
}

void writeDispensingHead(const Dispensing& d, std::string& out) {
    out += RecordLine("5").text(d.date, kDateBytes).number(kAuthorProfessional).done();
    writeDispenser(d, out);
    if (!fieldText(d.pharmacist, kNameBytes).empty()) {
        out += RecordLine("15")
                   .text(d.pharmacist, kNameBytes)
                   .blank()
                   .number(kAuthorProfessional)
                   .done();
    }
    writePrescriber(d, out);
}

// Whether `code` is shaped as a YJ code of the public drug master: seven digits, a letter, then
// four letters or digits. A user's own code of another shape is no YJ code, and a handbook app
// must not take it for some product's.
bool isYjCode(std::string_view code) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
    if (code.size() != 12 || !letter(code[7])) return false;
    for (std::size_t i = 0; i < code.size(); ++i)
        if (i != 7 && !digit(code[i]) && !(i > 7 && letter(code[i]))) return false;
    return true;
}

void writeRp(const Rp& rp, int number, std::string& out) {
    for (const Drug* drug : rp.drugs) {
        const bool coded = isYjCode(drug->yjcode);
        // An amount is never cut into another number: one too long goes without its unit, and
        // the amount text of the 281 note still says it.
        const bool amountFits = fieldText(drug->amount, kAmountBytes) == drug->amount;
        out += RecordLine("201")
                   .number(number)
                   .text(drug->name, kDrugNameBytes)
                   .text(amountFits ? drug->amount : std::string(), kAmountBytes)
                   .text(amountFits ? drug->unit : std::string(), kUnitBytes)
                   .number(coded ? kCodeKindYj : kCodeKindNone)
                   .text(coded ? drug->yjcode : std::string(), kDrugCodeBytes)
                   .number(kAuthorProfessional)
                   .blanks(3)
                   .done();
        writeNoteRecords("281", number, drug->note, kDrugNoteBytes, out);
    }
    // A usage longer than its field continues in usage notes (311), as does a days text that
    // is no count of days or doses.
    const Quantity quantity = quantityOf(rp.first->days);
    const std::vector<std::string> usage = fieldPieces(rp.first->usage, kUsageBytes);
    out += RecordLine("301")
               .number(number)
               .text(usage.empty() ? std::string() : usage.front(), kUsageBytes)
               .number(quantity.count)
               .text(quantity.unit, kUsageBytes)
               .number(static_cast<int>(rp.first->form))
               .number(kCodeKindNone)
               .blank()
               .number(kAuthorProfessional)
               .done();
    for (std::size_t i = 1; i < usage.size(); ++i)
        writeNoteRecords("311", number, usage[i], kUsageBytes, out);
    if (!quantity.exact) writeNoteRecords("311", number, rp.first->days, kUsageBytes, out);
}

}  // namespace

std::string handbookText(const HandbookInput& input) {
    std::string out(kVersionRecord);
    writePatient(input.patient, out);
    writeDispensingHead(input.dispensing, out);
    int number = 0;
    for (const Rp& rp : groupIntoRps(input.dispensing.drugs)) writeRp(rp, ++number, out);
    return out;
}

}  // namespace ehandbook
