// Who acts: the operating-system user, the terminal (host name) and the pharmacist chosen in
// the program's business panel. One per process, read by every library when it writes a row.
#pragma once

#include <string>

namespace audit {

struct Actor {
    std::string osUser;      // the login name; "" when the system names none
    std::string terminal;    // the host name
    std::string pharmacist;  // UTF-8; "" until the program sets one
};

// Sets the pharmacist (UTF-8) the rows written from now on name.
void setPharmacist(const std::string& name);
// Who acts now.
Actor currentActor();

}  // namespace audit
