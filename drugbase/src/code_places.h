// Codes asked for together: each distinct code once for the statement, with every place that
// asked for it, so that one row read answers them all.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "sjis/sjis.h"

namespace drugbase {

struct CodePlaces {
    std::unordered_map<std::string, std::vector<int>> places;  // UTF-8 code -> its indexes
    std::vector<std::string> distinct;                         // in the order first asked
};

// The codes (CP932, NULL read as "") of codes[from, to).
inline CodePlaces codePlaces(const char* const* codes, int from, int to) {
    CodePlaces out;
    for (int i = from; i < to; ++i) {
        const std::string code = sjis::toUtf8(codes[i] ? codes[i] : "");
        auto [at, added] = out.places.try_emplace(code);
        if (added) out.distinct.push_back(code);
        at->second.push_back(i);
    }
    return out;
}

}  // namespace drugbase
