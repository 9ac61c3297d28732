// The preview control: generates a report's pages, shows one page at a time at a zoom, pages
// through the document and prints it. The print preview window is built around it.
#pragma once

#include "printsetupmemory.h"

#include "report/layout/pagerecorder.h"
#include "report/outputs/pdfinformation.h"
#include "report/model/report.h"

#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollArea>
#include <functional>
#include <memory>

namespace kv::report {

class ReportPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Window title of the preview, base name of exports, e-mail subject.
    const QString& reportName() const { return reportName_; }
    void setReportName(const QString& name) { reportName_ = name; }
    // Folder of the text export and where the save dialogs start; the user's home folder by default.
    const QString& reportDirectory() const { return reportDirectory_; }
    void setReportDirectory(const QString& dir) { reportDirectory_ = dir; }
    // Shown while printing; not owned, cleared when it goes away.
    QProgressBar* progressBar() const { return progressBar_; }
    void setProgressBar(QProgressBar* bar) { progressBar_ = bar; }
    // The report to show; not owned, cleared when it goes away.
    Report* report() const { return report_; }
    void setReport(Report* report) { report_ = report; }

    int pageCount() const { return pageCount_; }
    int currentPage() const { return currentPage_; }
    // Percent, 25 to 400. Other values and the current one are ignored.
    int zoom() const { return zoom_; }
    void setZoom(int zoom);
    // The generator of the last Prepare (null before); it owns the pages.
    PageRecorder* generator() const { return generator_.get(); }
    // The printer the preview prints to; the print dialog sets its device or file.
    QPrinter& printer();

    // Generates all pages of Report and shows page 1. Throws ReportError without a report, and
    // passes on any error of the generation (the pages made so far stay; PageCount does not change).
    void prepare();
    // Shows page n when it exists; fires no event.
    void setPage(int n);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    // Prints a page range chosen in the print dialog. OnAfterPrint fires always, also after a
    // cancel or an error; an error is passed on after it. The dialog starts from the printer,
    // paper and orientation the user chose last for this report, or from the report's own.
    void print();
    // The printer setup dialog: printer, paper and orientation, kept for the following prints.
    void printerSetup();
    // Left button zooms in by 25, right out by 25, middle back to 100.
    void pageMouseDown(Qt::MouseButton button);

    // The text output of the report with its character cell, its lines copied to `lines` when given
    // and, with `writeFile`, saved as ReportDirectory/ReportName.txt (Windows-1250, CR LF). Errors
    // reach the caller (ReportError).
    void exportText(QStringList* lines, bool writeFile);
    // The report's HTML document at `fileName` with `title` as its title, its pictures beside it
    // (the name without its extension and 0.JPG, 1.JPG...), with the busy pointer and the progress
    // bar over the records meanwhile; an error is shown as a message naming the file and leaves the
    // document as it was. True when the file was written.
    bool exportHtml(const QString& fileName, const QString& title);
    // The report's cells as a workbook (.xlsx) at `fileName`, with the busy pointer and the progress
    // bar over the records meanwhile; an error is shown as a message and leaves no file. True when
    // the file was written.
    bool exportWorkbook(const QString& fileName);
    // The generated pages as image files: one picture of all pages, or one file per page
    // (name_00001.png, ...), the kind by the extension (.png, .jpg, .bmp; others write nothing).
    // Shows the busy pointer and the progress bar meanwhile; errors are shown as messages.
    void exportImage(const QString& fileName, bool singleImage);
    // The generated pages as a PDF document on the report's paper, with `info` as its document
    // information (the creator is the program). Shows the busy pointer and the progress bar
    // meanwhile; an error is shown as a message and leaves no file. True when the file was written.
    bool exportPdf(const QString& fileName, PdfInformation info);

Q_SIGNALS:
    void onPageChange(int newPage);
    void onAfterPrint(int pageCount);
    void onBeforePrint(int zero);
    // After each printed page, and after each repaint of the shown page.
    void onPrint(int page);
    void onZoomChange(int zoom);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class PaintBox;
    friend class PaintBox;

    void paintPage(QPainter& painter);
    // The fast print mode: the text lines of pages first..last written to the report's port.
    void printFast(int first, int last);
    // One export with the busy pointer and the progress bar over `steps`; an error is shown after
    // `failure` with its reason. True when the export wrote its file.
    bool guardedExport(int steps, const QString& failure,
                       const std::function<void(const std::function<void(int)>& onStep)>& write);
    // The records of the report's own data source: the steps of an export's progress bar.
    int recordCount() const;
    // Runs an export of `steps` steps (pages, records) with the busy pointer and the progress bar,
    // which `work` moves on through the function it is given; both are restored after it, also after
    // an error.
    void withProgress(int steps, const std::function<void(const std::function<void(int)>& onStep)>& work);
    void updatePlacement();
    void setViewColour(const QColor& colour);

    QString reportName_;
    QString reportDirectory_;
    QPointer<QProgressBar> progressBar_;
    QPointer<Report> report_;
    int pageCount_ = 0;
    int currentPage_ = 0;
    int zoom_ = 100;
    QSize visible_; // the part of the view the page is placed in
    std::unique_ptr<PageRecorder> generator_;
    std::unique_ptr<QPrinter> printer_;
    PrintSetupMemory printSetup_;
};

} // namespace kv::report
