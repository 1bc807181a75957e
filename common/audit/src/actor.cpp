#include "audit/actor.h"

#include <pwd.h>
#include <unistd.h>

#include <mutex>

namespace audit {
namespace {

std::mutex guard;
std::string pharmacist;

std::string loginName() {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name) return entry->pw_name;
    return {};
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

}  // namespace

void setPharmacist(const std::string& name) {
    const std::lock_guard lock(guard);
    pharmacist = name;
}

Actor currentActor() {
    static const std::string user = loginName();
    static const std::string host = hostName();
    const std::lock_guard lock(guard);
    return {user, host, pharmacist};
}

}  // namespace audit
