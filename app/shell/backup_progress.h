// The progress window of a backup, kept out of the way of the overwrite questions.
#pragma once

#include <QElapsedTimer>
#include <functional>

#include "ui/prompts.h"

class QDialog;
class QProgressBar;
class QWidget;

namespace shell {

// The window is window-modal to its owner, so the owner takes no input while files are copied.
// It appears only once copying has gone on for a moment without a question, and never while a
// question is open: shown over the question it would take the question's input away (a
// window-modal window shown later blocks every other window of its owner), and the program
// could then neither go on nor be closed.
class BackupProgress {
  public:
    explicit BackupProgress(QWidget* owner);
    ~BackupProgress();
    BackupProgress(const BackupProgress&) = delete;
    BackupProgress& operator=(const BackupProgress&) = delete;

    // After each file: `done` of `total` files handled.
    void update(int done, int total);
    // Asks `question` with the window hidden; copying time counts again from the answer.
    ui::OverwriteAnswer aside(const std::function<ui::OverwriteAnswer()>& question);

  private:
    QWidget* owner_;
    QDialog* window_;
    QProgressBar* bar_;
    QElapsedTimer copying_;  // since the start or the last answer
};

}  // namespace shell
