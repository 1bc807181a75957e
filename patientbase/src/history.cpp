// The medication history calls: store, recall, list and delete a slot of a patient's twenty.
#include <cstring>
#include <string>

#include "columns.h"
#include "history_slots.h"
#include "session.h"
#include "sinks.h"

using namespace patientbase;

namespace {

constexpr std::size_t kLongestKey = 64;  // longer than any stamp text

std::string_view keyText(const char* text) {
    return text ? std::string_view(text, strnlen(text, kLongestKey)) : std::string_view();
}

std::string slotQuery() {
    std::string columns = "rowid";
    for (int slot = 0; slot < kSlotCount; ++slot) columns += ", " + stampColumn(slot);
    return selectFirstWithId(columns);
}

// Reads the slot stamps of the first patient with `id` into `slots`, and its rowid.
Lookup readSlots(sqlite3* db, int id, long long& rowid, SlotStamps& slots) {
    auto find = prepare(db, slotQuery());
    if (!find) return Lookup::Failed;
    find->bindInt(1, id);
    const Lookup found = lookUp(*find);
    if (found != Lookup::Found) return found;
    rowid = find->integer(0);
    for (int slot = 0; slot < kSlotCount; ++slot) slots[slot] = parseStored(find->text(slot + 1));
    return Lookup::Found;
}

// Sets slot `slot` of row `rowid` to the stamp and block (both NULL when `stamp` is empty).
bool writeSlot(WriteCall& call, long long rowid, int slot, const std::string& stamp,
               std::string_view block) {
    auto update = prepare(call.db(), "UPDATE Patient_Information SET " + stampColumn(slot) +
                                         " = ?, " + blockColumn(slot) + " = ? WHERE rowid = ?");
    if (!update) return false;
    update->bindText(1, stamp).bindBlob(2, block).bindInt(3, rowid);
    return call.execute(*update) && call.commit();
}

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordRIREKI(int id, const char* block) {
    // Only a whole block can be recalled into a caller's 4111-byte buffer and decoded again.
    if (!block || strnlen(block, kBlockTextLength + 1) != kBlockTextLength) {
        report(Message::BlockLength);
        return kDatabaseFailure;
    }
    WriteCall call;
    if (!call.ok()) return kDatabaseFailure;
    long long rowid = 0;
    SlotStamps slots;
    const Lookup found = readSlots(call.db(), id, rowid, slots);
    if (found != Lookup::Found) return found == Lookup::Missing ? 0 : kDatabaseFailure;
    const bool stored = writeSlot(call, rowid, slotToStore(slots), storedForm(now()),
                                  std::string_view(block, kBlockTextLength));
    return stored ? 0 : kDatabaseFailure;
}

PATIENTBASE_API int LRecordRIREKIDisplay(int id, const char* slotTimeText, char* out) {
    sqlkit::Db db = openPatientFile();
    if (!db) return kDatabaseFailure;
    long long rowid = 0;
    SlotStamps slots;
    const Lookup found = readSlots(db.get(), id, rowid, slots);
    if (found != Lookup::Found) return found == Lookup::Missing ? 0 : kDatabaseFailure;
    const int slot = slotToRecall(slots, keyText(slotTimeText));
    if (slot < 0) return 0;
    auto read = prepare(
        db.get(), "SELECT " + blockColumn(slot) + " FROM Patient_Information WHERE rowid = ?");
    if (!read) return kDatabaseFailure;
    read->bindInt(1, rowid);
    if (lookUp(*read) != Lookup::Found) return kDatabaseFailure;
    if (out) {
        // A block longer than a block (from another tool) is cut so the buffer holds it.
        const std::string_view stored = read->blob(0).substr(0, kBlockTextLength);
        std::memcpy(out, stored.data(), stored.size());
        out[stored.size()] = '\0';
    }
    return 1;
}

PATIENTBASE_API int LRecordRIREKIDate(int id, const PatientListSink* list) {
    sqlkit::Db db = openPatientFile();
    if (!db) return kDatabaseFailure;
    long long rowid = 0;
    SlotStamps slots;
    const Lookup found = readSlots(db.get(), id, rowid, slots);
    if (found != Lookup::Found) return found == Lookup::Missing ? 0 : kDatabaseFailure;
    for (const Stamp& stamp : newestFirst(slots)) add(list, listForm(stamp));
    return 0;
}

PATIENTBASE_API int LRecordRIREKIDELL(int id, const char* slotKeyText) {
    WriteCall call;
    if (!call.ok()) return kDatabaseFailure;
    long long rowid = 0;
    SlotStamps slots;
    const Lookup found = readSlots(call.db(), id, rowid, slots);
    if (found != Lookup::Found) return found == Lookup::Missing ? 0 : kDatabaseFailure;
    const int slot = slotToDelete(slots, keyText(slotKeyText));
    if (slot < 0) return 0;
    return writeSlot(call, rowid, slot, "", "") ? 0 : kDatabaseFailure;
}

}  // extern "C"
