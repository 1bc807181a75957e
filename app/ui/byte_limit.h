// Limits a text box to a number of CP932 bytes, as the system's fixed fields count them, and
// refuses characters CP932 cannot hold.
#pragma once

#include <QValidator>

#include "ui/input_rule.h"

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

namespace ui {

class Prompts;

class ByteLimitValidator : public QValidator {
  public:
    ByteLimitValidator(std::size_t maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    std::size_t maxBytes_;
};

// Installs a ByteLimitValidator of `maxBytes` on `edit`.
void limitBytes(QLineEdit* edit, std::size_t maxBytes);

// Makes a multi-line box the input of a fixed field called `label`: Tab moves on to the next
// control, and a change judged by judgeChange is taken back, telling the operator why through
// `prompts` when there is a message.
void limitBytes(QTextEdit* box, const FieldLimit& limit, const QString& label, Prompts& prompts);
void limitBytes(QPlainTextEdit* box, const FieldLimit& limit, const QString& label,
                Prompts& prompts);

}  // namespace ui
