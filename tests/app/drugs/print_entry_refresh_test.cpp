// A corrected drug's texts reach its print-list entries without disturbing what the entries
// hold of their own: dosage settings, photographs and the other drugs.
#include <gtest/gtest.h>

#include "drugs/drug_edit.h"
#include "entry_builder.h"
#include "leaflet/print_entry.h"

namespace {

TEST(PrintEntryRefresh, OnlyTheDrugsEntriesTakeTheNewTextsAndKeepTheirDosageAndPhoto) {
    leaflet::PrintList list;
    QImage red(140, 105, QImage::Format_RGB32);
    red.fill(Qt::red);
    const DrugRecord amlodipine =
        EntryBuilder().yjcode("2171901F3S91").efficacy("旧い効能").usage("朝食後").build();
    ASSERT_TRUE(list.append(amlodipine, &red));
    ASSERT_TRUE(list.append(EntryBuilder().yjcode("OTHER").efficacy("他の薬").build(), nullptr));
    ASSERT_TRUE(list.append(amlodipine, nullptr));

    DrugRecord corrected = EntryBuilder().yjcode("2171901F3S91").efficacy("新しい効能").build();
    sjis::copyField(corrected.CYUUI_TOROKU, sizeof corrected.CYUUI_TOROKU, "own caution");
    corrected.CYUUI_HYOUJI = 1;
    EXPECT_EQ(drugs::refreshPrintEntries(list, corrected), 2);

    for (int i : {0, 2}) {
        const DrugRecord& entry = list.entry(i);
        EXPECT_EQ(sjis::toUtf8(std::string(leaflet::efficacyText(entry))), "新しい効能");
        EXPECT_EQ(leaflet::cautionText(entry), "own caution");
        EXPECT_EQ(sjis::toUtf8(std::string(leaflet::usageText(entry))), "朝食後");
    }
    EXPECT_EQ(list.entry(0).photoFlag, 1);
    EXPECT_EQ(list.photo(0).pixel(70, 52), QColor(Qt::red).rgb()) << "the photo survives";
    EXPECT_EQ(list.entry(2).photoFlag, 0);
    EXPECT_EQ(sjis::toUtf8(std::string(leaflet::efficacyText(list.entry(1)))), "他の薬");
}

}  // namespace
