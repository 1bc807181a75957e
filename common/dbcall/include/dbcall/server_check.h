// Whether the data server a database folder names can be worked on: reached, and holding the
// tables of the three libraries. Checked once at start-up, so a terminal that cannot work on
// the server says so instead of opening on empty lists.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace dbcall {

// The tables a data server holds for the catalogue, the register and the phrase lists.
inline constexpr std::array<const char*, 4> kServerTables = {"Medicine_Information", "Code_Map",
                                                             "Patient_Information", "Phrase_List"};

struct ServerCheck {
    enum class State {
        Files,        // the folder names no server: the data is in its files
        Ready,        // reached, with every table
        BadFile,      // 接続先.conf holds no usable connection string
        Unreachable,  // the server did not answer or refused the connection
        NoTables,     // reached, but a table is missing or may not be read
    };
    State state = State::Files;
    std::string place;   // where the connection string points (sqlkit::serverPlace)
    std::string detail;  // the reason, in the engine's words
};

// Checks the server <dataFolder>/接続先.conf names, connecting once and disconnecting.
ServerCheck checkServer(const std::filesystem::path& dataFolder);

}  // namespace dbcall
