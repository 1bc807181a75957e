// Leaflet pages on paged devices: the isotropic mapping that puts 1,445 logical units across
// the printable width, the PDF page set-up, and a whole leaflet written to a PDF file.
#pragma once

#include <QString>

class QPainter;
class QPdfWriter;

namespace leaflet {

class PageComposer;

inline constexpr int kDeviceLogicalWidth = 1445;

// Maps 1,445 logical units onto the shorter side of a printable area of `width` x `height`
// device pixels, the same scale on both axes, origin at the area's top-left corner.
void setDeviceMapping(QPainter& painter, int width, int height);

// Sets `writer` up for leaflet pages: A4 portrait at 600 dpi, with a margin like the unprintable
// edge of an office printer, so a PDF page looks like a printed one.
void setLeafletPdfLayout(QPdfWriter& writer);

// Writes every page of the leaflet to `path`, one PDF page per leaflet page. The pages go to a
// temporary file beside `path` that replaces it only once complete, so a failure never leaves a
// half-written or emptied file behind. False when the file cannot be written.
bool writeLeafletPdf(const QString& path, const PageComposer& composer);

}  // namespace leaflet
