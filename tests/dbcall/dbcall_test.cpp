// The data-call layer on both engines: where a session points, how each idiom fails and what
// it reports, and how messages reach a library's caller.
#include <fstream>
#include <functional>
#include <optional>

#include "dbcall/record_fields.h"
#include "dbcall/session.h"
#include "engine_table.h"
#include "folderkey/key_messages.h"
#include "folderkey/key_store.h"
#include "sjis/sjis.h"

namespace {

Strings said;
dbcall::MessageChannel channel("testlib");

void collect(void*, const char* cp932) {
    said.push_back(sjis::toUtf8(cp932));
}

// The table fixture with a session on its folder whose messages are collected.
class DataCallTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        said.clear();
        channel.install(collect, nullptr);
        ASSERT_EQ(session.attach(data.path().string().c_str()), dbcall::Session::Attach::Ready);
    }
    void TearDown() override { channel.install(nullptr, nullptr); }

    dbcall::Session session{kFile, kPassword, channel};
};

using DataCall = OnEachEngine<DataCallTest>;
INSTANTIATE_ON_BOTH_ENGINES(DataCall);

// On a server of the test's own, which it stops.
class StoppedServerCall : public DataCallTest {
  protected:
    Engine engine() const override { return Engine::Server; }
    PgServer& server() const override { return ownServer(); }
};

}  // namespace

TEST_P(DataCall, ReadsWalkEveryRowAndLookUpsTellFoundFromMissing) {
    ASSERT_TRUE(data.connect()->exec("INSERT INTO t (n, name) VALUES (1, 'a'), (2, 'b')"));
    dbcall::Recordset all(session, "SELECT name FROM t ORDER BY n");
    ASSERT_TRUE(all);
    Strings values;
    EXPECT_TRUE(all.walk([&](sqlkit::Statement& row) {
        values.emplace_back(row.text(0));
        return true;
    }));
    EXPECT_EQ(values, (Strings{"a", "b"}));
    for (const auto& [key, expected] :
         {std::pair{2, dbcall::Lookup::Found}, std::pair{3, dbcall::Lookup::Missing}}) {
        dbcall::Recordset one(session, "SELECT name FROM t WHERE n = ?");
        one->bindInt(1, key);
        EXPECT_EQ(one.lookUp(), expected) << key;
    }
    EXPECT_TRUE(said.empty());
}

TEST_P(DataCall, AStatementThatCannotBePreparedReportsTheRecordsetOpen) {
    dbcall::Recordset missing(session, "SELECT name FROM no_such_table");
    EXPECT_FALSE(missing);
    EXPECT_EQ(said, Strings{"Error:Could not RECORDSET.Open"});
    EXPECT_FALSE(session.lastEngineText().empty());
}

TEST_P(DataCall, ARefusedChangeReportsTheUpdateAndAWriteIsStoredOnlyWhenItCommits) {
    ASSERT_TRUE(data.connect()->exec(data.refusal("t", "INSERT", "NEW.n = 2")));
    {
        dbcall::WriteCall uncommitted(session);
        auto accepted = uncommitted.prepare("INSERT INTO t (n) VALUES (1)");
        auto refused = uncommitted.prepare("INSERT INTO t (n) VALUES (2)");
        ASSERT_TRUE(uncommitted.ok() && accepted && refused && uncommitted.execute(*accepted));
        EXPECT_FALSE(uncommitted.execute(*refused));
    }
    EXPECT_EQ(said, Strings{"Error:RECORDSET.Update"});
    EXPECT_NE(session.lastEngineText().find("refused"), std::string::npos);
    EXPECT_EQ(first("SELECT count(*) FROM t"), "0");
    dbcall::WriteCall write(session);
    auto insert = write.prepare("INSERT INTO t (n) VALUES (3)");
    ASSERT_TRUE(insert && write.execute(*insert) && write.commit());
    EXPECT_EQ(first("SELECT count(*) FROM t"), "1");
    EXPECT_EQ(said.size(), 1u);
}

TEST_P(DataCall, AWriteLockHeldPastTheWaitIsReportedAsAnotherTerminalWriting) {
    auto holder = data.connect();
    sqlkit::Transaction stalled(*holder);
    ASSERT_TRUE(stalled.began());
    session.setWriteWait(std::chrono::milliseconds(100));
    dbcall::WriteCall write(session);
    EXPECT_FALSE(write.ok());
    EXPECT_EQ(said, Strings{dbcall::Failure::OtherTerminalWriting.utf8});
}

// The file a call reads is the file at the session's path when the call starts, though the
// session keeps its connection between calls.
TEST_F(DataCallTest, ACallReadsTheFileThatIsAtThePathWhenItStarts) {
    namespace fs = std::filesystem;
    const fs::path file = data.path() / kFile;
    const auto readN = [this] {
        dbcall::Recordset read(session, "SELECT n FROM t");
        return read && read.lookUp() == dbcall::Lookup::Found ? read->integer(0) : -1;
    };
    // A new file holding 7: renamed into place; copied over the same inode (with the salt, and
    // so the key, of its own); its folder opened; re-keyed with a key of the folder's own and
    // renamed into place; or the file removed.
    const char* changes[] = {"renamed", "copied over", "another folder", "re-keyed", "removed"};
    sqlkit::FileKey key = kPassword;
    for (int change = 0; change < 5; ++change) {
        SCOPED_TRACE(changes[change]);
        said.clear();
        TempDir other;
        const fs::path made = other.path() / kFile;
        ASSERT_EQ(session.attach(data.path().string().c_str()), dbcall::Session::Attach::Ready);
        ASSERT_EQ(readN(), -1);
        if (change == 3) {
            const std::string id = folderkey::randomFolderId();
            const folderkey::Key own = folderkey::randomKey();
            ASSERT_TRUE(folderkey::saveKey(id, own, nullptr));
            ASSERT_TRUE(folderkey::writeFolderId(data.path(), id));
            key = sqlkit::FileKey::raw(own);
        }
        ASSERT_TRUE(sqlkit::createEncrypted(
            made, key, "CREATE TABLE t (n); INSERT INTO t VALUES (7)", nullptr));
        if (change == 0 || change == 3) fs::rename(made, file);
        if (change == 1) fs::copy_file(made, file, fs::copy_options::overwrite_existing);
        if (change == 2) session.attach(other.path().string().c_str());
        if (change == 4) fs::remove(file);
        EXPECT_EQ(readN(), change == 4 ? -1 : 7);
        EXPECT_EQ(said, change == 4 ? Strings{"Error:DATABASE.Open"} : Strings{});
        if (change == 4) break;
        db = sqlkit::openEncrypted(file, key, nullptr);
        ASSERT_TRUE(db && db->exec("DELETE FROM t"));
    }
}

TEST_F(DataCallTest, NoLockOrLongWriteSettingOutlivesACall) {
    ASSERT_TRUE(db->exec("INSERT INTO t (n) VALUES (1), (2)"));
    {
        dbcall::Recordset stopped(session, "SELECT n FROM t");
        ASSERT_TRUE(stopped && stopped.lookUp() == dbcall::Lookup::Found);
    }
    {
        dbcall::WriteCall dropped(session);
        ASSERT_TRUE(dropped.ok() && dropped.startBulkWrite());
    }
    // Another program writes at once, with no wait for a lock.
    db->setBusyWait(std::chrono::milliseconds(0));
    sqlkit::Transaction other(*db);
    EXPECT_TRUE(other.began() && insert(*db, 3) && other.commit());
    dbcall::Recordset spill(session, "PRAGMA cache_spill");
    ASSERT_TRUE(spill && spill.lookUp() == dbcall::Lookup::Found);
    EXPECT_NE(spill->integer(0), 0);  // the pages a write may spill; 0 when off
}

TEST_F(StoppedServerCall, WhicheverStepMeetsTheStoppedServerTheMessageNamesItAndNothingIsStored) {
    if (IsSkipped()) return;
    const std::string place = sqlkit::serverPlace(dbcall::serverAddressIn(data.path()));
    const char* steps[] = {"the connection", "the prepare", "the update", "the commit",
                           "the lookup"};
    for (int stopBefore = 0; stopBefore < 5; ++stopBefore) {
        SCOPED_TRACE(steps[stopBefore]);
        said.clear();
        // pg_ctl returns once the server's process is gone: the step meets a stopped server.
        const auto reached = [&](int step) {
            if (step == stopBefore) {
                ASSERT_TRUE(server().stop());
            }
        };
        if (stopBefore == 4) {
            dbcall::Recordset read(session, "SELECT n FROM t");
            reached(4);
            EXPECT_EQ(read.lookUp(), dbcall::Lookup::Failed);
        } else {
            reached(0);
            dbcall::WriteCall write(session);
            std::optional<sqlkit::Statement> insert;
            if (write.ok()) {
                reached(1);
                insert = write.prepare("INSERT INTO t (n) VALUES (1)");
            }
            if (insert && (reached(2), write.execute(*insert))) {
                reached(3);
                write.commit();
            }
        }
        ASSERT_EQ(said.size(), 1u);
        EXPECT_TRUE(said[0].starts_with("データベースサーバーに接続できません。")) << said[0];
        EXPECT_NE(said[0].find(place), std::string::npos) << said[0];
        // Back, the server is reached again by the next call, and holds nothing of the last.
        ASSERT_TRUE(server().start());
        dbcall::Recordset count(session, "SELECT count(*) FROM t");
        ASSERT_TRUE(count && count.lookUp() == dbcall::Lookup::Found);
        EXPECT_EQ(count->integer(0), 0);
    }
}

TEST(Session, AFolderWithoutUsableDataFailsEveryCallAtTheDatabaseOpen) {
    using path = std::filesystem::path;
    using Attach = dbcall::Session::Attach;
    struct Case {
        const char* name;
        std::function<void(const path&)> plant;
        Attach attach;
        const char* failure = dbcall::Failure::DatabaseOpen.utf8;  // "%1": the folder's id
    };
    // A folder with an id, its file keyed with something else, and its key kept or not.
    const auto keyedFolder = [](bool keyKept) {
        return [keyKept](const path& f) {
            const std::string id = folderkey::randomFolderId();
            ASSERT_TRUE(folderkey::writeFolderId(f, id));
            if (keyKept) {
                ASSERT_TRUE(folderkey::saveKey(id, folderkey::randomKey(), nullptr));
            }
            ASSERT_TRUE(
                sqlkit::createEncrypted(f / kFile, "another", "CREATE TABLE t (n)", nullptr));
        };
    };
    const Case cases[] = {
        {"no file", [](const path&) {}, Attach::FileMissing},
        {"an empty file", [](const path& f) { std::ofstream(f / kFile); }, Attach::Ready},
        {"another key",
         [](const path& f) {
             ASSERT_TRUE(
                 sqlkit::createEncrypted(f / kFile, "another", "CREATE TABLE t (n)", nullptr));
         },
         Attach::Ready},
        {"an empty server file", [](const path& f) { std::ofstream(f / dbcall::kServerFileName); },
         Attach::BadServerFile},
        {"a password in the server file",
         [](const path& f) { std::ofstream(f / dbcall::kServerFileName) << "host=x password=y\n"; },
         Attach::BadServerFile},
        {"the folder's key missing", keyedFolder(false), Attach::Ready,
         dbcall::Failure::KeyMissing.utf8},
        {"a folder key that does not open the file", keyedFolder(true), Attach::Ready,
         dbcall::Failure::KeyWrong.utf8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        c.plant(dir.path());
        said.clear();
        channel.install(collect, nullptr);
        dbcall::Session session(kFile, kPassword, channel);
        EXPECT_EQ(session.attach(dir.path().string().c_str()), c.attach);
        dbcall::Recordset read(session, "SELECT n FROM t");
        dbcall::WriteCall write(session);
        EXPECT_FALSE(read);
        EXPECT_FALSE(write.ok());
        const auto id = folderkey::folderIdOf(dir.path());
        EXPECT_EQ(said, Strings(2, folderkey::filledIn(c.failure, id.value_or(""))));
        channel.install(nullptr, nullptr);
    }
}

TEST(MessageChannel, TextsReachTheHandlerInCp932OrStderrWithTheLibrarysName) {
    Strings raw;
    channel.install([](void* c, const char* t) { static_cast<Strings*>(c)->push_back(t); }, &raw);
    channel.send(dbcall::MessageText{"%d件 読み込み完了"}, 12);
    channel.send("薬剤ファイルがありません。");
    EXPECT_EQ(raw, (Strings{sjis::fromUtf8("12件 読み込み完了"),
                            sjis::fromUtf8("薬剤ファイルがありません。")}));
    channel.install(nullptr, nullptr);
    testing::internal::CaptureStderr();
    channel.send("Error:RECORDSET.Find");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "testlib: Error:RECORDSET.Find\n");
}
