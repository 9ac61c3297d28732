// PNG files through libpng: 8-bit RGB compressed by zlib at the given level, written row by row as
// rows come. Rows of 32 bits a pixel go in as they are, libpng leaving out the unused byte.
#pragma once

#include "imagewriter.h"
#include "stdiofile_p.h"

namespace kv::report {

class PngWriter : public ImageWriter {
public:
    explicit PngWriter(int zlibLevel)
        : level_(zlibLevel) {}
    ~PngWriter() override;

    void begin(const QString& path, QSize size) override;
    void write(const QImage& rows) override;
    void finish() override;
    QImage::Format rowFormat() const override { return QImage::Format_RGB32; }

    struct State; // libpng's structures and the error text, kept out of this header

private:
    void close();

    int level_;
    StdioFile file_;
    State* state_ = nullptr;
    QSize size_;
    int written_ = 0;
};

} // namespace kv::report
