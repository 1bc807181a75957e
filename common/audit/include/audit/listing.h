// The trails of a data folder seen together: each database's chain checked on its own, the
// rows of all of them merged by time and filtered, for leafletadmin and the 監査ログ window.
#pragma once

#include <string>
#include <vector>

#include "audit/chain.h"

namespace audit {

// One database's trail: its name (the file, or the server) and its rows in the order written.
struct Chain {
    std::string name;
    std::vector<Row> rows;
};

struct Filter {
    std::string patientId;  // "" for every row
    std::string since;      // 'YYYY-MM-DD'; "" for every row
};

// The rows of every chain that pass the filter, by time; rows of one second keep their
// chain's order, the chains in the order given.
std::vector<Row> listed(const std::vector<Chain>& chains, const Filter& filter);

// "" when every chain holds; else what is wrong with the first chain that does not, naming the
// row by its place and SEQ ("患者ファイル.mdb: row 3 (SEQ 3) does not match ...").
std::string firstBreak(const std::vector<Chain>& chains);

}  // namespace audit
