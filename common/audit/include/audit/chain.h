// One row of the audit trail and the hash that chains it to the row before.
//
// A row's hash is the SHA-256, in 64 lower-case hex digits, of the previous row's hash (64
// zeros before the first row) followed by each field in this order: SEQ (decimal), STAMP,
// OS_USER, TERMINAL, PHARMACIST, ACTION, PATIENT_ID, DETAIL, every field written as its length
// in bytes (decimal), ":", its UTF-8 bytes and ";". A changed field changes the row's hash; an
// inserted or deleted row leaves the next row's hash unmatched.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace audit {

struct Row {
    long long seq = 0;  // 1, 2, ... in the order written
    std::string stamp;  // 'YYYY-MM-DD HH:MM:SS', the data's clock
    std::string osUser;
    std::string terminal;
    std::string pharmacist;
    std::string action;     // e.g. "patient.register" (kActions)
    std::string patientId;  // decimal, or "" for no patient
    std::string detail;     // a short note: counts, changed field names
    std::string hash;
};

// The text fields of a row in the order they are hashed and stored: STAMP to DETAIL.
inline std::array<const std::string*, 7> textFields(const Row& row) {
    return {&row.stamp,  &row.osUser,    &row.terminal, &row.pharmacist,
            &row.action, &row.patientId, &row.detail};
}
inline std::array<std::string*, 7> textFields(Row& row) {
    return {&row.stamp,  &row.osUser,    &row.terminal, &row.pharmacist,
            &row.action, &row.patientId, &row.detail};
}

inline constexpr const char* kFirstPrevious =
    "0000000000000000000000000000000000000000000000000000000000000000";

// The hash `row` must carry after a row whose hash is `previous`.
std::string rowHash(const std::string& previous, const Row& row);

// The index of the first row whose hash does not follow from the rows before it, or whose
// SEQ does not follow its predecessor's; nothing when the whole chain holds.
std::optional<std::size_t> firstBrokenRow(const std::vector<Row>& rows);

}  // namespace audit
