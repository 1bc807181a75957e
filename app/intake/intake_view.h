// The read prescription as the intake dialog shows it: institution, prescriber, patient and
// date, then each RP with its drugs, how each drug was matched and the dosage it will get. A
// drug matched to one product is ticked for the print list; a drug with several candidates gets
// a list to choose the product from; an unmatched drug is shown as left out; a drug with
// reasons to be checked is shown in red with them and left unticked.
#pragma once

#include <QObject>
#include <optional>
#include <vector>

#include "intake/print_list_fill.h"
#include "prescriptionfill/intake.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace intake {

class IntakeView : public QObject {
    Q_OBJECT
  public:
    explicit IntakeView(QTreeWidget* tree);

    // Shows a prescription and its intake (both must outlive the view's use of them).
    void show(const prescription::Prescription& prescription, const prescription::Intake& intake);
    void clear();

    // Matches the drug of the current row to `product`, chosen by the pharmacist; false when
    // no drug row is current.
    bool pickForCurrent(const prescription::CatalogueDrug& product);

    // The ticked drugs with their products, in the prescription's order.
    std::vector<ChosenDrug> chosen() const;

  private:
    struct Row {
        const prescription::IntakeDrug* entry;
        std::optional<prescription::CatalogueDrug> product;
        QTreeWidgetItem* item;
    };

    void addDrug(QTreeWidgetItem* rpItem, const prescription::IntakeDrug& entry);
    static void markForChecking(QTreeWidgetItem* item, const std::vector<std::string>& checks);
    QComboBox* candidateList(Row& row, int number);
    void choose(std::size_t row, int candidate);
    void showDosage(const Row& row);
    void include(Row& row, bool on);

    QTreeWidget* tree_;
    std::vector<Row> rows_;
};

}  // namespace intake
