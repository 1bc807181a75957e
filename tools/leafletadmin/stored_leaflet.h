// A leaflet stored in a patient's medication history, read back for the commands that print it
// without the program's windows (print-history, print-sticker).
#pragma once

#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "leaflet/leaflet_header.h"
#include "page/page_fonts.h"
#include "page/print_list.h"
#include "patientbase.h"
#include "settings/settings_block.h"

namespace admin {

// A Qt application for fonts and PDF output while the command runs, on the offscreen platform,
// unless the process has one already.
class PageApplication {
  public:
    PageApplication() {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        leaflet::installFontSubstitutions();
    }

  private:
    inline static char name_[] = "leafletadmin";
    inline static char option_[] = "-platform";
    inline static char platform_[] = "offscreen";
    inline static char* argv_[] = {name_, option_, platform_, nullptr};
    inline static int argc_ = 3;
    std::unique_ptr<QGuiApplication> app_;
};

// "YYYY/MM/DD HH:MM:SS" with digits where digits belong.
bool isSlotTime(std::string_view text);

struct StoredLeaflet {
    PatientRecord patient{};
    std::string stamp;  // slot time text
    std::string text;   // the stored history text
};

// Reads the patient `id` and the history text stored at `wanted` (the newest for an empty one);
// false after saying why on `err`, or when the register cannot be read.
bool readStoredLeaflet(const std::filesystem::path& folder, int id, const std::string& wanted,
                       StoredLeaflet& found, std::ostream& err);

// The header the main window would make today for the registered patient.
leaflet::LeafletHeader headerFor(const std::filesystem::path& folder,
                                 const settings::SettingsBlock& settings,
                                 const PatientRecord& patient);

// Fills `list` with the stored drugs as the catalogue has them now, with their photographs;
// the codes of drugs gone from the catalogue go to `missing`. False when the catalogue cannot
// be read.
bool recallDrugs(const std::filesystem::path& folder, const std::string& stored,
                 leaflet::PrintList& list, std::vector<std::string>& missing);

}  // namespace admin
