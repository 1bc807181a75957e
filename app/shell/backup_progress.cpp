#include "shell/backup_progress.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace shell {
namespace {

// A copy that ends sooner shows no window at all.
constexpr qint64 kShowAfterMs = 300;

}  // namespace

BackupProgress::BackupProgress(QWidget* owner)
    : owner_(owner),
      window_(new QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)),
      bar_(new QProgressBar(window_)) {
    window_->setObjectName("backupProgress");
    window_->setWindowTitle("データ保存");
    window_->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(window_);
    layout->addWidget(new QLabel("データファイルを保存しています。", window_));
    bar_->setObjectName("backupProgressBar");
    layout->addWidget(bar_);
    window_->resize(320, 80);
    copying_.start();
}

BackupProgress::~BackupProgress() {
    delete window_;
}

void BackupProgress::update(int done, int total) {
    bar_->setRange(0, total);
    bar_->setValue(done);
    if (!window_->isVisible()) {
        if (copying_.elapsed() < kShowAfterMs) return;
        if (owner_) window_->move(owner_->geometry().center() - window_->rect().center());
        window_->show();
    }
    // Copying holds the event loop; let the window paint.
    QApplication::processEvents();
}

ui::OverwriteAnswer BackupProgress::aside(const std::function<ui::OverwriteAnswer()>& question) {
    window_->hide();
    const ui::OverwriteAnswer answer = question();
    copying_.restart();
    return answer;
}

}  // namespace shell
