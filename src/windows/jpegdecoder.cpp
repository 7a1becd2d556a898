// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/jpegdecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace brelvox {

namespace {
// libjpeg's own error handler ends the process; ours jumps back to the decoder.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void onMessage(j_common_ptr)
{
}

// Every C++ object this touches lives in the caller, so the jump skips no destructor.
bool decodeInto(const unsigned char *bytes, unsigned long size, jpeg_decompress_struct *cinfo,
                ErrorManager *err, QImage *out)
{
    cinfo->err = jpeg_std_error(&err->base);
    err->base.error_exit = onError;
    err->base.output_message = onMessage;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, bytes, size);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK || cinfo->image_width == 0 || cinfo->image_height == 0
        || cinfo->image_width > unsigned(kMaxJpegSide) || cinfo->image_height > unsigned(kMaxJpegSide)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 3) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    *out = QImage(int(cinfo->output_width), int(cinfo->output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = out->scanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}
} // namespace

QImage decodeJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        return QImage();
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    QImage image;
    if (!decodeInto(reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()),
                    &cinfo, &err, &image))
        return QImage();
    return image;
}

} // namespace brelvox
