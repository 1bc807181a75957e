// A leaflet stored in a patient's medication history, read back for the commands that print it
// without the program's windows (print-history, print-sticker).
#pragma once

#include <QDate>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "leaflet/leaflet_header.h"
#include "page/print_list.h"
#include "page_application.h"
#include "patientbase.h"
#include "settings/settings_block.h"

namespace admin {

struct StoredLeaflet {
    PatientRecord patient{};
    std::string stamp;  // slot time text
    std::string text;   // the stored history text
};

// A stored leaflet with its drugs as the catalogue has them now.
struct RecalledLeaflet {
    int id = 0;
    StoredLeaflet stored;
    QDate date;                          // the day it was stored
    settings::SettingsBlock settings{};  // the folder's user settings
    leaflet::PrintList list;
    std::vector<std::string> missing;  // codes of drugs gone from the catalogue, left out
};

// Reads patient `idText`'s newest stored leaflet, or the one stored at `stamp` ("YYYY/MM/DD
// HH:MM:SS"), with the user settings and its drugs with their photographs; drugs gone from the
// catalogue are named on `err`. kDone, or the exit code (kUsage, kRefused) after saying why.
int recallStoredLeaflet(const std::filesystem::path& folder, const std::string& idText,
                        const std::string& stamp, RecalledLeaflet& found, std::ostream& err);

// The header the main window would make today for the registered patient.
leaflet::LeafletHeader headerFor(const std::filesystem::path& folder,
                                 const settings::SettingsBlock& settings,
                                 const PatientRecord& patient);

}  // namespace admin
