// "操作方法": the help page of the program folder (操作方法.html) in the program's own window,
// so that help works without a web browser.
#pragma once

#include <QDialog>
#include <filesystem>

#include "ui/prompts.h"

class QTextBrowser;

namespace shell {

// The help page's file name in the program folder.
inline constexpr const char* kHelpPageName = "操作方法.html";

// A window beside the main window, showing the page `page`; links to other pages of its folder
// open in it, links to web sites in the desktop's browser.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    HelpWindow(const std::filesystem::path& page, QWidget* owner);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// Shows the help page of the program folder `folder` in the help window of `owner`, opening
// the window or bringing the open one to the front. A missing page is reported through
// `prompts` and opens no window. Returns the window shown, or nullptr.
HelpWindow* showHelp(QWidget* owner, ui::Prompts& prompts, const std::filesystem::path& folder);

}  // namespace shell
