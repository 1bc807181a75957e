#include "master_drugs.h"

#include "list_markers.h"
#include "sjis/sjis.h"

namespace drugbase {

std::string dosageFormWord(std::string_view productName) {
    // Searched in UTF-8, where a word cannot match across the bytes of two characters.
    static constexpr const char* kWords[] = {"ドライシロップ",
                                             "シロップ",
                                             "カプセル",
                                             "細粒",
                                             "顆粒",
                                             "散",
                                             "錠",
                                             "点眼",
                                             "点鼻",
                                             "点耳",
                                             "吸入",
                                             "軟膏",
                                             "クリーム",
                                             "ローション",
                                             "ゲル",
                                             "テープ",
                                             "パップ",
                                             "坐剤",
                                             "トローチ",
                                             "ゼリー",
                                             "注",
                                             "液"};
    const std::string name = sjis::toUtf8(productName);
    for (const char* word : kWords)
        if (name.find(word) != std::string::npos) return sjis::fromUtf8(word);
    return {};
}

std::string plainGeneralName(std::string_view standardText) {
    static const std::string mark = sjis::fromUtf8("【般】");
    if (standardText.starts_with(mark)) standardText.remove_prefix(mark.size());
    return std::string(standardText);
}

std::string freeNCode(std::string_view productName, const std::set<std::string>& taken) {
    const std::string prefix = nCodePrefix(productName);
    if (!taken.contains(prefix)) return prefix;
    for (int number = 2;; ++number) {
        std::string code = prefix + sjis::toFullWidth(std::to_string(number));
        if (!taken.contains(code)) return code;
    }
}

}  // namespace drugbase
