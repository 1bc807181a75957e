// leafletadmin's store-leaflet, the page switches, print-history and print-sticker on a real
// program folder: a stored leaflet written to PDF with the register's name, the settings'
// business data, the photographs and the e-medication-handbook codes, read back from the PDF.
#include "admin_fixture.h"
#include "handbook_reading.h"
#include "master_file.h"
#include "pdf_reading.h"
#include "sample_photos.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "symbol_reading.h"

namespace {

constexpr const char* kNewer = "2171901F2S93";  // アムロジピン錠５ｍｇ「サンプル」
constexpr const char* kOlder = "2649902S1R92";  // ロキソプロフェンＮａテープ１００ｍｇ「例題」

class PrintHistory : public AdminTest {
  protected:
    void SetUp() override {
        ok({"init", folder()});
        ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
        ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
        ok({"add-patient", folder(), "7", "見本　花子"});
        write("データベース/処方医.txt", "見本内科　見本 一郎\n");
        settings::SettingsBlock s = loaded();
        s.businessType = 1;
        sjis::copyField(s.pharmacyName, sizeof s.pharmacyName, sjis::fromUtf8("サンプル薬局"));
        ASSERT_TRUE(settings::saveSettings(settings::settingsFilePath(dir.path()), s).ok());
    }
    settings::SettingsBlock loaded() const {
        settings::SettingsBlock s{};
        EXPECT_TRUE(settings::loadSettings(settings::settingsFilePath(dir.path()), s).ok());
        return s;
    }

    // Stores a leaflet of the drug `yjcode` for patient 7; its slot time text.
    std::string store(const char* yjcode, std::string_view days) {
        ok({"store-leaflet", folder(), "7",
            write("leaflet.json", "[{\"yjcode\": \"" + std::string(yjcode) +
                                      "\", \"timings\": [0, 1], \"usage\": \"１日１回  "
                                      "朝食後に服用\", \"days\": \"" +
                                      std::string(days) + "\"}]")});
        EXPECT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
        const std::string newest = slotTime(historyStamps(7).at(0));
        LRecordClose();
        return newest;
    }
    const std::string pdf = (dir.path() / "reprint.pdf").string();
    // Reprints a leaflet (the newest without `stamp`); the PDF's text.
    std::string reprint(const std::string& stamp = "") {
        ok(stamp.empty() ? std::vector<std::string>{"print-history", folder(), "7", pdf}
                         : std::vector<std::string>{"print-history", folder(), "7", pdf, stamp});
        return pdfText(pdf);
    }
    // The e-medication-handbook text of the codes on the PDF's pages.
    std::string codesText() const {
        std::vector<std::string> parts;
        for (const DecodedSymbol& s : decodeSymbols(pdfPageImages(pdf))) parts.push_back(s.bytes);
        return parts.size() == 1 ? parts[0] : joinParts(parts);
    }
};

TEST_F(PrintHistory, WritesTheNewestOrTheChosenStoredLeafletWithPhotographsAndCodes) {
    const std::string older = store(kOlder, "２８枚");
    EXPECT_TRUE(printed("stored a leaflet of 1 drug for patient 7 見本　花子")) << out.str();
    const std::string newer = store(kNewer, "１４日分");
    ASSERT_NE(older, newer) << "a leaflet stored in the same second waits for a stamp of its own";
    ok({"handbook-qr", folder(), "on"});
    EXPECT_TRUE(printed("e-medication-handbook codes on"));

    std::string text = reprint();
    EXPECT_TRUE(printed(newer)) << out.str();
    for (const char* expected : {"見本花子様のお薬の説明書です", "アムロジピン錠５ｍｇ「サン",
                                 "見本内科", "サンプル薬局", "お薬手帳QR(1/1)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    EXPECT_EQ(text.find("ロキソプロフェン"), std::string::npos) << "the older leaflet";
    EXPECT_EQ(pdfImageCount(pdf), 1);
    const ReadDispensing read = readDispensing(codesText());
    EXPECT_EQ(read.patient, "") << "no patient record without the register's sex and birth date";
    EXPECT_EQ(sjis::toUtf8(read.pharmacy), "サンプル薬局");
    EXPECT_EQ(sjis::toUtf8(read.prescriber), "見本内科　見本 一郎");
    EXPECT_EQ(read.date, newer.substr(0, 4) + newer.substr(5, 2) + newer.substr(8, 2))
        << "dispensed on the day it was stored";
    ASSERT_EQ(read.drugs.size(), 1u);
    EXPECT_EQ(read.drugs[0].code, kNewer);
    EXPECT_EQ(read.drugs[0].quantity, "14");

    ok({"handbook-qr", folder(), "off"});
    text = reprint(older);
    EXPECT_NE(text.find("ロキソプロフェンＮａテープ"), std::string::npos) << text;
    EXPECT_EQ(text.find("お薬手帳QR"), std::string::npos) << "codes switched off";
    EXPECT_EQ(codesText(), "");
    const int pictures = pdfImageCount(pdf);
    ok({"pictograms", folder(), "on"});
    EXPECT_TRUE(printed("usage pictograms on"));
    reprint(older);
    EXPECT_EQ(pdfImageCount(pdf), pictures + 3) << "朝, 食後 and the patch's 貼る";
    const double label = pdfWordHeight(pdf, "寝前");
    ok({"large-print", folder(), "on"});
    EXPECT_TRUE(printed("large print on"));
    reprint(older);
    EXPECT_GT(pdfWordHeight(pdf, "寝前"), 1.3 * label);

    // The generic-drug line needs the master's facts, read after the recall's drugs.
    const auto master = dir.path() / "master.csv";
    writeMaster(master, {{"620000001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10", kNewer,
                          "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ", "1"}});
    ok({"import-master", folder(), master.string()});
    ok({"generic-info", folder(), "on"});
    text = reprint();
    EXPECT_NE(text.find("後発医薬品"), std::string::npos) << text;
}

TEST_F(PrintHistory, RefusesWhatItCannotFindWithAMessageAndWritesNothing) {
    fails({"print-history", folder(), "7", pdf}, admin::kRefused, "patient 7 has no leaflet");
    store(kNewer, "１４日分");
    // print-history's arguments after the folder.
    const std::string stamp = "2001/01/01 00:00:00";
    const std::tuple<std::vector<std::string>, int, std::string> reprints[] = {
        {{"8", pdf}, admin::kRefused, "patient 8 is not registered"},
        {{"7", pdf, stamp}, admin::kRefused, "no leaflet stored at " + stamp},
        {{"7", pdf, "2001/1/1 0:00:00"}, admin::kUsage, "YYYY/MM/DD"},
        {{"x7", pdf}, admin::kUsage, "positive whole number"},
        {{"7"}, admin::kUsage, "usage:"},
    };
    for (auto [args, status, message] : reprints) {
        args.insert(args.begin(), {"print-history", folder()});
        fails(args, status, message);
    }
    for (const char* command : {"handbook-qr", "pictograms", "large-print", "generic-info"})
        fails({command, folder(), "yes"}, admin::kUsage, "usage:");
    // store-leaflet's patient and the text of its file, each refused.
    const std::string drug = R"([{"yjcode": "2171901F2S93")";
    const std::tuple<const char*, std::string, std::string> leaflets[] = {
        {"8", drug + "}]", "patient 8 is not registered"},
        {"7", "[{", "not JSON"},
        {"7", "[]", "a list of 1 to 30 drugs"},
        {"7", R"([{"yjcode": "0000000X0000"}])", "drug 1: 0000000X0000 is not in the catalogue"},
        {"7", drug + R"(, "timings": [0.25]}])", "whole or half units"},
        {"7", drug + R"(, "timings": [-0.5]}])", "whole or half units"},
        {"7", drug + R"(, "day)" + std::string(5000, 'y') + R"(": "7日分"}])",
         "unknown field \"day" + std::string(27, 'y') + "…\" (a drug has"},
        // Five timings up to 50.5 pass, so the days are the text refused.
        {"7",
         drug + R"(, "timings": [0, 0, 0, 0, 50.5], "days": ")" + std::string(21, '7') + "\"}]",
         "\"days\" is longer than 20 bytes"},
    };
    for (const auto& [patient, json, message] : leaflets)
        fails({"store-leaflet", folder(), patient, write("in.json", json)}, admin::kRefused,
              message);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_NE(reprint().find("１４日分"), std::string::npos) << "nothing refused was stored";
}

TEST_F(PrintHistory, ADrugGoneFromTheCatalogueIsNamedAndTheOthersArePrinted) {
    std::string stored = kNewer + std::string(137 - 12, '$') + "USER00000009";
    stored.resize(4110, '$');
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    ASSERT_EQ(LRecordRIREKI(7, stored.c_str()), 0);
    LRecordClose();
    fails({"print-history", folder(), "7", pdf}, admin::kPartial,
          "no longer in the drug database: USER00000009");
    EXPECT_NE(pdfText(pdf).find("アムロジピン錠５ｍｇ「サン"), std::string::npos);
}

TEST_F(PrintHistory, StickerWidthIsSetByNameAndTheStickerOfAStoredLeafletTakesIt) {
    // The argument, the command's status and the settings slot afterwards (62 mm is 0).
    const std::tuple<const char*, int, int> cases[] = {{"width=58", 0, 58},
                                                       {"width=62", 0, 0},
                                                       {"width=80", 0, 80},
                                                       {"width=70", 2, 80},
                                                       {"58", 2, 80}};
    for (const auto& [argument, status, stored] : cases) {
        EXPECT_EQ(run({"sticker", folder(), argument}), status) << argument << err.str();
        EXPECT_EQ(loaded().options[settings::kOptionStickerWidth], stored) << argument;
    }
    EXPECT_EQ(run({"print-sticker", folder(), "7", pdf}), 1) << "nothing stored yet";
    store(kNewer, "１４日分");
    ok({"print-sticker", folder(), "7", pdf});
    EXPECT_NE(pdfInfo(pdf).find("Pagesize:227x"), std::string::npos) << pdfInfo(pdf);
    const std::string text = pdfText(pdf);
    for (const char* expected : {"見本花子様", "アムロジピン錠５ｍｇ「サンプル」", "１４日分",
                                 "朝食後に服用", "サンプル薬局", "見本内科"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
}

}  // namespace
