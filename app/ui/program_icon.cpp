#include "ui/program_icon.h"

// The picture is built into this static library; its registration must be called for, or the
// linker leaves it out.
static void registerIconResource() {
    Q_INIT_RESOURCE(program_icon);
}

namespace ui {

QIcon programIcon() {
    registerIconResource();
    QIcon icon(":/icons/leafletdesk.svg");
    // Without an engine for SVG nothing can be drawn from it.
    return icon.pixmap(16).isNull() ? QIcon() : icon;
}

}  // namespace ui
