// Text helpers of the PostgreSQL engine.
#pragma once

#include <libpq-fe.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "sqlkit/connection.h"

namespace sqlkit::detail {

// The statement with each "?" parameter numbered as libpq wants it ("$1", "$2", ...); question
// marks inside quoted texts and names stay as they are. `count` (out, optional): how many.
std::string numberedParameters(std::string_view sql, int* count = nullptr);

// The statement with every sort term (ORDER BY, and the columns of a new index) putting NULL
// first in ascending and last in descending order, as the files sort it.
std::string nullsFirst(std::string_view sql);

// The first line of libpq's message for a result or, without one, for the connection.
std::string engineText(const PGresult* result, const PGconn* connection);

// The keywords a connection string gives a value with their values, or nothing with libpq's
// reason in `problem`.
using Keywords = std::map<std::string, std::string>;
std::optional<Keywords> keywordsOf(std::string_view conninfo, std::string* problem);

// The kind of a failure, from the connection's state and the result's SQLSTATE.
Fault faultOf(const PGresult* result, const PGconn* connection);

}  // namespace sqlkit::detail
