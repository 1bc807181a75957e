// Qt's own texts in Japanese: the file, folder and print dialogs, the standard buttons and the
// text boxes' menus, whatever language the system is set to.
#pragma once

namespace ui {

// Loads Qt's Japanese catalogue (Debian qt6-translations-l10n) into the running application
// and makes Japanese the default locale. False when the catalogue is missing; Qt's texts then
// stay in English.
bool installJapaneseQtTexts();

}  // namespace ui
