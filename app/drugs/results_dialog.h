// The result list shared by the drug search dialog and the same-kind results dialog: a list of
// drugs, a count line, "選択" to select the chosen drug in the main window's list and "閉じる".
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "data/drug_catalogue.h"
#include "ui/prompts.h"

class QLabel;
class QListWidget;

namespace drugs {

using DrugResult = data::DrugMatch;

class ResultsDialog : public QDialog {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void(const std::string& yjcode)> preview;  // show in the detail panel
        std::function<void(const std::string& yjcode)> apply;    // select in the drug list
    };

    ResultsDialog(ui::Prompts& prompts, Actions actions, QWidget* parent);

    // Lists `results` and states their number on the count line.
    void setResults(std::vector<DrugResult> results);
    const std::vector<DrugResult>& results() const { return results_; }

  protected:
    QListWidget* resultList() const { return list_; }
    QLabel* countLine() const { return count_; }
    ui::Prompts& prompts() const { return prompts_; }
    void applyChosen();

  private:
    ui::Prompts& prompts_;
    Actions actions_;
    std::vector<DrugResult> results_;
    QListWidget* list_;
    QLabel* count_;
};

// "全部で n 件のデータがみつかりました。"
QString countText(std::size_t n);

}  // namespace drugs
