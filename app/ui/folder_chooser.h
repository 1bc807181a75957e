// The folder chooser: the operator's instructions above a tree of folders that starts at a
// given folder, a status line naming the selected folder, and a box where a path can be typed.
// OK with a typed path that is not a folder says so and keeps the chooser open.
#pragma once

#include <QDialog>
#include <QPersistentModelIndex>

#include "ui/prompts.h"

class QLabel;
class QLineEdit;
class QTreeView;
class QFileSystemModel;

namespace ui {

class FolderChooser : public QDialog {
    Q_OBJECT
  public:
    // `instructions` may hold line breaks; the tree opens at `start` with it selected.
    FolderChooser(const QString& instructions, const QString& start, Prompts& prompts,
                  QWidget* owner);

    // The chosen folder, once the chooser was accepted.
    QString folder() const { return folder_; }

    // Selects `path` in the tree, as a click on it does.
    void select(const QString& path);

    void accept() override;

  private:
    void selectionChanged();
    void directoryLoaded(const QString& folder);

    Prompts& prompts_;
    QFileSystemModel* model_;
    QTreeView* tree_;
    QLabel* status_;
    QLineEdit* path_;
    QString folder_;
    QPersistentModelIndex scrollPending_;
};

// "現在「path」が選択されています"
QString selectedFolderText(const QString& path);

}  // namespace ui
