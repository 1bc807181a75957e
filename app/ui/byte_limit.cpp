#include "ui/byte_limit.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <algorithm>
#include <memory>

#include "sjis/sjis.h"

namespace ui {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

namespace {

bool fits(const QString& text, std::size_t maxBytes) {
    std::string bytes;
    return sjis::fromUtf8(text.toStdString(), bytes) && bytes.size() <= maxBytes;
}

}  // namespace

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
    return fits(input, maxBytes_) ? Acceptable : Invalid;
}

void limitBytes(QLineEdit* edit, std::size_t maxBytes) {
    edit->setValidator(new ByteLimitValidator(maxBytes, edit));
}

void limitBytes(QTextEdit* box, std::size_t maxBytes) {
    auto accepted = std::make_shared<QString>(box->toPlainText());
    QObject::connect(box, &QTextEdit::textChanged, box, [box, maxBytes, accepted] {
        const QString text = box->toPlainText();
        if (fits(text, maxBytes)) {
            *accepted = text;
            return;
        }
        const int at = std::min<int>(box->textCursor().position(), int(accepted->size()));
        const QSignalBlocker quiet(box);
        box->setPlainText(*accepted);
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(at);
        box->setTextCursor(cursor);
    });
}

}  // namespace ui
