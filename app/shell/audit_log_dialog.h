// 監査ログ: the audit trails of the data folder, read only, filtered by patient ID and by the
// day from which rows are shown, with the state of every hash chain.
#pragma once

#include <QDialog>
#include <filesystem>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace ui {
class Prompts;
}

namespace shell {

class AuditLogDialog : public QDialog {
    Q_OBJECT
  public:
    AuditLogDialog(const std::filesystem::path& databaseFolder, ui::Prompts& prompts,
                   QWidget* parent);

  private:
    // Reads the trails again and shows the rows the filter passes; a filter that is no
    // patient ID or no date is refused with a message.
    void refresh();

    std::filesystem::path databaseFolder_;
    ui::Prompts& prompts_;
    QLineEdit* patient_;
    QLineEdit* since_;
    QTableWidget* table_;
    QLabel* chainState_;
};

}  // namespace shell
