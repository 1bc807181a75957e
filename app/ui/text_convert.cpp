#include "ui/text_convert.h"

#include <QList>

#include "sjis/sjis.h"

namespace ui {

QString fromCp932(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

std::string toCp932(const QString& text, std::size_t maxBytes) {
    std::string out = sjis::fromUtf8(text.toStdString());
    out.resize(sjis::cutLength(out, maxBytes));
    return out;
}

bool fitsCp932(const QString& text) {
    std::string out;
    return sjis::fromUtf8(text.toStdString(), out);
}

QString firstUnconvertible(const QString& text) {
    if (fitsCp932(text)) return {};
    for (const uint code : text.toUcs4()) {
        const char32_t c = code;
        const QString one = QString::fromUcs4(&c, 1);
        if (!fitsCp932(one)) return one;
    }
    return {};
}

}  // namespace ui
