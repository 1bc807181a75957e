// The print list of the main window: the entries of the next leaflet, the entry clicked shown
// in the detail panel, and the commands that remove one entry or all of them.
#pragma once

#include <QWidget>

#include "shell/app_state.h"
#include "shell/print_list_model.h"

class QAction;
class QTableView;

namespace drugs {
class DetailPanel;
}

namespace shell {

class PrintListPanel : public QWidget {
    Q_OBJECT
  public:
    PrintListPanel(AppState& state, drugs::DetailPanel& detail, QWidget* parent);

    PrintListModel& model() { return model_; }
    // The first selected entry, or -1.
    int firstSelectedEntry() const;
    // Empties the print list.
    void clearEntries();

    QAction* removeEntryAction() const { return removeEntry_; }
    QAction* clearEntriesAction() const { return clearEntries_; }

  private:
    void entryClicked();
    void removeEntry();
    // Empties the print list when the operator agrees.
    void clearAfterAsking();

    AppState& state_;
    drugs::DetailPanel& detail_;
    PrintListModel model_;
    QTableView* view_;
    QAction* removeEntry_;
    QAction* clearEntries_;
};

}  // namespace shell
