// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace zorvat {

namespace {

// libjpeg's default handler prints and calls exit(); errors jump back to decode() instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void stayQuiet(j_common_ptr) {}

// Keeps only trivially destructible locals, so a longjmp out of libjpeg skips no destructor;
// cinfo and image belong to the caller and stay valid after the jump.
bool decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const QByteArray& data,
            QImage& image) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jumpBack;
    err.pub.output_message = stayQuiet;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    // libjpeg only warns about a truncated file and pads it with grey; treat that as corrupt.
    const bool clean = err.pub.num_warnings == 0;
    jpeg_destroy_decompress(&cinfo);
    return clean;
}

} // namespace

QImage decodeJpeg(const QByteArray& data) {
    jpeg_decompress_struct cinfo{}; // zeroed so destroying it before creation is harmless
    ErrorManager err{};
    QImage image;
    if (!decode(cinfo, err, data, image))
        return {};
    return image;
}

} // namespace zorvat
