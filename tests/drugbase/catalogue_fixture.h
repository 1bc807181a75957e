// A fresh catalogue in a temporary data folder, opened through the library, with the library's
// messages and list output collected as UTF-8 for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue_admin.h"
#include "drugbase.h"
#include "engine_folder.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"

using Strings = std::vector<std::string>;

// Collects what a list-box sink receives.
struct ListCollector {
    Strings items;
    int clears = 0;
    DrugListSink sink{this,
                      [](void* c, const char* t) {
                          static_cast<ListCollector*>(c)->items.push_back(sjis::toUtf8(t));
                      },
                      [](void* c) {
                          auto* self = static_cast<ListCollector*>(c);
                          self->items.clear();
                          ++self->clears;
                      }};
};

// Collects list-view rows: (item number, column 0, column 1).
struct ViewCollector {
    struct Row {
        int item;
        std::string code, name;
    };
    std::vector<Row> rows;
    DrugListViewSink sink{
        this,
        [](void* c, int item, const char* t) {
            static_cast<ViewCollector*>(c)->rows.push_back({item, sjis::toUtf8(t), ""});
        },
        [](void* c, int item, int column, const char* t) {
            auto& rows = static_cast<ViewCollector*>(c)->rows;
            if (column == 1 && !rows.empty() && rows.back().item == item)
                rows.back().name = sjis::toUtf8(t);
        }};
};

// Collects the library's messages for as long as it lives.
struct MessageLog {
    MessageLog() {
        RecordSetMessageHandler(
            [](void* c, const char* t) { static_cast<Strings*>(c)->push_back(sjis::toUtf8(t)); },
            &list);
    }
    ~MessageLog() { RecordSetMessageHandler(nullptr, nullptr); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    Strings list;
};

// A supplied drug: its YJ code, product name and further columns (UTF-8 values).
inline drugbase::SuppliedDrug drug(const std::string& yjcode, const std::string& name,
                                   drugbase::SuppliedDrug more = {}) {
    more["YJCODE"] = yjcode;
    more["PRODUCTNAME"] = name;
    return more;
}

// A fresh catalogue opened through the library; on the files unless a suite runs on both
// engines (OnEachEngine<CatalogueTest>).
class CatalogueTest : public ::testing::Test {
  protected:
    virtual Engine engine() const { return Engine::Files; }
    // The server of the server half.
    virtual PgServer& server() const { return testServer(); }

    void SetUp() override {
        if (engine() == Engine::Server && !server().problem().empty())
            GTEST_SKIP() << server().problem();
        std::string error;
        ASSERT_TRUE(data.make(engine(), server(), drugbase::createCatalogue,
                              drugbase::createCatalogueTables, &error))
            << error;
        ASSERT_EQ(RecordOpen(folder().c_str(), nullptr), 0);
    }
    void TearDown() override {
        RecordClose();
        // On the server every call went there, never to a file beside the server file.
        if (data.onServer()) {
            EXPECT_FALSE(std::filesystem::exists(file()));
        }
    }

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

    // Opens the data directly, for checks of stored values and for planting odd data.
    sqlkit::ConnectionPtr raw() const { return data.connect(); }

    // The first column of the first row of `sql`, with `?` bound to `param` when given:
    // "<null>" for NULL, "<no row>" without a row.
    std::string storedText(const std::string& sql, const char* param = nullptr) const {
        auto db = raw();
        sqlkit::Statement s = db->prepare(sql);
        EXPECT_TRUE(s.ok()) << s.error();
        if (param) s.bindMatch(1, param);
        return s.step() ? (s.isNull(0) ? "<null>" : std::string(s.text(0))) : "<no row>";
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

    EngineFolder data{"薬剤ファイル.mdb", "HN%tPQS"};
    MessageLog log;
    Strings& messages = log.list;
};

inline void setField(char* field, std::size_t width, const std::string& utf8) {
    sjis::copyField(field, width, sjis::fromUtf8(utf8));
}
#define SET(record, name, utf8) setField((record).name, sizeof((record).name), utf8)

inline std::string text(const char* field) {
    return sjis::toUtf8(field);
}
