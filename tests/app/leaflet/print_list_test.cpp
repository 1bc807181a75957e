// The print list: its 30-entry limit, the photographs that travel with the entries, the texts
// an entry accepts, and filling it from a stored history block.
#include "leaflet/print_list.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <map>
#include <vector>

#include "entry_builder.h"

namespace {

using leaflet::PrintList;

QImage solid(QColor colour, int w = leaflet::kPhotoWidth, int h = leaflet::kPhotoHeight) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

DrugRecord named(const std::string& yjcode) {
    return EntryBuilder().yjcode(yjcode).name("薬" + yjcode).build();
}

bool isZero(const DrugRecord& r) {
    static const DrugRecord zero{};
    return std::memcmp(&r, &zero, sizeof r) == 0;
}

TEST(PrintList, HoldsThirtyEntriesAndRefusesTheThirtyFirst) {
    PrintList list;
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(list.append(named(std::to_string(i)), nullptr));
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.append(named("extra"), nullptr));
    EXPECT_EQ(list.count(), 30);
    EXPECT_STREQ(list.entry(29).YJCODE, "29");
}

TEST(PrintList, PhotographSetsTheFlagAndKeepsItsTopLeftCorner) {
    // The photograph comes from a larger panel surface; only its top-left 140 x 105 is taken.
    QImage panel = solid(Qt::blue, 400, 400);
    QPainter(&panel).fillRect(0, 0, 140, 105, Qt::red);
    PrintList list;
    list.append(named("A"), &panel);
    list.append(named("B"), nullptr);
    EXPECT_EQ(list.entry(0).photoFlag, 1);
    EXPECT_EQ(list.entry(1).photoFlag, 0);
    EXPECT_EQ(list.photo(0).size(), QSize(140, 105));
    EXPECT_EQ(list.photo(0).pixelColor(139, 104), QColor(Qt::red));
}

TEST(PrintList, RemovingMovesLaterEntriesDownWithTheirPhotographs) {
    PrintList list;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        const QImage photo = solid(colours[i]);
        list.append(named(std::string(1, char('A' + i))), &photo);
    }
    list.remove(-1);
    list.remove(3);
    EXPECT_EQ(list.count(), 3) << "a position not in use changes nothing";

    list.remove(0);
    ASSERT_EQ(list.count(), 2);
    EXPECT_STREQ(list.entry(0).YJCODE, "B");
    EXPECT_STREQ(list.entry(1).YJCODE, "C");
    EXPECT_EQ(list.photo(0).pixelColor(70, 50), QColor(Qt::green));
    EXPECT_EQ(list.photo(1).pixelColor(70, 50), QColor(Qt::blue));
    EXPECT_TRUE(isZero(list.entry(2)));
    EXPECT_EQ(list.photo(2).pixelColor(70, 50), QColor(Qt::white));
}

TEST(PrintList, ReplaceAndClear) {
    PrintList list;
    list.append(named("A"), nullptr);
    EXPECT_FALSE(list.replace(1, named("B"), nullptr));
    const QImage photo = solid(Qt::red);
    EXPECT_TRUE(list.replace(0, named("B"), &photo));
    EXPECT_STREQ(list.entry(0).YJCODE, "B");
    EXPECT_EQ(list.entry(0).photoFlag, 1);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(isZero(list.entry(0)));
}

TEST(PrintList, EntryTextsHoldNoDollarAndAreCutAtCharacterBoundaries) {
    DrugRecord entry = named("A");
    leaflet::DosageSettings d = leaflet::dosageOf(entry);
    std::memcpy(d.daysText, "$7", 3);  // as a window might write it directly
    leaflet::setDosage(entry, d);
    PrintList list;
    list.append(entry, nullptr);
    EXPECT_EQ(leaflet::daysText(list.entry(0)), cp932("＄7"));

    // Eleven full-width characters (22 bytes) into the 20-byte amount field keep ten.
    leaflet::setEntryText(d.amountText, cp932("用量　１回１２カプセル"));
    EXPECT_EQ(leaflet::field(d.amountText), cp932("用量　１回１２カプセ"));
    // A half-width "$" grows to two bytes; the cut still falls between characters.
    leaflet::setEntryText(d.amountText, std::string(19, 'a') + "$");
    EXPECT_EQ(leaflet::field(d.amountText), std::string(19, 'a'));
}

// A catalogue stand-in for recalling: known codes give a record and a coloured photograph.
struct FakeCatalogue {
    std::map<std::string, QColor> drugs;
    int fetches = 0;
    PrintList::RecallDrug fetcher() {
        return [this](const char* yjcode, DrugRecord& record, QImage& photo) {
            ++fetches;
            const auto it = drugs.find(yjcode);
            if (it == drugs.end()) return false;
            record = EntryBuilder().yjcode(yjcode).name(std::string("薬") + yjcode).build();
            if (it->second.isValid()) {
                photo.fill(it->second);
                record.photoFlag = 1;
            }
            return true;
        };
    }
};

TEST(PrintListRecall, HistoryGivesBackEntriesWithTheirSettingsAndPhotographs) {
    std::vector<DrugRecord> saved;
    for (int i = 0; i < 30; ++i) {
        saved.push_back(EntryBuilder()
                            .yjcode("YJ" + std::to_string(i))
                            .timings({i % 2, 1, 0, 1, 100 + i % 3})
                            .meal(i % 4)
                            .usage("１日２回")
                            .days(std::to_string(i) + "日分")
                            .build());
    }
    FakeCatalogue catalogue;
    for (int i = 0; i < 30; ++i) {
        catalogue.drugs["YJ" + std::to_string(i)] = i == 7 ? QColor() : QColor(Qt::red);
    }
    const auto block =
        leaflet::historyBlockFromText(leaflet::historyText(leaflet::buildHistoryBlock(saved)));

    PrintList list;
    list.append(named("old"), nullptr);
    ASSERT_TRUE(list.fillFromHistory(block, catalogue.fetcher()));
    ASSERT_EQ(list.count(), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(0, std::memcmp(list.entry(i).callerArea, saved[i].callerArea, 162)) << i;
        EXPECT_EQ(leaflet::field(list.entry(i).PRODUCTNAME), cp932("薬YJ" + std::to_string(i)));
    }
    EXPECT_EQ(list.entry(7).photoFlag, 0);
    EXPECT_EQ(list.entry(8).photoFlag, 1);
    EXPECT_EQ(list.photo(8).pixelColor(10, 10), QColor(Qt::red));
}

TEST(PrintListRecall, UnusedRecordsInBetweenLeaveNoGap) {
    leaflet::HistoryBlock block{};
    std::strcpy(block[0].yjcode, "A");
    std::strcpy(block[2].yjcode, "C");
    FakeCatalogue catalogue{{{"A", QColor()}, {"C", QColor()}}};
    PrintList list;
    ASSERT_TRUE(list.fillFromHistory(block, catalogue.fetcher()));
    ASSERT_EQ(list.count(), 2);
    EXPECT_STREQ(list.entry(1).YJCODE, "C");
}

TEST(PrintListRecall, FailedLookupLeavesTheListEmpty) {
    leaflet::HistoryBlock block{};
    std::strcpy(block[0].yjcode, "A");
    std::strcpy(block[1].yjcode, "missing");
    std::strcpy(block[2].yjcode, "A");
    FakeCatalogue catalogue{{{"A", QColor(Qt::red)}}};
    PrintList list;
    list.append(named("old"), nullptr);
    EXPECT_FALSE(list.fillFromHistory(block, catalogue.fetcher()));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(isZero(list.entry(0)));
    EXPECT_EQ(catalogue.fetches, 2) << "the recall stops at the failing drug";
}

}  // namespace
