// The main window's catalogue commands: the drug search (F2), the same-kind search, the drug
// dialog to view (F3), correct (F9) or register a drug, and the deletion of a drug the user made.
#pragma once

#include <QObject>
#include <string>

#include "data/drug_catalogue.h"
#include "desk/desk.h"
#include "drugs/drug_edit.h"
#include "drugs/results_dialog.h"

class QAction;
class QWidget;

namespace drugs {
class DetailPanel;
}

namespace shell {

class DrugListPanel;

class CatalogueCommands : public QObject {
    Q_OBJECT
  public:
    CatalogueCommands(desk::Desk& desk, DrugListPanel& drugList, drugs::DetailPanel& detail,
                      QWidget* window);

    QAction* drugSearch() const { return drugSearch_; }
    QAction* drugDetail() const { return drugDetail_; }
    QAction* correctDrug() const { return correctDrug_; }
    QAction* registerDrug() const { return registerDrug_; }
    QAction* deleteDrug() const { return deleteDrug_; }
    QAction* sameKind() const { return sameKind_; }

  private:
    // Rewrites the print-list entries of a corrected drug with its texts.
    void refreshPrintEntries(const DrugRecord& drug);
    void searchDrugs();
    void searchSameKind();
    void removeDrug();
    // Opens the drug dialog on the selected drug (view, correct) or on a new one (register);
    // afterwards the list, the detail panel and the print list follow what was stored.
    void openDrugDialog(drugs::DrugDialogMode mode);
    data::DrugOrder listOrder() const;
    // What a results dialog does with its drugs: show them in the panel, select one.
    // After a results dialog closed without "選択": the panel shows the list's selected drug
    // again (or nothing when none is selected).
    void showSelectedDrug();
    drugs::ResultsDialog::Actions resultActions();

    desk::Desk& desk_;
    DrugListPanel& drugList_;
    drugs::DetailPanel& detail_;
    QWidget* window_;
    data::DrugCatalogue catalogue_;
    QAction* drugSearch_;
    QAction* drugDetail_;
    QAction* correctDrug_;
    QAction* registerDrug_;
    QAction* deleteDrug_;
    QAction* sameKind_;
};

// True when a drug is selected in the list; otherwise shows `message` and returns false.
bool requireSelectedDrug(const DrugListPanel& drugList, ui::Prompts& prompts, QWidget* owner,
                         const char* message);

}  // namespace shell
