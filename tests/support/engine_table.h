// A fresh table t (name text, data bytes, n integer) on either engine: an encrypted file in a
// temporary folder, or a fresh database on the tests' server. For the engine and data-call suites.
#pragma once

#include "library_fixture.h"

inline constexpr const char* kFile = "data.db";
inline constexpr const char* kPassword = "pass word'1";

class EngineTest : public EngineFixture {
  protected:
    void SetUp() override {
        const auto createFile = [](const std::filesystem::path& folder, std::string* error) {
            return sqlkit::createEncrypted(folder / kFile, kPassword,
                                           "CREATE TABLE t (name TEXT, data BLOB, n INTEGER)",
                                           error) != nullptr;
        };
        const auto createTables = [](sqlkit::Connection& c, std::string* error) {
            const sqlkit::Dialect& d = c.dialect();
            const bool made =
                c.exec("CREATE TABLE t (" + std::string(d.rowKeyDeclaration) + ", name " +
                       std::string(d.textType) + ", data " + std::string(d.blobType) + ", n " +
                       std::string(d.integerType) + ")");
            if (!made) *error = c.lastError();
            return made;
        };
        makeData(data, createFile, createTables);
        if (IsSkipped() || HasFatalFailure()) return;
        db = data.connect();
        ASSERT_TRUE(db);
    }

    // The first column of the first row of `sql`: "<null>" for NULL, "<no row>" without a row.
    std::string first(const std::string& sql) const { return firstText(*db, sql); }

    bool insert(sqlkit::Connection& c, long long n) {
        sqlkit::Statement s = c.prepare("INSERT INTO t (n) VALUES (?)");
        s.bindInt(1, n);
        s.step();
        return !s.failed();
    }

    EngineFolder data{kFile, kPassword};
    sqlkit::ConnectionPtr db;
};
