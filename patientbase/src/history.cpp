// The medication history calls: store, recall, list and delete a slot of a patient's twenty.
#include <cstring>
#include <string>

#include "history_slots.h"
#include "register_columns.h"
#include "register_io.h"
#include "register_messages.h"
#include "register_session.h"
#include "register_sinks.h"
#include "sjis/sjis.h"

using namespace patientbase;

namespace {

constexpr std::size_t kLongestKey = 64;  // longer than any stamp text

std::string_view keyText(const char* text) {
    return text ? std::string_view(text, strnlen(text, kLongestKey)) : std::string_view();
}

std::string slotQuery(const sqlkit::Dialect& dialect) {
    std::string columns(dialect.rowKey);
    for (int slot = 0; slot < kSlotCount; ++slot) columns += ", " + stampColumn(slot);
    return selectFirstWithId(columns + ", PATIENT", dialect);
}

// The first patient with an ID: its row key, slot stamps and name, when found.
struct SlotRow {
    Lookup found = Lookup::Failed;
    long long rowKey = 0;
    int id = 0;
    SlotStamps slots;
    std::string name;  // CP932, as LRecordID_CLIENT hands it out
};

SlotRow readSlots(Call& call, int id) {
    constexpr std::size_t kNameBuffer = 256;
    SlotRow row;
    auto find = call.prepare(slotQuery(call.dialect()));
    if (!find) return row;
    find->bindInt(1, id);
    row.found = call.lookUp(*find);
    if (row.found != Lookup::Found) return row;
    row.rowKey = find->integer(0);
    row.id = id;
    for (int slot = 0; slot < kSlotCount; ++slot)
        row.slots[slot] = parseStored(find->text(slot + 1));
    std::string name;
    char field[kNameBuffer];
    sjis::copyField(field, sizeof field, cp932(find->text(kSlotCount + 1), name));
    row.name = sjis::fieldText(field, sizeof field);
    return row;
}

// Sets slot `slot` of the row to the stamp and block (both NULL when `stamp` is empty), with
// the audit row of the change.
bool writeSlot(WriteCall& call, long long rowKey, int slot, const std::string& stamp,
               std::string_view block, const audit::Entry& entry) {
    auto update = call.prepare("UPDATE Patient_Information SET " + stampColumn(slot) + " = ?, " +
                               blockColumn(slot) + " = ? WHERE " +
                               std::string(call.dialect().rowKey) + " = ?");
    if (!update) return false;
    update->bindText(1, stamp).bindBlob(2, block).bindInt(3, rowKey);
    return call.execute(*update) && call.record(entry) && call.commit();
}

// Refuses a block that is not a whole one: only a whole block can be recalled into a caller's
// 4111-byte buffer and decoded again.
bool wholeBlock(const char* block) {
    if (block && strnlen(block, kBlockTextLength + 1) == kBlockTextLength) return true;
    report(Message::BlockLength);
    return false;
}

// The data's clock, read inside the writing transaction, i.e. after the write lock was had:
// on a server the server's clock, so terminals whose clocks differ still stamp in order.
std::optional<Stamp> clockNow(WriteCall& call) {
    auto clock = call.prepare(call.dialect().clockNow);
    if (!clock || call.lookUp(*clock) != Lookup::Found) return std::nullopt;
    const std::optional<Stamp> now = parseStored(clock->text(0));
    if (!now) call.report(Failure::Update, clock->text(0));
    return now;
}

bool storeBlock(WriteCall& call, const SlotRow& row, const char* block) {
    const std::optional<Stamp> clock = clockNow(call);
    if (!clock) return false;
    const std::string stamp = storedForm(stampToStore(row.slots, *clock));
    const std::string_view text(block, kBlockTextLength);
    return writeSlot(call, row.rowKey, slotToStore(row.slots), stamp, text,
                     {audit::Action::LeafletStore, row.id,
                      stamp + ", " + std::to_string(drugsInBlock(text)) + " drugs"});
}

// Copies the block of `slot` (none when -1) into `out`: 1 = copied, 0 = no slot, 99.
int recallSlot(Call& call, const SlotRow& row, int slot, char* out) {
    if (slot < 0) return PATIENTBASE_OK;
    auto read = call.prepare("SELECT " + blockColumn(slot) + " FROM Patient_Information WHERE " +
                             std::string(call.dialect().rowKey) + " = ?");
    if (!read) return PATIENTBASE_DB_FAILURE;
    read->bindInt(1, row.rowKey);
    if (call.lookUp(*read) != Lookup::Found) return PATIENTBASE_DB_FAILURE;
    if (out) {
        // A block longer than a block (from another tool) is cut so the buffer holds it.
        const std::string_view stored = read->blob(0).substr(0, kBlockTextLength);
        std::memcpy(out, stored.data(), stored.size());
        out[stored.size()] = '\0';
    }
    return 1;
}

// Empties `slot` (none when -1) of the patient: `emptied` when it did, 0 when no slot, 99.
int deleteSlot(WriteCall& call, const SlotRow& row, int slot, int emptied) {
    if (slot < 0) return PATIENTBASE_OK;
    const audit::Entry entry{audit::Action::LeafletDelete, row.id, storedForm(*row.slots[slot])};
    return writeSlot(call, row.rowKey, slot, "", "", entry) ? emptied : PATIENTBASE_DB_FAILURE;
}

}  // namespace

extern "C" {

PATIENTBASE_API int LRecordRIREKI(int id, const char* block) {
    if (!wholeBlock(block)) return PATIENTBASE_DB_FAILURE;
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    return outcome(storeBlock(call, row, block));
}

PATIENTBASE_API int LRecordRIREKIChecked(int id, const char* name, const char* block) {
    if (!wholeBlock(block)) return PATIENTBASE_DB_FAILURE;
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    // The check and the store share the transaction, which holds the write lock: no other
    // program can delete or renumber the patient between them.
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found)
        return outcome(row.found, PATIENTBASE_NO_PATIENT, PATIENTBASE_NO_PATIENT);
    if (row.name != (name ? std::string_view(name, strnlen(name, 256)) : ""))
        return PATIENTBASE_NAME_DIFFERS;
    return outcome(storeBlock(call, row, block));
}

PATIENTBASE_API int LRecordRIREKIDisplay(int id, const char* slotTimeText, char* out) {
    Call call(session());
    if (!call.opened()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    return recallSlot(call, row, slotToRecall(row.slots, keyText(slotTimeText)), out);
}

PATIENTBASE_API int LRecordRIREKIDisplaySlot(int id, int slot, const char* slotTimeText,
                                             char* out) {
    Call call(session());
    if (!call.opened()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    return recallSlot(call, row, slotHolding(row.slots, slot, keyText(slotTimeText)), out);
}

PATIENTBASE_API int LRecordRIREKIDate(int id, const PatientListSink* list) {
    Call call(session());
    if (!call.opened()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    for (const Stamp& stamp : newestFirst(row.slots)) add(list, listForm(stamp));
    return PATIENTBASE_OK;
}

PATIENTBASE_API int LRecordRIREKISlots(int id, const PatientListViewSink* view) {
    Call call(session());
    if (!call.opened()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    int item = 0;
    for (const int slot : slotsNewestFirst(row.slots)) {
        insert(view, item, listForm(*row.slots[slot]));
        set(view, item++, 1, std::to_string(slot));
    }
    return PATIENTBASE_OK;
}

PATIENTBASE_API int LRecordRIREKIUses(const char* yjcode, int32_t* count) {
    std::string columns;
    for (int slot = 0; slot < kSlotCount; ++slot) columns += (slot ? ", " : "") + blockColumn(slot);
    Recordset rs(session(), "SELECT " + columns + " FROM Patient_Information");
    if (!rs) return PATIENTBASE_DB_FAILURE;
    const std::string_view code = keyText(yjcode);
    int32_t uses = 0;
    const bool walked = rs.walk([&](const sqlkit::Statement& row) {
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (!row.isNull(slot) && blockUsesDrug(row.blob(slot), code)) ++uses;
        return true;
    });
    if (!walked) return PATIENTBASE_DB_FAILURE;
    if (count) *count = uses;
    return PATIENTBASE_OK;
}

PATIENTBASE_API int LRecordRIREKIDELL(int id, const char* slotKeyText) {
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    return deleteSlot(call, row, slotToDelete(row.slots, keyText(slotKeyText)), PATIENTBASE_OK);
}

PATIENTBASE_API int LRecordRIREKIDELLSlot(int id, int slot, const char* slotTimeText) {
    WriteCall call(session());
    if (!call.ok()) return PATIENTBASE_DB_FAILURE;
    const SlotRow row = readSlots(call, id);
    if (row.found != Lookup::Found) return outcome(row.found, PATIENTBASE_OK, PATIENTBASE_OK);
    return deleteSlot(call, row, slotHolding(row.slots, slot, keyText(slotTimeText)), 1);
}

}  // extern "C"
