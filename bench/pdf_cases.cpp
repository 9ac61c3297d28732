// The PDF export: the orders list of 1,000 pages made and written as PDF against the route a Qt
// developer would take without the report engine (the same rows as a QTextDocument table printed
// to a QPdfWriter), in time and in bytes a page; the order form's bytes a page with the firm's logo
// and without; the peak memory of writing 500 pages against 50.
#include "benchcase.h"
#include "orderslist.h"
#include "peakmemory.h"

#include "print/sestavy.h"
#include "report/layout/pagerecorder.h"
#include "report/outputs/pdfexport.h"
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace kv::bench {
namespace {

// The list's detail band, field by field, as the table's columns.
const char* const kColumns[] = {"Cislo",        "Dod_firma", "Dod_osoba",  "Datum",        "Termin_dod",
                                "Objednal",     "Email",     "Zpusob_platby", "Vyrizena", "Stornovana",
                                "Vyrizena_dne", "Doprava",   "Dod_Telefon", "Text"};

const report::PdfInformation kInfo{QStringLiteral("Seznam objednávek"), QStringLiteral("STROJÍRNY HORÁK s.r.o."),
                                   QStringLiteral("Kalmorvaty"), QDateTime(QDate(2026, 12, 11), QTime(10, 0))};

QSizeF paperOf(const report::Report& r) {
    return QSizeF(r.printer().width(), r.printer().height());
}

// The report made and written, as the preview does it from the data to the file.
void ours(OrdersList& list, const QString& path) {
    report::PageRecorder g;
    g.execute(*list.report);
    report::exportPdf(g.pages(), path, paperOf(*list.report), kInfo);
}

// Every order of the table a row of a QTextDocument table under a title and column titles, the
// document printed to a PDF of A4 landscape.
void bare(OrdersList& list, const QString& path) {
    QTextDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("SEZNAM OBJEDNÁVEK:"));
    const int columns = int(std::size(kColumns));
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setCellPadding(1);
    format.setBorder(0.5);
    QTextTable* table = cursor.insertTable(1, columns, format);
    for (int c = 0; c < columns; ++c)
        table->cellAt(0, c).firstCursorPosition().insertText(QLatin1String(kColumns[c]));
    store::Table& orders = list.table;
    QList<int> fields;
    for (const char* name : kColumns)
        fields << orders.fieldByName(QLatin1String(name)).index();
    for (orders.first(); !orders.eof(); orders.next()) {
        table->appendRows(1);
        const int row = table->rows() - 1;
        for (int c = 0; c < columns; ++c)
            table->cellAt(row, c).firstCursorPosition().insertText(orders.field(fields[c]).asString());
    }
    QPdfWriter writer(path);
    writer.setTitle(kInfo.title);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    document.print(&writer);
}

// The pages of a written PDF, from its page tree's count.
int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression count(QStringLiteral("/Type\\s*/Pages\\b[^>]*/Count\\s+(\\d+)"));
    return count.match(QString::fromLatin1(file.readAll())).captured(1).toInt();
}

} // namespace

KV_BENCH_CASE("pdf") {
    const QString dir = options.workDir + QStringLiteral("/pdf");
    OrdersList thousand(dir + QStringLiteral("/db10000"), 10000);
    const QString oursPath = dir + QStringLiteral("/ours.pdf");
    const QString barePath = dir + QStringLiteral("/bare.pdf");
    int ourPages = 0;
    {
        report::PageRecorder g;
        g.execute(*thousand.report);
        ourPages = g.pageCount();
    }
    const double oursMs = timeMs([&] { ours(thousand, oursPath); }, 2);
    const double bareMs = timeMs([&] { bare(thousand, barePath); }, 1);
    const int barePages = pdfPages(barePath);
    report(QStringLiteral("pdf orders list of %1 pages made and written, against a QTextDocument table of the "
                          "same rows printed to QPdfWriter (%2 pages) (target ratio 0.33 or less)")
               .arg(ourPages)
               .arg(barePages),
           oursMs, bareMs);
    report(QStringLiteral("pdf orders list bytes a page, against the QTextDocument table's (target ratio 1 or "
                          "less)"),
           double(QFileInfo(oursPath).size()) / ourPages, double(QFileInfo(barePath).size()) / barePages, "B");
    // The table packs some ninety orders on a page where the list has ten: bytes an order as well.
    const int rows = thousand.table.recordCount();
    report(QStringLiteral("pdf orders list bytes an order, against the QTextDocument table's"),
           double(QFileInfo(oursPath).size()) / rows, double(QFileInfo(barePath).size()) / rows, "B");

    {
        kv::tools::SampleDatabase db;
        kv::tools::fillFirm(db.dm(), true);
        kv::tools::fillOrders(db.dm(), 1);
        print::TSestavy reports(db.dm(), report::ReportMetrics(96));
        auto formBytes = [&]() {
            report::PageRecorder g;
            g.execute(*reports.Objednavka);
            const QString path = dir + QStringLiteral("/objednavka.pdf");
            report::exportPdf(g.pages(), path, paperOf(*reports.Objednavka), kInfo);
            return double(QFileInfo(path).size()) / g.pageCount();
        };
        const double withLogo = formBytes();
        kv::tools::fillFirm(db.dm(), false);
        report(QStringLiteral("pdf order form bytes a page with the firm's logo, against the form without it"),
               withLogo, formBytes(), "B");
    }

    OrdersList fifty(dir + QStringLiteral("/db500"), 500);
    OrdersList fiveHundred(dir + QStringLiteral("/db5000"), 5000);
    report::PageRecorder small;
    small.execute(*fifty.report);
    report::PageRecorder big;
    big.execute(*fiveHundred.report);
    const auto written = [&](report::PageRecorder& g, OrdersList& list) {
        return [&g, &list, &dir] {
            report::exportPdf(g.pages(), dir + QStringLiteral("/pameti.pdf"), paperOf(*list.report), kInfo);
        };
    };
    const double smallPeak = peakRiseMb(written(small, fifty));
    const double bigPeak = peakRiseMb(written(big, fiveHundred));
    report(QStringLiteral("pdf peak memory of writing %1 pages against %2 pages (target ratio about 1)")
               .arg(big.pageCount())
               .arg(small.pageCount()),
           bigPeak, smallPeak, "MB");
}

} // namespace kv::bench
