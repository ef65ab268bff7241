// JPEG decoding over libjpeg. libjpeg reports errors by calling a function that
// must not return; here it longjmps back to the setjmp frame of the stage that
// was running. Both stages are plain C-style functions working on a plain
// struct owned by the caller and on raw pixel memory, so no object with a
// destructor lives across a longjmp; the C++ wrapper turns a failed stage into
// an exception and releases libjpeg's memory through a guard.
#include "skin/engine/image/skJpeg.h"

#include <climits>
#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstring>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace ad::skin {

namespace {

struct DecodeState {
    jpeg_decompress_struct Info;
    jpeg_error_mgr Errors;
    jpeg_progress_mgr Progress;
    jmp_buf Jump;
    int MaxScans;
    char Message[JMSG_LENGTH_MAX];
};

DecodeState* StateOf(j_common_ptr cinfo) { return static_cast<DecodeState*>(cinfo->client_data); }

[[noreturn]] void Abort(j_common_ptr cinfo) {
    DecodeState* s = StateOf(cinfo);
    (*cinfo->err->format_message)(cinfo, s->Message);
    longjmp(s->Jump, 1);
}

void OnError(j_common_ptr cinfo) { Abort(cinfo); }

// Trace and warning messages are not printed. A memory source that runs dry
// warns (and would go on with a made-up end of image): that is an error here.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0) {
        if (cinfo->err->msg_code == JWRN_JPEG_EOF) Abort(cinfo);
        cinfo->err->num_warnings++;
    }
}

void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
    auto* info = reinterpret_cast<j_decompress_ptr>(cinfo);
    DecodeState* s = StateOf(cinfo);
    if (info->input_scan_number > s->MaxScans) {
        std::snprintf(s->Message, sizeof s->Message, "More than %d scans in JPEG file", s->MaxScans);
        longjmp(s->Jump, 1);
    }
}

// Stage 1: the decompressor and the header, output format chosen. False with
// s.Message on failure.
bool ReadHeader(DecodeState& s, const uint8_t* data, size_t size) {
    if (setjmp(s.Jump)) return false;
    jpeg_create_decompress(&s.Info);
    s.Info.client_data = &s;
    s.Info.progress = &s.Progress;
    jpeg_mem_src(&s.Info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s.Info, TRUE);
    if (s.Info.jpeg_color_space == JCS_CMYK || s.Info.jpeg_color_space == JCS_YCCK)
        s.Info.out_color_space = JCS_CMYK;
    else
        s.Info.out_color_space = JCS_EXT_BGRA;  // grey expands; the fourth byte is 255
    jpeg_calc_output_dimensions(&s.Info);
    return true;
}

void ReadRows(DecodeState& s, uint8_t* pixels, size_t rowBytes) {
    jpeg_start_decompress(&s.Info);
    while (s.Info.output_scanline < s.Info.output_height) {
        JSAMPROW row = pixels + rowBytes * s.Info.output_scanline;
        jpeg_read_scanlines(&s.Info, &row, 1);
    }
    jpeg_finish_decompress(&s.Info);
}

// Stage 2: every row into pixels (output_height rows of rowBytes). False with
// s.Message on failure.
bool ReadImage(DecodeState& s, uint8_t* pixels, size_t rowBytes) {
    if (setjmp(s.Jump)) return false;
    ReadRows(s, pixels, rowBytes);
    return true;
}

// CMYK as four bytes per pixel, in place, to blue-green-red-255. Adobe's
// files (and libjpeg's own) store the inks inverted.
void CmykToBgra(uint8_t* p, size_t pixels, bool inverted) {
    for (size_t i = 0; i < pixels; ++i, p += 4) {
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        p[0] = uint8_t((y * k + 127) / 255);
        p[1] = uint8_t((m * k + 127) / 255);
        p[2] = uint8_t((c * k + 127) / 255);
        p[3] = 255;
    }
}

class DecompressGuard {
public:
    explicit DecompressGuard(DecodeState& s) : s_(s) {}
    ~DecompressGuard() { jpeg_destroy_decompress(&s_.Info); }
    DecompressGuard(const DecompressGuard&) = delete;
    DecompressGuard& operator=(const DecompressGuard&) = delete;

private:
    DecodeState& s_;
};

[[noreturn]] void Fail(TBitmap32& target, const std::string& reason) {
    target.SetSize(0, 0);
    throw EInvalidGraphic("Cannot load JPEG image. " + reason + ".");
}

}  // namespace

void DecodeJpegToBitmap(TBitmap32& target, const uint8_t* data, size_t size, const TJpegLimits& limits) {
    if (size > ULONG_MAX) Fail(target, "The data is too large");
    DecodeState s;
    std::memset(&s, 0, sizeof s);  // jpeg_destroy_decompress is safe on a zeroed struct
    s.MaxScans = limits.MaxScans;
    s.Info.err = jpeg_std_error(&s.Errors);
    s.Errors.error_exit = OnError;
    s.Errors.emit_message = OnMessage;
    s.Errors.output_message = OnOutputMessage;
    s.Progress.progress_monitor = OnProgress;
    s.Info.client_data = &s;
    DecompressGuard guard(s);
    if (!ReadHeader(s, data, size)) Fail(target, s.Message);
    const int64_t w = s.Info.output_width, h = s.Info.output_height;
    if (w > limits.MaxSide || h > limits.MaxSide || w * h > limits.MaxPixels || w > TBitmap32::MaxSide ||
        h > TBitmap32::MaxSide || w * h > TBitmap32::MaxPixels)
        Fail(target, "The image is too large (" + std::to_string(w) + " x " + std::to_string(h) + ")");
    if (s.Info.output_components != 4) Fail(target, "Unexpected colour format");
    if (!target.SetSize(int(w), int(h))) Fail(target, "Out of memory for the image");
    TImageView32 v = target.View();
    if (!ReadImage(s, v.Row0, size_t(v.Distance))) Fail(target, s.Message);
    if (s.Info.out_color_space == JCS_CMYK) CmykToBgra(v.Row0, size_t(w) * size_t(h), s.Info.saw_Adobe_marker);
}

bool LoadJpegToBitmap(TBitmap32& target, const uint8_t* data, size_t size) {
    try {
        DecodeJpegToBitmap(target, data, size);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

}  // namespace ad::skin
