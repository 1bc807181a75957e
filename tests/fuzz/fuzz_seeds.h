// Starting inputs for the fuzz targets: valid files of every kind the readers take.
#pragma once

#include <string>
#include <vector>

namespace fuzzseeds {

// "k3_records" or "jpeg_decode".
std::vector<std::string> seeds(const std::string& target);

}  // namespace fuzzseeds
