// A strict reader of e-medication-handbook codes, written from the format note alone: the parts
// of a split output, the version record, the record order, and every field of every record (its
// presence when required, its byte length in CP932, its type and its code table). It lists each
// rule broken; an empty list is the verdict "no error".
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "handbook_reading.h"
#include "sjis/sjis.h"

namespace strict {

using Errors = std::vector<std::string>;

// N: any CP932 text; X: single-byte characters; 9: digits; D: a date (X8).
struct FieldRule {
    std::string name;
    char type;
    std::size_t bytes;
    bool required;
    std::string codes;  // the values allowed, space-separated (UTF-8); "" for any
};

// Fields after the record number, as the note's record table gives them: "name:TBYTES" with
// "!" when required and "=codes" when the values come from a table, separated by "|".
inline const std::map<std::string, std::vector<FieldRule>>& recordRules() {
    static const std::map<std::string, std::vector<FieldRule>> rules = [] {
        const std::string author = "|author:91!=1 2 8 9", authorOptional = "|author:91=1 2 8 9";
        const std::string rp = "RP number:93!|", fee = "|fee table:X1=1 3 4";
        const std::pair<std::string, std::string> specs[] = {
            {"1",
             "name:N40!|sex:91!=1 2|birth date:D8!|postal code:X8|address:N800|telephone:X13|"
             "emergency contact:N800|blood type:N20|weight:X7|kana name:N40"},
            {"2", "kind:91!=1 2 3 9|text:N120!" + author},
            {"5", "dispensing date:D8!" + author},
            {"11", "name:N120!|prefecture:X2" + fee +
                       "|institution code:X7|postal code:X8|address:N800|telephone:X13" + author},
            {"15", "name:N40!|contact:N800" + author},
            {"51", "name:N120!|prefecture:X2" + fee + "|institution code:X7" + author},
            {"55", "doctor:N40!|department:N80" + author},
            {"201",
             rp + "drug name:N120!|amount:X12|unit:N12|code kind:91=1 2 3 4 6|drug code:X13" +
                 author + "|general name:N120|general-name code kind:91=1 2|general-name code:X12"},
            {"281", rp + "note:N100" + authorOptional},
            {"291", rp + "text:N400" + authorOptional},
            {"301",
             rp +
                 "usage:N100|quantity:93|quantity unit:N100=日分 回分 調剤|form code:X2=1 2 3 4 "
                 "5 6 7 9 10|usage code kind:91=1 2|usage code:X16" +
                 author},
            {"311", rp + "text:N100" + authorOptional},
            {"391", rp + "text:N400" + authorOptional},
            {"401", "text:N400" + authorOptional},
            {"411", "text:N400|kind:92" + authorOptional},
            {"421", "text:N400" + authorOptional},
            {"501", "text:N400" + authorOptional},
            {"601", "text:N400|date:D8"},
            {"701",
             "name:N40|pharmacy:N120|contact:N800|start date:D8|end date:D8" + authorOptional},
            {"911", "data ID:914!|part count:93!|part number:93!"},
        };
        std::map<std::string, std::vector<FieldRule>> read;
        for (const auto& [record, spec] : specs) {
            std::istringstream fields(spec);
            for (std::string f; std::getline(fields, f, '|');) {
                const std::size_t colon = f.find(':'), codes = std::min(f.find('='), f.size());
                const std::string size = f.substr(colon + 2, codes - colon - 2);
                read[record].push_back({f.substr(0, colon), f[colon + 1], std::stoul(size),
                                        size.ends_with('!'),
                                        f.substr(std::min(codes + 1, f.size()))});
            }
        }
        return read;
    }();
    return rules;
}

// Whether `text` is whole CP932 characters without control characters; `singleByte` refuses
// double-byte ones.
inline bool cp932Text(std::string_view text, bool singleByte) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (sjis::isLeadByte(b)) {
            const auto t = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
            if (singleByte || t < 0x40 || t == 0x7F || t > 0xFC) return false;
            ++i;
        } else if (b < 0x20 || b == 0x7F || b == 0x80 || b == 0xA0 || b > 0xDF) {
            return false;
        }
    }
    return true;
}

inline bool allDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// YYYYMMDD of a day that exists, or GYYMMDD with the era letter M, T, S, H or R.
inline bool formatDate(std::string_view d) {
    const bool era =
        d.size() == 7 && std::string_view("MTSHR").find(d[0]) != std::string_view::npos;
    if (!(d.size() == 8 || era) || !allDigits(d.substr(era ? 1 : 0))) return false;
    const int year = std::stoi(std::string(d.substr(0, d.size() - 4).substr(era ? 1 : 0)));
    const int month = std::stoi(std::string(d.substr(d.size() - 4, 2)));
    const int day = std::stoi(std::string(d.substr(d.size() - 2)));
    const bool leap = !era && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (era ? year >= 1 : year >= 1868) && month >= 1 && month <= 12 && day >= 1 &&
           day <= days[month - 1];
}

inline bool inCodes(const std::string& value, std::string_view codes) {
    const std::string utf8 = " " + sjis::toUtf8(value) + " ";
    return codes.empty() || (" " + std::string(codes) + " ").find(utf8) != std::string::npos;
}

// The rules of one record's fields; `where` names it in the errors.
inline void checkFields(const Fields& r, const std::string& where, Errors& errors) {
    const auto found = recordRules().find(r[0]);
    if (found == recordRules().end()) return errors.push_back(where + ": no such record");
    const std::vector<FieldRule>& rules = found->second;
    if (r.size() != rules.size() + 1)
        errors.push_back(where + ": " + std::to_string(r.size() - 1) + " fields, not " +
                         std::to_string(rules.size()));
    for (std::size_t i = 0; i < rules.size() && i + 1 < r.size(); ++i) {
        const FieldRule& rule = rules[i];
        const std::string& v = r[i + 1];
        const std::string what = where + " " + rule.name + " \"" + sjis::toUtf8(v) + "\": ";
        if (v.empty()) {
            if (rule.required) errors.push_back(what + "required");
            continue;
        }
        if (v.size() > rule.bytes)
            errors.push_back(what + "longer than " + std::to_string(rule.bytes));
        if (!cp932Text(v, rule.type != 'N')) errors.push_back(what + "not CP932 text of its kind");
        if (rule.type == '9' && !allDigits(v)) errors.push_back(what + "not a number");
        if (rule.type == 'D' && !formatDate(v)) errors.push_back(what + "not a date");
        if (!inCodes(v, rule.codes)) errors.push_back(what + "not in its table");
    }
}

// Position of a record in the note's order: the patient's records, then per dispensing the
// heads, the RPs (20) and the closing records; 0 for the records checked by their neighbours.
inline int orderRank(const std::string& n) {
    static const std::map<std::string, int> ranks = {
        {"1", 1},    {"2", 2},    {"5", 10},   {"11", 11},  {"15", 12},
        {"51", 13},  {"55", 14},  {"201", 20}, {"401", 30}, {"411", 31},
        {"421", 32}, {"501", 33}, {"601", 34}, {"701", 40}, {"911", 50}};
    const auto found = ranks.find(n);
    return found == ranks.end() ? 0 : found->second;
}

// The record order of a whole text's records after the version record.
inline void checkOrder(const std::vector<Fields>& records, Errors& errors) {
    int rank = 0, lastRp = 0;
    std::string rp;     // the RP being read
    char rpPart = ' ';  // 'd' its drugs (201, 281, 291), 'u' its usage (301, 311, 391)
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& n = records[i][0];
        const std::string where = "record " + std::to_string(i + 2) + " (" + n + ")";
        const std::string number = records[i].size() > 1 ? records[i][1] : "";
        if (n == "281" || n == "291" || n == "301" || n == "311" || n == "391") {
            const bool drugPart = n == "281" || n == "291" || n == "301";
            if (number != rp || rpPart != (drugPart ? 'd' : 'u'))
                errors.push_back(where + ": not after the records of its RP");
            if (n == "301") rpPart = 'u';
            continue;
        }
        if (n == "201" && number == rp && rpPart == 'd') continue;  // a further drug of the RP
        const int next = orderRank(n);
        if (rpPart == 'd') errors.push_back(where + ": RP " + rp + " has no usage record");
        if (n == "201") {
            const int value = allDigits(number) ? std::stoi(number) : 0;
            if (value <= lastRp) errors.push_back(where + ": RP numbers must rise");
            lastRp = value;
            rp = number;
            rpPart = 'd';
        } else {
            rpPart = ' ';
        }
        const bool heads = next > 10 && next < 20, dispensing = next >= 10 && next < 50;
        const bool between = n == "55" && rank == 20;  // a prescriber before the RPs it covers
        if (n == "5") {
            lastRp = 0;
        } else if (dispensing && rank < 10) {
            errors.push_back(where + ": before the dispensing date record 5");
        } else if ((next < rank && !between) || (next == rank && (next == 1 || heads))) {
            errors.push_back(where + ": out of order");
        }
        if (n == "911" && i + 1 != records.size()) errors.push_back(where + ": not last");
        rank = between ? 20 : next;
    }
    if (rpPart == 'd') errors.push_back("RP " + rp + " has no usage record");
}

// What the note says of amounts and forms: a drug's amount (per day, per use or in total) is a
// number with its unit, never a number alone nor a unit alone; both may be left out only when
// `complete` is false. Doses counted in 回分 are taken as needed, never 内服 (form code 1).
inline void checkAmounts(const std::vector<Fields>& records, bool complete, Errors& errors) {
    for (const Fields& r : records) {
        const std::string name = r.size() > 2 ? " of " + sjis::toUtf8(r[2]) : "";
        if (r[0] == "201" && r.size() > 4) {
            const std::string& amount = r[3];
            const std::size_t point = amount.find('.');
            const bool number = allDigits(amount.substr(0, point)) &&
                                (point == std::string::npos || allDigits(amount.substr(point + 1)));
            const bool leftOut = amount.empty() && r[4].empty();
            if (leftOut ? complete : !number || r[4].empty())
                errors.push_back("amount and unit" + name + ": \"" + amount + "\" \"" +
                                 sjis::toUtf8(r[4]) + "\"");
        }
        if (r[0] == "301" && r.size() > 5 && sjis::toUtf8(r[4]) == "回分" && r[5] == "1")
            errors.push_back("form code" + name + " counted in 回分: " + r[5]);
    }
}

struct Options {
    bool completeAmounts = true;  // every drug has its amount and unit
};

// The version record and the whole text's records.
inline Errors readText(std::string_view text, Options options = {}) {
    Errors errors;
    const std::vector<Fields> records = readRecords(text);
    if (records.empty()) return {"not records ended by CR LF"};
    if (records[0] != Fields{"JAHISTC08", "1"} && records[0] != Fields{"JAHISTC08", "2"})
        errors.push_back("no version record JAHISTC08 with output kind 1 or 2");
    const std::vector<Fields> body(records.begin() + 1, records.end());
    for (std::size_t i = 0; i < body.size(); ++i)
        checkFields(body[i], "record " + std::to_string(i + 2) + " (" + body[i][0] + ")", errors);
    checkOrder(body, errors);
    checkAmounts(body, options.completeAmounts, errors);
    return errors;
}

// The verdict on the symbols of one output, given in any order: a single part is a whole text;
// several are joined by their split records (same data ID and count, numbers 1 to count) and
// the joined text is read.
inline Errors readCodes(const std::vector<std::string>& parts, Options options = {}) {
    if (parts.size() == 1) return readText(parts[0], options);
    Errors errors;
    std::map<int, std::string> bodies;
    std::string id;
    for (const std::string& part : parts) {
        const std::vector<Fields> records = readRecords(part);
        if (records.size() < 2 || records.back()[0] != "911")
            return {"a part without a last split record 911"};
        checkFields(records.back(), "split record", errors);
        const Fields& split = records.back();
        if (split.size() != 4 || !allDigits(split[3])) return {"a split record unreadable"};
        if (split[2] != std::to_string(parts.size())) errors.push_back("part count " + split[2]);
        if (!id.empty() && split[1] != id) errors.push_back("parts of different data IDs");
        id = split[1];
        const std::size_t start = part.find("\r\n") + 2, end = part.rfind("911,");
        if (!bodies.emplace(std::stoi(split[3]), part.substr(start, end - start)).second)
            errors.push_back("part number " + split[3] + " twice");
    }
    std::string whole = parts[0].substr(0, parts[0].find("\r\n") + 2);
    int expected = 1;
    for (const auto& [number, body] : bodies) {
        if (number != expected++) errors.push_back("no part " + std::to_string(number - 1));
        whole += body;
    }
    for (const std::string& e : readText(whole, options)) errors.push_back(e);
    return errors;
}

}  // namespace strict
