// What a record handler works on: the prescription read so far, the line of the record, and
// where its warnings go. A handler returns the message that stops the reading, or nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "prescription/prescription.h"
#include "prescription/record_fields.h"

namespace prescription {

// UTF-8, without the line prefix the reader adds.
using Refusal = std::optional<std::string>;

// Where each RP number's RP is in the prescription's list, so that finding the RP of a record
// does not walk the list (a prescription may hold thousands of RPs).
using RpIndex = std::unordered_map<int, std::size_t>;

struct RecordContext {
    Prescription& prescription;
    RpIndex& rpIndex;
    int line = 0;

    // Adds "n行目: " + message to the prescription's warnings.
    void warn(std::string_view message) const;

    // The RP with `number`, or nullptr.
    Rp* findRp(int number) const;
    // Appends an RP whose number is not in the list yet.
    void addRp(Rp rp) const;
};

// A field quoted in a message: in UTF-8, at most 30 bytes of the CP932 text.
std::string quoted(std::string_view cp932);

// The record handlers; `fields` are those after the record number.
void readInstitution(const Fields& fields, const RecordContext& context);
void readDepartment(const Fields& fields, const RecordContext& context);
void readPrescriber(const Fields& fields, const RecordContext& context);
void readPatientName(const Fields& fields, const RecordContext& context);
void readPatientSex(const Fields& fields, const RecordContext& context);
void readPatientBirth(const Fields& fields, const RecordContext& context);
void readIssueDate(const Fields& fields, const RecordContext& context);

Refusal readForm(const Fields& fields, const RecordContext& context);          // 101
void readSplitQuantity(const Fields& fields, const RecordContext& context);    // 102
void readUsage(const Fields& fields, const RecordContext& context);            // 111
void readUsageSupplement(const Fields& fields, const RecordContext& context);  // 181
Refusal readDrug(const Fields& fields, const RecordContext& context);          // 201
void readUnevenAmounts(const Fields& fields, const RecordContext& context);    // 221
void readPerIntakeAmount(const Fields& fields, const RecordContext& context);  // 241
void readDrugNote(const Fields& fields, const RecordContext& context);         // 281

}  // namespace prescription
