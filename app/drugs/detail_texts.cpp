#include "drugs/detail_texts.h"

#include <cstring>

#include "sjis/sjis.h"

namespace drugs {
namespace {

constexpr char kCircle[] = "\x81\x9C";  // ●
constexpr char kStar[] = "\x81\x9A";    // ★

std::string withoutMark(std::string_view text, const char* mark) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t step =
            sjis::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (step != 2 || text.compare(i, 2, mark) != 0) out.append(text.substr(i, step));
        i += step;
    }
    return out;
}

}  // namespace

void removeMarks(char* field, std::size_t width) {
    const std::string text =
        withoutMark(withoutMark(sjis::fieldText(field, width), kCircle), kStar);
    sjis::copyField(field, width, text);
}

std::string efficacyText(const DrugRecord& record) {
    return std::string(record.SAYO_HYOUJI == 1
                           ? sjis::fieldText(record.SAYO_TOROKU, sizeof record.SAYO_TOROKU)
                           : sjis::fieldText(record.SAYOA, sizeof record.SAYOA));
}

std::string cautionText(const DrugRecord& record) {
    if (record.CYUUI_HYOUJI == 1)
        return std::string(sjis::fieldText(record.CYUUI_TOROKU, sizeof record.CYUUI_TOROKU));
    char cautions[sizeof record.CYUUI];
    std::memcpy(cautions, record.CYUUI, sizeof cautions);
    removeMarks(cautions, sizeof cautions);
    return std::string(sjis::fieldText(cautions, sizeof cautions));
}

}  // namespace drugs
