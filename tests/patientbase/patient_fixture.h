// A fresh patient file in a temporary data folder, opened through the library, with the
// library's messages and list output collected as UTF-8 for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "patient_admin.h"
#include "patientbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "temp_dir.h"

// Collects what a list-box sink receives.
struct ListCollector {
    std::vector<std::string> items;
    PatientListSink sink{this,
                         [](void* c, const char* t) {
                             static_cast<ListCollector*>(c)->items.push_back(sjis::toUtf8(t));
                         },
                         nullptr};
};

// Collects list-view rows as "ID:name".
struct ViewCollector {
    std::vector<std::string> rows;
    PatientListViewSink sink{this,
                             [](void* c, int item, const char* t) {
                                 auto& rows = static_cast<ViewCollector*>(c)->rows;
                                 EXPECT_EQ(item, static_cast<int>(rows.size()));
                                 rows.push_back(std::string(t) + ":");
                             },
                             [](void* c, int item, int column, const char* t) {
                                 auto& rows = static_cast<ViewCollector*>(c)->rows;
                                 ASSERT_EQ(column, 1);
                                 ASSERT_EQ(item + 1, static_cast<int>(rows.size()));
                                 rows.back() += sjis::toUtf8(t);
                             }};
};

// Collects the library's messages for as long as it lives.
class MessageCollector {
  public:
    MessageCollector() {
        LRecordSetMessageHandler(
            [](void* c, const char* t) {
                static_cast<MessageCollector*>(c)->list.push_back(sjis::toUtf8(t));
            },
            this);
    }
    ~MessageCollector() { LRecordSetMessageHandler(nullptr, nullptr); }
    std::vector<std::string> list;
};

// A record with a name (UTF-8) and ID; other fields empty.
inline PatientRecord patient(int id, const std::string& name) {
    PatientRecord r{};
    r.ID = id;
    sjis::copyField(r.PATIENT, sizeof r.PATIENT, sjis::fromUtf8(name));
    return r;
}

inline void setText(char* field, std::size_t width, const std::string& utf8) {
    sjis::copyField(field, width, sjis::fromUtf8(utf8));
}
#define SET(record, name, utf8) setText((record).name, sizeof((record).name), utf8)

inline std::string utf8(const char* cp932) {
    return sjis::toUtf8(cp932);
}

class PatientFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(patientbase::createPatientDatabase(dir.path(), &error)) << error;
        ASSERT_EQ(LRecordOpen(dir.path().string().c_str(), nullptr), 0);
    }
    void TearDown() override { LRecordClose(); }

    std::filesystem::path file() const { return dir.path() / "患者ファイル.mdb"; }

    void create(int id, const std::string& name) {
        const PatientRecord r = patient(id, name);
        ASSERT_EQ(LRecordCreate(&r), 0);
    }

    // Opens the file directly, for checks of stored values and for planting odd data.
    sqlkit::Db raw() const {
        std::string error;
        auto db = sqlkit::openEncrypted(file(), "HN%tPQS", &error);
        EXPECT_TRUE(db) << error;
        return db;
    }

    // The first column of the first row of `sql`, "<null>" for NULL, "<no row>" without a row.
    std::string stored(const std::string& sql) const {
        auto db = raw();
        sqlkit::Statement s(db.get(), sql);
        EXPECT_TRUE(s.ok()) << s.error() << " in " << sql;
        return s.step() ? (s.isNull(0) ? "<null>" : std::string(s.text(0))) : "<no row>";
    }

    void run(const std::string& sql) const {
        auto db = raw();
        std::string error;
        ASSERT_TRUE(sqlkit::exec(db.get(), sql.c_str(), &error)) << error << " in " << sql;
    }

    TempDir dir;
    MessageCollector messages;
};
