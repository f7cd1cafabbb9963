#include "platform/jpegimage.h"

#include <QFile>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

namespace {

// The error manager: a fatal error jumps back to the decoder instead of
// calling exit(), and warnings (corrupt or missing data) only mark the
// picture as damaged instead of going to stderr.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf fatal;
    bool damaged;
};

void onFatalError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->fatal, 1);
}

void onMessage(j_common_ptr info, int level)
{
    if (level < 0) // a warning: libjpeg has met bad or missing data
        reinterpret_cast<ErrorManager *>(info->err)->damaged = true;
}

// Decodes into `image`; false when libjpeg failed or warned. No object with a
// destructor lives in this frame, so the longjmp skips nothing that needs one.
bool decodeInto(const unsigned char *bytes, unsigned long size, QImage &image)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.emit_message = onMessage;
    errors.damaged = false;
    if (setjmp(errors.fatal)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) { // too large to hold
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !errors.damaged;
}

} // namespace

namespace jpegimage {

QImage decode(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    QImage image;
    if (!decodeInto(reinterpret_cast<const unsigned char *>(data.constData()),
                    static_cast<unsigned long>(data.size()), image))
        return {};
    return image;
}

QImage fromResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

} // namespace jpegimage
