// The tables a data server holds for the catalogue, the register and the phrase lists.
#pragma once

#include <array>

namespace dataserver {

inline constexpr std::array<const char*, 5> kServerTables = {
    "Medicine_Information", "Code_Map", "Patient_Information", "Patient_UsedID", "Phrase_List"};

}  // namespace dataserver
