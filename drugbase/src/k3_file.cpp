#include "k3_file.h"

namespace drugbase::k3 {

bool RecordReader::next(std::string_view& record) {
    if (count_ >= kMaxRecords || !std::getline(in_, line_)) return false;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (line_.empty() || line_.front() != '"') return false;
    ++count_;
    record = line_;
    return true;
}

}  // namespace drugbase::k3
