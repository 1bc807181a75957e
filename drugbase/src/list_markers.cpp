#include "list_markers.h"

#include "sjis/sjis.h"

namespace drugbase {

std::vector<bool> markedRows(const std::vector<NamedRow>& rows) {
    std::vector<bool> marked(rows.size(), false);
    std::string_view previousName, previousKey;
    std::size_t i = 0;
    while (i < rows.size()) {
        if (rows[i].name == previousName && rows[i].key != previousKey) {
            if (i > 0) marked[i - 1] = true;
            for (; i < rows.size() && rows[i].name == previousName; ++i) {
                marked[i] = true;
                previousKey = rows[i].key;
            }
            continue;
        }
        previousName = rows[i].name;
        previousKey = rows[i].key;
        ++i;
    }
    return marked;
}

bool alwaysMarked(std::string_view productName) {
    static const std::string water = sjis::fromUtf8("注射用水");
    return productName == water;
}

std::string nCodePrefix(std::string_view productName) {
    return sjis::kataToHira(productName.substr(0, sjis::cutLength(productName, 6)));
}

std::vector<std::optional<std::string>> nCodes(const std::vector<std::string_view>& names) {
    static const std::string marker = sjis::fromUtf8("＄");
    std::vector<std::optional<std::string>> codes;
    codes.reserve(names.size());
    std::string previous;
    int counter = 1;
    for (std::string_view name : names) {
        if (name == marker) {
            codes.emplace_back();
            continue;
        }
        const std::string prefix = nCodePrefix(name);
        if (prefix != previous) {
            counter = 1;
            previous = prefix;
            codes.emplace_back(prefix);
        } else {
            ++counter;
            codes.emplace_back(prefix + sjis::toFullWidth(std::to_string(counter)));
        }
    }
    return codes;
}

}  // namespace drugbase
