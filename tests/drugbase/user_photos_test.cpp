// User photographs kept in the catalogue: drawn on every terminal, also once the chosen file is
// gone, and removed with the choice or the drug.
#include "photo_fixture.h"

namespace {

using testjpeg::encode;

class UserPhotos : public OnEachEngine<PhotoTest> {
  protected:
    // Chooses `file` as the user photograph of the drug `yjcode` (RecordEdit mode 2).
    int choose(const std::string& yjcode, const std::filesystem::path& file) {
        DrugRecord r{};
        EXPECT_EQ(RecordDetail(&r, yjcode.c_str()), 0);
        r.PHOTO_HYOUJI = 7;
        sjis::copyField(r.PHOTO_TOROKU, sizeof r.PHOTO_TOROKU, sjis::fromUtf8(file.string()));
        return RecordEdit(&r, yjcode.c_str(), 2);
    }
    bool drawsFourColours(const std::string& yjcode) {
        Surface s(140, 105);
        return picture(yjcode, s) == 1 && showsFourColours(s);
    }
    std::string keptCount() const { return storedText("SELECT count(*) FROM User_Photo"); }
};

TEST_P(UserPhotos, AChosenPictureIsKeptUntilItIsClearedOrTheDrugDeleted) {
    // A server's tables come with its set-up and upgrade; a file may be older than the table.
    if (!data.onServer()) {
        ASSERT_TRUE(raw()->exec("DROP TABLE User_Photo"));
    }
    const std::string jpeg = encode(fourColours());
    const auto chosen = photo("選んだ写真.jpg", jpeg);
    drugWithPhotos("KEEP", "", 7, chosen.string());
    EXPECT_TRUE(drawsFourColours("KEEP")) << "drawn from the file while none is kept";
    ASSERT_EQ(choose("KEEP", chosen), 0);
    std::filesystem::remove(chosen);
    EXPECT_TRUE(drawsFourColours("KEEP")) << "drawn from the catalogue, the file is gone";

    // A renamed drug keeps its picture.
    DrugRecord r{};
    ASSERT_EQ(RecordDetail(&r, "KEEP"), 0);
    sjis::copyField(r.YJCODE, sizeof r.YJCODE, "KEPT");
    ASSERT_EQ(RecordEdit(&r, "KEEP", 0), 0);
    EXPECT_TRUE(drawsFourColours("KEPT"));

    // A file over the cap is refused and the kept picture stays.
    const auto big = photo("大きい.jpg", jpeg);
    std::filesystem::resize_file(big, DRUGBASE_USER_PHOTO_MAX_BYTES + 1);
    EXPECT_EQ(choose("KEPT", big), 99);
    EXPECT_EQ(messages,
              Strings{"写真のファイルが大きすぎます。8MB以下のJPEGファイルを選んで下さい。"});
    EXPECT_EQ(stored("PHOTO_TOROKU", "KEPT"), chosen.string());
    EXPECT_EQ(keptCount(), "1");

    ASSERT_EQ(choose("KEPT", ""), 0);
    EXPECT_EQ(keptCount(), "0") << "cleared with the choice";

    // A drug the user registers with a photograph keeps it until the drug is deleted.
    sjis::copyField(r.YJCODE, sizeof r.YJCODE, "MINE");
    sjis::copyField(r.PHOTO_TOROKU, sizeof r.PHOTO_TOROKU, photo("mine.jpg", jpeg).string());
    ASSERT_EQ(RecordCreate(&r), 0);
    EXPECT_EQ(keptCount(), "1");
    ASSERT_EQ(RecordDell("MINE"), 0);
    EXPECT_EQ(keptCount(), "0");
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(UserPhotos);
