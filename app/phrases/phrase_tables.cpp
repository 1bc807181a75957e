#include "phrases/phrase_tables.h"

#include "sjis/sjis.h"

namespace dosage {

void PhraseTables::readAll() {
    const data::PhraseStore store;
    for (int list = 0; list < DOSAGEBASE_LIST_COUNT; ++list) store.read(list, (*this)[list]);
}

std::vector<std::string> phraseItems(const PhraseTable& table) {
    std::vector<std::string> items;
    for (std::size_t slot = 0; slot < DOSAGEBASE_SLOT_COUNT; ++slot) {
        const char* text = table.data() + slot * DOSAGEBASE_SLOT_SIZE;
        if (text[0] == '\0') continue;
        if (text[0] == '\r' && text[1] == '\n')
            items.emplace_back();
        else
            items.emplace_back(sjis::fieldText(text, DOSAGEBASE_SLOT_SIZE));
    }
    return items;
}

}  // namespace dosage
