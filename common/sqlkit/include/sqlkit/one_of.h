// A condition on a column matching any of several texts, sent as one statement.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sqlkit/dialect.h"
#include "sqlkit/statement.h"

namespace sqlkit {

// How many texts one statement of oneOf may take: any number as a server array, a batch the
// files' parameter limit allows otherwise.
std::size_t oneOfLimit(const Dialect& dialect);

// "column = ANY(?)" or "column IN (?, ...)" for `count` texts (1 to oneOfLimit).
std::string oneOf(const Dialect& dialect, std::string_view column, std::size_t count);

// Binds the texts (UTF-8) of a oneOf condition from parameter `first` on; returns the index of
// the parameter after them.
int bindOneOf(Statement& statement, const Dialect& dialect, int first,
              const std::vector<std::string>& texts);

}  // namespace sqlkit
