// The rule a multi-line box of a fixed CP932 field follows when its text changes: a change that
// keeps the text within the field's bytes and within CP932 is kept; typing past the limit just
// stops; a paste that does not fit, or a character CP932 cannot hold, is refused with a message.
#pragma once

#include <QString>
#include <cstddef>

namespace ui {

struct FieldLimit {
    std::size_t maxBytes;
    bool crlf = false;  // line ends are stored as CR LF and take two bytes each
};

struct InputVerdict {
    bool kept;
    QString message;  // why a change was refused; empty when typing simply stopped
};

// The bytes `text` takes in its field.
std::size_t fieldBytes(const QString& text, const FieldLimit& limit);

// Whether the box named `label` keeps `after` in place of `before`.
InputVerdict judgeChange(const QString& before, const QString& after, const FieldLimit& limit,
                         const QString& label);

QString limitMessage(const QString& label, std::size_t maxBytes);
QString unconvertibleMessage(const QString& character);
inline constexpr const char* kInputTitle = "入力";

}  // namespace ui
