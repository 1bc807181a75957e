#include "data/data_server.h"

namespace data {

ServerCheck checkServer(const std::filesystem::path& dataFolder) {
    return dataserver::checkServer(dataFolder);
}

std::optional<std::string> serverNamedIn(const std::filesystem::path& dataFolder) {
    return dataserver::serverNamedIn(dataFolder);
}

}  // namespace data
