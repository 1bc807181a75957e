#include "photo_loader.h"

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "jpeg_decode.h"
#include "messages.h"

namespace drugbase {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::optional<Picture> loadPhoto(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
    if (!in) return std::nullopt;

    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) {
        report(Message::PhotoSizeUnknown);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (size > kMaxPhotoFileBytes) throw std::bad_alloc();
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        report(Message::PhotoAllocate);
        return std::nullopt;
    }
    if (size == 0) {
        report(Message::PhotoEmpty);
        return std::nullopt;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) {
        report(Message::PhotoRead);
        return std::nullopt;
    }
    in.reset();

    return decodePhoto(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<Picture> decodePhoto(std::string_view bytes) {
    DecodeResult decoded = decodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      bytes.size(), kPhotoWidth, kPhotoHeight);
    switch (decoded.status) {
        case DecodeStatus::Decoded:
            return std::move(decoded.picture);
        case DecodeStatus::NotJpeg:
            report(Message::PhotoNotJpeg);
            break;
        case DecodeStatus::NoPicture:
            report(Message::PhotoNoPicture);
            break;
    }
    return std::nullopt;
}

}  // namespace drugbase
