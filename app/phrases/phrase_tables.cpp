#include "phrases/phrase_tables.h"

#include "sjis/sjis.h"

namespace dosage {

void PhraseTables::readAll() {
    data::PhraseStore().readAll(tables, versions);
}

data::DataResult PhraseTables::reload(int list) {
    PhraseTable table{};
    data::PhraseVersion version = 0;
    const data::DataResult read = data::PhraseStore().read(list, table, version);
    if (read == data::DataResult::kDone) {
        (*this)[list] = table;
        versions[static_cast<std::size_t>(list)] = version;
    }
    return read;
}

data::PhraseKeep PhraseTables::keep(int list, const PhraseTable& table) {
    data::PhraseVersion version = versions[static_cast<std::size_t>(list)];
    const data::PhraseKeep kept = data::PhraseStore().keep(list, table, version);
    if (kept == data::PhraseKeep::kDone) {
        (*this)[list] = table;
        versions[static_cast<std::size_t>(list)] = version;
    }
    return kept;
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
