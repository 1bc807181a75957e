#include "shell/help_window.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {
namespace {

constexpr const char* kTitle = "操作方法";
constexpr const char* kMissingText =
    "操作方法のページ（%1）がみつかりません。\nプログラムのフォルダーに置いて下さい。";

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

HelpWindow::HelpWindow(const std::filesystem::path& page, QWidget* owner) : QDialog(owner) {
    setObjectName("helpWindow");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpPage");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(qPath(page)));
    auto* close = new QPushButton("閉じる", this);
    close->setObjectName("closeButton");
    close->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    resize(760, 640);
}

HelpWindow* showHelp(QWidget* owner, ui::Prompts& prompts, const std::filesystem::path& folder) {
    const std::filesystem::path page = folder / kHelpPageName;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
        prompts.message(owner, QString::fromUtf8(kMissingText).arg(qPath(page)), kTitle,
                        ui::Icon::Warning);
        return nullptr;
    }
    // A closed window is deleted later; only an open one is shown again.
    HelpWindow* window = nullptr;
    if (owner)
        for (HelpWindow* open : owner->findChildren<HelpWindow*>(Qt::FindDirectChildrenOnly))
            if (open->isVisible()) window = open;
    if (!window) window = new HelpWindow(page, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace shell
