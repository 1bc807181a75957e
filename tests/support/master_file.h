// Drug master files in the public layout, for the tests: 42 comma-separated CP932 columns per
// drug, no header, CR LF line ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sjis/sjis.h"

struct MasterDrug {
    std::string receiptCode, name, unit, price, yjCode, generalNameCode, generalName;  // UTF-8
    std::string generic = "0";  // column 17, 1 for a generic
};

// One row of the current layout (UTF-8), the other columns as the public file fills them.
inline std::string masterLine(const MasterDrug& d) {
    return "0,Y," + d.receiptCode + ",7," + d.name + ",09,ｶﾅ,33,1," + d.unit + ",1," + d.price +
           ",0,0,0,0," + d.generic + ",0,0,0,0,1,0,0,0,0,0,1,,20260401,99999999," + d.yjCode +
           ",001413000,0," + d.name + ",0," + d.generalNameCode + "," + d.generalName + ",2,0,0,1";
}

inline void writeMaster(const std::filesystem::path& file, const std::vector<MasterDrug>& drugs,
                        const std::string& extraLine = "") {
    std::ofstream out(file, std::ios::binary);
    for (const MasterDrug& d : drugs) out << sjis::fromUtf8(masterLine(d)) << "\r\n";
    if (!extraLine.empty()) out << sjis::fromUtf8(extraLine) << "\r\n";
}
