// Drawing the お薬手帳 sticker: one label on a painter, and every label of a sticker as the pages
// of one paged device (a PDF file or one print job), each page as wide as the roll and as high
// as its label.
#pragma once

#include <QString>
#include <vector>

#include "sticker/sticker_layout.h"

class QPagedPaintDevice;
class QPainter;

namespace leaflet {
class PrintTarget;
}

namespace sticker {

inline constexpr const char* kStickerJobName = "お薬手帳シール";

// Draws `label` in tenths of a millimetre from the top-left corner of a roll `width`
// millimetres wide; the painter's mapping is the caller's.
void drawLabel(QPainter& painter, const Label& label, int width);

// Paints the labels as the device's pages from its current page on; false when the painter
// could not start or end on the device.
bool paintLabels(QPagedPaintDevice& device, const std::vector<Label>& labels, int width);

// Writes the labels to the PDF file `path`, one page per label; the file is replaced only once
// complete. False when it cannot be written.
bool writeStickerPdf(const QString& path, const std::vector<Label>& labels, int width);

// Prints the labels as one job named kStickerJobName on `target`; false when the job did not
// start or was not delivered.
bool printSticker(leaflet::PrintTarget& target, const std::vector<Label>& labels, int width);

}  // namespace sticker
