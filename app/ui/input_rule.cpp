#include "ui/input_rule.h"

#include <QList>
#include <algorithm>

#include "sjis/sjis.h"
#include "ui/text_convert.h"

namespace ui {
namespace {

// The characters (not UTF-16 units) `after` has that `before` has not, between their common
// beginning and end.
qsizetype insertedCharacters(const QString& before, const QString& after) {
    const qsizetype room = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < room && before[head] == after[head]) ++head;
    qsizetype tail = 0;
    while (tail < room - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const QString inserted = after.mid(head, after.size() - head - tail);
    return inserted.toUcs4().size();
}

}  // namespace

std::size_t fieldBytes(const QString& text, const FieldLimit& limit) {
    const std::size_t lineEnds = limit.crlf ? std::size_t(text.count('\n')) : 0;
    return sjis::fromUtf8(text.toStdString()).size() + lineEnds;
}

InputVerdict judgeChange(const QString& before, const QString& after, const FieldLimit& limit,
                         const QString& label) {
    if (const QString bad = firstUnconvertible(after); !bad.isEmpty())
        return {false, unconvertibleMessage(bad)};
    if (fieldBytes(after, limit) <= limit.maxBytes) return {true, {}};
    if (insertedCharacters(before, after) <= 1) return {false, {}};
    return {false, limitMessage(label, limit.maxBytes)};
}

QString limitMessage(const QString& label, std::size_t maxBytes) {
    return QString("%1は全角%2文字（半角%3文字）まで入力できます。")
        .arg(label)
        .arg(maxBytes / 2)
        .arg(maxBytes);
}

QString unconvertibleMessage(const QString& character) {
    return QString("「%1」は入力できない文字です。別の文字に置き換えて下さい。").arg(character);
}

}  // namespace ui
