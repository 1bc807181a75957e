// Collects the parallel lists a library call fills (one list per column, the n-th text of each
// belonging to row n) into a vector of row structs.
#pragma once

#include <string>
#include <vector>

namespace data {

template <class Row>
class ParallelColumns {
  public:
    explicit ParallelColumns(std::vector<Row>& rows) : rows_(rows) {}

    // One column: each text it receives goes into `field` of its next row.
    struct Column {
        ParallelColumns* owner;
        std::string Row::*field;
        std::size_t next = 0;

        static void add(void* context, const char* text) {
            auto* column = static_cast<Column*>(context);
            column->owner->row(column->next++).*(column->field) = text;
        }
    };

    Column column(std::string Row::*field) { return {this, field}; }

    // A library list sink (DrugListSink, PatientListSink) feeding `column`, which must outlive
    // the call.
    template <class Sink>
    static Sink sink(Column& column) {
        return Sink{&column, &Column::add, nullptr};
    }

  private:
    Row& row(std::size_t n) {
        while (n >= rows_.size()) rows_.emplace_back();
        return rows_[n];
    }

    std::vector<Row>& rows_;
};

}  // namespace data
