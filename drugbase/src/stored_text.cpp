#include "stored_text.h"

#include "sjis/sjis.h"

namespace drugbase {

std::string storedText(std::string_view cp932, std::size_t room) {
    return sjis::toUtf8(cp932.substr(0, sjis::cutLength(cp932, room ? room - 1 : 0)));
}

std::string storedText(std::string_view cp932, const char* name) {
    return storedText(cp932, column(name).width);
}

}  // namespace drugbase
