// Renders the first leaflet page of a few drugs of a loaded catalogue to a PNG (and the whole
// leaflet to a PDF when a third argument is given), for the README's picture of a leaflet.
//
//   leafletadmin init DIR && leafletadmin load-catalogue DIR data/sample/catalogue.csv
//   leaflet_sample_page DIR/データベース docs/sample-leaflet.png [sample.pdf]
//
// The photographs are plain generated pictures of a tablet.
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <initializer_list>

#include "dosage/timing_rules.h"
#include "drugbase.h"
#include "leaflet/page_geometry.h"
#include "leaflet/print_entry.h"
#include "page/leaflet_job.h"
#include "page/leaflet_pdf.h"
#include "page/page_composer.h"
#include "page/page_fonts.h"
#include "page/print_list.h"
#include "sjis/sjis.h"

namespace {

struct SampleDrug {
    const char* yjcode;
    std::initializer_list<int> timings;  // waking, morning, noon, evening, bedtime
    std::uint8_t meal;
    const char* usage;  // UTF-8; empty to compose it from the timings
    const char* days;
};

const SampleDrug kDrugs[] = {
    {"2171901F2S93", {0, 1, 0, 0, 0}, leaflet::kAfterMeals, "", "14日分"},
    {"1149902F1T94", {0, 1, 1, 1, 0}, leaflet::kAfterMeals, "", "7日分"},
    {"2329904D2T98", {0, 1, 1, 1, 0}, leaflet::kAfterMeals, "", "7日分"},
    {"2329921M1M92", {0, 1, 0, 0, 0}, leaflet::kBeforeMeals, "", "14日分"},
    {"2649902S1R92", {0, 0, 0, 0, 0}, leaflet::kNoMeal, "１日１回、痛む所に貼ってください", "28枚"},
};

// Drops the marks "●" and "★" from the supplied caution text, as the detail panel shows it.
void removeCautionMarks(DrugRecord& drug) {
    std::string text(leaflet::field(drug.CYUUI));
    for (const char* mark : {"●", "★"}) {
        const std::string m = sjis::fromUtf8(mark);
        std::string kept;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t step = sjis::isLeadByte(text[i]) ? 2 : 1;
            if (text.compare(i, m.size(), m) != 0) kept.append(text, i, step);
            i += step;
        }
        text = kept;
    }
    sjis::copyField(drug.CYUUI, sizeof drug.CYUUI, text);
}

QImage tabletPicture(QColor tint) {
    QImage image(leaflet::kPhotoWidth, leaflet::kPhotoHeight, QImage::Format_RGB32);
    image.fill(QColor(226, 232, 238));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.setBrush(tint);
    p.drawEllipse(QRect(30, 22, 80, 60));
    p.drawLine(70, 26, 70, 78);
    return image;
}

bool addDrug(leaflet::PrintList& list, const SampleDrug& sample, int index) {
    DrugRecord entry{};
    if (RecordDetail(&entry, sample.yjcode) != 0) {
        std::fprintf(stderr, "drug %s not found\n", sample.yjcode);
        return false;
    }
    removeCautionMarks(entry);
    dosage::beginNewEntry(entry);
    dosage::DosageControls controls{true, sample.meal};
    int t = 0;
    for (int amount : sample.timings) {
        if (amount != 0) dosage::setTiming(entry, controls, t, amount);
        ++t;
    }
    leaflet::DosageSettings d = leaflet::dosageOf(entry);
    if (*sample.usage) leaflet::setEntryText(d.usageText, sjis::fromUtf8(sample.usage));
    leaflet::setEntryText(d.daysText, sjis::fromUtf8(sample.days));
    leaflet::setDosage(entry, d);
    const QImage photo = tabletPicture(QColor::fromHsv((index * 53) % 360, 40, 250));
    return list.append(entry, &photo);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s DATABASE_FOLDER OUT.png [OUT.pdf] [pictograms] [large] [mono]\n",
                     argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    leaflet::installFontSubstitutions();
    if (RecordOpen(argv[1], nullptr) != 0) return 1;

    leaflet::PrintList list;
    int index = 0;
    for (const SampleDrug& drug : kDrugs) {
        if (!addDrug(list, drug, index++)) return 1;
    }
    leaflet::LeafletHeader header;
    header.patientName = sjis::fromUtf8("見本　花子");
    header.patientId = "1024";
    header.prescriber = sjis::fromUtf8("見本内科クリニック　見本 一郎");
    header.pharmacyName = sjis::fromUtf8("サンプル薬局");
    header.pharmacist = sjis::fromUtf8("薬剤 太郎");
    header.comment = sjis::fromUtf8(
        "この説明書は見本です。お薬について分からないことは薬剤師にお尋ねください。\r\n"
        "サンプル薬局　電話 000-000-0000");
    header.dispensingPharmacy = true;
    header.colour = true;
    // Words after the files: the usage pictograms, large print, a monochrome page.
    QString pdf;
    for (int i = 3; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == "pictograms")
            header.pictograms = true;
        else if (word == "large")
            header.largePrint = true;
        else if (word == "mono")
            header.colour = false;
        else
            pdf = word;
    }

    header.handbookCodes = true;
    header.registered.sex = 2;
    header.registered.birthDate = "19580412";

    leaflet::LeafletJob job(header, list, QDate::currentDate());
    if (job.paginate() != leaflet::PaginateResult::kDone) return 1;
    const leaflet::PageComposer& composer = job.composer();
    // The last page: it carries the e-medication-handbook codes.
    QImage page = leaflet::newPageImage();
    composer.renderPage(page, composer.pageTotal() - 1);
    if (!page.save(QString::fromLocal8Bit(argv[2]))) return 1;
    if (!pdf.isEmpty() && !leaflet::writeLeafletPdf(pdf, composer)) return 1;
    RecordClose();
    std::printf("%d entries on %d page(s)\n", list.count(), composer.pageTotal());
    return 0;
}
