// A fresh patient file in a temporary data folder, opened through the library, with the
// library's messages and list output collected as UTF-8 for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "library_fixture.h"
#include "patient_admin.h"
#include "patientbase.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"

using Lines = Strings;

struct Register {
    static constexpr const char* kFile = "患者ファイル.mdb";
    static constexpr const char* kPassword = "HN%tPQS";
    static bool createFile(const std::filesystem::path& f, std::string* e) {
        return patientbase::createPatientDatabase(f, e);
    }
    static bool createTables(sqlkit::Connection& db, std::string* e) {
        return patientbase::createPatientTables(db, e);
    }
    static int open(const char* folder, void* owner) { return LRecordOpen(folder, owner); }
    static void close() { LRecordClose(); }
    static void setHandler(PatientMessageHandler h, void* c) { LRecordSetMessageHandler(h, c); }
};
using ListCollector = CollectedList<PatientListSink>;
using ViewCollector = CollectedView<PatientListViewSink>;
using MessageCollector = CollectedMessages<LRecordSetMessageHandler>;

// A record with an ID and a name (UTF-8); other fields empty.
inline PatientRecord patient(int id, const std::string& name) {
    PatientRecord r{};
    r.ID = id;
    SET(r, PATIENT, name);
    return r;
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
class PatientFileTest : public LibraryTest<Register> {
  protected:
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
};

// The register fixture on both engines.
using RegisterTest = OnEachEngine<PatientFileTest>;
