// The drug catalogue face: lists collected row by row, results told apart (found, not found,
// failed), the user's own drugs, and photographs drawn into images.
#include <filesystem>

#include "data_folder_fixture.h"
#include "sample_photos.h"

namespace {

using data::DataResult;
using data::DrugCatalogue;

DrugRecord ownDrug(const char* yjcode, const char* code, const char* name) {
    DrugRecord r{};
    sjis::copyField(r.YJCODE, sizeof r.YJCODE, yjcode);
    sjis::copyField(r.CODE, sizeof r.CODE, code);
    sjis::copyField(r.PRODUCTNAME, sizeof r.PRODUCTNAME, cp932(name));
    return r;
}

using DrugCatalogueTest = DataFolderTest;

TEST_F(DrugCatalogueTest, ListsEveryDrugWithItsOwnCodeAndNameInEitherOrder) {
    std::vector<data::DrugRow> rows = {{"stale", "stale", "stale"}};
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByName, rows), DataResult::kDone);
    ASSERT_EQ(rows.size(), 41u);
    // Each row's three texts belong to one drug.
    for (const data::DrugRow& row : rows) {
        DrugRecord r{};
        ASSERT_EQ(catalogue.detail(row.yjcode, r), DataResult::kDone) << row.yjcode;
        EXPECT_EQ(row.name, r.PRODUCTNAME);
        EXPECT_EQ(row.code, r.CODE);
    }
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByCode, rows), DataResult::kDone);
    EXPECT_EQ(rows.size(), 41u) << "the list is replaced, not extended";
    EXPECT_EQ(rows.front().code, "ACVO");

    // The drug list's packed rows hold the same texts, each one zero-terminated.
    data::DrugRows packed;
    packed.add(data::DrugRows::kName, "stale");
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByCode, packed), DataResult::kDone);
    ASSERT_EQ(packed.count(), 41);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_STREQ(packed[i].code.c_str(), rows[i].code.c_str());
        EXPECT_STREQ(packed[i].name.c_str(), rows[i].name.c_str());
        EXPECT_STREQ(packed[i].yjcode.c_str(), rows[i].yjcode.c_str());
    }
}

TEST(DrugRows, ColumnsArriveInAnyOrderAndEditsKeepEveryTextWhole) {
    data::DrugRows rows;
    rows.add(data::DrugRows::kYjcode, "Y1");
    rows.add(data::DrugRows::kCode, "C1");
    rows.add(data::DrugRows::kCode, "C2");
    ASSERT_EQ(rows.count(), 2);
    EXPECT_STREQ(rows[0].yjcode.c_str(), "Y1");
    EXPECT_STREQ(rows[1].code.c_str(), "C2");
    EXPECT_STREQ(rows[1].name.c_str(), "") << "a text not delivered is empty";

    rows.insert(1, {"C9", "name9", "Y9"});
    rows.replace(0, {"LONGER-CODE", "", "Y1"});
    rows.erase(2);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_STREQ(rows[0].code.c_str(), "LONGER-CODE");
    EXPECT_STREQ(rows[0].name.c_str(), "");
    EXPECT_EQ(rows[1].name, "name9");
    EXPECT_STREQ(rows[1].yjcode.c_str(), "Y9");
}

// What a search matches is the library's; here the names and codes arrive as found.
TEST_F(DrugCatalogueTest, SearchesCollectListNamesWithTheirCodes) {
    std::vector<data::DrugMatch> found;
    data::DrugSearch search;
    search.productName = cp932("ファモチジン");
    ASSERT_EQ(catalogue.search(search, found), DataResult::kDone);
    ASSERT_FALSE(found.empty());
    DrugRecord r{};
    ASSERT_EQ(catalogue.detail(found.back().yjcode, r), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(found.back().listName).rfind("ファモチジン", 0), 0u);
    ASSERT_EQ(catalogue.sameKind("2171901F2M97", found), DataResult::kDone);
    EXPECT_EQ(std::count_if(found.begin(), found.end(),
                            [](const auto& m) { return m.yjcode == "2171901F2M97"; }),
              1);
    search.productName = cp932("存在しない");
    EXPECT_EQ(catalogue.search(search, found), DataResult::kDone);
    EXPECT_TRUE(found.empty()) << "no match is an empty list, not a failure";
}

TEST_F(DrugCatalogueTest, OwnDrugsAreAddedPlacedCheckedChangedAndDeleted) {
    EXPECT_EQ(catalogue.yjcodeInUse("USER00000001"), data::Presence::kAbsent);
    ASSERT_EQ(catalogue.add(ownDrug("USER00000001", "LOX60T2", "アアア自家製")), DataResult::kDone);
    EXPECT_EQ(catalogue.yjcodeInUse("USER00000001"), data::Presence::kPresent);
    EXPECT_EQ(std::pair(catalogue.codeInUse("LOX60T2"), catalogue.codeInUse("JIKA2")),
              std::pair(data::Presence::kPresent, data::Presence::kAbsent));
    // The drug's own N code is not taken for it; another drug's is.
    EXPECT_EQ(catalogue.codeInUseByOther("LOX60T2", "USER00000001"), data::Presence::kAbsent);
    EXPECT_EQ(catalogue.codeInUseByOther("LOX60T", "USER00000001"), data::Presence::kPresent);
    std::vector<data::DrugRow> rows;
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByCode, rows), DataResult::kDone);
    int row = -1;
    ASSERT_EQ(catalogue.position("USER00000001", data::DrugOrder::ByCode, row), DataResult::kDone);
    EXPECT_EQ(rows[std::size_t(row)].yjcode, "USER00000001");
    row = 17;
    ASSERT_EQ(catalogue.position("NOSUCHCODE", data::DrugOrder::ByName, row), DataResult::kDone);
    EXPECT_EQ(row, 17) << "an unknown drug leaves the row as it was";

    EXPECT_EQ(catalogue.deletable("2171901F3S91"), data::Deletion::kSupplied);
    EXPECT_EQ(catalogue.deletable("USER00000001"), data::Deletion::kAllowed);
    DrugRecord renamed = ownDrug("USER00000001", "LOX60T2", "自家製クリーム");
    ASSERT_EQ(catalogue.change(renamed, "USER00000001", data::DrugChange::kAllFields),
              DataResult::kDone);
    DrugRecord read{};
    ASSERT_EQ(catalogue.detail("USER00000001", read), DataResult::kDone);
    EXPECT_EQ(sjis::toUtf8(read.PRODUCTNAME), "自家製クリーム");
    ASSERT_EQ(catalogue.remove("USER00000001"), DataResult::kDone);
    read.ORIDGINAL = 7;
    EXPECT_EQ(catalogue.detail("USER00000001", read), DataResult::kNotFound);
    EXPECT_EQ(read.ORIDGINAL, 7) << "not found leaves the record as it was";
    EXPECT_TRUE(messages.empty());
}

TEST_F(DrugCatalogueTest, AFailureIsNeverTakenForAnAnswer) {
    std::vector<data::DrugRow> rows;
    ASSERT_EQ(catalogue.list(data::DrugOrder::ByName, rows), DataResult::kDone);
    std::filesystem::remove(databaseFolder() / "薬剤ファイル.mdb");
    DrugRecord record{};
    EXPECT_EQ(catalogue.list(data::DrugOrder::ByName, rows), DataResult::kFailed);
    EXPECT_EQ(catalogue.detail("2171901F3S91", record), DataResult::kFailed);
    EXPECT_EQ(catalogue.deletable("2171901F3S91"), data::Deletion::kFailed);
    EXPECT_EQ(catalogue.yjcodeInUse("2171901F3S91"), data::Presence::kFailed);
    EXPECT_EQ(catalogue.remove("2171901F3S91"), DataResult::kFailed);
    std::vector<data::DrugMatch> found;
    EXPECT_EQ(catalogue.sameKind("2171901F3S91", found), DataResult::kFailed);
    // Each failure was reported through the route.
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages.front(), "Error:DATABASE.Open");
}

TEST_F(DrugCatalogueTest, PhotographsCandidatesAndJpegFilesAreDrawnIntoTheImage) {
    catalogue.close();
    std::ostringstream out, err;
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    open();
    const QRgb white = QColor(Qt::white).rgb();
    const auto blank = [white] {
        QImage image(140, 105, QImage::Format_RGB32);
        image.fill(white);
        return image;
    };
    QImage photo = blank();
    ASSERT_TRUE(catalogue.drawPhoto("1149902F1T94", dir.path(), photo));
    EXPECT_NE(photo.pixel(70, 52), white);
    QImage other(140, 105, QImage::Format_ARGB32);  // not the library's pixel layout
    EXPECT_FALSE(catalogue.drawPhoto("1149902F1T94", dir.path(), other));
    ASSERT_EQ(catalogue.add(ownDrug("USER00000002", "JIKA2", "写真なし")), DataResult::kDone);
    EXPECT_FALSE(catalogue.drawPhoto("USER00000002", dir.path(), photo));

    std::array<QImage, 7> images;
    for (QImage& image : images) image = blank();
    std::array<bool, 7> drawn{};
    drawn[6] = true;  // left as it is: flags are only ever set
    catalogue.drawAllPhotos("1149902F1T94", dir.path(), images, drawn);
    EXPECT_TRUE(drawn[6]);
    EXPECT_TRUE(drawn[0]) << "the sample drug has a supplied photograph";
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(drawn[i], images[i].pixel(70, 52) != white) << i;

    QImage file = blank();
    EXPECT_TRUE(catalogue.drawPhotoFile(dir.path() / "薬剤写真/PHOTO1/1149902F1T94.jpg", file));
    EXPECT_EQ(file.pixel(70, 52), images[0].pixel(70, 52));
    EXPECT_FALSE(catalogue.drawPhotoFile(dir.path() / "missing.jpg", file));
}

}  // namespace
