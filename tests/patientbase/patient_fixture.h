// A fresh patient file in a temporary data folder, opened through the library, with the
// library's messages and list output collected as UTF-8 for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine_folder.h"
#include "patient_admin.h"
#include "patientbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"

using Lines = std::vector<std::string>;

// Collects what a list-box sink receives.
struct ListCollector {
    Lines items;
    PatientListSink sink{this,
                         [](void* c, const char* t) {
                             static_cast<ListCollector*>(c)->items.push_back(sjis::toUtf8(t));
                         },
                         nullptr};
};

// Collects list-view rows as "ID:name".
struct ViewCollector {
    Lines rows;
    PatientListViewSink sink{
        this,
        [](void* c, int, const char* t) {
            static_cast<ViewCollector*>(c)->rows.push_back(std::string(t) + ":");
        },
        [](void* c, int item, int, const char* t) {
            static_cast<ViewCollector*>(c)->rows.at(item) += sjis::toUtf8(t);
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
    Lines list;
};

inline void setText(char* field, std::size_t width, const std::string& utf8) {
    sjis::copyField(field, width, sjis::fromUtf8(utf8));
}
#define SET(record, name, utf8) setText((record).name, sizeof((record).name), utf8)

// A record with an ID and a name (UTF-8); other fields empty.
inline PatientRecord patient(int id, const std::string& name) {
    PatientRecord r{};
    r.ID = id;
    SET(r, PATIENT, name);
    return r;
}

inline std::string utf8(const char* cp932) {
    return sjis::toUtf8(cp932);
}

inline constexpr std::size_t kBlock = 4110;

// A history text as the program stores it: one record with this YJ code, timing amounts and a
// usage text, the other records empty, every zero byte written as "$".
inline std::string historyBlock(const std::string& yjcode) {
    std::string block(kBlock, '\0');
    const std::string usage = sjis::fromUtf8("1日3回 毎食後");
    block.replace(0, yjcode.size(), yjcode);
    block[26] = 1;
    block[30] = 3;
    block.replace(76, usage.size(), usage);
    for (char& c : block)
        if (c == '\0') c = '$';
    return block;
}

// A fresh register opened through the library; on the files unless a suite runs on both
// engines (OnEachEngine<PatientFileTest>).
class PatientFileTest : public ::testing::Test {
  protected:
    virtual Engine engine() const { return Engine::Files; }
    // The server of the server half.
    virtual PgServer& server() const { return testServer(); }

    void SetUp() override {
        if (engine() == Engine::Server && !server().problem().empty())
            GTEST_SKIP() << server().problem();
        std::string error;
        ASSERT_TRUE(data.make(engine(), server(), patientbase::createPatientDatabase,
                              patientbase::createPatientTables, &error))
            << error;
        ASSERT_EQ(LRecordOpen(data.path().string().c_str(), nullptr), 0);
    }
    void TearDown() override {
        LRecordClose();
        // On the server every call went there, never to a file beside the server file.
        if (data.onServer()) {
            EXPECT_FALSE(std::filesystem::exists(file()));
        }
    }

    std::filesystem::path file() const { return data.file(); }

    void create(int id, const std::string& name) {
        const PatientRecord r = patient(id, name);
        ASSERT_EQ(LRecordCreate(&r), 0);
    }

    // The first column of the first row of `sql` on the data itself, as bytes: "<null>" for
    // NULL, "<no row>" without a row.
    std::string stored(const std::string& sql) const {
        auto db = data.connect();
        sqlkit::Statement s = db->prepare(sql);
        EXPECT_TRUE(s.ok()) << s.error() << " in " << sql;
        return s.step() ? (s.isNull(0) ? "<null>" : std::string(s.blob(0))) : "<no row>";
    }

    // Runs `sql` on the data itself, as another tool could, with `blobs` bound to its
    // parameters.
    void run(const std::string& sql, const std::vector<std::string>& blobs = {}) const {
        auto db = data.connect();
        if (blobs.empty()) {
            EXPECT_TRUE(db->exec(sql)) << db->lastError() << " in " << sql;
            return;
        }
        sqlkit::Statement s = db->prepare(sql);
        for (std::size_t i = 0; i < blobs.size(); ++i)
            s.bindBlob(static_cast<int>(i + 1), blobs[i]);
        s.step();
        EXPECT_FALSE(s.failed()) << s.error() << " in " << sql;
    }

    EngineFolder data{"患者ファイル.mdb", "HN%tPQS"};
    MessageCollector messages;
};

// The register fixture on both engines.
using RegisterTest = OnEachEngine<PatientFileTest>;
