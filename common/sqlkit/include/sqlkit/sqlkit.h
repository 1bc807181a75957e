// The engine layer shared by the database libraries: connections, prepared statements with
// bound parameters, a transaction guard and the dialect of each engine. No engine handle
// crosses this interface.
#pragma once

#include "sqlkit/connection.h"
#include "sqlkit/dialect.h"
#include "sqlkit/postgres.h"
#include "sqlkit/sqlcipher.h"
#include "sqlkit/statement.h"
