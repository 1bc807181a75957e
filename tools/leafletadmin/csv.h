// A reader for RFC 4180 CSV files: quoted fields may hold commas, quotes ("") and line breaks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace admin {

struct CsvRecord {
    int line = 0;  // line of the file on which the record starts (from 1)
    std::vector<std::string> fields;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    std::string error;  // "" when the whole text parsed
    int errorLine = 0;
};

// Splits `text` into records. Blank lines are skipped; CR LF and LF both end a record; a
// leading UTF-8 byte-order mark is ignored. Text with a NUL byte or malformed UTF-8 (overlong
// forms and surrogates included) is refused whole, naming the line of the first such byte.
CsvParse parseCsv(std::string_view text);

}  // namespace admin
