// The drug list of the main window with its order and its searches as you type, by N code and
// by name. The drug of the current row (clicked, reached with the keys, found) is announced for
// the detail panel; a double click and the list's pop-up menu lead to the window's commands.
#pragma once

#include <QWidget>
#include <string>

#include "desk/desk.h"
#include "drugs/drug_list_model.h"
#include "drugs/prefix_search.h"

class QAction;
class QComboBox;
class QLineEdit;
class QTableView;

namespace shell {

class DrugListPanel : public QWidget {
    Q_OBJECT
  public:
    DrugListPanel(desk::Desk& desk, QWidget* parent);

    // Fills the list in the chosen order; false (after the message) when the catalogue could
    // not be read.
    bool load();

    drugs::DrugListModel& model() { return model_; }
    // The first selected row, or -1.
    int selectedRow() const;
    // Selects a row and scrolls it into view; `show` announces its drug for the panel.
    void selectRow(int row, bool show);

    // The list itself, one stop in the window's focus order.
    QWidget* listView() const;

    void clearSearchBoxes();
    void focusCodeSearch();
    // The commands the pop-up menu offers, in order.
    void setMenuActions(const QList<QAction*>& actions) { menuActions_ = actions; }

  signals:
    // The drug with this YJ code (CP932) is to be shown in the detail panel.
    void drugShown(const std::string& yjcode);
    void drugDoubleClicked();

  private:
    // Selects the first drug beginning with a search box's new text; no drug when none does.
    void search(drugs::PrefixSearch& prefixSearch, const QString& text);
    void orderChosen(int index);
    void showMenu(const QPoint& at);

    desk::Desk& desk_;
    drugs::DrugListModel model_;
    drugs::PrefixSearch nameSearch_ = drugs::PrefixSearch::forNames();
    drugs::PrefixSearch codeSearch_ = drugs::PrefixSearch::forCodes();
    QLineEdit* codeSearchBox_;
    QLineEdit* nameSearchBox_;
    QComboBox* order_;
    QTableView* view_;
    QList<QAction*> menuActions_;
    bool announce_ = true;  // a new current row is announced for the panel
};

}  // namespace shell
