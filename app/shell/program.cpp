#include "shell/program.h"

#include <QApplication>

#include "data/library_messages.h"
#include "leaflet/page_fonts.h"
#include "shell/main_window.h"
#include "shell/small_dialogs.h"
#include "shell/startup.h"
#include "ui/qt_prompts.h"
#include "ui/text_convert.h"

namespace shell {

int runProgram(const std::filesystem::path& folder) {
    leaflet::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(leaflet::kGothicFace), 9));
    ui::QtPrompts prompts;
    // The libraries' own messages are shown as message boxes.
    const data::LibraryMessages messages([&prompts](const std::string& text) {
        prompts.message(QApplication::activeWindow(), ui::fromCp932(text), "エラー",
                        ui::Icon::Warning);
    });

    AppState state(prompts);
    if (!startUp(state, folder)) return 0;
    int exitCode = 0;
    {
        MainWindow window(state);
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
