// A catalogue and an import folder for the maintenance imports, with K3 files written by the
// tests themselves (Shift-JIS, CR LF unless told otherwise).
#pragma once

#include <fstream>

#include "catalogue_fixture.h"

class ImportTest : public CatalogueTest {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        RecordSetImportFolder(importFolder().c_str());
    }
    void TearDown() override {
        RecordSetImportFolder(nullptr);
        CatalogueTest::TearDown();
    }

    std::filesystem::path importFolder() const { return data.path() / "取込データ"; }

    // Writes UTF-8 lines as a Shift-JIS K3 file under the import folder.
    void writeK3(const char* relative, const std::vector<std::string>& lines,
                 const std::string& lineEnd = "\r\n") {
        const auto file = importFolder() / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        for (const std::string& line : lines) out << sjis::fromUtf8(line) << lineEnd;
    }
};

// The record-count message of an import, as the library reports it (UTF-8, CR LF kept).
inline std::string doneMessage(const std::string& head, int count) {
    return head + "\r\n\r\nレコード総数 " + std::to_string(count) + "件\r\n読み込み完了";
}
inline const std::string kGuidanceDone = "服薬指導CDテキストデータ\r\nファイル名「YJHA0507.K3」";
inline const std::string kIdentificationDone = "識別コードデータ\r\nYJSH";
inline const std::string kProcessingDone = "処理用データ\r\nファイル名「YJSU0412.K3」";
