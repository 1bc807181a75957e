#include "ui/byte_limit.h"

#include <QLineEdit>

#include "sjis/sjis.h"

namespace ui {

ByteLimitValidator::ByteLimitValidator(std::size_t maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int&) const {
    std::string bytes;
    if (!sjis::fromUtf8(input.toStdString(), bytes)) return Invalid;
    return bytes.size() <= maxBytes_ ? Acceptable : Invalid;
}

void limitBytes(QLineEdit* edit, std::size_t maxBytes) {
    edit->setValidator(new ByteLimitValidator(maxBytes, edit));
}

}  // namespace ui
