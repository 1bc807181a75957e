// A connection to one database, whatever the engine, and the transaction guard over it.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "sqlkit/dialect.h"
#include "sqlkit/statement.h"

namespace sqlkit {

// What kind of failure a connection's last one was, so a caller can say what the user can do.
enum class Fault {
    Other,  // the statement or the data: a refused change, a damaged file, a missing table
    Busy,   // another program held the write lock past the wait
    Lost,   // the server cannot be reached: stopped, out of reach, or the session was ended
};

class Connection {
  public:
    Connection() = default;
    virtual ~Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A statement of this connection; it must not outlive the connection.
    virtual Statement prepare(std::string_view sql) = 0;
    // Runs SQL without results (several statements may be given); false on failure.
    virtual bool exec(std::string_view sql) = 0;
    // The engine's text for the last failure on this connection.
    virtual std::string lastError() const = 0;
    // The kind of the last failure on this connection, a failed statement's included.
    virtual Fault lastFault() const = 0;
    virtual const Dialect& dialect() const = 0;

    // True when the file is sound; otherwise false with the engine's words in `problem`.
    // Reads every page, so it is meant for the start of a long write.
    bool checkIntegrity(std::string* problem);

    // How long a statement waits for another program's lock before it fails.
    virtual void setBusyWait(std::chrono::milliseconds wait) = 0;

    // Readies a connection kept across calls for the next call: ends what a failed call left
    // open and reconnects after a lost server. False with the engine's text when it cannot; a
    // file's connection is false when the file was replaced or removed, and is then opened anew.
    virtual bool readyForCall(std::string* /*error*/) { return true; }
};

using ConnectionPtr = std::unique_ptr<Connection>;

// Begins a transaction holding the write lock on construction (or with `begin`, SQL that
// begins one otherwise, e.g. while the lock does not exist yet); rolls back in the destructor
// unless commit() succeeded.
class Transaction {
  public:
    explicit Transaction(Connection& connection, std::string_view begin = {});
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool began() const { return began_; }
    bool commit();

  private:
    Connection& connection_;
    bool began_ = false;
    bool done_ = false;
};

}  // namespace sqlkit
