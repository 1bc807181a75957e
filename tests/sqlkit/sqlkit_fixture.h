// A fresh encrypted file with one table in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "sqlkit/sqlkit.h"
#include "temp_dir.h"

inline constexpr const char* kPassword = "pass word'1";

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sqlkit::createEncrypted(
            file(), kPassword, "CREATE TABLE t (name TEXT, data BLOB, n INTEGER)", &error))
            << error;
    }

    std::filesystem::path file() const { return dir.path() / "data.db"; }

    sqlkit::ConnectionPtr open() const {
        std::string error;
        auto c = sqlkit::openEncrypted(file(), kPassword, &error);
        EXPECT_TRUE(c) << error;
        return c;
    }

    // The first column of the first row of `sql`: "<null>" for NULL, "<no row>" without a row.
    std::string first(const std::string& sql) const {
        auto c = open();
        sqlkit::Statement s = c->prepare(sql);
        EXPECT_TRUE(s.ok()) << s.error();
        return s.step() ? (s.isNull(0) ? "<null>" : std::string(s.text(0))) : "<no row>";
    }

    TempDir dir;
};
