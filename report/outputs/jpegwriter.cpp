// Writing JPEG files through libjpeg. libjpeg ends a failing step through its error handler, which
// here jumps back to the step, and the step turns it into an exception once libjpeg has left.
#include "jpegwriter.h"

#include <csetjmp>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace kv::report {

struct JpegWriter::State {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    bool created = false;
};

namespace {

void onError(j_common_ptr cinfo) {
    auto* state = reinterpret_cast<JpegWriter::State*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, state->message);
    std::longjmp(state->jump, 1);
}

void onMessage(j_common_ptr) {}

} // namespace

JpegWriter::~JpegWriter() {
    close();
}

void JpegWriter::close() {
    if (state_) {
        if (state_->created)
            jpeg_destroy_compress(&state_->cinfo);
        delete state_;
        state_ = nullptr;
    }
    file_.close();
}

void JpegWriter::begin(const QString& path, QSize size) {
    close();
    file_.open<JpegWriteError>(path);
    state_ = new State;
    State* s = state_;
    s->cinfo.err = jpeg_std_error(&s->errors);
    s->errors.error_exit = onError;
    s->errors.output_message = onMessage;
    s->cinfo.client_data = s;
    if (setjmp(s->jump))
        throw JpegWriteError(QString::fromLocal8Bit(s->message));
    jpeg_create_compress(&s->cinfo);
    s->created = true;
    jpeg_stdio_dest(&s->cinfo, file_.get());
    s->cinfo.image_width = JDIMENSION(size.width());
    s->cinfo.image_height = JDIMENSION(size.height());
    // 32-bit pixels as they lie in memory, the unused byte left out.
    s->cinfo.input_components = 4;
    s->cinfo.in_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&s->cinfo);
    jpeg_set_quality(&s->cinfo, quality_, TRUE);
    jpeg_start_compress(&s->cinfo, TRUE);
}

void JpegWriter::write(const QImage& rows) {
    const QImage rgb = rows.convertToFormat(QImage::Format_RGB32);
    State* s = state_;
    if (setjmp(s->jump))
        throw JpegWriteError(QString::fromLocal8Bit(s->message));
    for (int y = 0; y < rgb.height() && s->cinfo.next_scanline < s->cinfo.image_height; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(y));
        jpeg_write_scanlines(&s->cinfo, &row, 1);
    }
}

void JpegWriter::finish() {
    State* s = state_;
    if (setjmp(s->jump))
        throw JpegWriteError(QString::fromLocal8Bit(s->message));
    jpeg_finish_compress(&s->cinfo);
    file_.finish<JpegWriteError>();
    close();
}

} // namespace kv::report
