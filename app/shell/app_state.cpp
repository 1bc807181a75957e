#include "shell/app_state.h"

#include <QString>

namespace shell {

void AppState::saveSettings(QWidget* owner) {
    const SettingsResult saved = shell::saveSettings(settingsFile, settings);
    if (!saved.ok())
        prompts.message(
            owner, QString::fromStdString(saved.message),
            QString::fromUtf8(kSettingsMessageTitle.data(), kSettingsMessageTitle.size()),
            ui::Icon::Warning);
}

}  // namespace shell
