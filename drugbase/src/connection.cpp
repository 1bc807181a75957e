// RecordOpen, RecordClose, filefinder and the message-handler setter.
#include <filesystem>
#include <string_view>

#include "messages.h"
#include "session.h"

namespace {

// "*" matches any run of characters, "?" any one character; everything else itself.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

extern "C" {

DRUGBASE_API void RecordSetMessageHandler(DrugMessageHandler handler, void* context) {
    drugbase::messages.install(handler, context);
}

DRUGBASE_API int RecordOpen(const char* folder, void*) {
    switch (drugbase::session().attach(folder)) {
        case dbcall::Session::Attach::Ready:
            return DRUGBASE_OK;
        case dbcall::Session::Attach::FileMissing:
            drugbase::report(drugbase::Message::FileMissing);
            return DRUGBASE_OK;
        case dbcall::Session::Attach::NoEncryption:
        case dbcall::Session::Attach::BadServerFile:
            break;
    }
    return DRUGBASE_CONDITION;
}

DRUGBASE_API void RecordClose(void) {
    drugbase::session().detach();
}

DRUGBASE_API int filefinder(const char* path) {
    if (!path || !*path) return 0;
    const std::filesystem::path full(path);
    const std::string pattern = full.filename().string();
    std::error_code ec;
    if (pattern.find_first_of("*?") == std::string::npos)
        return std::filesystem::exists(full, ec) ? 1 : 0;
    const auto dir = full.has_parent_path() ? full.parent_path() : std::filesystem::path(".");
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (wildcardMatch(pattern, entry.path().filename().string())) return 1;
    }
    return 0;
}

}  // extern "C"
