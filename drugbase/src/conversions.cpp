// The exported width and kana conversions, with the fixed output rooms of the interface.
#include <string>

#include "drugbase.h"
#include "sjis/sjis.h"

namespace {

constexpr std::size_t kFullWidthRoom = 25;
constexpr std::size_t kHalfWidthRoom = 13;

}  // namespace

extern "C" {

DRUGBASE_API int HanToZen(const char* src, char* dst) {
    if (!dst) return 0;
    return sjis::writeConverted(sjis::toFullWidth(src ? src : ""), dst, kFullWidthRoom);
}

DRUGBASE_API int ZenToHan(const char* src, char* dst) {
    if (!dst) return 0;
    return sjis::writeConverted(sjis::toHalfWidth(src ? src : ""), dst, kHalfWidthRoom);
}

DRUGBASE_API int KataToHira(const char* src, char* dst, int n) {
    if (!dst || n < 0) return 0;
    const std::string source = src ? std::string(src, sjis::fieldText(src, n).size()) : "";
    return sjis::writeConverted(sjis::kataToHira(source), dst, static_cast<std::size_t>(n) + 1);
}

}  // extern "C"
