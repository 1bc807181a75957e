// The throw-away data server of the server benches, with 40,000 drugs and 5,000 patients,
// started at first use.
#pragma once

#include <string>

struct BenchServer {
    std::string conninfo;  // "host=<socket folder> port=... user=... dbname=..."
    std::string problem;   // why there is none
};
BenchServer benchServer();
