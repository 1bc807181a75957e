// The commands of leafletadmin, callable from tests with their own output streams.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace admin {

// Exit codes of a command.
inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

// Runs the command named by args[0] with its arguments; messages go to `out` and `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The commands. `folder` is a program folder: the start directory holding データベース etc.
int initFolder(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
int loadCatalogue(const std::filesystem::path& folder, const std::filesystem::path& csv,
                  std::ostream& out, std::ostream& err);
int listCatalogue(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
int listPatients(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
// Runs the maintenance import `kind` on the catalogue of `folder`, reading K3 files from
// `k3Folder`; prints the library's messages and the result. kUsage for an unknown kind.
int importData(const std::filesystem::path& k3Folder, const std::string& kind,
               const std::filesystem::path& folder, std::ostream& out, std::ostream& err);

// Creates the tables of the catalogue and the register on the server that
// FOLDER/データベース/接続先.conf names, in one transaction.
int initServer(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);

// Gives ROLE on that server what the program needs and nothing more: reading and writing the
// rows of the catalogue and the register. ROLE must exist; its name is lower-case letters,
// digits and "_".
int grantServer(const std::filesystem::path& folder, const std::string& role, std::ostream& out,
                std::ostream& err);

// Registers a patient with this ID and name (UTF-8).
int addPatient(const std::filesystem::path& folder, const std::string& idText,
               const std::string& name, std::ostream& out, std::ostream& err);
// Switches the saving of printed leaflets into the medication history on or off.
int setHistorySwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                     std::ostream& err);

}  // namespace admin
