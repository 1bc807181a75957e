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
class QLayout;
class QListWidget;
class QVBoxLayout;

namespace drugs {

using DrugResult = data::DrugMatch;

class ResultsDialog : public QDialog {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void(const std::string& yjcode)> preview;  // show in the detail panel
        std::function<void(const std::string& yjcode)> apply;    // select in the drug list
    };

    // Opens with the focus on "選択".
    ResultsDialog(ui::Prompts& prompts, Actions actions, QWidget* parent);

    // Called when the dialog closes without "選択" after it showed results in the panel, to
    // show the list's selected drug there again.
    void setRestore(std::function<void()> restore) { restore_ = std::move(restore); }

    // Lists `results` and states their number on the count line.
    void setResults(std::vector<DrugResult> results);
    const std::vector<DrugResult>& results() const { return results_; }

    void done(int result) override;

  protected:
    // Puts a row of search conditions above the count line.
    void addConditions(QLayout* conditions);
    QListWidget* resultList() const { return list_; }
    QLabel* countLine() const { return count_; }
    ui::Prompts& prompts() const { return prompts_; }
    void applyChosen();

  private:
    ui::Prompts& prompts_;
    Actions actions_;
    std::function<void()> restore_;
    std::vector<DrugResult> results_;
    bool previewed_ = false;
    QVBoxLayout* layout_;
    QListWidget* list_;
    QLabel* count_;
};

// "全部で n 件のデータがみつかりました。"
QString countText(std::size_t n);

}  // namespace drugs
