// The tables a data server holds for the catalogue, the register, the phrase lists and the
// pharmacy.
#pragma once

#include <array>

namespace dataserver {

inline constexpr std::array<const char*, 7> kServerTables = {
    "Medicine_Information", "Code_Map",    "User_Photo",          "Patient_Information",
    "Patient_UsedID",       "Phrase_List", "Pharmacy_Information"};

}  // namespace dataserver
