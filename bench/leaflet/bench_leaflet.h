// The benchmarks' leaflet: entries with long efficacy and caution texts and a photograph each,
// the header of a clinic, paginated; 5 entries make one page, 90 make fifteen.
#pragma once

#include <QColor>
#include <QDate>
#include <QImage>
#include <vector>

#include "leaflet/page_geometry.h"
#include "leaflet/print_entry.h"
#include "page/page_composer.h"
#include "page/print_list.h"
#include "sjis/sjis.h"

namespace bench {

inline DrugRecord benchEntry(int i) {
    DrugRecord entry{};
    const auto set = [](auto& f, const char* utf8) {
        sjis::copyField(f, sizeof f, sjis::fromUtf8(utf8));
    };
    set(entry.PRODUCTNAME, "ロキソプロフェンＮａ錠６０ｍｇ「テスト」");
    set(entry.SAYOA,
        "炎症をしずめて痛みや腫れをやわらげ、熱を下げる薬です。頭痛、歯の痛み、関節の痛みなど"
        "に使われます。");
    set(entry.CYUUI,
        "胃の不調を防ぐため、なるべく空腹時を避けて飲んでください。胃の痛み、黒い便、発疹があ"
        "らわれたら医師または薬剤師に相談してください。");
    leaflet::DosageSettings d = leaflet::dosageOf(entry);
    d.timings[leaflet::kMorning] = d.timings[leaflet::kNoon] = d.timings[leaflet::kEvening] =
        static_cast<std::uint8_t>(1 + i % 3);
    d.mealTiming = leaflet::kAfterMeals;
    leaflet::setEntryText(d.usageText, sjis::fromUtf8("１日３回  毎食後に服用"));
    leaflet::setEntryText(d.amountText, sjis::fromUtf8("用量　１回１錠"));
    leaflet::setEntryText(d.daysText, sjis::fromUtf8("7日分"));
    leaflet::setDosage(entry, d);
    entry.photoFlag = 1;
    return entry;
}

struct BenchLeaflet {
    leaflet::LeafletHeader header;
    std::vector<DrugRecord> entries;
    std::vector<QImage> photos;
    leaflet::PageTable table;

    explicit BenchLeaflet(int count) {
        header.patientName = sjis::fromUtf8("見本　花子");
        header.prescriber = sjis::fromUtf8("見本内科クリニック");
        header.comment = sjis::fromUtf8("お薬について分からないことは薬剤師にお尋ねください。");
        header.colour = true;
        QImage photo(leaflet::kPhotoWidth, leaflet::kPhotoHeight, QImage::Format_RGB32);
        photo.fill(QColor(220, 230, 240));
        for (int i = 0; i < count; ++i) {
            entries.push_back(benchEntry(i));
            photos.push_back(photo);
        }
        leaflet::paginate(entries, leaflet::headerBottom(header), table);
    }
    leaflet::PageComposer composer() const {
        return {header, entries, photos, table, QDate(2024, 1, 9)};
    }
};

}  // namespace bench
