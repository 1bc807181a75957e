#include "class_names.h"

#include <fstream>

#include "import_folder.h"
#include "k3_file.h"
#include "k3_records.h"
#include "messages.h"

namespace drugbase {

std::string ClassNames::nameOf(const std::string& code) {
    if (!read_) read();
    const auto it = names_.find(code);
    return it == names_.end() ? code : it->second;
}

void ClassNames::read() {
    read_ = true;
    std::ifstream in(importFile(kClassNameFile), std::ios::binary);
    if (!in) {
        report(Message::ImportFileOpen);
        return;
    }
    k3::RecordReader reader(in);
    std::string_view record;
    while (reader.next(record)) {
        const k3::ClassNameRecord r = k3::parseClassName(record);
        // The first record of a code gives its name.
        if (r.code && r.name) names_.emplace(*r.code, *r.name);
    }
}

}  // namespace drugbase
