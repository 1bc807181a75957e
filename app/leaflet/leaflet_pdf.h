// Leaflet pages on paged devices: the isotropic mapping that puts 1,445 logical units across
// the printable width, and a whole leaflet written to a PDF file.
#pragma once

#include <QString>

class QPainter;

namespace leaflet {

class PageComposer;

inline constexpr int kDeviceLogicalWidth = 1445;

// Maps 1,445 logical units onto the shorter side of a printable area of `width` x `height`
// device pixels, the same scale on both axes, origin at the area's top-left corner.
void setDeviceMapping(QPainter& painter, int width, int height);

// Writes every page of the leaflet to `path`, one A4 portrait PDF page per leaflet page.
// False when the file cannot be written.
bool writeLeafletPdf(const QString& path, const PageComposer& composer);

}  // namespace leaflet
