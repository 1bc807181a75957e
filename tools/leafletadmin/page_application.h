// A Qt application for fonts and PDF output while a command runs, on the offscreen platform,
// unless the process has one already.
#pragma once

#include <QGuiApplication>
#include <memory>

#include "page/page_fonts.h"

namespace admin {

class PageApplication {
  public:
    PageApplication() {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        leaflet::installFontSubstitutions();
    }

  private:
    inline static char name_[] = "leafletadmin";
    inline static char option_[] = "-platform";
    inline static char platform_[] = "offscreen";
    // The application takes the options it uses out of its arguments: each one gets its own
    // copy, so that a second command in one process is again on the offscreen platform. They
    // outlive the application, which is made after them and ended before them.
    char* argv_[4] = {name_, option_, platform_, nullptr};
    int argc_ = 3;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace admin
