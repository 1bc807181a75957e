#include "drugs/prefix_search.h"

#include "sjis/sjis.h"

namespace drugs {

std::optional<int> PrefixSearch::search(const DrugListModel& model, const std::string& boxText) {
    missed_ = false;
    std::string text = boxText.substr(0, sjis::cutLength(boxText, maxBytes_));
    if (text.empty()) return std::nullopt;
    if (toKatakana_) {
        std::string katakana = sjis::hiraToKata(text);
        if (!katakana.empty()) text = std::move(katakana);
    }
    if (text == last_) return std::nullopt;
    last_ = text;
    const int row = model.findPrefix(column_, text);
    missed_ = row < 0;
    if (missed_) return std::nullopt;
    return row;
}

}  // namespace drugs
