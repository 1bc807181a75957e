#include "ui/byte_limit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <algorithm>
#include <memory>

#include "sjis/sjis.h"
#include "ui/prompts.h"

namespace ui {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
    std::string bytes;
    return sjis::fromUtf8(input.toStdString(), bytes) && bytes.size() <= maxBytes_ ? Acceptable
                                                                                   : Invalid;
}

void limitBytes(QLineEdit* edit, std::size_t maxBytes) {
    edit->setValidator(new ByteLimitValidator(maxBytes, edit));
}

namespace {

// QTextEdit and QPlainTextEdit share these calls without a common base that has them.
template <class Box>
void guard(Box* box, const FieldLimit& limit, const QString& label, Prompts& prompts) {
    box->setTabChangesFocus(true);
    auto accepted = std::make_shared<QString>(box->toPlainText());
    QObject::connect(box, &Box::textChanged, box, [box, limit, label, accepted, &prompts] {
        const QString text = box->toPlainText();
        const InputVerdict verdict = judgeChange(*accepted, text, limit, label);
        if (verdict.kept) {
            *accepted = text;
            return;
        }
        // The cursor goes back to where the refused input began.
        const qsizetype grown = text.size() - accepted->size();
        const qsizetype at =
            std::clamp<qsizetype>(box->textCursor().position() - grown, 0, accepted->size());
        {
            const QSignalBlocker quiet(box);
            box->setPlainText(*accepted);
            QTextCursor cursor = box->textCursor();
            cursor.setPosition(int(at));
            box->setTextCursor(cursor);
        }
        if (!verdict.message.isEmpty())
            prompts.message(box->window(), verdict.message, kInputTitle, Icon::Warning);
    });
}

}  // namespace

void limitBytes(QTextEdit* box, const FieldLimit& limit, const QString& label, Prompts& prompts) {
    guard(box, limit, label, prompts);
}

void limitBytes(QPlainTextEdit* box, const FieldLimit& limit, const QString& label,
                Prompts& prompts) {
    guard(box, limit, label, prompts);
}

}  // namespace ui
