#include "data/data_server.h"

namespace data {

ServerCheck checkServer(const std::filesystem::path& dataFolder) {
    return dataserver::checkServer(dataFolder);
}

}  // namespace data
