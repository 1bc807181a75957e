// The prompts of the running program: Qt's message boxes and file dialogs, and the program's
// folder chooser starting at the desktop. A file to write is first looked for in the user's
// documents folder.
#pragma once

#include "ui/prompts.h"

namespace ui {

class QtPrompts : public Prompts {
  public:
    void message(QWidget* owner, const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(QWidget* owner, const QString& text, const QString& title, Icon icon,
                  Default preset) override;
    OverwriteAnswer askOverwrite(QWidget* owner, const QString& text,
                                 const QString& title) override;
    QString chooseFolder(QWidget* owner, const QString& instructions) override;
    QString chooseSaveFile(QWidget* owner, const QString& title, const QString& filter) override;
    QString chooseOpenFile(QWidget* owner, const QString& title, const QString& startFolder,
                           const QString& filter) override;
};

}  // namespace ui
