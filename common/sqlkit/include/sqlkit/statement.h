// A prepared statement with bound parameters, as a handle over the engine's own statement.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace sqlkit {

enum class StepResult { Row, Done, Error };

// One prepared statement of an engine; used only through Statement.
class StatementEngine {
  public:
    virtual ~StatementEngine() = default;
    // Binds exactly this text, the empty text included.
    virtual void bindText(int index, std::string_view utf8) = 0;
    virtual void bindBlob(int index, std::string_view bytes) = 0;
    virtual void bindInt(int index, long long value) = 0;
    virtual void bindNull(int index) = 0;
    virtual StepResult step() = 0;
    // Back to before the first row, with every parameter unbound.
    virtual void reset() = 0;
    virtual int columnCount() const = 0;
    // Column values of the current row: a NULL reads as "" or 0.
    virtual std::string_view text(int column) const = 0;
    virtual std::string_view blob(int column) const = 0;
    virtual long long integer(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    // The engine's text for the error the last step ended in.
    virtual std::string errorText() const = 0;
    // True when the last step failed because a statement kept from an earlier use no longer
    // fits the data (a table or column gone since): the failure a fresh prepare would have had.
    virtual bool outdated() const { return false; }
};

// Text is UTF-8. Binding an empty text binds NULL, and a NULL column reads back as "", as the
// record files expect. A statement that could not be prepared is !ok(), says why in error(),
// ignores what is bound to it, has no columns and fails its first step.
class Statement {
  public:
    explicit Statement(std::unique_ptr<StatementEngine> engine) : engine_(std::move(engine)) {}
    static Statement failed(std::string error);

    bool ok() const { return engine_ != nullptr; }
    const std::string& error() const { return error_; }

    // A value to store: an empty text is stored as NULL.
    Statement& bindText(int index, std::string_view utf8);
    // An operand of a comparison: an empty text stays the empty string, so "col <> ?" with ""
    // is true for every stored value, as it is for any other text.
    Statement& bindMatch(int index, std::string_view utf8);
    // Bytes to store: none are stored as NULL.
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bindInt(int index, long long value);
    Statement& bindNull(int index);

    // Advances to the next row: true when a row is there. After false, `failed()` tells
    // whether the statement ended in an error rather than at its last row.
    bool step();
    bool failed() const { return failed_; }
    // The failure was one of preparing, met only when the statement ran (StatementEngine).
    bool outdated() const { return engine_ && engine_->outdated(); }
    void reset();

    int columnCount() const { return engine_ ? engine_->columnCount() : 0; }
    std::string_view text(int column) const { return engine_ ? engine_->text(column) : ""; }
    std::string_view blob(int column) const { return engine_ ? engine_->blob(column) : ""; }
    long long integer(int column) const { return engine_ ? engine_->integer(column) : 0; }
    bool isNull(int column) const { return !engine_ || engine_->isNull(column); }

  private:
    Statement() = default;

    std::unique_ptr<StatementEngine> engine_;
    std::string error_;
    bool failed_ = false;
};

}  // namespace sqlkit
