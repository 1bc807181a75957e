#include "pharmacy_fields.h"

#include <cstring>

#include "sjis/sjis.h"

namespace dosagebase {
namespace {

bool digits(std::string_view text) {
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A text of the buffer: zero-terminated inside it and without control characters (a CP932
// trail byte is never below 0x40, so any such byte is one).
bool plainText(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

bool prefecture(std::string_view text) {
    return text.size() == 2 && digits(text) && text != "00" && std::stoi(std::string(text)) <= 47;
}

bool postalCode(std::string_view text) {
    return text.size() == 8 && text[3] == '-' && digits(text.substr(0, 3)) &&
           digits(text.substr(4));
}

bool telephone(std::string_view text) {
    bool digit = false;
    for (const char c : text) {
        if (c != '-' && (c < '0' || c > '9')) return false;
        digit = digit || c != '-';
    }
    return digit;
}

bool fieldShaped(int index, std::string_view text) {
    if (text.empty()) return true;
    switch (index + 1) {
        case DOSAGEBASE_PHARMACY_PREFECTURE:
            return prefecture(text);
        case DOSAGEBASE_PHARMACY_CODE:
            return text.size() == 7 && digits(text);
        case DOSAGEBASE_PHARMACY_POSTAL_CODE:
            return postalCode(text);
        case DOSAGEBASE_PHARMACY_TELEPHONE:
            return telephone(text);
        default:
            return plainText(text);
    }
}

}  // namespace

std::array<FieldBuffer, kPharmacyFieldCount> pharmacyFields(DosagePharmacy& p) {
    return {{{p.name, sizeof p.name},
             {p.prefecture, sizeof p.prefecture},
             {p.code, sizeof p.code},
             {p.postalCode, sizeof p.postalCode},
             {p.address, sizeof p.address},
             {p.telephone, sizeof p.telephone}}};
}

int checkPharmacy(const DosagePharmacy& pharmacy) {
    const auto fields = pharmacyFields(const_cast<DosagePharmacy&>(pharmacy));
    for (int i = 0; i < kPharmacyFieldCount; ++i) {
        const FieldBuffer& f = fields[static_cast<std::size_t>(i)];
        const void* end = std::memchr(f.data, 0, f.size);
        if (!end || !fieldShaped(i, std::string_view(f.data, static_cast<const char*>(end))))
            return i + 1;
    }
    return 0;
}

void setPharmacyField(DosagePharmacy& pharmacy, int index, std::string_view utf8) {
    const FieldBuffer f = pharmacyFields(pharmacy)[static_cast<std::size_t>(index)];
    sjis::copyField(f.data, f.size, sjis::fromUtf8(utf8));
}

std::string formatPharmacy(const DosagePharmacy& pharmacy) {
    std::string text;
    const auto fields = pharmacyFields(const_cast<DosagePharmacy&>(pharmacy));
    for (int i = 0; i < kPharmacyFieldCount; ++i) {
        const FieldBuffer& f = fields[static_cast<std::size_t>(i)];
        text += std::string(kPharmacyKeys[static_cast<std::size_t>(i)]) + "=" +
                sjis::toUtf8(sjis::fieldText(f.data, f.size)) + "\n";
    }
    return text;
}

void readPharmacy(std::istream& in, DosagePharmacy& pharmacy) {
    std::memset(&pharmacy, 0, sizeof pharmacy);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t equals = line.find('=');
        for (int i = 0; i < kPharmacyFieldCount && equals != std::string::npos; ++i)
            if (line.compare(0, equals, kPharmacyKeys[static_cast<std::size_t>(i)]) == 0)
                setPharmacyField(pharmacy, i, std::string_view(line).substr(equals + 1));
    }
}

}  // namespace dosagebase
