// Starting inputs for the fuzz targets: valid files of every kind the readers take.
#pragma once

#include <string>
#include <vector>

namespace fuzzseeds {

// "k3_records", "jpeg_decode" or "prescription_read".
std::vector<std::string> seeds(const std::string& target);

}  // namespace fuzzseeds
