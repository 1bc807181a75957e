#include "list_format.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "sjis/sjis.h"

namespace dosagebase {
namespace {

constexpr std::size_t kTextBytes = DOSAGEBASE_SLOT_SIZE - 1;
// Enough UTF-8 for a full slot even when every character becomes one "?" in Shift-JIS.
constexpr std::size_t kLineBytes = 4 * kTextBytes;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Reads one line of at most kLineBytes bytes (cut at a UTF-8 character boundary, the rest of a
// longer line skipped) without its line end. False at the end of the input.
bool readLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf& buffer = *in.rdbuf();
    int c = buffer.sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = buffer.sbumpc())
        if (line.size() <= kLineBytes) line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLineBytes) {
        std::size_t end = kLineBytes;
        while (end > 0 && isUtf8Continuation(line[end])) --end;
        line.resize(end);
    }
    return true;
}

}  // namespace

void lineToSlot(std::string_view line, char* slot) {
    if (line == kSeparatorLine) {
        sjis::copyField(slot, DOSAGEBASE_SLOT_SIZE, "\r\n");
        return;
    }
    if (line.starts_with('\\')) line.remove_prefix(1);
    sjis::copyField(slot, DOSAGEBASE_SLOT_SIZE, sjis::fromUtf8(line));
}

std::string slotToLine(const char* slot) {
    std::string_view text = sjis::fieldText(slot, DOSAGEBASE_SLOT_SIZE);
    if (text.starts_with("\r\n")) return std::string(kSeparatorLine);
    text = text.substr(0, sjis::cutLength(text, kTextBytes));
    std::string line = sjis::toUtf8(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (line == kSeparatorLine || line.starts_with('\\')) line.insert(0, 1, '\\');
    return line;
}

void readTable(std::istream& in, char* table) {
    std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
    std::string line;
    for (int slot = 0; slot < DOSAGEBASE_SLOT_COUNT && readLine(in, line); ++slot) {
        std::string_view text = line;
        if (slot == 0 && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        lineToSlot(text, table + slot * DOSAGEBASE_SLOT_SIZE);
    }
}

std::string formatTable(const char* table) {
    std::string text, pending;
    for (int slot = 0; slot < DOSAGEBASE_SLOT_COUNT; ++slot) {
        const std::string line = slotToLine(table + slot * DOSAGEBASE_SLOT_SIZE);
        pending += line;
        pending += '\n';
        // Empty slots are held back until a phrase follows, so trailing ones are left out.
        if (!line.empty()) text += std::exchange(pending, {});
    }
    return text;
}

}  // namespace dosagebase
