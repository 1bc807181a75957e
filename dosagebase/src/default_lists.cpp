#include "default_lists.h"

#include <cstring>

#include "dosagebase.h"
#include "list_format.h"

namespace dosagebase {
namespace {

constexpr std::string_view kUsage[] = {
    "１日３回　毎食後に服用", "１日２回　朝夕食後に服用",
    "１日１回　朝食後に服用", "１日１回　夕食後に服用",
    "１日１回　寝る前に服用", "１日３回　毎食前に服用",
    "１日３回　食間に服用",   kSeparatorLine,
    "痛い時に服用",           "熱が高い時に服用",
    "眠れない時に服用",       "吐き気がする時に服用",
    kSeparatorLine,           "患部に塗布",
    "１日数回　患部に塗布",   "１日１回　患部に貼付",
    "１日数回　点眼",         "１日２回　吸入",
    "肛門内に挿入",
};

constexpr std::string_view kAmount[] = {
    "１回１錠", "１回２錠", "１回３錠",     "１回半錠",   "１回１カプセル", "１回２カプセル",
    "１回１包", "１回２包", kSeparatorLine, "１回５ｍＬ", "１回１０ｍＬ",   "１回１滴",
    "１回２滴", "１回１枚", "１回１個",     "適量",
};

constexpr std::string_view kDays[] = {
    "１日分",   "３日分",       "５日分", "７日分", "１０日分", "１４日分", "２１日分", "２８日分",
    "３０日分", kSeparatorLine, "１回分", "３回分", "５回分",   "１０回分", "１本",     "１袋",
};

}  // namespace

std::span<const std::string_view> defaultLines(int index) {
    switch (index) {
        case DOSAGEBASE_LIST_USAGE:
            return kUsage;
        case DOSAGEBASE_LIST_AMOUNT:
            return kAmount;
        case DOSAGEBASE_LIST_DAYS:
            return kDays;
        default:
            return {};
    }
}

void fillDefaults(int index, char* table) {
    std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
    int slot = 0;
    for (std::string_view line : defaultLines(index))
        lineToSlot(line, table + slot++ * DOSAGEBASE_SLOT_SIZE);
}

}  // namespace dosagebase
