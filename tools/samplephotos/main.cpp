// samplephotos FOLDER: draws sample photographs for the catalogue of a program folder.
#include <QGuiApplication>

#include <iostream>

#include "sample_photos.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: samplephotos FOLDER\n"
                     "  draws a sample photograph and a package picture of every drug in the\n"
                     "  catalogue of the program folder FOLDER and marks them in the catalogue\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return samplephotos::writeSamplePhotos(argv[1], std::cout, std::cerr);
}
