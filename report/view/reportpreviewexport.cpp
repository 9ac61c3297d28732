// The preview control's outputs beside the pages: text (and the fast print mode that sends it to a
// port), HTML, the workbook, image files and PDF.
#include "reportpreview.h"

#include "report/outputs/imageexport.h"
#include "report/outputs/pdfexport.h"
#include "report/model/reporterror.h"
#include "report/outputs/reportoutput.h"
#include "report/outputs/workbookwriter.h"
#include "report/outputs/htmloutput.h"
#include "report/outputs/textoutput.h"

#include "base/codec1250.h"
#include "data/store/datasource.h"
#include "data/store/table.h"
#include "base/programfolder.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

namespace kv::report {

namespace {

Report& reportOf(const QPointer<Report>& report) {
    if (!report)
        throw ReportError(QStringLiteral("Náhled tisku nemá zadanou sestavu."));
    return *report;
}

// "LPT1" is the first parallel printer, LPT2 the second...; any other text is a file or device,
// a relative path taken from the program folder.
QString portPath(const QString& port) {
    static const QRegularExpression lpt(QStringLiteral("^LPT([1-9])$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = lpt.match(port.trimmed()); m.hasMatch())
        return QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1);
    return QDir(kv::programFolder()).absoluteFilePath(port);
}

} // namespace

void ReportPreview::exportText(QStringList* lines, bool writeFile) {
    Report& report = reportOf(report_);
    TextOutput generator;
    generator.setCellSize(TextOutput::cellSizeOf(report));
    const QString path = outputBasePath(reportDirectory_, reportName_) + QStringLiteral(".txt");
    // Only written, the document goes into the file as it is made.
    if (!lines) {
        if (writeFile)
            exportStreamed(generator, report, path);
        return;
    }
    generator.execute(report);
    *lines = generator.lines();
    if (writeFile)
        saveLines(*lines, path);
}

void ReportPreview::printFast(int first, int last) {
    QStringList lines;
    exportText(&lines, false);
    const PrinterSettings& settings = report_->printer();
    const auto [from, to] =
        TextOutput::printedLines(first, last, settings.colHeight(), int(lines.size()));
    QFile port(portPath(settings.port()));
    if (!port.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ReportError(
            QStringLiteral("Na port \"%1\" nelze tisknout: %2").arg(settings.port(), port.errorString()));
    if (progressBar_) {
        progressBar_->setValue(0);
        progressBar_->show();
    }
    for (int i = from; i <= to; ++i) {
        const QByteArray line = kv::toCp1250(lines[i]) + "\r\n";
        if (port.write(line) != line.size())
            throw ReportError(
                QStringLiteral("Na port \"%1\" nelze tisknout: %2").arg(settings.port(), port.errorString()));
        if (progressBar_)
            progressBar_->setValue(progressBar_->value() + 1);
        Q_EMIT onPrint(i);
    }
    if (!port.flush())
        throw ReportError(
            QStringLiteral("Na port \"%1\" nelze tisknout: %2").arg(settings.port(), port.errorString()));
    port.close();
    Q_EMIT onPrint(0);
}

void ReportPreview::withProgress(int steps,
                                 const std::function<void(const std::function<void(int)>& onStep)>& work) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Always, also after an error: the progress bar hidden at 0 and the pointer as it was.
    struct Restore {
        QProgressBar* bar;
        ~Restore() {
            if (bar) {
                bar->hide();
                bar->setValue(0);
            }
            QGuiApplication::restoreOverrideCursor();
        }
    } restore{progressBar_};
    if (progressBar_) {
        progressBar_->setRange(0, steps);
        progressBar_->setValue(0);
        progressBar_->show();
    }
    work([this](int page) {
        if (progressBar_) {
            progressBar_->setValue(page);
            progressBar_->repaint();
        }
    });
}

bool ReportPreview::guardedExport(int steps, const QString& failure,
                                  const std::function<void(const std::function<void(int)>& onStep)>& write) {
    bool written = false;
    withProgress(steps, [&](const std::function<void(int)>& onStep) {
        QString reason;
        try {
            write(onStep);
            written = true;
            return;
        } catch (const ReportError& e) {
            reason = e.message();
        } catch (const std::exception& e) {
            reason = QString::fromLocal8Bit(e.what());
        }
        kv::ui::dialogs().message(failure + QStringLiteral("\nChybová zpráva:") + reason, kv::ui::MsgStyle::Error,
                                  kv::ui::MsgButton::Ok, this);
    });
    return written;
}

void ReportPreview::exportImage(const QString& fileName, bool singleImage) {
    ImageExportSteps steps;
    steps.onJpegFallback = [this](const QString&) {
        kv::ui::dialogs().message(QStringLiteral("Chyba při kompresi JPG obrázku!\nObrázek bude uložen se "
                                                 "stejným jménem, ale ve formátu PNG..."),
                                  kv::ui::MsgStyle::Error, kv::ui::MsgButton::Ok, this);
    };
    guardedExport(generator_ ? generator_->pageCount() : 0, QStringLiteral("Došlo k chybě při exportu obrázku!"),
                  [&](const std::function<void(int)>& onPage) {
                      steps.onPage = onPage;
                      if (generator_)
                          exportImages(generator_->pages(), fileName, singleImage, steps);
                  });
}

bool ReportPreview::exportPdf(const QString& fileName, PdfInformation info) {
    return guardedExport(generator_ ? generator_->pageCount() : 0, QStringLiteral("Došlo k chybě při exportu do PDF!"),
                         [&](const std::function<void(int)>& onPage) {
                             const Report& report = reportOf(report_);
                             info.creator = QCoreApplication::applicationName();
                             const QSizeF paper(report.printer().width(), report.printer().height());
                             const PageList none;
                             kv::report::exportPdf(generator_ ? generator_->pages() : none, fileName, paper, info,
                                                   onPage);
                         });
}

int ReportPreview::recordCount() const {
    const Report* report = report_;
    kv::store::Table* records = report && report->dataSource() ? report->dataSource()->dataSet() : nullptr;
    return records ? records->recordCount() : 0;
}

bool ReportPreview::exportWorkbook(const QString& fileName) {
    return guardedExport(recordCount(), QStringLiteral("Došlo k chybě při exportu do sešitu!"),
                         [&](const std::function<void(int)>& onRecord) {
                             int done = 0;
                             kv::report::exportWorkbook(reportOf(report_), fileName, [&] { onRecord(++done); });
                         });
}

bool ReportPreview::exportHtml(const QString& fileName, const QString& title) {
    return guardedExport(recordCount(), QStringLiteral("Došlo k chybě při exportu do HTML!"),
                         [&](const std::function<void(int)>& onRecord) {
                             Report& report = reportOf(report_);
                             const QFileInfo file(fileName);
                             HtmlOutput generator(file.dir().filePath(file.completeBaseName()), title);
                             int done = 0;
                             generator.onRecord = [&] { onRecord(++done); };
                             exportStreamed(generator, report, fileName);
                         });
}

} // namespace kv::report
