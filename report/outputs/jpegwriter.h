// JPEG files through libjpeg at a given quality, compressed row by row as rows come; rows of 32 bits
// a pixel go in as they are. Every failure is a JpegWriteError (a JPEG holds at most 65,500 rows).
#pragma once

#include "imagewriter.h"
#include "stdiofile_p.h"

namespace kv::report {

class JpegWriter : public ImageWriter {
public:
    explicit JpegWriter(int quality)
        : quality_(quality) {}
    ~JpegWriter() override;

    void begin(const QString& path, QSize size) override;
    void write(const QImage& rows) override;
    void finish() override;
    QImage::Format rowFormat() const override { return QImage::Format_RGB32; }

    struct State; // libjpeg's structures and the error text, kept out of this header

private:
    void close();

    int quality_;
    StdioFile file_;
    State* state_ = nullptr;
};

} // namespace kv::report
