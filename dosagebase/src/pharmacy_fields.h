// The pharmacy's six fields: their keys in the file, their columns on a server, their shapes.
#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "dosagebase.h"

namespace dosagebase {

inline constexpr int kPharmacyFieldCount = 6;
// In field order (DOSAGEBASE_PHARMACY_NAME first): the file's keys and the server's columns.
inline constexpr std::array<std::string_view, kPharmacyFieldCount> kPharmacyKeys = {
    "name", "prefecture", "code", "postal", "address", "phone"};
inline constexpr std::array<std::string_view, kPharmacyFieldCount> kPharmacyColumns = {
    "NAME", "PREFECTURE", "CODE", "POSTAL", "ADDRESS", "PHONE"};

struct FieldBuffer {
    char* data;
    std::size_t size;
};

// The buffers of the fields in field order.
std::array<FieldBuffer, kPharmacyFieldCount> pharmacyFields(DosagePharmacy& pharmacy);

// 0 when every field is empty or of its shape, else the number of the first that is not.
int checkPharmacy(const DosagePharmacy& pharmacy);

// Sets field `index` (0-5) from UTF-8, cut at a character boundary to its buffer.
void setPharmacyField(DosagePharmacy& pharmacy, int index, std::string_view utf8);

// The text of 薬局情報.txt for `pharmacy`; and `pharmacy` zeroed and filled from such a text.
std::string formatPharmacy(const DosagePharmacy& pharmacy);
void readPharmacy(std::istream& in, DosagePharmacy& pharmacy);

}  // namespace dosagebase
