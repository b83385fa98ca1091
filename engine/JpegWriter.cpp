#include "JpegWriter.h"

#include "Dib.h"
#include "Exceptions.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <string>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return; it jumps back to the encoder, which turns it into an exception
// once no libjpeg frame is left on the stack.
struct TJpegErrorJump {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JumpOnError(j_common_ptr info)
{
    auto *error = reinterpret_cast<TJpegErrorJump *>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

struct TJpegOutput {
    unsigned char *Buffer = nullptr;
    unsigned long Size = 0;
};

// Plain C-style work between setjmp and longjmp: no object with a destructor
// lives in this frame. Returns false with the message in error on failure.
bool Compress(const QImage &rgb888, int quality, TJpegOutput &output, TJpegErrorJump &error)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JumpOnError;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &output.Buffer, &output.Size);
    info.image_width = JDIMENSION(rgb888.width());
    info.image_height = JDIMENSION(rgb888.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb888.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

QByteArray WriteJpeg(const QImage &picture, int quality)
{
    const QImage rgb888 = AsRgb888(picture);
    TJpegOutput output;
    TJpegErrorJump error{};
    const bool done = Compress(rgb888, std::clamp(quality, 1, 100), output, error);
    QByteArray bytes;
    if (done)
        bytes = QByteArray(reinterpret_cast<const char *>(output.Buffer), qsizetype(output.Size));
    std::free(output.Buffer);
    if (!done)
        throw EInvalidGraphic(std::string("JPEG error: ") + error.Message);
    return bytes;
}
