// Fuzz target: any bytes as a K3 file, read record by record by every reader.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "k3_file.h"
#include "k3_records.h"
#include "sjis/sjis.h"

namespace {

// A field view must lie inside its record.
void checkInside(std::string_view field, std::string_view record) {
    if (field.data() && (field.data() < record.data() ||
                         field.data() + field.size() > record.data() + record.size()))
        std::abort();
}

void checkBounded(const std::optional<std::string>& field) {
    if (field && field->size() > drugbase::k3::kFieldRoom) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    drugbase::k3::RecordReader reader(in);
    std::string_view record;
    while (reader.next(record)) {
        const auto guidance = drugbase::k3::parseGuidance(record);
        checkInside(guidance.yjcode, record);
        for (const auto& text : guidance.texts)
            if (text) checkInside(*text, record);

        const auto identification = drugbase::k3::parseIdentification(record);
        checkInside(identification.key, record);
        for (const auto& code : identification.codes) checkBounded(code);
        if (identification.warisen) {
            checkInside(*identification.warisen, record);
            const std::string_view w = *identification.warisen;
            if (w.size() > 2 || sjis::cutLength(w, 2) != w.size()) std::abort();
        }

        const auto processing = drugbase::k3::parseProcessing(record);
        for (const auto& field : processing.fields) checkBounded(field);
        (void)processing.passedOver();

        const auto className = drugbase::k3::parseClassName(record);
        if (className.code) checkInside(*className.code, record);
        if (className.name) checkInside(*className.name, record);
    }
    if (reader.count() > drugbase::k3::kMaxRecords) std::abort();
    return 0;
}
