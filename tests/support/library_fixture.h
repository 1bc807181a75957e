// What the library suites share: a data folder on either engine (the encrypted files in a
// temporary folder, or a temporary folder whose 接続先.conf points at a fresh database on the
// tests' throw-away server, dropped at the end; a suite runs on both with
// INSTANTIATE_ON_BOTH_ENGINES), sinks and a message handler that collect what a library hands
// out as UTF-8, and a fixture template for a fresh database opened through the library.
// `Library` names the library's file, password and calls:
//   struct Library {
//       static constexpr const char* kFile, *kPassword;
//       static bool createFile(const path&, std::string*);             // the empty file
//       static bool createTables(sqlkit::Connection&, std::string*);  // the server's tables
//       static int open(const char* folder, void* owner);
//       static void close();
//       static void setHandler(void (*)(void*, const char*), void*);
//   };
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dbcall/session.h"
#include "pg_server.h"
#include "sjis/sjis.h"
#include "sqlkit/server_lock.h"
#include "sqlkit/sqlkit.h"
#include "temp_dir.h"

using Strings = std::vector<std::string>;

// A record's fixed text field set from UTF-8, cut at a character boundary; and read back.
inline void setText(char* field, std::size_t width, const std::string& utf8) {
    sjis::copyField(field, width, sjis::fromUtf8(utf8));
}
#define SET(record, name, utf8) setText((record).name, sizeof((record).name), utf8)
inline std::string text(const char* field) {
    return sjis::toUtf8(field);
}

enum class Engine { Files, Server };

#define INSTANTIATE_ON_BOTH_ENGINES(suite)                           \
    INSTANTIATE_TEST_SUITE_P(                                        \
        On, suite, ::testing::Values(Engine::Files, Engine::Server), \
        [](const auto& info) { return info.param == Engine::Files ? "Files" : "Server"; })

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
        // With the write lock a server gets from server-init.
        if (!db || !createTables(*db, error) || !sqlkit::createServerLock(*db, error)) return false;
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

// The first column of the first row of `sql` on `db`, with `?` bound to `param` when given:
// "<null>" for NULL, "<no row>" without a row.
inline std::string firstText(sqlkit::Connection& db, const std::string& sql,
                             const char* param = nullptr) {
    sqlkit::Statement s = db.prepare(sql);
    EXPECT_TRUE(s.ok()) << s.error() << " in " << sql;
    if (param) s.bindMatch(1, param);
    return s.step() ? (s.isNull(0) ? "<null>" : std::string(s.text(0))) : "<no row>";
}

// A fixture on the files, or on either engine when a suite runs on both (OnEachEngine<...>).
class EngineFixture : public ::testing::Test {
  protected:
    virtual Engine engine() const { return Engine::Files; }
    // The server of the server half.
    virtual PgServer& server() const { return testServer(); }

    // Makes the empty `data` on the fixture's engine; the server half without a server skips.
    void makeData(EngineFolder& data, const EngineFolder::CreateFile& createFile,
                  const EngineFolder::CreateTables& createTables) {
        if (engine() == Engine::Server && !server().problem().empty())
            GTEST_SKIP() << server().problem();
        std::string error;
        ASSERT_TRUE(data.make(engine(), server(), createFile, createTables, &error)) << error;
    }
};

// Collects what a list-box sink (context, add, clear) receives.
template <class Sink>
struct CollectedList {
    Strings items;
    int clears = 0;
    Sink sink{this,
              [](void* c, const char* t) {
                  static_cast<CollectedList*>(c)->items.push_back(sjis::toUtf8(t));
              },
              [](void* c) {
                  auto* self = static_cast<CollectedList*>(c);
                  self->items.clear();
                  ++self->clears;
              }};
};

// Collects list-view rows (context, insert, set): the item number, column 0 and column 1.
template <class Sink>
struct CollectedView {
    struct Row {
        int item;
        std::string code, name;
    };
    std::vector<Row> rows;
    Sink sink{this,
              [](void* c, int item, const char* t) {
                  static_cast<CollectedView*>(c)->rows.push_back({item, sjis::toUtf8(t), ""});
              },
              [](void* c, int item, int column, const char* t) {
                  auto& rows = static_cast<CollectedView*>(c)->rows;
                  if (column == 1 && !rows.empty() && rows.back().item == item)
                      rows.back().name = sjis::toUtf8(t);
              }};
    // The rows as "column 0:column 1".
    Strings texts() const {
        Strings out;
        for (const Row& r : rows) out.push_back(r.code + ":" + r.name);
        return out;
    }
};

// Collects a library's messages for as long as it lives.
template <auto Install>
struct CollectedMessages {
    CollectedMessages() {
        Install(
            [](void* c, const char* t) { static_cast<Strings*>(c)->push_back(sjis::toUtf8(t)); },
            &list);
    }
    ~CollectedMessages() { Install(nullptr, nullptr); }
    CollectedMessages(const CollectedMessages&) = delete;
    CollectedMessages& operator=(const CollectedMessages&) = delete;
    Strings list;
};

// A fresh database opened through the library; on the files unless a suite runs on both
// engines (OnEachEngine<LibraryTest<...>>).
template <class Library>
class LibraryTest : public EngineFixture {
  protected:
    void SetUp() override {
        makeData(data, Library::createFile, Library::createTables);
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(Library::open(data.path().string().c_str(), nullptr), 0);
    }
    void TearDown() override {
        Library::close();
        // On the server every call went there, never to a file beside the server file.
        EXPECT_FALSE(data.onServer() && std::filesystem::exists(data.file()));
    }

    // Opens the data directly, for checks of stored values and for planting odd data.
    sqlkit::ConnectionPtr raw() const { return data.connect(); }

    // The first column of the first row of `sql`, with `?` bound to `param` when given:
    // "<null>" for NULL, "<no row>" without a row.
    std::string storedText(const std::string& sql, const char* param = nullptr) const {
        return firstText(*raw(), sql, param);
    }

    EngineFolder data{Library::kFile, Library::kPassword};
    CollectedMessages<Library::setHandler> log;
    Strings& messages = log.list;
};
