// Messages the parts of the main window share.
#pragma once

#include "ui/prompts.h"

namespace shell {

inline constexpr const char* kDatabaseFailureText = "データベースに異常があります。";
inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kSelectTitle = "選択";

// "データベースに異常があります。", shown after a data library failed.
inline void showDatabaseFailure(ui::Prompts& prompts, QWidget* owner) {
    prompts.message(owner, kDatabaseFailureText, kErrorTitle, ui::Icon::Warning);
}

}  // namespace shell
