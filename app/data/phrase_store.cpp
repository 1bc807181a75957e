#include "data/phrase_store.h"

namespace data {
namespace {

DataResult done(int result) {
    return result == DOSAGEBASE_OK ? DataResult::kDone : DataResult::kFailed;
}

}  // namespace

void PhraseStore::open(const std::filesystem::path& databaseFolder) const {
    DRecordOpen(databaseFolder.string().c_str(), nullptr);
}

DataResult PhraseStore::read(int list, PhraseTable& table) const {
    return done(DRecordREAD(table.data(), list));
}

DataResult PhraseStore::keep(int list, const PhraseTable& table) const {
    return done(DRecordDocument(table.data(), list));
}

}  // namespace data
