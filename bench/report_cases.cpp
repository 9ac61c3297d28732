// The report engine on a list of orders laid out like the orders list (ten 60-pixel bands per A4
// landscape page, 13 data texts and a memo per order): generation against a plain loop that reads
// the same records and records the same drawing operations with no engine around it, the time per
// page of a long list against a short one, the memory of the pages, showing a page, and the whole
// road from records to drawn pages against a QTextDocument table paginated by Qt. Every case runs on
// this thread alone and is timed in processor time, which a machine shared with other work leaves
// fair (a long run waits for the processor far longer than a short one).
#include "benchcase.h"
#include "orderslist.h"

#include "data/schema.h"
#include "data/store/client.h"
#include "data/store/session.h"
#include "data/store/sqlitebackend.h"
#include "data/store/table.h"

#include "data/store/datasource.h"
#include "report/outputs/imageexport.h"
#include "report/pages/pagepainter.h"
#include "report/model/reportdefinition.h"
#include "report/model/reportfont.h"
#include "report/pages/textmeasurer.h"
#include "report/model/band.h"
#include "report/layout/pagerecorder.h"
#include "report/model/report.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <sqlite3.h>

namespace kv::bench {
namespace {

// The fields of the detail band with their boxes, for the plain loop.
struct Cell {
    const char* field;
    QRect box;
};
const Cell kCells[] = {{"Cislo", {1, 0, 115, 12}},           {"Dod_firma", {1, 15, 860, 12}},
                       {"Dod_osoba", {1, 30, 340, 12}},      {"Datum", {120, 0, 70, 12}},
                       {"Termin_dod", {195, 0, 70, 12}},     {"Objednal", {275, 0, 405, 12}},
                       {"Email", {340, 29, 340, 12}},        {"Zpusob_platby", {865, 0, 175, 12}},
                       {"Vyrizena", {865, 15, 175, 12}},     {"Stornovana", {865, 30, 175, 12}},
                       {"Vyrizena_dne", {865, 45, 175, 12}}, {"Doprava", {685, 0, 175, 12}},
                       {"Dod_Telefon", {685, 30, 175, 12}}};

// The same pages drawn by hand: page, footer, headers, one band per record with its cells and
// memo, each text measured once to place it, as any hand-written report must.
void plainLoop(store::Table& table, report::TextMeasurer& m, report::PageList& pages) {
    using namespace report;
    const QFont title = reportFont(20), small = reportFont(9), normal = reportFont(11), tiny = reportFont(8);
    const QPen frame(Qt::black, 1);
    const QBrush white(Qt::white), grey223(QColor(223, 223, 223)), grey235(QColor(235, 235, 235));
    std::vector<store::Field*> fields;
    for (const Cell& c : kCells)
        fields.push_back(&table.fieldByName(QString::fromLatin1(c.field)));
    store::Field& memo = table.fieldByName(QStringLiteral("Text"));
    const int lineHeight = m.textHeight(small);
    const int left = 37;
    ReportPage* page = nullptr;
    int y = 0;
    auto boxed = [&](const QRect& r, int x0, int y0) {
        page->line({x0 + r.x(), y0 + r.y()}, {x0 + r.x(), y0 + r.bottom()}, frame);
        page->line({x0 + r.x(), y0 + r.y()}, {x0 + r.right(), y0 + r.y()}, frame);
        page->line({x0 + r.x(), y0 + r.bottom()}, {x0 + r.right(), y0 + r.bottom()}, frame);
        page->line({x0 + r.right(), y0 + r.y()}, {x0 + r.right(), y0 + r.bottom()}, frame);
    };
    auto newPage = [&] {
        page = &pages.append(QSize(1121, 793));
        page->fillRect(QRect(0, 0, 1121, 793), white);
        page->fillRect(QRect(left, 731, 1047, 25), white);
        boxed(QRect(0, 0, 1047, 25), left, 731);
        const QString foot = QStringLiteral("Vytištěno programem Kalmorvaty - kalmorvaty.cz");
        page->fillRect(QRect(left + 860, 733, 180, 20), white);
        page->text({left + 860 + 180 - m.textWidth(foot, tiny), 733 + 10 - m.textHeight(tiny) / 2}, foot,
                   tiny, Qt::black);
        const QString number = QStringLiteral("Strana: %1").arg(pages.count());
        page->fillRect(QRect(left + 4, 734, 110, 17), white);
        page->text({left + 4, 734 + 8 - m.textHeight(normal) / 2}, number, normal, Qt::black);
        page->fillRect(QRect(left, 37, 1047, 40), grey223);
        boxed(QRect(0, 0, 1047, 40), left, 37);
        const QString caption = QStringLiteral("SEZNAM OBJEDNÁVEK:");
        page->text({left + 1 + 520 - m.textWidth(caption, title) / 2, 37 + 17 - m.textHeight(title) / 2},
                   caption, title, Qt::black);
        const QString when = QStringLiteral("Datum a čas: 1.3.2026 , 8:00:00");
        page->text({left + 800 + 240 - m.textWidth(when, normal), 55 + 10 - m.textHeight(normal) / 2}, when,
                   normal, Qt::black);
        page->fillRect(QRect(left, 77, 1047, 58), grey235);
        page->line({left, 134}, {left + 1046, 134}, frame);
        for (const auto& [text, at] : {std::pair{"Číslo objednávky:", QPoint(1, 3)},
                                       {"Dodavatel:", QPoint(1, 16)},
                                       {"Vystavena:", QPoint(115, 3)},
                                       {"Způsob platby:", QPoint(865, 3)}}) {
            const QString t = QString::fromUtf8(text);
            m.textWidth(t, small);
            page->text({left + at.x(), 77 + at.y()}, t, small, Qt::black);
        }
        y = 135;
    };
    newPage();
    for (table.first(); !table.eof(); table.next()) {
        if (y > 793 - 60 - 25)
            newPage();
        page->fillRect(QRect(left, y, 1046, 60), white);
        page->line({left, y + 59}, {left + 1045, y + 59}, frame);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QRect box = kCells[i].box.translated(left, y);
            const QString text = fields[i]->asString();
            page->fillRect(box, white);
            if (!text.isEmpty() && m.textWidth(text, small) <= box.width())
                page->text({box.x(), box.y() + box.height() / 2 - lineHeight / 2}, text, small, Qt::black);
        }
        const QRect memoBox = QRect(1, 43, 860, 12).translated(left, y);
        page->fillRect(memoBox, white);
        // The order text is short enough for its box: only its line ends need the page's form.
        page->textBox(memoBox, 0, memo.asString().remove(QLatin1Char('\r')), small, Qt::black);
        y += 60;
    }
}

std::size_t pagesMemory(const report::PageList& pages) {
    std::size_t bytes = 0;
    for (int i = 0; i < pages.count(); ++i)
        bytes += pages.at(i).memoryUsed();
    return bytes;
}

// Counts every control handed to an output into `counter`.
void countControls(report::Report& r, int& counter) {
    for (report::Band* band : r.bands())
        QObject::connect(band, &report::Band::onGenerate, band,
                         [&counter](report::Band*, report::ReportControl*, bool) { ++counter; });
}

double msPerPage(OrdersList& orders, int* pageCount) {
    report::PageRecorder g;
    const double ms = cpuMs([&] { g.execute(*orders.report); }, 3);
    *pageCount = g.pageCount();
    return ms / g.pageCount();
}

// Mean time to replay pages spread over the document into a page-sized image.
double msToShow(const report::PageRecorder& g) {
    QImage image(1121, 793, QImage::Format_RGB32);
    const int n = g.pageCount();
    const int pages[] = {1, n / 3 + 1, 2 * n / 3 + 1, n};
    return cpuMs(
               [&] {
                   for (int p : pages) {
                       QPainter painter(&image);
                       report::paintPage(g.page(p), painter, QRectF(0, 0, 1121, 793));
                   }
               },
               5) /
           4;
}

// The route a Qt developer would take without a report engine: the orders as one QTextDocument
// table (the same fields in six columns, titles repeated on every page) paginated to the page size
// and drawn page by page into images of the page's size, reduced to 16 bits a pixel. Both roads draw
// in full colour and reduce, the quicker way to a 16-bit page for either (text drawn straight into
// 16 bits takes three times as long).
int textDocumentRoute(store::Table& table) {
    const QSizeF page(1121, 793);
    QTextDocument doc;
    doc.setDefaultFont(report::reportFont(9));
    doc.setDocumentMargin(37);
    doc.setPageSize(page);
    int rows = 0;
    for (table.first(); !table.eof(); table.next())
        ++rows;
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorder(1);
    format.setCellPadding(1);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextCursor cursor(&doc);
    QTextTable* grid = cursor.insertTable(rows + 1, 6, format);
    const QStringList titles = {QStringLiteral("Číslo objednávky:\nDodavatel:"),
                                QStringLiteral("Vystavena:"),
                                QStringLiteral("Termín dodání:"),
                                QStringLiteral("Objednal:\nE-mail:"),
                                QStringLiteral("Doprava:\nTelefon:"),
                                QStringLiteral("Způsob platby:\nStav:")};
    for (int c = 0; c < 6; ++c)
        grid->cellAt(0, c).firstCursorPosition().insertText(titles[c]);
    auto f = [&](const char* name) { return table.fieldByName(QString::fromLatin1(name)).asString(); };
    int r = 1;
    for (table.first(); !table.eof(); table.next(), ++r) {
        const QString cells[] = {f("Cislo") + QLatin1Char('\n') + f("Dod_firma") + QLatin1Char('\n') +
                                     f("Dod_osoba") + QLatin1Char('\n') + f("Text").remove(QLatin1Char('\r')),
                                 f("Datum"),
                                 f("Termin_dod"),
                                 f("Objednal") + QLatin1Char('\n') + f("Email"),
                                 f("Doprava") + QLatin1Char('\n') + f("Dod_Telefon"),
                                 f("Zpusob_platby") + QLatin1Char('\n') + f("Vyrizena") + QLatin1Char('\n') +
                                     f("Stornovana") + QLatin1Char('\n') + f("Vyrizena_dne")};
        for (int c = 0; c < 6; ++c)
            grid->cellAt(r, c).firstCursorPosition().insertText(cells[c]);
    }
    const int pages = doc.pageCount();
    QImage image(page.toSize(), QImage::Format_RGB32);
    for (int p = 0; p < pages; ++p) {
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.translate(0, -p * page.height());
            doc.drawContents(&painter, QRectF(QPointF(0, p * page.height()), page));
        }
        report::reduceTo16Bits(image);
    }
    return pages;
}

// The engine's route to the same: generate, then draw every page into a 16-bit page image.
int engineRoute(report::Report& list) {
    report::PageRecorder g;
    g.execute(list);
    QImage image(1121, 793, QImage::Format_RGB32);
    for (int p = 1; p <= g.pageCount(); ++p) {
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            report::paintPage(g.page(p), painter, QRectF(0, 0, 1121, 793));
        }
        report::reduceTo16Bits(image);
    }
    return g.pageCount();
}

} // namespace

KV_BENCH_CASE("report") {
    OrdersList list(options.workDir + QStringLiteral("/report10k"), 10000);
    report::PageRecorder engine;
    const double ours = cpuMs([&] { engine.execute(*list.report); }, 3);
    const double raw = cpuMs(
        [&] {
            report::PageList pages;
            plainLoop(list.table, list.report->metrics().measurer(), pages);
        },
        3);
    report(QStringLiteral("report generate 10000 orders (%1 pages)").arg(engine.pageCount()), ours, raw);

    int enginePages = 0, peerPages = 0;
    const double drawn = cpuMs([&] { enginePages = engineRoute(*list.report); }, 2);
    const double peer = cpuMs([&] { peerPages = textDocumentRoute(list.table); }, 1);
    report(QStringLiteral("report 10000 orders generated and drawn (%1 pages) against a QTextDocument table "
                          "(%2 pages, target ratio 0.33 or less)")
               .arg(enginePages)
               .arg(peerPages),
           drawn, peer);

    // Bytes the pages hold per control drawn, against the budget of 1 KB.
    int controls = 0;
    countControls(*list.report, controls);
    report::PageRecorder once;
    once.execute(*list.report);
    report(QStringLiteral("report page memory per drawn control (budget)"),
           double(pagesMemory(once.pages())) / std::max(controls, 1), 1024.0, "bytes");

    OrdersList shortList(options.workDir + QStringLiteral("/report500"), 500);
    OrdersList longList(options.workDir + QStringLiteral("/report50k"), 50000);
    int shortPages = 0, longPages = 0;
    const double perPageShort = msPerPage(shortList, &shortPages);
    const double perPageLong = msPerPage(longList, &longPages);
    report(QStringLiteral("report time per page, %1 pages against %2").arg(longPages).arg(shortPages),
           perPageLong, perPageShort);

    report::PageRecorder shortDoc, longDoc;
    shortDoc.execute(*shortList.report);
    longDoc.execute(*longList.report);
    report(QStringLiteral("report show a page of %1 pages against %2")
               .arg(longDoc.pageCount())
               .arg(shortDoc.pageCount()),
           msToShow(longDoc), msToShow(shortDoc));
}

} // namespace kv::bench
