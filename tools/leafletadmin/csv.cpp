#include "csv.h"

#include <algorithm>

#include "sjis/sjis.h"

namespace admin {
namespace {

// The first byte that makes the text unusable: a NUL (which would end the text early further
// on) or the start of malformed UTF-8 (which could otherwise be read as another character).
// Sets the error and its line; false when the text is clean.
bool findUnusableByte(std::string_view text, CsvParse& out) {
    const std::size_t nul = std::min(text.find('\0'), text.size());
    const std::size_t valid = sjis::validUtf8Length(text);
    if (nul == text.size() && valid == text.size()) return false;
    out.error = nul < valid ? "a NUL byte" : "invalid UTF-8";
    const std::string_view before = text.substr(0, std::min(nul, valid));
    out.errorLine = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    return true;
}

}  // namespace

CsvParse parseCsv(std::string_view text) {
    CsvParse out;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (findUnusableByte(text, out)) return out;
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += text[i] == '\r' ? 2 : 1;  // blank line
            ++line;
            continue;
        }
        CsvRecord record;
        record.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            field.clear();
            if (i < text.size() && text[i] == '"') {
                const int quoteLine = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        out.error = "a quoted field is not closed";
                        out.errorLine = quoteLine;
                        return out;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i++];
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    out.error = "text after a closing quote";
                    out.errorLine = line;
                    return out;
                }
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    if (text[i] == '"') {
                        out.error = "a quote inside an unquoted field";
                        out.errorLine = line;
                        return out;
                    }
                    field += text[i++];
                }
            }
            record.fields.push_back(field);
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < text.size() && text[i] == '\r') ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
                ++line;
            }
            endOfRecord = true;
        }
        out.records.push_back(std::move(record));
    }
    return out;
}

}  // namespace admin
