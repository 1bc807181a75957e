// Tests that draw text need a QGuiApplication; this one lives for the whole test run, with the
// page faces mapped to the installed IPA fonts as the program maps them at start.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "leaflet/page_fonts.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "leaflet_core_test";
        static char* argv[] = {name, nullptr};
        // No display here: draw offscreen unless the runner chose a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc, argv);
        leaflet::installFontSubstitutions();
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
