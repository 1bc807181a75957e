// A drug found by name inside the intake window, so the pharmacist need not reach the main
// window's drug list behind it: a name box that searches as the main window's drug-name box
// does, and a short list of the catalogue by name showing where the text leads. Up and Down in
// the box move along the list; Enter in the box or the list chooses the drug shown.
#pragma once

#include <QWidget>
#include <string>

#include "drugs/drug_list_model.h"
#include "drugs/prefix_search.h"

class QLineEdit;
class QListView;

namespace intake {

class DrugFinder : public QWidget {
    Q_OBJECT
  public:
    explicit DrugFinder(QWidget* parent);

  signals:
    void chosen(const std::string& yjcode);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search(const QString& text);
    void step(int by);
    void choose();

    drugs::DrugListModel model_;
    drugs::PrefixSearch search_ = drugs::PrefixSearch::forNames();
    QLineEdit* box_;
    QListView* list_;
};

}  // namespace intake
