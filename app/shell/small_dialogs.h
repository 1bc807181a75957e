// The comment dialog, the version dialog and the wait window shown around long database calls.
#pragma once

#include <QDialog>

#include "settings/settings_block.h"
#include "ui/prompts.h"
#include "ui/wait_window.h"

class QTextEdit;

namespace shell {

// "コメント": the comment printed in the lower part of every page. The box holds at most 999
// bytes (line breaks as CR LF), refusing through `prompts` what does not fit; OK stores it and
// empties the reserved text.
class CommentDialog : public QDialog {
    Q_OBJECT
  public:
    CommentDialog(settings::SettingsBlock& settings, ui::Prompts& prompts, QWidget* parent);
    QTextEdit* box() const { return box_; }
    // Stores the box's text into the settings (what OK does before closing).
    void store();

  private:
    settings::SettingsBlock& settings_;
    QTextEdit* box_;
};

// "ﾊﾞｰｼﾞｮﾝ情報".
class VersionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit VersionDialog(QWidget* parent);
};

using WaitWindow = ui::WaitWindow;

}  // namespace shell
