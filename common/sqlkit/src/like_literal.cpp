#include "sqlkit/dialect.h"

namespace sqlkit {

std::string likeLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace sqlkit
