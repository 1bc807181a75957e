#include "ui/folder_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr const char* kTitle = "フォルダーの参照";
constexpr const char* kNotAFolderText = "不正なフォルダです";
constexpr const char* kNotAFolderTitle = "Error";

}  // namespace

QString selectedFolderText(const QString& path) {
    return QStringLiteral("現在「%1」が選択されています").arg(QDir::toNativeSeparators(path));
}

FolderChooser::FolderChooser(const QString& instructions, const QString& start, Prompts& prompts,
                             QWidget* owner)
    : QDialog(owner), prompts_(prompts) {
    setObjectName("folderChooser");
    setWindowTitle(kTitle);
    auto* text = new QLabel(instructions, this);
    text->setObjectName("instructions");
    text->setWordWrap(true);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setObjectName("folderTree");
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
    tree_->setMinimumSize(400, 300);

    status_ = new QLabel(this);
    status_->setObjectName("statusLine");
    status_->setWordWrap(true);
    auto* pathLabel = new QLabel("フォルダー(&F):", this);
    path_ = new QLineEdit(this);
    path_->setObjectName("folderPath");
    pathLabel->setBuddy(path_);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("cancelButton");

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(path_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(status_);
    layout->addWidget(tree_, 1);
    layout->addLayout(pathRow);
    layout->addLayout(buttons);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderChooser::selectionChanged);
    connect(model_, &QFileSystemModel::directoryLoaded, this, &FolderChooser::directoryLoaded);
    connect(ok, &QPushButton::clicked, this, &FolderChooser::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    select(start);
    tree_->setFocus();
}

void FolderChooser::select(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (!index.isValid()) return;
    tree_->setCurrentIndex(index);
    tree_->expand(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // The folders beside it are read in the background; once they are, scroll to it again.
    scrollPending_ = index.parent();
}

void FolderChooser::directoryLoaded(const QString& folder) {
    if (!scrollPending_.isValid() || model_->index(folder) != scrollPending_) return;
    scrollPending_ = QPersistentModelIndex();
    tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void FolderChooser::selectionChanged() {
    const QString path = model_->filePath(tree_->currentIndex());
    status_->setText(selectedFolderText(path));
    path_->setText(QDir::toNativeSeparators(path));
}

void FolderChooser::accept() {
    const QString typed = QDir::fromNativeSeparators(path_->text().trimmed());
    if (typed.isEmpty() || !QDir::isAbsolutePath(typed) || !QFileInfo(typed).isDir()) {
        prompts_.message(this, kNotAFolderText, kNotAFolderTitle, Icon::Warning);
        path_->setFocus();
        return;
    }
    folder_ = QDir::cleanPath(typed);
    QDialog::accept();
}

}  // namespace ui
