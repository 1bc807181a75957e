#include "jpeg_decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "orientation.h"

namespace drugbase {
namespace {

// Decoding stops with "no picture" beyond these: a progressive file may hold any number of
// scans and each costs a pass over the picture; libjpeg's own buffers are capped as well.
constexpr int kMaxScans = 256;
constexpr long kMaxDecoderMemory = 512L << 20;

// Everything the decoder touches lives on the heap, so nothing local is left indeterminate by
// the longjmp that libjpeg's error exit takes back to decodeJpeg.
struct DecodeState {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf failed{};
    bool headerRead = false;
    int orientation = 1;
    Picture stored;
    std::vector<JSAMPLE> row;
};

DecodeState& stateOf(j_common_ptr cinfo) {
    return *static_cast<DecodeState*>(cinfo->client_data);
}

[[noreturn]] void fail(j_common_ptr cinfo) {
    std::longjmp(stateOf(cinfo).failed, 1);
}

// libjpeg carries on over corrupt or missing data with grey or garbled blocks, so every
// warning about the picture data is a failure. Two header oddities that leave the picture
// intact pass, and so does the end of the file before its end marker: picture data missing
// within a scan has a warning of its own, and whole scans missing are found by everyScanIn.
void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    switch (cinfo->err->msg_code) {
        case JWRN_ADOBE_XFORM:
        case JWRN_JFIF_MAJOR:
        case JWRN_JPEG_EOF:
            return;
        default:
            fail(cinfo);
    }
}

// A progressive file is whole when its scans have brought every coefficient of every component
// to full precision; one cut between scans lacks some and would show blurred or grey.
bool everyScanIn(const jpeg_decompress_struct& cinfo) {
    if (!cinfo.progressive_mode) return true;
    for (int c = 0; c < cinfo.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (cinfo.coef_bits[c][k] != 0) return false;
    return true;
}

void onProgress(j_common_ptr cinfo) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) fail(cinfo);
}

int orientationOf(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1) {
            const int o = exifOrientation(m->data, m->data_length);
            if (o != 1) return o;
        }
    }
    return 1;
}

// The smallest of the decoder's scalings n/8 that keeps the upright picture at least
// minWidth x minHeight; full size when even that is smaller.
unsigned scaleEighths(long long width, long long height, int minWidth, int minHeight) {
    for (unsigned n = 1; n < 8; ++n) {
        if ((width * n + 7) / 8 >= minWidth && (height * n + 7) / 8 >= minHeight) return n;
    }
    return 8;
}

// One decoded row into RGB. CMYK from Adobe software (and YCCK, which libjpeg turns into it)
// is stored inverted.
void toRgb(const jpeg_decompress_struct& cinfo, const JSAMPLE* in, std::uint8_t* out) {
    const JDIMENSION width = cinfo.output_width;
    if (cinfo.out_color_space != JCS_CMYK) {
        std::copy(in, in + width * 3, out);
        return;
    }
    const bool inverted = cinfo.saw_Adobe_marker;
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int k = inverted ? in[3] : 255 - in[3];
        for (int c = 0; c < 3; ++c) {
            const int ink = inverted ? in[c] : 255 - in[c];
            out[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
    }
}

}  // namespace

DecodeResult decodeJpeg(const std::uint8_t* data, std::size_t size, int minWidth, int minHeight) {
    if (!data || size == 0) return {};
    auto state = std::make_unique<DecodeState>();
    jpeg_decompress_struct& cinfo = state->cinfo;
    cinfo.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = fail;
    state->errors.emit_message = onMessage;
    cinfo.client_data = state.get();

    if (setjmp(state->failed)) {
        jpeg_destroy_decompress(&cinfo);
        return {state->headerRead ? DecodeStatus::NoPicture : DecodeStatus::NotJpeg, {}};
    }
    jpeg_create_decompress(&cinfo);
    cinfo.client_data = state.get();
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    state->progress.progress_monitor = onProgress;
    cinfo.progress = &state->progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    state->headerRead = true;

    if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels)
        fail(reinterpret_cast<j_common_ptr>(&cinfo));
    state->orientation = orientationOf(cinfo);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    long long width = cinfo.image_width, height = cinfo.image_height;
    if (swapsSides(state->orientation)) std::swap(width, height);
    cinfo.scale_num = scaleEighths(width, height, minWidth, minHeight);
    cinfo.scale_denom = 8;

    // A progressive file is read whole here, so its scans can be counted before any output.
    jpeg_start_decompress(&cinfo);
    if (!everyScanIn(cinfo)) fail(reinterpret_cast<j_common_ptr>(&cinfo));
    Picture& stored = state->stored;
    stored.width = static_cast<int>(cinfo.output_width);
    stored.height = static_cast<int>(cinfo.output_height);
    stored.rgb.resize(static_cast<std::size_t>(stored.width) * stored.height * 3);
    state->row.resize(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION line = cinfo.output_scanline;
        JSAMPROW row = state->row.data();
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) fail(reinterpret_cast<j_common_ptr>(&cinfo));
        toRgb(cinfo, row, &stored.rgb[static_cast<std::size_t>(line) * stored.width * 3]);
    }
    // Every row is in without a warning about its data; what may follow the picture (or a
    // missing end marker) does not matter.
    jpeg_destroy_decompress(&cinfo);
    return {DecodeStatus::Decoded, upright(stored, state->orientation)};
}

}  // namespace drugbase
