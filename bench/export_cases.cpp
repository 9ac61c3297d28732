// The report outputs on the orders list: one PNG and one JPEG of 50 pages and a PNG a page, against
// bare libpng (level 9) and libjpeg (quality 100) writing the same pixels; the peak memory of one
// picture of 500 pages against 50; the text and HTML outputs' processor time per page, 5,000 pages
// against 50; the workbook of 50,000 orders against bare libxlsxwriter writing the same cells, and
// its peak memory and that of the walk alone, 5,000 pages against 50.
#include "benchcase.h"
#include "orderslist.h"
#include "peakmemory.h"

#include "report/model/labelbase.h"
#include "report/model/memobase.h"
#include "report/outputs/imageexport.h"
#include "report/outputs/imagewriter.h"
#include "report/outputs/reportoutput.h"
#include "report/outputs/htmloutput.h"
#include "report/outputs/textoutput.h"
#include "report/outputs/workbookwriter.h"
#include "report/layout/pagerecorder.h"

#include <QFile>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <xlsxwriter.h>

namespace kv::bench {
namespace {

// The pages' pixels as the export writes them (32-bit pixels holding 16-bit colours, which both
// libraries take as they lie in memory on this little-endian machine), held whole for the bare writers.
std::vector<QImage> pagePixels(const report::PageList& pages) {
    std::vector<QImage> out;
    for (int i = 0; i < pages.count(); ++i)
        out.push_back(report::pageImage16(pages.at(i)));
    return out;
}

// libpng with nothing around it: `pages` stacked into one file, level 9.
void barePng(const std::vector<QImage>& pages, std::size_t first, std::size_t count, const QString& path) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    const QImage& page = pages[first];
    png_set_IHDR(png, info, png_uint_32(page.width()), png_uint_32(page.height() * int(count)), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (std::size_t p = first; p < first + count; ++p) {
        for (int y = 0; y < pages[p].height(); ++y)
            png_write_row(png, pages[p].constScanLine(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// libjpeg with nothing around it: `pages` stacked into one file, quality 100.
void bareJpeg(const std::vector<QImage>& pages, const QString& path) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(pages[0].width());
    cinfo.image_height = JDIMENSION(pages[0].height() * int(pages.size()));
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    for (const QImage& page : pages) {
        for (int y = 0; y < page.height(); ++y) {
            JSAMPROW row = const_cast<JSAMPROW>(page.constScanLine(y));
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

// The walk of an output that reads every text control's text and writes nothing.
struct ReadEveryText : report::ReportGenerator {
    void generateLabel(report::Band&, report::LabelBase& label) override {
        chars += label.text().size();
    }
    void generateMemo(report::Band&, report::MemoBase& memo) override {
        chars += memo.text().size();
    }
    qsizetype chars = 0;
};

// Wall time of `ours` and of `bare`, each the best of `rounds` runs taken in turn, so that both meet
// the same load of a shared machine (the export draws on a second thread: processor time would not
// show what a user waits).
std::pair<double, double> takenInTurn(const std::function<void()>& ours, const std::function<void()>& bare,
                                      int rounds = 2) {
    double bestOurs = -1, bestBare = -1;
    for (int i = 0; i < rounds; ++i) {
        const double o = timeMs(ours, 1);
        const double b = timeMs(bare, 1);
        bestOurs = bestOurs < 0 ? o : std::min(bestOurs, o);
        bestBare = bestBare < 0 ? b : std::min(bestBare, b);
    }
    return {bestOurs, bestBare};
}

// Every cell the spreadsheet output makes, kept for the bare writer.
struct CollectedCells : report::SheetCells {
    struct Cell {
        int row;
        int column;
        report::SheetValue value;
    };
    std::vector<Cell> cells;
    void cell(int row, int column, const report::SheetValue& value) override {
        cells.push_back({row, column, value});
    }
};

// libxlsxwriter with nothing around it: the cells in constant-memory mode, dates in the same formats.
void bareXlsx(const std::vector<CollectedCells::Cell>& cells, const QString& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray name = QFile::encodeName(path);
    lxw_workbook* workbook = workbook_new_opt(name.constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "List1");
    lxw_format* date = workbook_add_format(workbook);
    format_set_num_format(date, "d.m.yyyy");
    lxw_format* dateTime = workbook_add_format(workbook);
    format_set_num_format(dateTime, "d.m.yyyy h:mm");
    for (const CollectedCells::Cell& c : cells) {
        const auto r = lxw_row_t(c.row - 1);
        const auto col = lxw_col_t(c.column - 1);
        switch (c.value.kind) {
        case report::SheetValue::Kind::Text:
            worksheet_write_string(sheet, r, col, c.value.text.toUtf8().constData(), nullptr);
            break;
        case report::SheetValue::Kind::Number:
            worksheet_write_number(sheet, r, col, c.value.number, nullptr);
            break;
        case report::SheetValue::Kind::Date:
        case report::SheetValue::Kind::DateTime: {
            const QDate d = c.value.when.date();
            const QTime t = c.value.when.time();
            lxw_datetime when{d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
            worksheet_write_datetime(sheet, r, col, &when,
                                     c.value.kind == report::SheetValue::Kind::Date ? date : dateTime);
            break;
        }
        }
    }
    workbook_close(workbook);
}

} // namespace

KV_BENCH_CASE("export") {
    const QString dir = options.workDir + QStringLiteral("/export");
    OrdersList fifty(dir + QStringLiteral("/db500"), 500);
    report::PageRecorder g;
    g.execute(*fifty.report);
    const int pages = g.pageCount();
    const std::vector<QImage> pixels = pagePixels(g.pages());
    const report::ImageExportSteps steps;

    const auto barePngAll = [&] { barePng(pixels, 0, pixels.size(), dir + QStringLiteral("/bare.png")); };
    const auto bareJpegAll = [&] { bareJpeg(pixels, dir + QStringLiteral("/bare.jpg")); };
    const auto [png, barePngMs] = takenInTurn(
        [&] { report::exportImages(g.pages(), dir + QStringLiteral("/ours.png"), true, steps); }, barePngAll);
    report(QStringLiteral("export one PNG of %1 pages against bare libpng (target ratio 1.1)").arg(pages),
           png, barePngMs);
    const auto [jpeg, bareJpegMs] =
        takenInTurn([&] { report::exportImages(g.pages(), dir + QStringLiteral("/ours.jpg"), true, steps); },
                    bareJpegAll, 3);
    report(QStringLiteral("export one JPEG of %1 pages against bare libjpeg (target ratio 1.2)").arg(pages),
           jpeg, bareJpegMs);
    const auto [perPage, barePerPage] = takenInTurn(
        [&] { report::exportImages(g.pages(), dir + QStringLiteral("/strana.png"), false, steps); },
        [&] {
            for (std::size_t p = 0; p < pixels.size(); ++p)
                barePng(pixels, p, 1, dir + QStringLiteral("/bare_%1.png").arg(p));
        });
    report(
        QStringLiteral("export a PNG a page of %1 pages against bare libpng (target ratio 1.1)").arg(pages),
        perPage, barePerPage);

    // The parts of it. The writers alone, handed the same pixels as the bare libraries: what wrapping
    // them costs. Drawing the pages, which the export does one page ahead of the writer on a second
    // thread, against the compressing it hides behind (processor time, both on one thread).
    auto ourWriter = [&](report::ImageKind kind, const QString& path) {
        return [&pixels, kind, path] {
            std::unique_ptr<report::ImageWriter> w = report::makeImageWriter(kind);
            w->begin(path, QSize(pixels[0].width(), pixels[0].height() * int(pixels.size())));
            for (const QImage& page : pixels)
                w->write(page);
            w->finish();
        };
    };
    const auto [pngWriter, barePngAgain] =
        takenInTurn(ourWriter(report::ImageKind::Png, dir + QStringLiteral("/writer.png")), barePngAll);
    report(QStringLiteral("export PNG writer alone, %1 pages of the same pixels, against bare libpng")
               .arg(pages),
           pngWriter, barePngAgain);
    const auto [jpegWriter, bareJpegAgain] =
        takenInTurn(ourWriter(report::ImageKind::Jpeg, dir + QStringLiteral("/writer.jpg")), bareJpegAll, 3);
    report(QStringLiteral("export JPEG writer alone, %1 pages of the same pixels, against bare libjpeg")
               .arg(pages),
           jpegWriter, bareJpegAgain);
    report(QStringLiteral("export drawing %1 pages at 16 bits, against bare libjpeg compressing them, "
                          "processor time")
               .arg(pages),
           cpuMs(
               [&] {
                   for (int p = 1; p <= pages; ++p)
                       report::pageImage16(g.page(p));
               },
               3),
           cpuMs(bareJpegAll, 3));

    OrdersList fiveHundred(dir + QStringLiteral("/db5000"), 5000);
    report::PageRecorder big;
    big.execute(*fiveHundred.report);
    // BMP, whose writer is the quickest: a PNG of 500 pages at level 9 takes minutes, and every
    // kind streams alike.
    const double smallPeak =
        peakRiseMb([&] { report::exportImages(g.pages(), dir + QStringLiteral("/maly.bmp"), true, steps); });
    const double bigPeak = peakRiseMb(
        [&] { report::exportImages(big.pages(), dir + QStringLiteral("/velky.bmp"), true, steps); });
    QFile::remove(dir + QStringLiteral("/velky.bmp"));
    report(QStringLiteral("export peak memory of one BMP of %1 pages against %2 pages (target ratio about 1)")
               .arg(big.pageCount())
               .arg(pages),
           bigPeak, smallPeak, "MB");

    OrdersList fiveThousand(dir + QStringLiteral("/db50000"), 50000);
    report::PageRecorder huge;
    huge.execute(*fiveThousand.report);
    // Both as the preview exports them: into the file as the document is made.
    const QString base = dir + QStringLiteral("/seznam");
    auto text = [&base](OrdersList& list) {
        return [&list, &base] {
            report::TextOutput t;
            t.setCellSize(report::TextOutput::cellSizeOf(*list.report));
            report::exportStreamed(t, *list.report, base + QStringLiteral(".txt"));
        };
    };
    auto html = [&base](OrdersList& list) {
        return [&list, &base] {
            report::HtmlOutput h(base, QStringLiteral("Seznam"));
            report::exportStreamed(h, *list.report, base + QStringLiteral(".HTML"));
        };
    };
    // What every output must do anyway: walk the report and read each control's text.
    auto read = [](OrdersList& list) {
        return [&list] {
            ReadEveryText r;
            r.execute(*list.report);
        };
    };
    const double readLong = cpuMs(read(fiveThousand), 2) / huge.pageCount();
    const double readShort = cpuMs(read(fifty), 5) / pages;
    using Maker = std::function<std::function<void()>(OrdersList&)>;
    for (const auto& [name, work] :
         {std::pair<const char*, Maker>{"text", text}, std::pair<const char*, Maker>{"HTML", html}}) {
        report(QStringLiteral("export %1 processor time per page, %2 pages against %3 (target ratio 1.2)")
                   .arg(QLatin1String(name))
                   .arg(huge.pageCount())
                   .arg(pages),
               cpuMs(work(fiveThousand), 2) / huge.pageCount(), cpuMs(work(fifty), 5) / pages);
    }
    report(QStringLiteral("export walk reading every text (what any output does), processor time per page, "
                          "%1 pages against %2")
               .arg(huge.pageCount())
               .arg(pages),
           readLong, readShort);

    // The workbook as the preview writes it, from the walk to the file, against bare libxlsxwriter
    // writing the same cells, collected beforehand, in the same mode and formats.
    CollectedCells collected;
    {
        report::SpreadsheetOutput output(collected);
        output.execute(*fiveThousand.report);
    }
    const QString book = dir + QStringLiteral("/seznam.xlsx");
    const auto [workbook, bareWorkbook] =
        takenInTurn([&] { report::exportWorkbook(*fiveThousand.report, book); },
                    [&] { bareXlsx(collected.cells, dir + QStringLiteral("/bare.xlsx")); });
    report(QStringLiteral("export workbook of %1 orders (%2 cells) against bare libxlsxwriter writing the same cells "
                          "(target ratio 1.2)")
               .arg(fiveThousand.table.recordCount())
               .arg(collected.cells.size()),
           workbook, bareWorkbook);
    // The writer alone, handed the same cells: what wrapping the library costs.
    const auto [workbookWriter, bareAgain] = takenInTurn(
        [&] {
            report::WorkbookWriter writer(book);
            for (const CollectedCells::Cell& c : collected.cells)
                writer.cell(c.row, c.column, c.value);
            writer.finish();
        },
        [&] { bareXlsx(collected.cells, dir + QStringLiteral("/bare.xlsx")); });
    report(QStringLiteral("export workbook writer alone, the same %1 cells, against bare libxlsxwriter")
               .arg(collected.cells.size()),
           workbookWriter, bareAgain);
    // The walk and the cells' values without a file: what the spreadsheet output adds to the writing.
    struct NoCells : report::SheetCells {
        void cell(int, int, const report::SheetValue&) override {}
    } none;
    report(QStringLiteral("export workbook walk and values alone, %1 orders, processor time, against bare "
                          "libxlsxwriter writing the cells")
               .arg(fiveThousand.table.recordCount()),
           cpuMs(
               [&] {
                   report::SpreadsheetOutput output(none);
                   output.execute(*fiveThousand.report);
               },
               2),
           cpuMs([&] { bareXlsx(collected.cells, dir + QStringLiteral("/bare.xlsx")); }, 2));
    const double workbookSmall =
        peakRiseMb([&] { report::exportWorkbook(*fifty.report, dir + QStringLiteral("/maly.xlsx")); });
    const double workbookBig = peakRiseMb([&] { report::exportWorkbook(*fiveThousand.report, book); });
    report(QStringLiteral("export peak memory of the workbook of %1 pages against %2 pages (target ratio about 1)")
               .arg(huge.pageCount())
               .arg(pages),
           workbookBig, workbookSmall, "MB");
    // The same walk with no file: what reading the records holds, the store cursor's window of rows
    // over a long list against every row of a short one.
    const auto walkOnly = [&none](OrdersList& list) {
        return [&none, &list] {
            report::SpreadsheetOutput output(none);
            output.execute(*list.report);
        };
    };
    const double walkSmall = peakRiseMb(walkOnly(fifty));
    const double walkBig = peakRiseMb(walkOnly(fiveThousand));
    report(QStringLiteral("export peak memory of the walk alone, no file, %1 pages against %2 pages")
               .arg(huge.pageCount())
               .arg(pages),
           walkBig, walkSmall, "MB");
}

} // namespace kv::bench
