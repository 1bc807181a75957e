#include "drugs/search_terms.h"

namespace drugs {

const std::vector<SearchChoice>& routeChoices() {
    static const std::vector<SearchChoice> choices = {
        {"条件なし", {}}, {"内用", {"内"}}, {"外用", {"外"}}, {"注射", {"注"}}, {"歯科", {"歯"}}};
    return choices;
}

const std::vector<SearchChoice>& formChoices() {
    static const std::vector<SearchChoice> choices = {
        {"条件なし", {}},
        {"錠剤", {"錠"}},
        {"カプセル", {"カプセル"}},
        {"粉末", {"散", "末", "粒"}},
        {"トローチ", {"トローチ"}},
        {"シロップ", {"シロップ"}},
        {"貼付剤", {"貼付剤"}},
        {"噴霧剤", {"噴霧剤"}},
        {"パウダー", {"パウダー"}},
        {"液", {"液"}},
        {"パスタ剤", {"パスタ剤"}},
        {"クリーム", {"クリーム"}},
        {"ゲル", {"ゲル"}},
        {"ゼリー", {"ゼリー"}},
        {"軟膏・硬膏", {"軟膏・硬膏"}},
        {"吸入剤", {"吸入剤"}},
        {"注", {"注"}},
        {"含嗽剤", {"含嗽剤"}},
        {"坐剤", {"坐剤"}},
        {"浣腸剤", {"浣腸剤"}},
        {"キット", {"キット"}},
    };
    return choices;
}

}  // namespace drugs
