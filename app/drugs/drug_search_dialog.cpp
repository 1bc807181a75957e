#include "drugs/drug_search_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "drugs/search_terms.h"
#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/colour_button.h"
#include "ui/text_convert.h"
#include "ui/wait_window.h"

namespace drugs {
namespace {

// One labelled condition in row `row` of the conditions grid.
template <class Field>
Field* condition(QWidget* parent, QGridLayout* grid, int row, const char* label, const char* name) {
    auto* field = new Field(parent);
    field->setObjectName(name);
    auto* l = new QLabel(QString::fromUtf8(label), parent);
    l->setBuddy(field);
    grid->addWidget(l, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

QLineEdit* textCondition(QWidget* parent, QGridLayout* grid, int row, const char* label,
                         const char* name) {
    auto* e = condition<QLineEdit>(parent, grid, row, label, name);
    e->setMinimumWidth(220);
    ui::limitBytes(e, 250);
    return e;
}

QComboBox* choiceList(QWidget* parent, QGridLayout* grid, int row, const char* label,
                      const char* name, const std::vector<SearchChoice>& choices) {
    auto* c = condition<QComboBox>(parent, grid, row, label, name);
    for (const SearchChoice& choice : choices) c->addItem(QString::fromUtf8(choice.item));
    c->setCurrentIndex(0);
    return c;
}

std::string cp932Of(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

}  // namespace

DrugSearchDialog::DrugSearchDialog(ui::Prompts& prompts, Actions actions, QWidget* parent)
    : ResultsDialog(prompts, std::move(actions), parent) {
    setObjectName("drugSearchDialog");
    setWindowTitle("薬剤検索");
    // The conditions on the left; the search button and the note beside them.
    auto* grid = new QGridLayout;
    productName_ = textCondition(this, grid, 0, "薬剤名", "productNamePart");
    generalName_ = textCondition(this, grid, 1, "一般名", "generalNamePart");
    maker_ = textCondition(this, grid, 2, "製造会社", "makerPart");
    yjcode_ = textCondition(this, grid, 3, "ＹＪコード", "yjcodePart");
    route_ = choiceList(this, grid, 4, "投与経路", "routeList", routeChoices());
    form_ = choiceList(this, grid, 5, "剤形", "formList", formChoices());
    auto* start = new ui::ColourButton(1134, "左記条件で検索 ", this);
    start->setObjectName("searchButton");
    start->setFixedSize(130, 48);
    start->setAutoDefault(false);
    auto* note = new QLabel(
        "空欄や「条件なし」の項目は無視されます。部分的なキーワード入力も、そのワードが含まれる"
        "名称を全て検索します。",
        this);
    note->setObjectName("conditionsNote");
    note->setWordWrap(true);
    note->setFixedWidth(130);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(start, 0, 2, 2, 1, Qt::AlignTop);
    grid->addWidget(note, 2, 2, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(10);
    addConditions(grid);
    countLine()->setText("検索結果");
    productName_->setFocus();
    connect(start, &QPushButton::clicked, this, &DrugSearchDialog::search);
}

void DrugSearchDialog::search() {
    resultList()->clear();
    const auto text = [](QLineEdit* e) { return ui::toCp932(e->text(), 250); };
    data::DrugSearch conditions{
        text(productName_), text(generalName_), text(maker_), text(yjcode_), {}, {}};
    // Hiragana finds katakana names, as in the main window's name search box.
    conditions.productName = sjis::hiraToKata(conditions.productName);
    const auto& routeTerms = routeChoices()[static_cast<std::size_t>(route_->currentIndex())].terms;
    const auto& formTerms = formChoices()[static_cast<std::size_t>(form_->currentIndex())].terms;
    if (!routeTerms.empty()) conditions.route = cp932Of(routeTerms.front());
    for (const char* form : formTerms) conditions.forms.push_back(cp932Of(form));
    if (conditions.productName.empty() && conditions.generalName.empty() &&
        conditions.maker.empty() && conditions.yjcode.empty() && conditions.route.empty() &&
        conditions.forms.empty())
        return;
    std::vector<DrugResult> found;
    data::DataResult result;
    {
        ui::WaitWindow wait(this);
        result = data::DrugCatalogue().search(conditions, found);
    }
    if (result != data::DataResult::kDone) {
        reject();
        prompts().message(parentWidget(), "データベースに異常があります。", "エラー",
                          ui::Icon::Warning);
        return;
    }
    if (found.empty()) {
        setResults({});
        prompts().message(this, "条件に適合する薬剤データはありませんでした。", "検出なし",
                          ui::Icon::Warning);
        countLine()->setText("検索件数 0件");
        return;
    }
    setResults(std::move(found));
}

}  // namespace drugs
