// The data folder of a library test on either engine: the encrypted files in a temporary
// folder, or a temporary folder whose 接続先.conf points at a fresh database on the tests'
// throw-away server (dropped at the end). A suite runs on both with
// INSTANTIATE_ON_BOTH_ENGINES; its fixture takes the engine from engine().
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "dbcall/session.h"
#include "pg_server.h"
#include "sqlkit/sqlkit.h"
#include "temp_dir.h"

enum class Engine { Files, Server };

inline void PrintTo(Engine engine, std::ostream* out) {
    *out << (engine == Engine::Files ? "the files" : "a server");
}

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Files ? "Files" : "Server";
}

#define INSTANTIATE_ON_BOTH_ENGINES(suite)                                                \
    INSTANTIATE_TEST_SUITE_P(On, suite, ::testing::Values(Engine::Files, Engine::Server), \
                             engineName)

// A fixture `Base` whose engine is the test's parameter.
template <class Base>
class OnEachEngine : public Base, public ::testing::WithParamInterface<Engine> {
  protected:
    Engine engine() const override { return GetParam(); }
};

class EngineFolder {
  public:
    using CreateFile = std::function<bool(const std::filesystem::path& folder, std::string*)>;
    using CreateTables = std::function<bool(sqlkit::Connection&, std::string*)>;

    EngineFolder(const char* fileName, const char* password)
        : fileName_(fileName), password_(password) {}
    ~EngineFolder() {
        if (server_) server_->dropDatabase(conninfo_);
    }
    EngineFolder(const EngineFolder&) = delete;
    EngineFolder& operator=(const EngineFolder&) = delete;

    // Makes the empty database: the file, or the tables on a fresh database of `server` and
    // the folder's server file naming it. False with the reason.
    bool make(Engine engine, PgServer& server, const CreateFile& createFile,
              const CreateTables& createTables, std::string* error) {
        if (engine == Engine::Files) return createFile(dir_.path(), error);
        server_ = &server;
        conninfo_ = server.freshDatabase();
        auto db = sqlkit::openServer(conninfo_, error);
        if (!db || !createTables(*db, error)) return false;
        std::ofstream(dir_.path() / dbcall::kServerFileName) << conninfo_ << "\n";
        return true;
    }

    const std::filesystem::path& path() const { return dir_.path(); }
    bool onServer() const { return !conninfo_.empty(); }
    // The data file; on the server there must be none.
    std::filesystem::path file() const { return dir_.path() / fileName_; }

    // A connection of its own to the same data, as another tool would open it.
    sqlkit::ConnectionPtr connect() const {
        std::string error;
        auto db = onServer() ? sqlkit::openServer(conninfo_, &error)
                             : sqlkit::openEncrypted(file(), password_, &error);
        EXPECT_TRUE(db) << error;
        return db;
    }

    // The values of `expression` over the rows joined by ",".
    std::string listOf(const std::string& expression) const {
        return onServer() ? "string_agg(CAST(" + expression + " AS TEXT), ',')"
                          : "group_concat(" + expression + ")";
    }

    // SQL making every `event` ("INSERT" or "UPDATE") on `table` fail with the engine's error,
    // as a full disk would, when `condition` (over NEW) holds.
    std::string refusal(const std::string& table, const std::string& event,
                        const std::string& condition = "1 = 1") const {
        const std::string name = "refuse_" + event;
        if (!onServer())
            return "CREATE TRIGGER " + name + " BEFORE " + event + " ON " + table + " WHEN " +
                   condition + " BEGIN SELECT RAISE(ABORT, 'refused'); END";
        return "CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
               "$$BEGIN RAISE EXCEPTION 'refused'; END$$; CREATE TRIGGER " +
               name + " BEFORE " + event + " ON " + table + " FOR EACH ROW WHEN (" + condition +
               ") EXECUTE FUNCTION refuse()";
    }

  private:
    TempDir dir_;
    const char* fileName_;
    const char* password_;
    PgServer* server_ = nullptr;
    std::string conninfo_;
};
