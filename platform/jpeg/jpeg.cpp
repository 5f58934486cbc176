#include "platform/jpeg/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>

namespace platform::jpeg {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
// We jump back to the call that set the jump buffer. The functions holding
// a setjmp keep no objects with destructors of their own: everything that
// needs cleaning lives in the caller's frame.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (corrupt or truncated data that libjpeg would paper over) make
// the picture broken; trace messages are ignored.
void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        (*cinfo->err->format_message)(cinfo, err->message);
        std::longjmp(err->jump, 1);
    }
}

void silent(j_common_ptr) {}

void installErrors(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.pub.output_message = silent;
    err.message[0] = '\0';
}

struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    bool created = false;
    ~Decoder() {
        if (created) jpeg_destroy_decompress(&cinfo);
    }
};

struct Encoder {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    bool created = false;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~Encoder() {
        if (created) jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
};

// 0 on success; the error text is in d.err.message otherwise.
int runDecode(Decoder& d, const std::uint8_t* data, std::size_t size, Picture& out) {
    if (setjmp(d.err.jump)) return 1;
    jpeg_create_decompress(&d.cinfo);
    d.created = true;
    jpeg_mem_src(&d.cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d.cinfo, TRUE);
    d.cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_components != 3) return 2;
    if (static_cast<std::int64_t>(d.cinfo.output_width) * d.cinfo.output_height > kMaxPixels) return 3;
    out.width = static_cast<int>(d.cinfo.output_width);
    out.height = static_cast<int>(d.cinfo.output_height);
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(d.cinfo.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return 0;
}

int runEncode(Encoder& e, const Picture& picture, int quality) {
    if (setjmp(e.err.jump)) return 1;
    jpeg_create_compress(&e.cinfo);
    e.created = true;
    jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
    e.cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    e.cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    e.cinfo.input_components = 3;
    e.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e.cinfo);
    jpeg_set_quality(&e.cinfo, quality, TRUE);
    jpeg_start_compress(&e.cinfo, TRUE);
    while (e.cinfo.next_scanline < e.cinfo.image_height) {
        // libjpeg takes rows as non-const pointers but only reads them.
        auto* row = const_cast<JSAMPLE*>(picture.rgb.data() + static_cast<std::size_t>(e.cinfo.next_scanline) * picture.width * 3);
        jpeg_write_scanlines(&e.cinfo, &row, 1);
    }
    jpeg_finish_compress(&e.cinfo);
    return 0;
}

}  // namespace

Picture decode(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0) throw EJPEG("JPEG data is empty");
    Decoder d;
    installErrors(d.err);
    d.cinfo.err = &d.err.pub;
    Picture out;
    switch (runDecode(d, data, size, out)) {
    case 0: return out;
    case 2: throw EJPEG("Unsupported JPEG colour format");
    case 3: throw EJPEG("JPEG image too large");
    default: throw EJPEG(std::string("JPEG error: ") + d.err.message);
    }
}

std::vector<std::uint8_t> encode(const Picture& picture, int quality) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3)
        throw EJPEG("Picture has no valid size");
    if (quality < 1) quality = 1;
    if (quality > 100) quality = 100;
    Encoder e;
    installErrors(e.err);
    e.cinfo.err = &e.err.pub;
    if (runEncode(e, picture, quality) != 0) throw EJPEG(std::string("JPEG error: ") + e.err.message);
    return std::vector<std::uint8_t>(e.buffer, e.buffer + e.size);
}

}  // namespace platform::jpeg
