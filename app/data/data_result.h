// What became of a call into one of the data libraries, as the program's windows need to know
// it. A failure has already been reported through the libraries' message handler.
#pragma once

namespace data {

enum class DataResult {
    kDone,      // done; for a lookup: found
    kNotFound,  // a lookup found nothing (no message)
    kFailed,    // the library failed and has said why
};

// Whether a key is taken, for the uniqueness checks before a record is written.
enum class Presence { kAbsent, kPresent, kFailed };

}  // namespace data
