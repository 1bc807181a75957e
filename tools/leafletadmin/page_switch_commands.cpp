// leafletadmin's switches of the leaflet page's optional elements.
#include "admin.h"
#include "settings/settings.h"

namespace admin {

int setPictogramsSwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                        std::ostream& err) {
    if (!changeSettings(
            folder, [on](settings::SettingsBlock& s) { settings::setPictograms(s, on); }, err))
        return kRefused;
    out << "usage pictograms " << (on ? "on" : "off") << "\n";
    return kDone;
}

}  // namespace admin
