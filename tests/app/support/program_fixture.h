// A program folder with the sample catalogue, started as the program starts, with the main
// window open and the prompts scripted.
#pragma once

#include <memory>
#include <sstream>

#include "admin.h"
#include "scripted_prompts.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "temp_dir.h"
#include "widget_driving.h"

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(admin::initFolder(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(admin::loadCatalogue(dir.path(), SAMPLE_CATALOGUE, out, err), 0) << err.str();
    }
    void TearDown() override {
        window.reset();
        shell::shutDown();
    }

    // Starts up and opens the main window with its drug list; false when start-up refused.
    bool start() {
        state = std::make_unique<shell::AppState>(prompts);
        if (!shell::startUp(*state, dir.path())) return false;
        window = std::make_unique<shell::MainWindow>(*state);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) ADD_FAILURE() << "window not active";
        return window->loadDrugList();
    }

    template <class W>
    W* find(const char* name) {
        return child<W>(window.get(), name);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<shell::AppState> state;
    std::unique_ptr<shell::MainWindow> window;
};
