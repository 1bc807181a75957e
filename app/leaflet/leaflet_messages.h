// Messages the windows show for the print list and pagination (UTF-8), with their titles; all
// are shown with the warning icon.
#pragma once

#include <string_view>

#include "leaflet/pagination.h"

namespace leaflet {

struct Message {
    std::string_view title;
    std::string_view text;
};

// Appending to a full print list.
inline constexpr Message kPrintListFull{"規定数オーバー", "一度に印刷できる薬剤の数は30迄です。"};

// A pagination that did not lay the leaflet out; an empty text for kDone.
constexpr Message paginationMessage(PaginateResult result) {
    switch (result) {
        case PaginateResult::kEntryTooTall:
            return {"規定オーバー", "１種類の薬情報の表示量がページの範囲を超えています。"};
        case PaginateResult::kTooManyPages:
            return {"規定オーバー", "１度に印刷できるページ数は１５ページ迄です。"};
        case PaginateResult::kCodeTooLarge:
            return {"規定オーバー", "お薬手帳QRがページの範囲を超えています。"};
        case PaginateResult::kNoCodes:
            return {"お薬手帳QR", "お薬手帳QRを作成できませんでした。"};
        case PaginateResult::kDone:
            break;
    }
    return {};
}

}  // namespace leaflet
