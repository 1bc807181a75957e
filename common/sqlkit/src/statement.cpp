// The engine-independent rules of a statement: how texts and blobs become NULL, and failure.
#include "sqlkit/statement.h"

namespace sqlkit {

Statement Statement::failed(std::string error) {
    Statement s;
    s.error_ = std::move(error);
    return s;
}

Statement& Statement::bindText(int index, std::string_view utf8) {
    if (utf8.empty()) return bindNull(index);
    if (engine_) engine_->bindText(index, utf8);
    return *this;
}

Statement& Statement::bindMatch(int index, std::string_view utf8) {
    if (engine_) engine_->bindText(index, utf8);
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    if (bytes.empty()) return bindNull(index);
    if (engine_) engine_->bindBlob(index, bytes);
    return *this;
}

Statement& Statement::bindInt(int index, long long value) {
    if (engine_) engine_->bindInt(index, value);
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (engine_) engine_->bindNull(index);
    return *this;
}

bool Statement::step() {
    if (!engine_) {
        failed_ = true;
        return false;
    }
    switch (engine_->step()) {
        case StepResult::Row:
            return true;
        case StepResult::Done:
            return false;
        case StepResult::Error:
            break;
    }
    failed_ = true;
    error_ = engine_->errorText();
    return false;
}

void Statement::reset() {
    if (engine_) engine_->reset();
    failed_ = false;
}

}  // namespace sqlkit
