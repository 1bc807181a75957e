// Reading handbook texts back in tests, independently of the writer: the records of a text, the
// parts of a split text joined by their split records, and the dispensing a text describes.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using Fields = std::vector<std::string>;

// Fields of one record (without its CR LF), the record number first.
inline Fields splitFields(std::string_view line) {
    Fields fields(1);
    for (const char c : line) c == ',' ? fields.emplace_back() : fields.back() += c;
    return fields;
}

// The records of a text; a text with a line not ended by CR LF or a bare line feed gives none.
inline std::vector<Fields> readRecords(std::string_view text) {
    std::vector<Fields> records;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        const std::size_t feed = text.find('\n');
        if (end == std::string_view::npos || feed != end + 1) return {};
        records.push_back(splitFields(text.substr(0, end)));
        text.remove_prefix(end + 2);
    }
    return records;
}

// The whole text of split parts given in any order: the version record, then the bodies of the
// parts in the order of their split records. Empty when a part has no split record, or the
// split records disagree on the data ID or count, or a number is missing.
inline std::string joinParts(const std::vector<std::string>& parts) {
    std::map<int, std::string> bodies;
    std::string id, count;
    for (const std::string& part : parts) {
        const std::size_t versionEnd = part.find("\r\n") + 2, split = part.rfind("911,");
        if (split == std::string::npos || versionEnd < 2) return {};
        const Fields last = splitFields(part.substr(split, part.size() - split - 2));
        if (last.size() != 4 || (!id.empty() && (last[1] != id || last[2] != count))) return {};
        id = last[1];
        count = last[2];
        bodies[std::stoi(last[3])] = part.substr(versionEnd, split - versionEnd);
    }
    if (parts.empty() || static_cast<int>(bodies.size()) != std::stoi(count)) return {};
    std::string whole = parts.front().substr(0, parts.front().find("\r\n") + 2);
    for (int n = 1; n <= std::stoi(count); ++n) {
        if (!bodies.count(n)) return {};
        whole += bodies[n];
    }
    return whole;
}

struct ReadDrug {
    int rp = 0;
    std::string name, amount, unit, codeKind, code;
    std::string usage, quantity, quantityUnit, form;  // from the 301 of its RP
};

struct ReadDispensing {
    std::string patient, sex, birth;
    std::string date, pharmacy, pharmacist, prescriber;
    std::vector<ReadDrug> drugs;
};

// The patient, dispensing and drugs of a text, each drug with the usage of its RP.
inline ReadDispensing readDispensing(std::string_view text) {
    ReadDispensing read;
    std::map<std::string, Fields> usages;
    for (const Fields& r : readRecords(text)) {
        const std::string& n = r[0];
        if (n == "1" && r.size() > 3)
            std::tie(read.patient, read.sex, read.birth) = std::tie(r[1], r[2], r[3]);
        if (n == "5") read.date = r.at(1);
        if (n == "11") read.pharmacy = r.at(1);
        if (n == "15") read.pharmacist = r.at(1);
        if (n == "55") read.prescriber = r.at(1);
        if (n == "201" && r.size() > 6)
            read.drugs.push_back({std::stoi(r[1]), r[2], r[3], r[4], r[5], r[6], {}, {}, {}, {}});
        if (n == "301") usages[r.at(1)] = r;
    }
    for (ReadDrug& drug : read.drugs) {
        const Fields& u = usages[std::to_string(drug.rp)];
        if (u.size() >= 6)
            std::tie(drug.usage, drug.quantity, drug.quantityUnit, drug.form) =
                std::tie(u[2], u[3], u[4], u[5]);
    }
    return read;
}
