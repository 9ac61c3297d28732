// Writing PNG files through libpng. libpng reports errors by a long jump back to the call that set
// it up; each step below sets one up and turns it into an exception once libpng has left.
#include "pngwriter.h"

#include <csetjmp>
#include <png.h>

namespace kv::report {

struct PngWriter::State {
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[256] = {};
};

namespace {

void onError(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngWriter::State*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

} // namespace

PngWriter::~PngWriter() {
    close();
}

void PngWriter::close() {
    if (state_) {
        png_destroy_write_struct(&state_->png, &state_->info);
        delete state_;
        state_ = nullptr;
    }
    file_.close();
}

void PngWriter::begin(const QString& path, QSize size) {
    close();
    size_ = size;
    written_ = 0;
    file_.open<ImageWriteError>(path);
    state_ = new State;
    state_->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state_, onError, onWarning);
    state_->info = state_->png ? png_create_info_struct(state_->png) : nullptr;
    if (!state_->info)
        throw ImageWriteError(QStringLiteral("Knihovna PNG nemá dost paměti."));
    State* s = state_;
    if (setjmp(png_jmpbuf(s->png)))
        throw ImageWriteError(QString::fromLocal8Bit(s->message));
    png_init_io(s->png, file_.get());
    png_set_compression_level(s->png, level_);
    png_set_IHDR(s->png, s->info, png_uint_32(size.width()), png_uint_32(size.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s->png, s->info);
    // Rows come as 32-bit pixels: blue, green, red and an unused byte in memory on little-endian
    // machines, the unused byte, red, green, blue on big-endian ones.
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(s->png);
        png_set_filler(s->png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(s->png, 0, PNG_FILLER_BEFORE);
    }
}

void PngWriter::write(const QImage& rows) {
    const QImage rgb = rows.convertToFormat(QImage::Format_RGB32);
    const int count = std::min(rgb.height(), size_.height() - written_);
    State* s = state_;
    if (setjmp(png_jmpbuf(s->png)))
        throw ImageWriteError(QString::fromLocal8Bit(s->message));
    for (int y = 0; y < count; ++y)
        png_write_row(s->png, rgb.constScanLine(y));
    written_ += count;
}

void PngWriter::finish() {
    State* s = state_;
    if (setjmp(png_jmpbuf(s->png)))
        throw ImageWriteError(QString::fromLocal8Bit(s->message));
    png_write_end(s->png, nullptr);
    file_.finish<ImageWriteError>();
    close();
}

} // namespace kv::report
