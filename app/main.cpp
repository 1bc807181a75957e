// leafletdesk: prints medication-information leaflets. The program folder is the current
// directory.
//   leafletdesk [--quit-when-shown]
#include <QApplication>
#include <filesystem>

#include "shell/program.h"

int main(int argc, char** argv) {
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    shell::ProgramOptions options;
    options.quitWhenShown = QApplication::arguments().contains("--quit-when-shown");
    return shell::runProgram(std::filesystem::current_path(), options);
}
