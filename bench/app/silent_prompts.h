// Prompts that answer every question with "no" and show nothing, so a benchmark never waits on
// a modal box.
#pragma once

#include "ui/prompts.h"

class SilentPrompts : public ui::Prompts {
  public:
    void message(QWidget*, const QString&, const QString&, ui::Icon) override {}
    bool askYesNo(QWidget*, const QString&, const QString&, ui::Icon, ui::Default) override {
        return false;
    }
    ui::OverwriteAnswer askOverwrite(QWidget*, const QString&, const QString&) override {
        return ui::OverwriteAnswer::Cancel;
    }
    QString chooseFolder(QWidget*, const QString&) override { return {}; }
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};
