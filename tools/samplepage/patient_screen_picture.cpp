// Renders the README's picture of the patient screen from a program folder such as the one
// scripts/run makes: the patient's ID typed into the main window's ID box, the screen opened as
// "患者ファイル(F1)" opens it, and the newest stored leaflet of that patient recalled.
//
//   QT_QPA_PLATFORM=offscreen leaflet_patient_screen_picture sampledata docs/patient-screen.png
//   [ID]
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>

#include "page/page_fonts.h"
#include "patients/history_panel.h"
#include "patients/patient_screen.h"
#include "shell/main_window.h"
#include "shell/patient_file_command.h"
#include "shell/startup.h"
#include "ui/qt_prompts.h"

namespace {

// Shows the patient screen of patient `id` with its newest leaflet recalled and saves a picture
// of it; false after saying why.
bool picture(shell::MainWindow& window, const QString& id, const QString& png) {
    window.show();
    window.loadDrugList();
    window.findChild<QLineEdit*>("patientIdBox")->setText(id);
    window.findChild<QAction*>("actionPatientFile")->trigger();
    patients::PatientScreen* screen = window.patientFile().screen();
    if (!screen || screen->selectedId() != id.toInt()) {
        std::fprintf(stderr, "patient %s is not in the register\n", qPrintable(id));
        return false;
    }
    QListWidget* dates = screen->history().dateList();
    if (dates->count() == 0) {
        std::fprintf(stderr, "patient %s has no stored leaflet\n", qPrintable(id));
        return false;
    }
    dates->setCurrentRow(0);
    QApplication::processEvents();
    if (!screen->grab().save(png)) {
        std::fprintf(stderr, "%s cannot be written\n", qPrintable(png));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: leaflet_patient_screen_picture FOLDER OUT.png [ID]\n");
        return 2;
    }
    leaflet::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(leaflet::kGothicFace), 9));
    ui::QtPrompts prompts;
    desk::Desk desk(prompts);
    if (!shell::startUp(desk, argv[1])) return 1;
    bool done;
    {
        shell::MainWindow window(desk);
        done = picture(window, argc == 4 ? argv[3] : "1", QString::fromLocal8Bit(argv[2]));
    }
    shell::shutDown();
    return done ? 0 : 1;
}
