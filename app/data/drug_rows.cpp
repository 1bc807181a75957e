#include "data/drug_rows.h"

namespace data {

DrugRowView DrugRows::operator[](std::size_t row) const {
    const Record& r = records_[row];
    return {view(r[kCode]), view(r[kName]), view(r[kYjcode])};
}

void DrugRows::clear() {
    buffer_.resize(1);
    records_.clear();
    next_ = {};
}

void DrugRows::add(Column column, std::string_view text) {
    std::size_t& row = next_[column];
    if (row == records_.size()) records_.emplace_back();
    records_[row++][column] = store(text);
}

void DrugRows::insert(std::size_t at, const DrugRow& row) {
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(at), store(row));
}

void DrugRows::erase(std::size_t at) {
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(at));
}

void DrugRows::replace(std::size_t at, const DrugRow& row) {
    records_[at] = store(row);
}

DrugRows::Text DrugRows::store(std::string_view text) {
    const Text stored{static_cast<std::uint32_t>(buffer_.size()),
                      static_cast<std::uint32_t>(text.size())};
    buffer_.append(text);
    buffer_.push_back('\0');
    return stored;
}

DrugRows::Record DrugRows::store(const DrugRow& row) {
    return {store(row.code), store(row.name), store(row.yjcode)};
}

}  // namespace data
