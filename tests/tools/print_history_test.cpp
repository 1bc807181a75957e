// leafletadmin's handbook-qr and print-history on a real program folder: a stored leaflet
// written to PDF with the register's name, the settings' business data, the photographs and the
// e-medication-handbook codes, decoded back from the rendered PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "admin_fixture.h"
#include "drugbase.h"
#include "handbook_reading.h"
#include "leaflet/history_block.h"
#include "leaflet/history_text.h"
#include "leaflet/print_entry.h"
#include "patientbase.h"
#include "pdf_reading.h"
#include "sample_photos.h"
#include "shell/settings.h"
#include "sjis/sjis.h"
#include "stored_histories.h"
#include "symbol_reading.h"

namespace {

constexpr const char* kNewer = "2171901F2S93";  // アムロジピン錠５ｍｇ「サンプル」
constexpr const char* kOlder = "2649902S1R92";  // ロキソプロフェンＮａテープ１００ｍｇ「例題」

class PrintHistory : public AdminTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
        ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
        ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(run({"add-patient", folder(), "7", "見本　花子"}), 0) << err.str();
        std::ofstream(dir.path() / "データベース" / "処方医.txt") << "見本内科　見本 一郎\n";
        shell::SettingsBlock settings{};
        const auto file = shell::settingsFilePath(dir.path());
        ASSERT_TRUE(shell::loadSettings(file, settings).ok());
        settings.businessType = 1;
        sjis::copyField(settings.pharmacyName, sizeof settings.pharmacyName,
                        sjis::fromUtf8("サンプル薬局"));
        ASSERT_TRUE(shell::saveSettings(file, settings).ok());
    }

    // Stores a leaflet of the drug `yjcode` for patient 7 and returns its slot time text.
    std::string store(const char* yjcode, std::string_view days) {
        DrugRecord entry{};
        EXPECT_EQ(RecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
        EXPECT_EQ(RecordDetail(&entry, yjcode), 0);
        RecordClose();
        leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
        dosage.timings[leaflet::kMorning] = 1;
        leaflet::setEntryText(dosage.usageText, sjis::fromUtf8("１日１回  朝食後に服用"));
        leaflet::setEntryText(dosage.daysText, sjis::fromUtf8(days));
        leaflet::setDosage(entry, dosage);
        const DrugRecord entries[] = {entry};
        EXPECT_EQ(LRecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
        EXPECT_EQ(
            LRecordRIREKI(7, leaflet::historyText(leaflet::buildHistoryBlock(entries)).c_str()), 0);
        const std::string newest = slotTime(historyStamps(7).at(0));
        LRecordClose();
        return newest;
    }

    std::string pdf() const { return (dir.path() / "reprint.pdf").string(); }

    // The e-medication-handbook text of the codes on the PDF's pages.
    std::string codesText() const {
        std::vector<std::string> parts;
        for (const DecodedSymbol& s : decodeSymbols(pdfPageImages(pdf()))) parts.push_back(s.bytes);
        return parts.size() == 1 ? parts[0] : joinParts(parts);
    }
};

TEST_F(PrintHistory, WritesTheNewestOrTheChosenStoredLeafletWithPhotographsAndCodes) {
    const std::string older = store(kOlder, "２８枚");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // a stamp of its own
    const std::string newer = store(kNewer, "１４日分");
    ASSERT_NE(older, newer);
    ASSERT_EQ(run({"handbook-qr", folder(), "on"}), 0) << err.str();
    EXPECT_TRUE(printed("e-medication-handbook codes on"));

    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), 0) << err.str();
    EXPECT_TRUE(printed(newer)) << out.str();
    std::string text = pdfText(pdf());
    for (const char* expected : {"見本花子様のお薬の説明書です", "アムロジピン錠５ｍｇ「サン",
                                 "見本内科", "サンプル薬局", "お薬手帳QR(1/1)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    EXPECT_EQ(text.find("ロキソプロフェン"), std::string::npos) << "the older leaflet";
    EXPECT_EQ(pdfImageCount(pdf()), 1);
    ReadDispensing read = readDispensing(codesText());
    EXPECT_EQ(sjis::toUtf8(read.patient), "見本　花子");
    EXPECT_EQ(sjis::toUtf8(read.pharmacy), "サンプル薬局");
    EXPECT_EQ(sjis::toUtf8(read.prescriber), "見本内科　見本 一郎");
    const std::string day = newer.substr(0, 4) + newer.substr(5, 2) + newer.substr(8, 2);
    EXPECT_EQ(read.date, day) << "dispensed on the day it was stored";
    ASSERT_EQ(read.drugs.size(), 1u);
    EXPECT_EQ(read.drugs[0].code, kNewer);
    EXPECT_EQ(read.drugs[0].quantity, "14");

    ASSERT_EQ(run({"handbook-qr", folder(), "off"}), 0) << err.str();
    ASSERT_EQ(run({"print-history", folder(), "7", pdf(), older}), 0) << err.str();
    text = pdfText(pdf());
    EXPECT_NE(text.find("ロキソプロフェンＮａテープ"), std::string::npos) << text;
    EXPECT_EQ(text.find("お薬手帳QR"), std::string::npos) << "codes switched off";
    EXPECT_EQ(codesText(), "");
}

TEST_F(PrintHistory, RefusesWhatItCannotFindWithAMessageAndWritesNothing) {
    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), admin::kRefused);
    EXPECT_NE(err.str().find("patient 7 has no leaflet"), std::string::npos) << err.str();
    store(kNewer, "１４日分");
    const struct {
        std::vector<std::string> args;
        int exit;
        const char* message;
    } cases[] = {
        {{"print-history", folder(), "8", pdf()}, admin::kRefused, "patient 8 is not registered"},
        {{"print-history", folder(), "7", pdf(), "2001/01/01 00:00:00"},
         admin::kRefused,
         "no leaflet stored at 2001/01/01 00:00:00"},
        {{"print-history", folder(), "7", pdf(), "2001/1/1 0:00:00"}, admin::kUsage, "YYYY/MM/DD"},
        {{"print-history", folder(), "x7", pdf()}, admin::kUsage, "positive whole number"},
        {{"print-history", folder(), "7"}, admin::kUsage, "usage:"},
        {{"handbook-qr", folder(), "yes"}, admin::kUsage, "usage:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(run(c.args), c.exit);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(pdf()));
    }
}

}  // namespace
