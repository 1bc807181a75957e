// A throw-away PostgreSQL 15 server for the tests: a cluster made with initdb in a temporary
// folder, listening only on a Unix socket there, stopped and removed at the end. initdb refuses
// to run as root, so as root the server runs as the system's "postgres" user. A server made
// with `tcpWithTls` also listens on 127.0.0.1 at a free port, with TLS on and a certificate for
// the host name "localhost" signed by a certificate authority made for it (caFile()).
#pragma once

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "temp_dir.h"

class PgServer {
  public:
    explicit PgServer(bool tcpWithTls = false) {
        if (findPrograms()) make(tcpWithTls);
    }
    // The server running in `folder`, or else a new one made there; either is left running
    // when this object ends, for the other test programs that share it.
    explicit PgServer(const std::filesystem::path& folder) : folder_(folder), kept_(true) {
        std::filesystem::create_directories(folder_);
        if (!findPrograms()) return;
        running_ = run("pg_ctl -D " + data() + " status");
        if (running_) return;
        std::filesystem::remove_all(folder_ / "data");
        make(false);
    }
    ~PgServer() {
        if (running_ && !kept_) stop();
    }
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Whether a server made with PgServer(folder) runs there.
    static bool runsIn(const std::filesystem::path& folder) {
        return std::filesystem::exists(folder / "data" / "postmaster.pid");
    }

    // Empty when the server runs; otherwise why it does not.
    const std::string& problem() const { return problem_; }

    bool start() {
        const std::string tcp = port_ ? "-h 127.0.0.1 -p " + std::to_string(port_) : "-h ''";
        running_ = run("pg_ctl -D " + data() + " -l " + (folder_ / "log").string() + " -w -o \"" +
                       tcp + " -k " + folder_.string() + " -c fsync=off\" start");
        return running_;
    }
    bool stop() {
        running_ = !run("pg_ctl -D " + data() + " -m fast -w stop");
        return !running_;
    }

    std::string conninfo(const std::string& database = "postgres") const {
        return "host=" + folder_.string() + " port=" + std::to_string(port_ ? port_ : 5432) +
               " user=postgres dbname=" + database;
    }
    // Over TCP, for a server made with `tcpWithTls`.
    std::string tcpConninfo() const {
        return "host=127.0.0.1 port=" + std::to_string(port_) + " user=postgres dbname=postgres";
    }

    // The certificate of the authority that signed the server's, for a server made with
    // `tcpWithTls`.
    std::string caFile() const { return (folder_ / "ca.crt").string(); }

    // A new empty database; its connection string.
    std::string freshDatabase() {
        static std::atomic<int> count{0};
        // Named for the process too: test programs run at the same time may share the server.
        const std::string name = "test_" + std::to_string(getpid()) + "_" + std::to_string(++count);
        run("psql -q -X -h " + folder_.string() + " -U postgres -d postgres -c 'CREATE DATABASE " +
            name + "'");
        return conninfo(name);
    }

    // Drops a database `freshDatabase` made, with its connection string; sessions still on it
    // are ended.
    void dropDatabase(const std::string& conninfo) {
        const auto at = conninfo.rfind("dbname=");
        if (at == std::string::npos) return;
        run("psql -q -X -h " + folder_.string() + " -U postgres -d postgres -c 'DROP DATABASE IF " +
            "EXISTS " + conninfo.substr(at + 7) + " WITH (FORCE)'");
    }

  private:
    // Finds the server programs and, as root, the user to run them as.
    bool findPrograms() {
        const char* given = std::getenv("PG_BINDIR");
        bin_ = given ? given : "/usr/lib/postgresql/15/bin";
        const passwd* user = geteuid() == 0 ? getpwnam("postgres") : nullptr;
        if (!std::filesystem::exists(bin_ / "initdb") || !std::filesystem::exists(bin_ / "pg_ctl"))
            problem_ = "PostgreSQL 15 server programs not found in " + bin_.string() +
                       " (install postgresql-15 or set PG_BINDIR)";
        else if (geteuid() == 0 && !user)
            problem_ = "running as root without a postgres user to run the server as";
        // The server's user must own its folder and reach it.
        else if (user && chown(folder_.c_str(), user->pw_uid, user->pw_gid) != 0)
            problem_ = "cannot hand the server folder to the postgres user";
        if (user) asUser_ = "runuser -u postgres -- ";
        return problem_.empty();
    }
    // Makes the cluster and starts it.
    void make(bool tcpWithTls) {
        if (tcpWithTls) port_ = freePort();
        if (!run("initdb -D " + data() + " -A trust -U postgres -E UTF8 --locale=C --no-sync") ||
            (tcpWithTls && !makeCertificate()) || !start())
            problem_ = "the test server did not start; see " + (folder_ / "log").string();
    }
    static int freePort() {
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        int port = 0;
        if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port = ntohs(address.sin_port);
        close(s);
        return port;
    }
    bool makeCertificate() const {
        const std::string ca = caFile(), caKey = (folder_ / "ca.key").string();
        const std::string key = data() + "/server.key", request = data() + "/server.csr";
        const std::string log = " >>" + (folder_ / "commands.log").string() + " 2>&1";
        const std::string lines[] = {
            "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj '/CN=leaflet test CA' "
            "-keyout " +
                caKey + " -out " + ca,
            asUser_ +
                "openssl req -newkey rsa:2048 -nodes -subj /CN=localhost "
                "-addext subjectAltName=DNS:localhost -keyout " +
                key + " -out " + request,
            "openssl x509 -req -days 1 -copy_extensions copy -in " + request + " -CA " + ca +
                " -CAkey " + caKey + " -CAcreateserial -out " + data() + "/server.crt",
        };
        for (const std::string& line : lines)
            if (std::system((line + log).c_str()) != 0) return false;
        // The server's user owns its key and certificate; in the configuration file, so that
        // ALTER SYSTEM can turn TLS off again.
        std::ofstream(data() + "/postgresql.conf", std::ios::app) << "ssl = on\n";
        return std::system(("chown --reference=" + key + " " + data() + "/server.crt").c_str()) ==
               0;
    }
    std::string data() const { return (folder_ / "data").string(); }
    bool run(const std::string& command) const {
        const std::string line = asUser_ + (bin_ / command).string() + " >>" +
                                 (folder_ / "commands.log").string() + " 2>&1";
        return std::system(line.c_str()) == 0;
    }

    TempDir dir_;
    std::filesystem::path folder_ = dir_.path();
    bool kept_ = false;  // left running at the end
    std::filesystem::path bin_;
    std::string asUser_;
    std::string problem_;
    bool running_ = false;
    int port_ = 0;  // the TCP port; 0 for the Unix socket only
};

// The server the tests of a program use: the one running in the folder LEAFLET_TEST_SERVER
// names (ctest starts one there for all test programs), or else one of this program's own,
// started by the first test that needs it.
inline PgServer& testServer() {
    static const char* shared = std::getenv("LEAFLET_TEST_SERVER");
    static PgServer server =
        shared && PgServer::runsIn(shared) ? PgServer(std::filesystem::path(shared)) : PgServer();
    return server;
}

// A server of this program alone, for the tests that stop it.
inline PgServer& ownServer() {
    static PgServer server;
    return server;
}
