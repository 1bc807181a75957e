// The Qt application a command makes for its pages, when the process has none.
#include <gtest/gtest.h>

#include "page_application.h"

TEST(PageApplication, EveryCommandOfOneProcessRunsOffscreenWithoutADisplay) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) qunsetenv(name);
    // The application takes its platform option out of the arguments it was given: a second
    // command must still find it there, or it would fail for want of a display.
    for (int command = 0; command < 2; ++command) {
        SCOPED_TRACE(command);
        const admin::PageApplication application;
        EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    }
}
