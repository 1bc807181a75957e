// GoogleTest main for window tests: one QApplication for the whole run, fixed DPI and the
// program's font mapping.
#include <gtest/gtest.h>

#include <QApplication>

#include "page/page_fonts.h"

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    leaflet::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(leaflet::kGothicFace), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
