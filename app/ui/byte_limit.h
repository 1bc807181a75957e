// Limits a line edit to a number of CP932 bytes, as the system's fixed fields count them, and
// refuses characters CP932 cannot hold.
#pragma once

#include <QValidator>

class QLineEdit;
class QTextEdit;

namespace ui {

class ByteLimitValidator : public QValidator {
  public:
    ByteLimitValidator(std::size_t maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    std::size_t maxBytes_;
};

// Installs a ByteLimitValidator of `maxBytes` on `edit`.
void limitBytes(QLineEdit* edit, std::size_t maxBytes);
// The same for a plain-text box: a change after which its text would not fit is taken back.
void limitBytes(QTextEdit* box, std::size_t maxBytes);

}  // namespace ui
