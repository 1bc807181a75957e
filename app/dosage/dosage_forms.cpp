#include "dosage/dosage_forms.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "sjis/sjis.h"

namespace dosage {

namespace {

// Form names in UTF-8; a CP932 form matches when its UTF-8 form is equal, which for valid
// CP932 is the same as byte equality.
bool isOneOf(std::string_view form, std::initializer_list<std::string_view> names) {
    const std::string utf8 = sjis::toUtf8(form);
    return std::find(names.begin(), names.end(), utf8) != names.end();
}

const std::initializer_list<std::string_view> kTablets = {"錠", "腸溶錠", "トローチ", "徐放錠"};
const std::initializer_list<std::string_view> kCapsules = {"カプセル", "徐放カプセル",
                                                           "複粒カプセル"};
const std::initializer_list<std::string_view> kPowders = {"散",   "細粒", "末",
                                                          "顆粒", "複粒", "散剤"};
const std::initializer_list<std::string_view> kAsNeeded = {
    "シロップ",   "シロップ用", "クリーム", "ゲル", "噴霧剤",
    "軟膏・硬膏", "ゼリー",     "パウダー", "液",   "含嗽剤"};

const std::initializer_list<std::string_view> kInjections = {
    "注射液", "注射用", "油性注射液", "静注用", "懸濁注射液", "注射剤", "注"};
const std::initializer_list<std::string_view> kOtherForms = {"不明", "その他", "キット"};

}  // namespace

bool isNotForTaking(std::string_view form) {
    return isOneOf(form, {"貼付剤",   "噴霧剤",     "パウダー", "液",     "含嗽剤", "クリーム",
                          "ゲル",     "軟膏・硬膏", "ゼリー",   "注射液", "注射用", "油性注射液",
                          "静注用",   "懸濁注射液", "注射剤",   "不明",   "吸入剤", "その他",
                          "パスタ剤", "注",         "坐剤",     "浣腸剤", "キット"});
}

std::string amountUnit(std::string_view form) {
    if (isOneOf(form, kTablets)) return sjis::fromUtf8("錠");
    if (isOneOf(form, kCapsules)) return sjis::fromUtf8("カプセル");
    if (isOneOf(form, kPowders)) return sjis::fromUtf8("包");
    return {};
}

std::string defaultAmountText(std::string_view form) {
    if (isOneOf(form, kTablets)) return sjis::fromUtf8("１回１錠");
    if (isOneOf(form, kCapsules)) return sjis::fromUtf8("１回１カプセル");
    if (isOneOf(form, kPowders)) return sjis::fromUtf8("１回１包");
    if (isOneOf(form, kAsNeeded)) return sjis::fromUtf8("適量");
    if (isOneOf(form, {"貼付剤"})) return sjis::fromUtf8("１回１枚");
    if (isOneOf(form, {"坐剤"})) return sjis::fromUtf8("１回１個");
    return {};
}

Administration administration(std::string_view form, bool asNeeded) {
    if (isOneOf(form, kInjections)) return Administration::kInjection;
    if (isOneOf(form, kOtherForms)) return Administration::kOther;
    if (isNotForTaking(form)) return Administration::kExternal;
    return asNeeded ? Administration::kTakenAsNeeded : Administration::kTaken;
}

std::string refusalMessage(std::string_view form) {
    return "薬の種類は「" + sjis::toUtf8(form) +
           "」です。服用出来ません。\n"
           "外用薬の場合は「用法」入力欄の右端矢印を押して、適切な文章を選択して下さい。\n"
           "適切な文章が無い場合は「編集」ボタンで文章を追加・変更して下さい。";
}

}  // namespace dosage
