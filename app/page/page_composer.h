// Draws leaflet pages onto any QPainter: the page image of the preview (one logical unit per
// pixel) and a printer or PDF device mapped with setDeviceMapping. Positions are layout units;
// every drawing call halves them (rounding toward zero) into logical units.
#pragma once

#include <QDate>
#include <QImage>
#include <span>

#include "drugbase.h"
#include "ehandbook/qr_symbol.h"
#include "leaflet/leaflet_header.h"
#include "leaflet/pagination.h"
#include "page/page_pictograms.h"

class QPainter;

namespace leaflet {
class PageInk;
}

namespace leaflet {

// The preview's page image.
inline constexpr int kPageImageWidth = 1500;
inline constexpr int kPageImageHeight = 2090;

// A white page image of the preview's size.
QImage newPageImage();

class PageComposer {
  public:
    // Entries and photos are the print list's (photos[i] belongs to entries[i]); `table` is the
    // pagination of those entries and of `codes`, the e-medication-handbook symbols; `date` is
    // printed in the header. All are referenced, not copied, and must outlive the composer.
    PageComposer(const LeafletHeader& header, std::span<const DrugRecord> entries,
                 std::span<const QImage> photos, const PageTable& table, QDate date,
                 std::span<const ehandbook::QrSymbol> codes = {});

    // The number of pages of the leaflet.
    int pageTotal() const { return table_.pageTotal(); }
    // The print-list entries the leaflet is made of.
    std::span<const DrugRecord> entries() const { return entries_; }
    // The line widths the rows' texts are cut at.
    const TextWidths& textWidths() const { return rowStyle(header_).metrics().widths; }

    // Draws page `page` (from 0): the white page, the header, the comment, the rows of the
    // page's entries in order, then the page's codes.
    void drawPage(QPainter& painter, int page) const;

    // Draws page `page` onto a page image from newPageImage().
    void renderPage(QImage& image, int page) const;

  private:
    void drawHeader(PageInk& ink, int page, int headerBottom) const;
    void drawComment(PageInk& ink) const;
    // Draws the entry's row from `top` and returns its bottom.
    int drawRow(PageInk& ink, int entry, int top) const;
    // Draws the entry's generic-drug information from `top`; returns the height it took.
    int drawGenericNote(PageInk& ink, int entry, int top) const;
    // Draws the entry's usage pictograms in strips from `top`.
    void drawPictograms(PageInk& ink, const DrugRecord& entry, int top) const;

    const LeafletHeader& header_;
    std::span<const DrugRecord> entries_;
    std::span<const QImage> photos_;
    const PageTable& table_;
    QDate date_;
    std::span<const ehandbook::QrSymbol> codes_;
    PictogramPictures pictograms_;
};

}  // namespace leaflet
