// The rows of the main drug list (CP932) in two blocks of memory: every text of every row lies in
// one character buffer, each ended by a zero byte, and each row is a fixed-size record of where
// its three texts lie. Filling 40,000 rows then grows two buffers instead of making 120,000
// strings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// One row of the main drug list (CP932), owning its texts.
struct DrugRow {
    std::string code, name, yjcode;
};

// A text of a stored row: a view into the rows' buffer that is zero-terminated too, valid until
// the rows change.
class RowText : public std::string_view {
  public:
    RowText(const char* text, std::size_t size) : std::string_view(text, size) {}
    const char* c_str() const { return data(); }
    // A copy for the calls that take the texts as strings.
    operator std::string() const { return std::string(data(), size()); }
};

// A stored row as views of its texts.
struct DrugRowView {
    RowText code, name, yjcode;
};

class DrugRows {
  public:
    enum Column { kCode = 0, kName = 1, kYjcode = 2 };

    int count() const { return static_cast<int>(records_.size()); }
    DrugRowView operator[](std::size_t row) const;

    // Empties the rows, keeping their memory for the next fill.
    void clear();
    // Sets `column` of the next row whose text in that column is not set yet, adding a row
    // when there is none: the library delivers its lists column by column or row by row.
    void add(Column column, std::string_view text);

    void insert(std::size_t at, const DrugRow& row);
    void erase(std::size_t at);
    // Gives the row at `at` these texts (the old ones stay unused in the buffer until the next
    // fill).
    void replace(std::size_t at, const DrugRow& row);

  private:
    struct Text {
        std::uint32_t offset = 0, size = 0;
    };
    using Record = std::array<Text, 3>;

    Text store(std::string_view text);
    Record store(const DrugRow& row);
    RowText view(Text text) const { return {buffer_.data() + text.offset, text.size}; }

    // Starts with a zero byte: records not set yet point at that empty text.
    std::string buffer_ = std::string(1, '\0');
    std::vector<Record> records_;
    std::array<std::size_t, 3> next_{};
};

}  // namespace data
