// Fills a combo box with the items of a phrase list.
#pragma once

#include "phrases/phrase_tables.h"

class QComboBox;

namespace dosage {

// Replaces the combo box's items with the list's items: an empty first item when asked for,
// then an empty item for each separator slot and the text of each phrase; empty slots are
// skipped. The first item is selected. The combo box sends no signals while it is refilled.
void fillPhraseCombo(QComboBox* combo, const PhraseTable& table, bool emptyFirstItem);

}  // namespace dosage
