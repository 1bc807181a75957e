// Reads the text of a prescription QR code (JAHIS1 to JAHIS10; CP932 or UTF-8; CR LF, LF or
// CR; an optional EOF byte; several symbols' texts joined) into a Prescription.
//
// Lenient where real codes need it: unknown records are skipped, extra trailing fields are
// ignored, missing trailing fields and the known shortened layouts are read, and what cannot
// be used (a bad date, a note for a drug that is not there) is left out with a warning.
// Strict where a wrong reading would mislead: a missing or unknown version line, a record
// number that is not a number, a drug record without its RP, serial or amount or whose fields
// fit no layout, and a text that stops in the middle of its last record all end the reading
// with a message naming the line, and no prescription comes back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "prescription/prescription.h"

namespace prescription {

struct ReadResult {
    std::optional<Prescription> prescription;  // absent when `error` is set
    std::string error;  // UTF-8, e.g. "12行目: 薬品レコードに分量がありません。"
};

ReadResult readPrescription(std::string_view bytes);

}  // namespace prescription
