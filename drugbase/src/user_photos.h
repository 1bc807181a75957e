// The user photographs kept in the catalogue itself (table User_Photo: YJCODE, PHOTO as JPEG
// bytes), so every terminal of a shared catalogue draws the picture one terminal chose. A
// catalogue file made before the table existed gets it on its first such write; until then it
// has no stored pictures.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session.h"
#include "sqlkit/dialect.h"

namespace drugbase {

// CREATE TABLE IF NOT EXISTS of the table and its key.
std::string userPhotoSchemaSql(const sqlkit::Dialect& dialect);

// Inside a writing call: replaces the stored picture of the drug `yjcode` (UTF-8) by the bytes
// of the file at `pathCp932`, or removes it when the path is empty or names no readable file.
// A file larger than DRUGBASE_USER_PHOTO_MAX_BYTES reports "写真のファイルが大きすぎます。…"
// and gives false; so does a failed write, after "Error:RECORDSET.Update".
bool keepUserPhoto(WriteCall& call, std::string_view yjcode, std::string_view pathCp932);

// Inside a writing call: the stored picture follows a drug whose YJ code changed.
bool moveUserPhoto(WriteCall& call, std::string_view from, std::string_view to);

// Inside a writing call: removes the picture of `yjcode` when no drug has that code any more.
bool dropOrphanUserPhoto(WriteCall& call, std::string_view yjcode);

// The stored picture's bytes of the drug `yjcode` (UTF-8); nothing when there is none, also in
// a catalogue without the table.
std::optional<std::string> storedUserPhoto(std::string_view yjcode);

}  // namespace drugbase
