#include "drugs/drug_search_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "drugs/search_terms.h"
#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/colour_button.h"
#include "ui/text_convert.h"

namespace drugs {
namespace {

QLineEdit* condition(QWidget* parent, const char* label, const char* name, int y) {
    auto* l = new QLabel(QString::fromUtf8(label), parent);
    l->setGeometry(10, y, 80, 22);
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(90, y, 220, 22);
    ui::limitBytes(e, 250);
    return e;
}

QComboBox* choiceList(QWidget* parent, const char* label, const char* name, int y,
                      const std::vector<SearchChoice>& choices) {
    auto* l = new QLabel(QString::fromUtf8(label), parent);
    l->setGeometry(10, y, 80, 22);
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(90, y, 140, 22);
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
    productName_ = condition(this, "薬剤名", "productNamePart", 10);
    generalName_ = condition(this, "一般名", "generalNamePart", 36);
    maker_ = condition(this, "製造会社", "makerPart", 62);
    yjcode_ = condition(this, "ＹＪコード", "yjcodePart", 88);
    route_ = choiceList(this, "投与経路", "routeList", 114, routeChoices());
    form_ = choiceList(this, "剤形", "formList", 140, formChoices());
    auto* start = new ui::ColourButton(1134, "左記条件で検索 ", this);
    start->setObjectName("searchButton");
    start->setGeometry(320, 10, 110, 48);
    start->setAutoDefault(false);
    auto* note = new QLabel(
        "空欄や「条件なし」の項目は無視されます。部分的なキーワード入力も、そのワードが含まれる"
        "名称を全て検索します。",
        this);
    note->setWordWrap(true);
    note->setGeometry(240, 64, 190, 100);
    countLine()->setText("検索結果");
    connect(start, &QPushButton::clicked, this, &DrugSearchDialog::search);
}

void DrugSearchDialog::search() {
    resultList()->clear();
    const auto text = [](QLineEdit* e) { return ui::toCp932(e->text(), 250); };
    data::DrugSearch conditions{
        text(productName_), text(generalName_), text(maker_), text(yjcode_), {}, {}};
    const auto& routeTerms = routeChoices()[static_cast<std::size_t>(route_->currentIndex())].terms;
    const auto& formTerms = formChoices()[static_cast<std::size_t>(form_->currentIndex())].terms;
    if (!routeTerms.empty()) conditions.route = cp932Of(routeTerms.front());
    for (const char* form : formTerms) conditions.forms.push_back(cp932Of(form));
    if (conditions.productName.empty() && conditions.generalName.empty() &&
        conditions.maker.empty() && conditions.yjcode.empty() && conditions.route.empty() &&
        conditions.forms.empty())
        return;
    std::vector<DrugResult> found;
    if (data::DrugCatalogue().search(conditions, found) != data::DataResult::kDone) {
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
