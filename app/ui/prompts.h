// Every message box, question and file or folder chooser of the program goes through this
// interface, so the windows can be driven by tests with scripted answers.
#pragma once

#include <QString>

class QWidget;

namespace ui {

enum class Icon { Warning, Information };

// The answer a question's Enter key gives. A question that deletes or replaces something
// defaults to No, so a hurried Enter loses nothing.
enum class Default { Yes, No };

// Answers to the overwrite question of a copy (the default is No).
enum class OverwriteAnswer { Yes, YesToAll, No, Cancel };

class Prompts {
  public:
    virtual ~Prompts() = default;

    // A message with an OK button.
    virtual void message(QWidget* owner, const QString& text, const QString& title, Icon icon) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& text, const QString& title, Icon icon,
                          Default preset) = 0;
    // Whether to overwrite an existing file.
    virtual OverwriteAnswer askOverwrite(QWidget* owner, const QString& text,
                                         const QString& title) = 0;
    // A folder, or an empty text when the operator cancelled; `instructions` tell the operator
    // what the folder is for.
    virtual QString chooseFolder(QWidget* owner, const QString& instructions) = 0;
    // A file to write, or an empty text when the operator cancelled.
    virtual QString chooseSaveFile(QWidget* owner, const QString& title, const QString& filter) = 0;
    // A file to read, or an empty text when the operator cancelled.
    virtual QString chooseOpenFile(QWidget* owner, const QString& title, const QString& startFolder,
                                   const QString& filter) = 0;
};

}  // namespace ui
