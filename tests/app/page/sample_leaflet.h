// A paginated leaflet of numbered drugs "見本錠1号", "見本錠2号", ..., one in the morning and a
// half in the evening, for preview, PDF and print tests; thirteen of them make three pages.
#pragma once

#include <QDate>
#include <string>
#include <vector>

#include "entry_builder.h"
#include "leaflet/page_geometry.h"
#include "page/leaflet_pdf.h"
#include "page/page_composer.h"
#include "temp_dir.h"

struct SampleLeaflet {
    // The composer keeps views of the header, entries and photos, so those are complete before it.
    leaflet::LeafletHeader header;
    std::vector<DrugRecord> entries;
    std::vector<QImage> photos;
    leaflet::PageTable table;
    leaflet::PageComposer composer;

    explicit SampleLeaflet(int drugs, leaflet::LeafletHeader h = namedPatient())
        : SampleLeaflet(numberedDrugs(drugs), std::move(h)) {}
    explicit SampleLeaflet(std::vector<DrugRecord> drugs, leaflet::LeafletHeader h = namedPatient())
        : header(std::move(h)),
          entries(std::move(drugs)),
          photos(entries.size()),
          composer(header, entries, photos, table, QDate(2024, 1, 9)) {
        EXPECT_EQ(leaflet::paginate(entries, leaflet::headerBottom(header), table,
                                    leaflet::rowStyle(header)),
                  leaflet::PaginateResult::kDone);
    }
    SampleLeaflet(const SampleLeaflet&) = delete;

    QImage render(int page = 0) const {
        QImage image = leaflet::newPageImage();
        composer.renderPage(image, page);
        return image;
    }
    // Writes the leaflet as `name` in `dir`; returns the file's path.
    std::string pdf(const TempDir& dir, const std::string& name = "leaflet.pdf") const {
        const std::string file = (dir.path() / name).string();
        EXPECT_TRUE(leaflet::writeLeafletPdf(QString::fromStdString(file), composer));
        return file;
    }

    static std::string drugName(int n) { return "見本錠" + std::to_string(n) + "号"; }

    static leaflet::LeafletHeader namedPatient() {
        leaflet::LeafletHeader header;
        header.patientName = cp932("見本花子");
        return header;
    }

    static std::vector<DrugRecord> numberedDrugs(int drugs) {
        std::vector<DrugRecord> entries;
        for (int i = 1; i <= drugs; ++i) {
            entries.push_back(EntryBuilder()
                                  .name(drugName(i))
                                  .timings({0, 1, 0, 100, 0})
                                  .usage("１日２回  朝夕食後に服用")
                                  .build());
        }
        return entries;
    }

    // Drugs that get pictograms: timings with a meal timing, an as-needed trigger, a patch.
    static std::vector<DrugRecord> drugsWithUsages() {
        return {EntryBuilder()
                    .name("見本錠")
                    .timings({1, 1, 0, 1, 1})
                    .meal(leaflet::kAfterMeals)
                    .usage("１日３回  朝夕食後と寝る前に服用")
                    .efficacy("血圧を下げる薬です。")
                    .build(),
                EntryBuilder().name("見本頓服錠").usage("発熱時・疼痛時に頓服").build(),
                EntryBuilder().name("見本テープ").form("貼付剤").usage("１日１回  貼付").build()};
    }
};
