#include "user_photos.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>

#include "messages.h"
#include "sjis/sjis.h"

namespace drugbase {
namespace {

// A file whose table may be missing (made before it existed) gets it; a server's tables are
// made by its own set-up and upgrade, under the owner role.
bool ensureTable(WriteCall& call) {
    if (session().onServer() || call.connection().exec(userPhotoSchemaSql(call.dialect())))
        return true;
    call.report(Failure::Update, call.connection().lastError());
    return false;
}

// Runs one change with the texts bound in order, then the blob when there is one.
bool run(WriteCall& call, const std::string& sql, std::initializer_list<std::string_view> texts,
         const std::string* blob = nullptr) {
    auto statement = call.prepare(sql, Failure::Update);
    if (!statement) return false;
    int index = 1;
    for (const std::string_view text : texts) statement->bindText(index++, text);
    if (blob) statement->bindBlob(index, *blob);
    return call.execute(*statement);
}

enum class FileRead { Read, Unreadable, TooLarge };

FileRead readPhotoFile(const std::filesystem::path& file, std::string& bytes) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size == 0) return FileRead::Unreadable;
    if (size > DRUGBASE_USER_PHOTO_MAX_BYTES) return FileRead::TooLarge;
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() || bytes.size() != size ? FileRead::Unreadable : FileRead::Read;
}

}  // namespace

std::string userPhotoSchemaSql(const sqlkit::Dialect& dialect) {
    return "CREATE TABLE IF NOT EXISTS User_Photo (YJCODE " + std::string(dialect.textType) +
           " PRIMARY KEY, PHOTO " + std::string(dialect.blobType) + ");";
}

bool keepUserPhoto(WriteCall& call, std::string_view yjcode, std::string_view pathCp932) {
    std::string bytes;
    const FileRead read = pathCp932.empty()
                              ? FileRead::Unreadable
                              : readPhotoFile(sjis::toUtf8(std::string(pathCp932)), bytes);
    if (read == FileRead::TooLarge) {
        report(Message::UserPhotoTooLarge);
        return false;
    }
    if (!ensureTable(call) || !run(call, "DELETE FROM User_Photo WHERE YJCODE = ?", {yjcode}))
        return false;
    return read != FileRead::Read ||
           run(call, "INSERT INTO User_Photo (YJCODE, PHOTO) VALUES (?, ?)", {yjcode}, &bytes);
}

bool moveUserPhoto(WriteCall& call, std::string_view from, std::string_view to) {
    if (from == to) return true;
    return ensureTable(call) && run(call, "DELETE FROM User_Photo WHERE YJCODE = ?", {to}) &&
           run(call, "UPDATE User_Photo SET YJCODE = ? WHERE YJCODE = ?", {to, from});
}

bool dropOrphanUserPhoto(WriteCall& call, std::string_view yjcode) {
    return ensureTable(call) &&
           run(call,
               "DELETE FROM User_Photo WHERE YJCODE = ? AND NOT EXISTS (SELECT 1 FROM "
               "Medicine_Information WHERE YJCODE = ?)",
               {yjcode, yjcode});
}

std::optional<std::string> storedUserPhoto(std::string_view yjcode) {
    dbcall::Call call(session());
    if (!call.opened()) return std::nullopt;
    // Prepared without a report: a catalogue without the table simply has no stored pictures.
    sqlkit::Statement find =
        call.connection().prepare("SELECT PHOTO FROM User_Photo WHERE YJCODE = ?");
    if (!find.ok()) return std::nullopt;
    find.bindText(1, yjcode);
    if (!find.step()) return std::nullopt;
    return std::string(find.blob(0));
}

}  // namespace drugbase
