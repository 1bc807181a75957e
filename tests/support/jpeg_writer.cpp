#include "jpeg_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

// clang-format off
#include <jpeglib.h>
// clang-format on

namespace testjpeg {
namespace {

// An APP1 block "Exif\0\0" + TIFF header + one IFD holding only the orientation tag.
std::string exifBlock(int orientation, bool bigEndian) {
    std::string tiff = bigEndian ? "MM" : "II";
    // Each value with its size in bytes: 42 and IFD0 right after the header; one entry, the
    // orientation as one SHORT left-justified in its 4-byte field; no next IFD.
    const std::pair<unsigned, int> values[] = {
        {42, 2}, {8, 4}, {1, 2}, {0x0112, 2}, {3, 2}, {1, 4}, {unsigned(orientation), 2},
        {0, 2},  {0, 4}};
    for (const auto& [v, size] : values)
        for (int i = 0; i < size; ++i)
            tiff += static_cast<char>(v >> 8 * (bigEndian ? size - 1 - i : i) & 0xFF);
    return std::string("Exif\0\0", 6) + tiff;
}

}  // namespace

Rgb quadrants(int width, int height, std::uint32_t tl, std::uint32_t tr, std::uint32_t bl,
              std::uint32_t br) {
    Rgb out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            out.set(x, y, bottom ? (right ? br : bl) : (right ? tr : tl));
        }
    return out;
}

std::string encode(const Rgb& picture, const Options& options) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = picture.width;
    cinfo.image_height = picture.height;
    const bool cmyk = options.colour == Colour::AdobeCmyk || options.colour == Colour::PlainCmyk;
    cinfo.input_components = options.colour == Colour::Grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = options.colour == Colour::Grey ? JCS_GRAYSCALE
                           : cmyk                         ? JCS_CMYK
                                                          : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (cmyk) jpeg_set_colorspace(&cinfo, JCS_CMYK);
    cinfo.write_Adobe_marker = options.colour == Colour::AdobeCmyk;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.exifOrientation) {
        const std::string exif = exifBlock(options.exifOrientation, options.bigEndianExif);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                          static_cast<unsigned>(exif.size()));
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* in =
            &picture.pixels[static_cast<std::size_t>(cinfo.next_scanline) * picture.width * 3];
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* rgb = in + x * 3;
            if (options.colour == Colour::Grey) {
                row[x] = static_cast<JSAMPLE>((rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114) / 1000);
            } else if (cmyk) {
                // Pure inks with no black: C = 255 - R and so on; Adobe files store them inverted.
                const bool inverted = options.colour == Colour::AdobeCmyk;
                for (int c = 0; c < 3; ++c) row[x * 4 + c] = inverted ? rgb[c] : 255 - rgb[c];
                row[x * 4 + 3] = inverted ? 255 : 0;
            } else {
                std::copy(rgb, rgb + 3, &row[x * 3]);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace testjpeg
