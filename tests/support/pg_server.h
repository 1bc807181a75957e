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
        const char* given = std::getenv("PG_BINDIR");
        bin_ = given ? given : "/usr/lib/postgresql/15/bin";
        if (!std::filesystem::exists(bin_ / "initdb") ||
            !std::filesystem::exists(bin_ / "pg_ctl")) {
            problem_ = "PostgreSQL 15 server programs not found in " + bin_.string() +
                       " (install postgresql-15 or set PG_BINDIR)";
            return;
        }
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user) {
                problem_ = "running as root without a postgres user to run the server as";
                return;
            }
            // The server's user must own its folder and reach it.
            if (chown(dir_.path().c_str(), user->pw_uid, user->pw_gid) != 0) {
                problem_ = "cannot hand the server folder to the postgres user";
                return;
            }
            asUser_ = "runuser -u postgres -- ";
        }
        if (tcpWithTls) port_ = freePort();
        if (!run("initdb -D " + data() + " -A trust -U postgres -E UTF8 --locale=C --no-sync") ||
            (tcpWithTls && !makeCertificate()) || !start()) {
            problem_ = "the test server did not start; see " + (dir_.path() / "log").string();
            return;
        }
        running_ = true;
    }
    ~PgServer() {
        if (running_) stop();
    }
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Empty when the server runs; otherwise why it does not.
    const std::string& problem() const { return problem_; }

    bool start() {
        const std::string tcp = port_ ? "-h 127.0.0.1 -p " + std::to_string(port_) : "-h ''";
        running_ = run("pg_ctl -D " + data() + " -l " + (dir_.path() / "log").string() +
                       " -w -o \"" + tcp + " -k " + dir_.path().string() + " -c fsync=off\" start");
        return running_;
    }
    bool stop() {
        running_ = !run("pg_ctl -D " + data() + " -m fast -w stop");
        return !running_;
    }

    std::string conninfo(const std::string& database = "postgres") const {
        return "host=" + dir_.path().string() + " port=" + std::to_string(port_ ? port_ : 5432) +
               " user=postgres dbname=" + database;
    }
    // Over TCP, for a server made with `tcpWithTls`.
    std::string tcpConninfo() const {
        return "host=127.0.0.1 port=" + std::to_string(port_) + " user=postgres dbname=postgres";
    }

    // The certificate of the authority that signed the server's, for a server made with
    // `tcpWithTls`.
    std::string caFile() const { return (dir_.path() / "ca.crt").string(); }

    // A new empty database; its connection string.
    std::string freshDatabase() {
        static std::atomic<int> count{0};
        const std::string name = "test_" + std::to_string(++count);
        run("psql -q -X -h " + dir_.path().string() +
            " -U postgres -d postgres -c 'CREATE DATABASE " + name + "'");
        return conninfo(name);
    }

    // Drops a database `freshDatabase` made, with its connection string; sessions still on it
    // are ended.
    void dropDatabase(const std::string& conninfo) {
        const auto at = conninfo.rfind("dbname=");
        if (at == std::string::npos) return;
        run("psql -q -X -h " + dir_.path().string() +
            " -U postgres -d postgres -c 'DROP DATABASE IF " + "EXISTS " + conninfo.substr(at + 7) +
            " WITH (FORCE)'");
    }

  private:
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
        const std::string ca = caFile(), caKey = (dir_.path() / "ca.key").string();
        const std::string key = data() + "/server.key", request = data() + "/server.csr";
        const std::string log = " >>" + (dir_.path() / "commands.log").string() + " 2>&1";
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
    std::string data() const { return (dir_.path() / "data").string(); }
    bool run(const std::string& command) const {
        const std::string line = asUser_ + (bin_ / command).string() + " >>" +
                                 (dir_.path() / "commands.log").string() + " 2>&1";
        return std::system(line.c_str()) == 0;
    }

    TempDir dir_;
    std::filesystem::path bin_;
    std::string asUser_;
    std::string problem_;
    bool running_ = false;
    int port_ = 0;  // the TCP port; 0 for the Unix socket only
};

// One server for all tests of a program, started by the first test that needs it.
inline PgServer& testServer() {
    static PgServer server;
    return server;
}
