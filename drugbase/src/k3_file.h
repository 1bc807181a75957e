// Reading the records of a K3 file line by line.
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace drugbase::k3 {

// No more records than this are read from one file.
inline constexpr int kMaxRecords = 40001;

class RecordReader {
  public:
    explicit RecordReader(std::istream& in) : in_(in) {}

    // The next record: its line without the line break (CR LF or LF). False at the end of the
    // records: the end of the file, a line that does not begin with a double quote, or
    // kMaxRecords records read.
    bool next(std::string_view& record);

    // Records read so far.
    int count() const { return count_; }
    // Whether reading stopped on a read error rather than at the end of the records.
    bool failed() const { return in_.bad(); }

  private:
    std::istream& in_;
    std::string line_;
    int count_ = 0;
};

}  // namespace drugbase::k3
