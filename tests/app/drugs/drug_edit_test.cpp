// What the drug dialog's OK decides, on a real catalogue: the refusals of a new and of a
// corrected drug, in the order the fields are checked, and what is stored when none applies.
#include "drugs/drug_edit.h"
#include "catalogue_fixture.h"
#include "data/drug_catalogue.h"

namespace {

constexpr const char* kYjcodeMissingOnRegister =
    "YJコードを入力して下さい。\r\n（YJコードはデータベース上で薬剤を識別するのに必要となります。"
    "ユーザー任意の12桁以内の英数字データを入力して下さい。）";
constexpr const char* kYjcodeTaken =
    "そのＹＪコードは他の薬剤で既に使用されています。ＹＪコードを変更して下さい。";
constexpr const char* kYjcodeForm = "ＹＪコードは半角の英字と数字１２文字で入力して下さい。";
constexpr const char* kCodeTaken =
    "入力されたＮコードは他の薬剤で既に使用されています。Ｎコードを変更して下さい。";

enum class Fault { None, StoreFails, FileGone };

struct Case {
    const char* name;
    bool registering;  // otherwise a correction of Y2 (N code "aml")
    const char *productName, *yjcode, *code;
    const char* refusal;  // nullptr: stored
    const char* title;
    Fault fault = Fault::None;
};

const Case kCases[] = {
    {"new: nothing typed", true, "", "", "", "薬剤名を入力して下さい。", "必須項目"},
    {"new: no YJ code", true, "新薬", "", "", kYjcodeMissingOnRegister, "必須項目"},
    {"new: a missing N code before a taken YJ code", true, "新薬", "2171901F2S93", "",
     "Ｎコードを入力して下さい。", "必須項目"},
    {"new: the YJ code before the N code", true, "新薬", "2171901F2S93", "lox", kYjcodeTaken,
     "警告"},
    {"new: a YJ code apart only in case and width", true, "新薬", "２171901f2s93", "lox",
     kYjcodeTaken, "警告"},
    {"new: a YJ code short of 12", true, "新薬", "USER0001", "new", kYjcodeForm, "警告"},
    {"new: N code taken", true, "新薬", "USER00000001", "lox", kCodeTaken, "警告"},
    {"new: free codes", true, "新薬", "USER00000001", "new", nullptr, nullptr},
    {"new: the store fails", true, "FAIL", "USER00000002", "new2", "データベースに異常があります。",
     "エラー", Fault::StoreFails},
    {"correct: name emptied", false, "", "Y2", "aml", "薬剤名を入力して下さい。", "必須項目"},
    {"correct: YJ code emptied", false, "訂正", "", "aml", "YJコードを入力して下さい。",
     "必須項目"},
    {"correct: N code emptied", false, "訂正", "Y2", "", "Ｎコードを入力して下さい。", "必須項目"},
    {"correct: another drug's N code", false, "訂正", "Y2", "lox", kCodeTaken, "警告"},
    {"correct: another drug's YJ code", false, "訂正", "2171901F2S93", "aml", kYjcodeTaken, "警告"},
    {"correct: the N code before the YJ code", false, "訂正", "2171901F2S93", "lox", kCodeTaken,
     "警告"},
    {"correct: its own codes", false, "訂正", "Y2", "aml", nullptr, nullptr},
    {"correct: the store fails", false, "FAIL", "Y2", "aml", "データベースに異常があります。",
     "エラー", Fault::StoreFails},
    {"correct: a new YJ code with a sign", false, "訂正", "USER-0000009", "aml", kYjcodeForm,
     "警告"},
    {"correct: a new YJ code", false, "訂正", "USER00000009", "aml", nullptr, nullptr},
    {"correct: the catalogue is gone", false, "訂正", "Y2", "aml", "データベースに異常があります。",
     "エラー", Fault::FileGone},
};

class DrugEdit : public CatalogueTest {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        supply({drug("2171901F2S93", "ロキソニン錠", {{"CODE", "lox"}}),
                drug("Y2", "アムロジピン錠", {{"CODE", "aml"}})});
    }

    // Every row of the catalogue in name order, as one text.
    std::string listed() const {
        std::vector<data::DrugRow> rows;
        EXPECT_EQ(catalogue.list(data::DrugOrder::ByName, rows), data::DataResult::kDone);
        std::string all;
        for (const auto& r : rows) all += r.yjcode + "/" + r.code + "/" + r.name + ";";
        return all;
    }

    data::DrugCatalogue catalogue;
};

TEST(TypedYjcode, IsMadeHalfWidthUpperCaseAndTwelveLettersOrDigits) {
    // Each typed code and the code made of it; "" where the form refuses it.
    const std::pair<const char*, const char*> cases[] = {
        {"2171901F2S93", "2171901F2S93"},
        {"2171901f2s93", "2171901F2S93"},
        {"２１７１９０１Ｆ２Ｓ９３", "2171901F2S93"},
        {"user00000001", "USER00000001"},
        {"2171901F2S9", ""},
        {"2171901F2S931", ""},
        {"2171901F2S9-", ""},
        {"2171901F2S9あ", ""}};
    for (const auto& [typed, made] : cases) {
        SCOPED_TRACE(typed);
        const std::string code = drugs::typedYjcode(sjis::fromUtf8(typed));
        EXPECT_EQ(drugs::yjcodeFormFits(code) ? sjis::toUtf8(code) : "", made);
    }
}

// The rows run in turn on one catalogue: a stored row changes what the later rows find.
TEST_F(DrugEdit, RefusesInFieldOrderAndStoresOtherwise) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        DrugRecord record{};
        sjis::copyField(record.PRODUCTNAME, sizeof record.PRODUCTNAME,
                        sjis::fromUtf8(c.productName));
        sjis::copyField(record.YJCODE, sizeof record.YJCODE, sjis::fromUtf8(c.yjcode));
        sjis::copyField(record.CODE, sizeof record.CODE, c.code);
        if (c.fault == Fault::StoreFails) {
            ASSERT_TRUE(raw()->exec(data.refusal("Medicine_Information",
                                                 c.registering ? "INSERT" : "UPDATE",
                                                 "NEW.PRODUCTNAME = 'FAIL'")));
        }
        if (c.fault == Fault::FileGone) std::filesystem::remove(file());
        const std::string before = c.fault == Fault::FileGone ? "" : listed();

        const auto refusal = c.registering ? drugs::storeRegistration(catalogue, record)
                                           : drugs::storeCorrection(catalogue, record, "Y2");
        if (c.refusal) {
            ASSERT_TRUE(refusal.has_value());
            EXPECT_STREQ(refusal->text, c.refusal);
            EXPECT_STREQ(refusal->title, c.title);
            EXPECT_EQ(c.fault == Fault::FileGone ? "" : listed(), before) << "nothing stored";
            continue;
        }
        ASSERT_FALSE(refusal.has_value()) << refusal->text;
        DrugRecord stored{};
        ASSERT_EQ(catalogue.detail(c.yjcode, stored), data::DataResult::kDone);
        EXPECT_EQ(drugs::nameOf(stored), sjis::fromUtf8(c.productName));
        EXPECT_EQ(stored.ORIDGINAL, c.registering ? 1 : 0);
        if (!c.registering && std::string(c.yjcode) != "Y2") {
            EXPECT_EQ(catalogue.detail("Y2", stored), data::DataResult::kNotFound);
        }
    }
}

}  // namespace
