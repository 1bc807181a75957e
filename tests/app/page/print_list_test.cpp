// The print list: its 30-entry limit, the photographs that travel with the entries, the texts
// an entry accepts, and filling it from a history block (thirty entries come back in the
// leaflet road tests).
#include "page/print_list.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cstring>
#include <vector>

#include "entry_builder.h"

namespace {

using leaflet::PrintList;

DrugRecord drug(const std::string& yjcode) {
    return EntryBuilder().yjcode(yjcode).build();
}

bool isZero(const DrugRecord& r) {
    static const DrugRecord zero{};
    return std::memcmp(&r, &zero, sizeof r) == 0;
}

TEST(PrintList, ThirtyEntriesAtMostAndPhotographsTravelWithThem) {
    // A photograph comes from the larger panel surface; its top-left 140 x 105 is taken.
    QImage panel(400, 400, QImage::Format_RGB32);
    panel.fill(Qt::blue);
    QPainter(&panel).fillRect(0, 0, 140, 105, Qt::red);
    PrintList list;
    list.append(drug("A"), nullptr);
    for (int i = 1; i < 30; ++i) ASSERT_TRUE(list.append(drug(std::to_string(i)), &panel));
    EXPECT_FALSE(list.append(drug("extra"), nullptr));
    EXPECT_EQ(list.count(), 30);

    list.remove(0);
    ASSERT_EQ(list.count(), 29);
    EXPECT_STREQ(list.entry(0).YJCODE, "1");
    EXPECT_EQ(list.entry(0).photoFlag, 1);
    EXPECT_EQ(list.photo(0).pixelColor(139, 104), QColor(Qt::red));
    EXPECT_TRUE(isZero(list.entry(29)));
    EXPECT_EQ(list.photo(29).pixelColor(70, 50), QColor(Qt::white));
}

TEST(PrintList, EntryTextsHoldNoDollarAndAreCutAtCharacterBoundaries) {
    DrugRecord entry = drug("A");
    std::memcpy(entry.callerArea + offsetof(leaflet::DosageSettings, daysText), "$7", 3);
    PrintList list;
    list.append(entry, nullptr);
    EXPECT_EQ(leaflet::daysText(list.entry(0)), cp932("＄7")) << "even when written directly";

    char field[21];
    leaflet::setEntryText(field, cp932("用量　１回１２カプセル"));
    EXPECT_EQ(leaflet::field(field), cp932("用量　１回１２カプセ"));
    leaflet::setEntryText(field, std::string(19, 'a') + "$");
    EXPECT_EQ(leaflet::field(field), std::string(19, 'a')) << "no half of a grown ＄";
}

// What a prescription said of an entry travels with it and is dropped when its dosage changes.
TEST(PrintList, PrescribedAmountsStayWithTheirEntries) {
    const auto prescribed = [](const char* amount) {
        return leaflet::Prescribed{amount, cp932("錠"), ehandbook::FormCode::kInternal};
    };
    const auto amountAt = [](const PrintList& list, int i) {
        return list.prescribed()[i] ? list.prescribed()[i]->amount : std::string("none");
    };
    PrintList list;
    list.append(drug("A"), nullptr, prescribed("1"));
    list.append(drug("B"), nullptr);
    list.append(drug("C"), nullptr, prescribed("3"));
    list.remove(0);
    EXPECT_EQ(amountAt(list, 0), "none");
    EXPECT_EQ(amountAt(list, 1), "3");

    DrugRecord corrected = list.entry(1);
    std::strcpy(corrected.SAYOA, "x");
    list.replace(1, corrected, nullptr);
    EXPECT_EQ(amountAt(list, 1), "3") << "the same drug and dosage";
    list.replace(1, EntryBuilder().yjcode("C").days("７日分").build(), nullptr);
    EXPECT_EQ(amountAt(list, 1), "none") << "the dosage changed by hand";
    EXPECT_FALSE(list.replace(2, drug("D"), nullptr)) << "past the last entry";
}

// Recalls drugs whose code does not start with "X"; codes starting with "P" have a photograph.
int fetches = 0;
bool recall(const char* yjcode, DrugRecord& record, QImage& photo) {
    ++fetches;
    record = EntryBuilder().yjcode(yjcode).name(std::string("薬") + yjcode).build();
    if (yjcode[0] == 'P') {
        photo.fill(Qt::red);
        record.photoFlag = 1;
    }
    return yjcode[0] != 'X';
}

TEST(PrintListRecall, EntriesComeBackWithoutGapsAndAFailedLookupEmptiesTheList) {
    leaflet::HistoryBlock block{};
    std::strcpy(block[0].yjcode, "A");
    std::strcpy(block[2].yjcode, "P3");
    block[2].timings[leaflet::kEvening] = 101;
    PrintList list;
    list.append(drug("old"), nullptr);
    ASSERT_TRUE(list.fillFromHistory(block, recall));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(leaflet::field(list.entry(1).PRODUCTNAME), cp932("薬P3"));
    EXPECT_EQ(leaflet::dosageOf(list.entry(1)).timings[leaflet::kEvening], 101);
    EXPECT_EQ(list.entry(0).photoFlag, 0);
    EXPECT_EQ(list.photo(1).pixelColor(10, 10), QColor(Qt::red));

    std::strcpy(block[1].yjcode, "X");
    fetches = 0;
    EXPECT_FALSE(list.fillFromHistory(block, recall));
    EXPECT_TRUE(list.empty() && isZero(list.entry(0)));
    EXPECT_EQ(fetches, 2) << "the recall stops at the failing drug";
}

}  // namespace
