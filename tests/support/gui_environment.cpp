// Tests that draw text need a QGuiApplication for the whole run, offscreen unless the runner
// chose a platform, with the page faces mapped as the program maps them at start.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "page/page_fonts.h"

namespace {

struct GuiEnvironment : ::testing::Environment {
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gui_test";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        leaflet::installFontSubstitutions();
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QGuiApplication> app;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
