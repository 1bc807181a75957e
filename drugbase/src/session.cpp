#include "session.h"

#include "columns.h"
#include "messages.h"

namespace drugbase {

dbcall::Session& session() {
    static dbcall::Session s(kFileName, kPassword, messages);
    return s;
}

}  // namespace drugbase
