// "薬局情報": the pharmacy the e-medication-handbook codes name (record 11), kept with the data so
// every terminal of a shared server prints the same. OK checks each field, says in Japanese
// which one is not of its shape and keeps the box open; else stores them and closes.
#pragma once

#include <QDialog>
#include <array>

#include "data/phrase_store.h"
#include "ui/prompts.h"

class QLineEdit;

namespace shell {

class PharmacyDialog : public QDialog {
    Q_OBJECT
  public:
    PharmacyDialog(ui::Prompts& prompts, QWidget* parent);

  private:
    void store();

    ui::Prompts& prompts_;
    std::array<QLineEdit*, data::kPharmacyFields> boxes_{};
};

}  // namespace shell
