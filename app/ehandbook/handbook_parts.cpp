#include "ehandbook/handbook_parts.h"

#include <algorithm>
#include <cstdio>

#include "ehandbook/handbook_writer.h"

namespace ehandbook {

namespace {

constexpr std::size_t kDataIdDigits = 14;
constexpr std::size_t kMostPartDigits = 3;

// Bytes of a split record whose count and number have at most `digits` digits.
constexpr std::size_t splitRecordRoom(std::size_t digits) {
    return std::string_view("911,").size() + kDataIdDigits + 2 * (1 + digits) + 2;
}

std::string splitRecord(std::string_view dataId, std::size_t count, std::size_t number) {
    return "911," + std::string(dataId) + "," + std::to_string(count) + "," +
           std::to_string(number) + "\r\n";
}

// The records of `body` packed into as few bodies as take them in order, each at most `room`
// bytes; empty when a record is longer than that.
std::vector<std::string> pack(const std::vector<std::string_view>& records, std::size_t room) {
    std::vector<std::string> bodies(1);
    for (const std::string_view record : records) {
        if (record.size() > room) return {};
        if (bodies.back().size() + record.size() > room) bodies.emplace_back();
        bodies.back() += record;
    }
    return bodies;
}

// The records of `body`, each with its CR LF.
std::vector<std::string_view> records(std::string_view body) {
    std::vector<std::string_view> out;
    while (!body.empty()) {
        const std::size_t end = body.find("\r\n") + 2;
        out.push_back(body.substr(0, end));
        body.remove_prefix(end);
    }
    return out;
}

}  // namespace

std::string dataIdAt(int year, int month, int day, int hour, int minute, int second) {
    char id[32];
    std::snprintf(id, sizeof id, "%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute,
                  second);
    return id;
}

std::vector<std::string> splitHandbookText(std::string_view text, std::string_view dataId,
                                           std::size_t budget) {
    if (!text.starts_with(kVersionRecord) || !text.ends_with("\r\n")) return {};
    if (dataId.size() != kDataIdDigits ||
        !std::all_of(dataId.begin(), dataId.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    if (text.size() <= budget) return {std::string(text)};

    const std::vector<std::string_view> body = records(text.substr(kVersionRecord.size()));
    // Room for the split record as long as the part count is written: packed again when the
    // count turns out to need more digits than were allowed for.
    std::vector<std::string> bodies;
    for (std::size_t digits = 1;; ++digits) {
        const std::size_t overhead = kVersionRecord.size() + splitRecordRoom(digits);
        if (digits > kMostPartDigits || budget <= overhead) return {};
        bodies = pack(body, budget - overhead);
        if (bodies.empty()) return {};
        if (std::to_string(bodies.size()).size() <= digits) break;
    }

    std::vector<std::string> parts;
    for (std::size_t n = 0; n < bodies.size(); ++n) {
        parts.push_back(std::string(kVersionRecord) + bodies[n] +
                        splitRecord(dataId, bodies.size(), n + 1));
    }
    return parts;
}

}  // namespace ehandbook
