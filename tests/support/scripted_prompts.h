// Prompts for window tests: every message and question is recorded, and questions take their
// answers from a script. A question without a scripted answer fails the test (and says No).
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ui/prompts.h"

class ScriptedPrompts : public ui::Prompts {
  public:
    struct Shown {
        std::string text, title;
        ui::Icon icon;
        ui::Default preset = ui::Default::Yes;  // of a question
    };
    std::vector<Shown> shown;
    std::deque<bool> yesNo;
    std::deque<ui::OverwriteAnswer> overwrite;
    std::deque<QString> folders, files;

    void message(QWidget*, const QString& text, const QString& title, ui::Icon icon) override {
        shown.push_back({text.toStdString(), title.toStdString(), icon});
    }
    bool askYesNo(QWidget*, const QString& text, const QString& title, ui::Icon icon,
                  ui::Default preset) override {
        shown.push_back({text.toStdString(), title.toStdString(), icon, preset});
        return next(yesNo, false, text);
    }
    ui::OverwriteAnswer askOverwrite(QWidget*, const QString& text, const QString& title) override {
        shown.push_back({text.toStdString(), title.toStdString(), ui::Icon::Warning});
        return next(overwrite, ui::OverwriteAnswer::Cancel, text);
    }
    QString chooseFolder(QWidget*, const QString& title) override {
        return next(folders, QString(), title);
    }
    QString chooseSaveFile(QWidget*, const QString& title, const QString&) override {
        return next(files, QString(), title);
    }
    QString chooseOpenFile(QWidget*, const QString& title, const QString&,
                           const QString&) override {
        return next(files, QString(), title);
    }

    // The texts shown so far, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Shown& s : shown) out.push_back(s.text);
        return out;
    }

  private:
    template <class T>
    T next(std::deque<T>& answers, T fallback, const QString& asked) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected prompt: " << asked.toStdString();
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
