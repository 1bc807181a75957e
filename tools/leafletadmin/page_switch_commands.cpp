// leafletadmin's switches of the leaflet page's optional elements.
#include <array>
#include <string_view>

#include "admin.h"
#include "settings/settings.h"

namespace admin {

namespace {

struct PageSwitch {
    std::string_view command;
    int option;  // its slot in the settings' option table
    std::string_view told;
};

constexpr std::array<PageSwitch, 3> kPageSwitches{{
    {"pictograms", settings::kOptionPictograms, "usage pictograms"},
    {"generic-info", settings::kOptionGenericInfo, "generic-drug information"},
    {"large-print", settings::kOptionLargePrint, "large print"},
}};

const PageSwitch* pageSwitch(std::string_view command) {
    for (const PageSwitch& s : kPageSwitches)
        if (s.command == command) return &s;
    return nullptr;
}

}  // namespace

bool isPageSwitch(std::string_view command) {
    return pageSwitch(command) != nullptr;
}

int setPageSwitch(std::string_view command, const std::filesystem::path& folder, bool on,
                  std::ostream& out, std::ostream& err) {
    const PageSwitch* found = pageSwitch(command);
    if (!found) return kUsage;
    const int option = found->option;
    if (!changeSettings(
            folder, [option, on](settings::SettingsBlock& s) { s.options[option] = on ? 1 : 0; },
            err))
        return kRefused;
    out << found->told << " " << (on ? "on" : "off") << "\n";
    return kDone;
}

}  // namespace admin
