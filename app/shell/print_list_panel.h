// The print list of the main window: the entries of the next leaflet, the entry clicked shown
// in the detail panel, and the commands that remove one entry or all of them.
#pragma once

#include <QTableView>
#include <QWidget>
#include <functional>

#include "desk/desk.h"
#include "desk/print_list_model.h"

class QAction;

namespace drugs {
class DetailPanel;
}

namespace shell {

// A table that reports every click once it has updated its selection, also a click on the empty
// part below its rows (which selects nothing and emits no clicked signal).
class ClickReportingTable : public QTableView {
  public:
    using QTableView::QTableView;
    void setClickHandler(std::function<void()> handler) { clicked_ = std::move(handler); }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void()> clicked_;
};

class PrintListPanel : public QWidget {
    Q_OBJECT
  public:
    PrintListPanel(desk::Desk& desk, drugs::DetailPanel& detail, QWidget* parent);

    desk::PrintListModel& model() { return model_; }
    // The list itself, one stop in the window's focus order.
    QWidget* listView() const;
    // The first selected entry, or -1.
    int firstSelectedEntry() const;

    QAction* removeEntryAction() const { return removeEntry_; }
    QAction* clearEntriesAction() const { return clearEntries_; }

  private:
    // Shows the first selected entry's drug in the detail panel, or empties the panel when
    // none is selected.
    void entryClicked();
    void removeEntry();
    // Empties the print list when the operator agrees.
    void clearAfterAsking();

    desk::Desk& desk_;
    drugs::DetailPanel& detail_;
    desk::PrintListModel model_;
    ClickReportingTable* view_;
    QAction* removeEntry_;
    QAction* clearEntries_;
};

}  // namespace shell
