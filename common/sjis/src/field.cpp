// Bounded copies into fixed-size CP932 fields.
#include <cstring>

#include "sjis/sjis.h"

namespace sjis {

std::size_t cutLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        // Even a text that fits may end in a lone lead byte; that byte is never kept.
        maxBytes = text.size();
    }
    std::size_t i = 0;
    while (i < maxBytes) {
        const std::size_t step = isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > maxBytes) break;
        i += step;
    }
    return i;
}

std::size_t copyField(char* field, std::size_t width, std::string_view text) {
    if (width == 0) return 0;
    const std::size_t n = cutLength(text.substr(0, text.find('\0')), width - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, width - n);
    return n;
}

std::string_view fieldText(const char* field, std::size_t width) {
    const void* end = std::memchr(field, 0, width);
    return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : width};
}

int writeConverted(const std::string& result, char* out, std::size_t room) {
    if (result.size() + 1 > room || result.find('\0') != std::string::npos) {
        if (room > 0) out[0] = '\0';
        return 0;
    }
    std::memcpy(out, result.data(), result.size() + 1);
    return static_cast<int>(result.size() + 1);
}

}  // namespace sjis
