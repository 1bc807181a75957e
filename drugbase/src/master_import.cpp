// MasterImport and MasterCode: the code map filled from the public drug master, and the
// catalogue rows added for the drugs of the master the catalogue lacks.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <unordered_set>

#include "catalogue_admin.h"
#include "code_map.h"
#include "master_drugs.h"
#include "messages.h"
#include "record_io.h"
#include "session.h"
#include "sjis/sjis.h"
#include "stored_text.h"

using namespace drugbase;

namespace {

constexpr int kProgressStep = 500;

// A field of a caller's record up to its terminator or its end, whichever comes first.
template <std::size_t N>
std::string_view field(const char (&text)[N]) {
    return {text, strnlen(text, N)};
}

// The レセ電 codes met so far, to refuse an empty or repeated one. A code of up to nine digits
// (every code of the real master) is kept as a number with its length, so that a master of a
// million rows keeps tens of megabytes here rather than its rows.
class SeenCodes {
  public:
    // The reason the row of `code` cannot be imported, "" when it can.
    std::string refusal(std::string_view code) {
        if (code.empty()) return "医薬品コードのない行があります。";
        if (!firstTime(code)) return "医薬品コード" + sjis::toUtf8(code) + "が重複しています。";
        return {};
    }

  private:
    bool firstTime(std::string_view code) {
        const bool digits = code.size() <= 9 && std::all_of(code.begin(), code.end(), [](char c) {
                                return c >= '0' && c <= '9';
                            });
        if (!digits) return others_.insert(std::string(code)).second;
        std::uint64_t value = 0;
        for (char c : code) value = value * 10 + static_cast<std::uint64_t>(c - '0');
        return numbers_.insert(value * 16 + code.size()).second;
    }

    std::unordered_set<std::uint64_t> numbers_;
    std::set<std::string> others_;
};

// The YJ codes and N codes of the catalogue, for the drugs an import adds.
struct CatalogueCodes {
    std::set<std::string> yjcodes, codes;  // CP932
};

bool readCodes(WriteCall& call, CatalogueCodes& out) {
    auto rs = call.prepare("SELECT YJCODE, CODE FROM Medicine_Information");
    std::string text;
    return rs && call.walk(*rs, [&](const sqlkit::Statement& row) {
        out.yjcodes.insert(cp932(row.text(0), text));
        out.codes.insert(cp932(row.text(1), text));
        return true;
    });
}

// The supplied drug a master row adds (UTF-8 values, each cut to its field).
SuppliedDrug drugOf(const DrugMasterRow& row, const std::string& nCode) {
    const std::string_view name = field(row.PRODUCTNAME);
    return {
        {"YJCODE", storedText(field(row.code.YJCODE), "YJCODE")},
        {"PRODUCTNAME", storedText(name, "PRODUCTNAME")},
        {"TANNI", storedText(field(row.TANNI), "TANNI")},
        {"YAKUKA", storedText(field(row.YAKUKA), "YAKUKA")},
        {"GENERALNAME", storedText(plainGeneralName(field(row.code.generalName)), "GENERALNAME")},
        {"ZAIKEI", storedText(dosageFormWord(name), "ZAIKEI")},
        {"CODE", storedText(nCode, "CODE")}};
}

// Binds the master's unit, price, generic flag and generic group (parameters 5 to 8).
void bindFacts(sqlkit::Statement& insert, const DrugMasterRow& row) {
    insert.bindText(5, sjis::toUtf8(field(row.TANNI)));
    if (const auto price = priceHundredths(field(row.YAKUKA)))
        insert.bindInt(6, *price);
    else
        insert.bindNull(6);
    insert.bindInt(7, row.generic == 1 ? 1 : 0);
    insert.bindText(8, genericGroup(field(row.code.generalNameCode), field(row.code.YJCODE)));
}

// The rows of an array, given one at a time.
struct ArraySource {
    const DrugMasterRow* rows;
    int count;
    int next = 0;
};

int nextOfArray(void* source, DrugMasterRow* row) {
    auto& array = *static_cast<ArraySource*>(source);
    if (array.next == array.count) return 0;
    *row = array.rows[array.next++];
    return 1;
}

// Writes the rows as they come, each checked before it is written; a refused row or a source
// that cannot go on returns before the commit, so nothing stays written.
int importRows(WriteCall& call, DrugMasterSource next, void* source, int count, bool addDrugs,
               DrugMasterProgress progress, void* context, int& added) {
    // Every row is written once; the pages stay in memory until the commit.
    call.connection().exec(call.dialect().bulkWrite);
    CatalogueCodes catalogue;
    if (addDrugs && !readCodes(call, catalogue)) return DRUGBASE_DB_FAILURE;
    if (!call.connection().exec(codeMapSchemaSql(call.dialect())) ||
        !call.connection().exec("DELETE FROM Code_Map")) {
        call.report(Failure::Update);
        return DRUGBASE_DB_FAILURE;
    }
    auto insert = call.prepare(std::string("INSERT INTO Code_Map (") + kCodeMapColumns + ", " +
                                   kMasterFactColumns + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                               Failure::Update);
    SuppliedInsert drugs(call.connection());
    if (!insert || !drugs.ok()) {
        if (insert) call.report(Failure::Update);
        return DRUGBASE_DB_FAILURE;
    }
    SeenCodes seen;
    DrugMasterRow row;
    for (int done = 1;; ++done) {
        row = DrugMasterRow{};
        const int given = next(source, &row);
        if (given < 0) return DRUGBASE_CONDITION;
        if (given == 0) break;
        const DrugCodeMapEntry& code = row.code;
        if (const std::string reason = seen.refusal(field(code.receiptCode)); !reason.empty()) {
            messages.send(reason);
            return DRUGBASE_CONDITION;
        }
        insert->reset();
        insert->bindText(1, sjis::toUtf8(field(code.receiptCode)));
        insert->bindText(2, sjis::toUtf8(field(code.YJCODE)));
        insert->bindText(3, sjis::toUtf8(field(code.generalNameCode)));
        insert->bindText(4, sjis::toUtf8(field(code.generalName)));
        bindFacts(*insert, row);
        if (!call.execute(*insert)) return DRUGBASE_DB_FAILURE;

        const std::string yjcode(field(code.YJCODE));
        if (addDrugs && !yjcode.empty() && catalogue.yjcodes.insert(yjcode).second) {
            const std::string nCode = freeNCode(field(row.PRODUCTNAME), catalogue.codes);
            catalogue.codes.insert(nCode);
            if (!drugs.add(drugOf(row, nCode))) {
                call.report(Failure::Update);
                return DRUGBASE_DB_FAILURE;
            }
            ++added;
        }
        if (progress && (done % kProgressStep == 0 || done == count))
            progress(context, done, count);
    }
    const std::string detail = std::to_string(added) + " drugs added";
    return outcome(call.record({audit::Action::MasterLoad, 0, detail}) && call.commit());
}

}  // namespace

extern "C" {

DRUGBASE_API int MasterImportStream(DrugMasterSource next, void* source, int count, int addDrugs,
                                    DrugMasterProgress progress, void* context, int* added) {
    if (!next) return DRUGBASE_CONDITION;
    {
        // A code map made before the master's facts were kept gets their columns first.
        dbcall::Call upgrade(session());
        if (!upgrade.opened()) return DRUGBASE_DB_FAILURE;
        if (!upgrade.connection().exec(codeMapSchemaSql(upgrade.dialect())) ||
            !addMasterFactColumns(upgrade.connection(), nullptr)) {
            upgrade.report(Failure::Update);
            return DRUGBASE_DB_FAILURE;
        }
    }
    WriteCall call(session());
    if (!call.ok()) return DRUGBASE_DB_FAILURE;
    int drugsAdded = 0;
    const int result =
        importRows(call, next, source, count, addDrugs != 0, progress, context, drugsAdded);
    if (added && result == DRUGBASE_OK) *added = drugsAdded;
    return result;
}

DRUGBASE_API int MasterImport(const DrugMasterRow* rows, int count, int addDrugs,
                              DrugMasterProgress progress, void* context, int* added) {
    if (count < 0 || (count > 0 && !rows)) return DRUGBASE_CONDITION;
    ArraySource array{rows, count};
    return MasterImportStream(nextOfArray, &array, count, addDrugs, progress, context, added);
}

DRUGBASE_API int MasterCode(const char* receiptCode, DrugCodeMapEntry* entry) {
    if (!receiptCode || !entry) return DRUGBASE_CONDITION;
    dbcall::Call call(session());
    if (!call.opened()) return DRUGBASE_DB_FAILURE;
    const std::string sql =
        std::string("SELECT ") + kCodeMapColumns + " FROM Code_Map WHERE RECEIPTCODE = ?";
    sqlkit::Statement select = call.connection().prepare(sql);
    // A file made before the code map existed gets its (empty) table on this first use.
    if (!select.ok() && call.connection().exec(codeMapSchemaSql(call.dialect())))
        select = call.connection().prepare(sql);
    if (!select.ok()) {
        call.report(Failure::RecordsetOpen);
        return DRUGBASE_DB_FAILURE;
    }
    select.bindMatch(1, sjis::toUtf8(receiptCode));
    const Lookup found = call.lookUp(select);
    if (found == Lookup::Found) {
        std::string text;
        sjis::copyField(entry->receiptCode, sizeof entry->receiptCode, cp932(select.text(0), text));
        sjis::copyField(entry->YJCODE, sizeof entry->YJCODE, cp932(select.text(1), text));
        sjis::copyField(entry->generalNameCode, sizeof entry->generalNameCode,
                        cp932(select.text(2), text));
        sjis::copyField(entry->generalName, sizeof entry->generalName, cp932(select.text(3), text));
    }
    return outcome(found, DRUGBASE_OK, DRUGBASE_CONDITION);
}

}  // extern "C"
