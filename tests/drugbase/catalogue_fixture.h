// A fresh catalogue in a temporary data folder, opened through the library, with the library's
// messages and list output collected as UTF-8 for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue_admin.h"
#include "drugbase.h"
#include "library_fixture.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"

struct Catalogue {
    static constexpr const char* kFile = "薬剤ファイル.mdb";
    static constexpr const char* kPassword = "HN%tPQS";
    static bool createFile(const std::filesystem::path& f, std::string* e) {
        return drugbase::createCatalogue(f, e);
    }
    static bool createTables(sqlkit::Connection& db, std::string* e) {
        return drugbase::createCatalogueTables(db, e);
    }
    static int open(const char* folder, void* owner) { return RecordOpen(folder, owner); }
    static void close() { RecordClose(); }
    static void setHandler(DrugMessageHandler h, void* c) { RecordSetMessageHandler(h, c); }
};
using ListCollector = CollectedList<DrugListSink>;
using ViewCollector = CollectedView<DrugListViewSink>;
using MessageLog = CollectedMessages<RecordSetMessageHandler>;

// A supplied drug: its YJ code, product name and further columns (UTF-8 values).
inline drugbase::SuppliedDrug drug(const std::string& yjcode, const std::string& name,
                                   drugbase::SuppliedDrug more = {}) {
    more["YJCODE"] = yjcode;
    more["PRODUCTNAME"] = name;
    return more;
}

// A fresh catalogue opened through the library; on the files unless a suite runs on both
// engines (OnEachEngine<CatalogueTest>).
class CatalogueTest : public LibraryTest<Catalogue> {
  protected:
    std::string folder() const { return data.path().string(); }
    std::filesystem::path file() const { return data.file(); }

    // Adds supplied drugs (UTF-8 column values) in one transaction and fails the test if one
    // is refused.
    void supply(const std::vector<drugbase::SuppliedDrug>& drugs) {
        if (!data.onServer()) {
            const auto result = drugbase::addSuppliedDrugs(data.path(), drugs);
            ASSERT_TRUE(result.ok) << result.reason;
            return;
        }
        auto db = raw();
        sqlkit::Transaction load(*db);
        drugbase::SuppliedInsert insert(*db);
        for (const auto& d : drugs) {
            ASSERT_EQ(drugbase::checkSuppliedDrug(d), "");
            ASSERT_TRUE(insert.add(d)) << insert.error() << db->lastError();
        }
        ASSERT_TRUE(load.commit()) << db->lastError();
    }

    // One column (or expression) of the first drug with this YJ code.
    std::string stored(const std::string& column, const std::string& yjcode) const {
        return storedText("SELECT " + column + " FROM Medicine_Information WHERE YJCODE = ? " +
                              "ORDER BY " + std::string(raw()->dialect().rowKey) + " LIMIT 1",
                          yjcode.c_str());
    }

    // Makes every update that stores `value` in `column` fail, as a full disk would.
    void failOn(const std::string& column, const std::string& value) {
        auto db = raw();
        ASSERT_TRUE(db->exec(
            data.refusal("Medicine_Information", "UPDATE", "NEW." + column + " = '" + value + "'")))
            << db->lastError();
    }
};
