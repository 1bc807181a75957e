// CP932 texts of the system shown in and read from Qt widgets.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString fromCp932(std::string_view cp932);

// The CP932 form of a widget's text, cut at a character boundary to at most `maxBytes` bytes.
std::string toCp932(const QString& text, std::size_t maxBytes = std::string::npos);

// Whether every character of `text` exists in CP932 (so it can be stored exactly).
bool fitsCp932(const QString& text);

// The first character of `text` that CP932 cannot hold, or an empty text when there is none.
QString firstUnconvertible(const QString& text);

}  // namespace ui
