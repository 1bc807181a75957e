#include "dosagewindow/phrase_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/text_convert.h"

namespace dosage {

void fillPhraseCombo(QComboBox* combo, const PhraseTable& table, bool emptyFirstItem) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    if (emptyFirstItem) combo->addItem(QString());
    for (const std::string& item : phraseItems(table)) combo->addItem(ui::fromCp932(item));
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

}  // namespace dosage
