// "印刷の設定": the leaflet's optional elements (usage pictograms, generic-drug information,
// large print) and the お薬手帳 sticker's roll width, switched in one place.
#pragma once

#include <QDialog>

#include "settings/settings_block.h"

class QCheckBox;
class QComboBox;

namespace shell {

class PrintSettingsDialog : public QDialog {
  public:
    PrintSettingsDialog(const settings::SettingsBlock& settings, QWidget* parent);

    // Writes the dialog's choices into their slots of `settings`; true when one changed.
    bool applyTo(settings::SettingsBlock& settings) const;

  private:
    QCheckBox* pictograms_;
    QCheckBox* genericInfo_;
    QCheckBox* largePrint_;
    QComboBox* stickerWidth_;
};

}  // namespace shell
