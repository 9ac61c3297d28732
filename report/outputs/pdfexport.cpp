// PDF export through QPdfWriter into a save file, with the document information appended after.
#include "pdfexport.h"

#include "report/pages/pagepainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace kv::report {

namespace {

// The save file as the PDF writer's device, keeping the last bytes written: the information
// update is built on the trailer the writer ends with.
class TailKeepingDevice : public QIODevice {
public:
    explicit TailKeepingDevice(QSaveFile& file)
        : file_(file) {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }
    const QByteArray& tail() const { return tail_; }
    qint64 written() const { return written_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 n = file_.write(data, size);
        if (n > 0) {
            written_ += n;
            tail_.append(data + (n > kTail ? n - kTail : 0), qsizetype(std::min(n, kTail)));
            if (tail_.size() > 2 * kTail)
                tail_.remove(0, tail_.size() - kTail);
        }
        return n;
    }

private:
    // More than the writer's trailer with its document identifier.
    static constexpr qint64 kTail = 1024;
    QSaveFile& file_;
    QByteArray tail_;
    qint64 written_ = 0;
};

QPageLayout layoutOf(QSizeF paperMm) {
    const bool landscape = paperMm.width() > paperMm.height();
    const QSizeF upright = landscape ? paperMm.transposed() : paperMm;
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

void exportPdf(const PageList& pages, const QString& fileName, QSizeF paperMm, const PdfInformation& info,
               const std::function<void(int page)>& onPage) {
    const auto failed = [&fileName](const QString& why) {
        return PdfWriteError(QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(fileName, why));
    };
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw failed(file.errorString());
    TailKeepingDevice device(file);
    {
        QPdfWriter writer(&device);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setPageLayout(layoutOf(paperMm));
        QPainter painter;
        if (!painter.begin(&writer))
            throw failed(QStringLiteral("zapisovač PDF se nespustil."));
        const QRectF area(0, 0, writer.width(), writer.height());
        for (int p = 0; p < pages.count(); ++p) {
            if (onPage)
                onPage(p + 1);
            if (p > 0)
                writer.newPage();
            paintPage(pages.at(p), painter, area);
            if (file.error() != QFileDevice::NoError)
                throw failed(file.errorString());
        }
        painter.end();
    }
    QByteArray update;
    try {
        update = pdfInformationUpdate(device.tail(), device.written(), info);
    } catch (const ReportError& e) {
        throw failed(e.message());
    }
    if (file.write(update) != update.size() || !file.commit())
        throw failed(file.errorString());
}

} // namespace kv::report
