// leafletadmin pharmacy: the pharmacy the e-medication-handbook codes name, printed or set.
#include <array>

#include "admin.h"
#include "dosagebase.h"
#include "layout/data_folder.h"
#include "library_messages.h"
#include "sjis/sjis.h"

namespace admin {
namespace {

struct PharmacyKey {
    const char* key;
    const char* shape;  // what the value must be, for a refusal
};

// In the order of the library's fields (DOSAGEBASE_PHARMACY_NAME first).
constexpr std::array<PharmacyKey, 6> kKeys = {{
    {"name", "at most 120 bytes in Shift-JIS, without control characters"},
    {"prefecture", "two digits from 01 to 47"},
    {"code", "seven digits"},
    {"postal", "NNN-NNNN in digits"},
    {"address", "at most 200 bytes in Shift-JIS, without control characters"},
    {"phone", "digits and -, at most 13"},
}};

// Field i (0-5) of `pharmacy` as a text.
std::string_view fieldText(DosagePharmacy& pharmacy, std::size_t i) {
    unsigned size = 0;
    const char* data = DPharmacyField(&pharmacy, static_cast<int>(i) + 1, &size);
    return sjis::fieldText(data, size);
}

// Sets one KEY=VALUE; false after a message for an unknown key or a value too long to keep.
bool setField(DosagePharmacy& pharmacy, const std::string& setting, std::ostream& err) {
    const std::size_t equals = setting.find('=');
    const std::string key = setting.substr(0, equals);
    for (std::size_t i = 0; equals != std::string::npos && i < kKeys.size(); ++i) {
        if (key != kKeys[i].key) continue;
        std::string value;
        unsigned size = 0;
        char* field = DPharmacyField(&pharmacy, static_cast<int>(i) + 1, &size);
        if (!sjis::fromUtf8(std::string_view(setting).substr(equals + 1), value) ||
            value.size() >= size) {
            err << key << ": " << kKeys[i].shape << "\n";
            return false;
        }
        sjis::copyField(field, size, value);
        return true;
    }
    err << setting << ": not KEY=VALUE with KEY one of name, prefecture, code, postal, address, "
        << "phone\n";
    return false;
}

}  // namespace

int pharmacy(const std::filesystem::path& folder, const std::vector<std::string>& settings,
             std::ostream& out, std::ostream& err) {
    const LibraryMessages messages(err);
    DRecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr);
    DosagePharmacy stored;
    if (DPharmacyRead(&stored) != DOSAGEBASE_OK) return kRefused;
    for (const std::string& setting : settings)
        if (!setField(stored, setting, err)) return kUsage;
    if (const int bad = DPharmacyCheck(&stored); bad > 0) {
        const PharmacyKey& refused = kKeys[static_cast<std::size_t>(bad - 1)];
        err << refused.key << ": " << refused.shape << "; nothing stored\n";
        return kRefused;
    }
    if (!settings.empty() && DPharmacyWrite(&stored) != DOSAGEBASE_OK) return kRefused;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        out << kKeys[i].key << "=" << sjis::toUtf8(fieldText(stored, i)) << "\n";
    return kDone;
}

}  // namespace admin
