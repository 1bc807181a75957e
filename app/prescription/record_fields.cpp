#include "prescription/record_fields.h"

#include <algorithm>

#include "prescription/amount.h"

namespace prescription {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

}  // namespace

Fields splitFields(std::string_view line) {
    Fields fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.emplace_back(trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

std::string_view fieldAt(const Fields& fields, std::size_t index) {
    return index < fields.size() ? std::string_view(fields[index]) : std::string_view();
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> toNumber(std::string_view text) {
    if (!isDigits(text) || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

bool isAmount(std::string_view text) {
    return Amount::parse(text).has_value();
}

bool isDigitOf(std::string_view text, std::string_view allowed) {
    return text.size() == 1 && isDigits(text) && allowed.find(text[0]) != std::string_view::npos;
}

bool isCode(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '.' || c == '-';
    });
}

bool isWord(std::string_view text) {
    return !text.empty() && !isAmount(text);
}

}  // namespace prescription
