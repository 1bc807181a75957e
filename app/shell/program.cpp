#include "shell/program.h"

#include <QApplication>
#include <QEvent>

#include "data/library_messages.h"
#include "page/page_fonts.h"
#include "shell/main_window.h"
#include "shell/small_dialogs.h"
#include "shell/startup.h"
#include "ui/program_icon.h"
#include "ui/qt_prompts.h"
#include "ui/qt_translation.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

// Ends the event loop after the watched window's first paint.
class QuitWhenPainted : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int runProgram(const std::filesystem::path& folder, ProgramOptions options) {
    if (!ui::installJapaneseQtTexts())
        qWarning(
            "Qt's Japanese texts (qt6-translations-l10n) are missing: its dialogs speak English");
    const QIcon icon = ui::programIcon();
    if (icon.isNull())
        qWarning("Qt's SVG support (libqt6svg6) is missing: the program has no icon");
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName("leafletdesk");
    leaflet::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(leaflet::kGothicFace), 9));
    ui::QtPrompts prompts;
    // The libraries' own messages are shown as message boxes.
    const data::LibraryMessages messages([&prompts](const std::string& text) {
        prompts.message(QApplication::activeWindow(), ui::fromCp932(text), "エラー",
                        ui::Icon::Warning);
    });

    desk::Desk desk(prompts);
    if (!startUp(desk, folder)) return 0;
    int exitCode = 0;
    {
        MainWindow window(desk);
        QuitWhenPainted quitWhenPainted;
        if (options.quitWhenShown) window.installEventFilter(&quitWhenPainted);
        window.show();
        bool loaded;
        {
            WaitWindow wait(&window);
            loaded = window.loadDrugList();
        }
        (void)loaded;  // a failure was shown; the window stays open with what it could read
        QObject::connect(&window, &QDialog::finished, qApp, &QApplication::quit);
        exitCode = QApplication::exec();
    }
    shutDown();
    return exitCode;
}

}  // namespace shell
