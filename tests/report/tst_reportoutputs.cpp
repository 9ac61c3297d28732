// The text, HTML and spreadsheet outputs: the text output's cells, columns, fields, memo rows and
// page footers, its file; the HTML document's fragments byte for byte, pictures and file; the
// spreadsheet output's typed cells, the cells handed to the workbook on a thread of their own, and
// the workbook file, whole or not at all.
#include "tests/reportsupport/itemtable.h"
#include "tests/reportsupport/reportbuild.h"

#include "base/codec1250.h"
#include "report/model/reporterror.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/labelcontrol.h"
#include "report/model/memocontrol.h"
#include "report/model/band.h"
#include "report/model/datamemocontrol.h"
#include "report/outputs/cellsahead.h"
#include "report/outputs/spreadsheetoutput.h"
#include "report/outputs/workbookwriter.h"
#include "report/outputs/htmloutput.h"
#include "report/outputs/textoutput.h"
#include "report/view/reportpreview.h"
#include "ui/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kv::report;
using kv::report::test::add;
using kv::report::test::band;
using kv::report::test::ItemTable;

Q_DECLARE_METATYPE(kv::report::TextAlignment)

namespace {

LabelControl& label(Band* band, QRect bounds, const QString& caption, TextAlignment alignment = taLeftJustify) {
    LabelControl& l = add<LabelControl>(band, "L", bounds);
    l.caption = caption;
    l.alignment = alignment;
    return l;
}

DataTextControl& dataText(Band* band, QRect bounds, ItemTable& items, const char* field) {
    DataTextControl& t = add<DataTextControl>(band, "T", bounds);
    t.link.dataSource = &items.source();
    t.link.dataField = QString::fromLatin1(field);
    return t;
}

QStringList textLines(Report& report) {
    TextOutput g;
    g.setCellSize(TextOutput::cellSizeOf(report));
    g.execute(report);
    return g.lines();
}

// An 80-character line with `field` written from the 1-based `column`.
QString lineWith(std::initializer_list<std::pair<int, QString>> fields) {
    QString line(80, QLatin1Char(' '));
    for (const auto& [column, field] : fields)
        line.replace(column - 1, field.size(), field);
    return line;
}

QStringList htmlLines(Report& report, const QString& base = QStringLiteral("/tmp/x")) {
    HtmlOutput g(base, report.printer().title());
    g.execute(report);
    return g.lines();
}

// The cells the spreadsheet output makes, as "R2C1 text" ("R3C2 = 1" a number, "R3C3 @ 2.12.2026" a
// date, "@ 2.12.2026 8:05" with its time).
struct CellList : SheetCells {
    QStringList cells;
    void cell(int row, int column, const SheetValue& v) override {
        const QString at = QStringLiteral("R%1C%2 ").arg(row).arg(column);
        switch (v.kind) {
        case SheetValue::Kind::Text:
            cells << at + v.text;
            break;
        case SheetValue::Kind::Number:
            cells << at + QStringLiteral("= ") + QString::number(v.number);
            break;
        case SheetValue::Kind::Date:
            cells << at + QStringLiteral("@ ") + v.when.toString(QStringLiteral("d.M.yyyy"));
            break;
        case SheetValue::Kind::DateTime:
            cells << at + QStringLiteral("@ ") + v.when.toString(QStringLiteral("d.M.yyyy H:mm"));
            break;
        }
    }
};

QStringList cells(Report& report) {
    CellList list;
    SpreadsheetOutput g(list);
    g.execute(report);
    return list.cells;
}

} // namespace

class TestReportOutputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // ---- text ----

    void textCellComesFromTheReport() {
        Report report;
        // 793 div 80 = 9, 1121 div 55 = 20.
        QCOMPARE(TextOutput::cellSizeOf(report), QSize(9, 20));
        report.printer().setOrientation(poLandscape);
        QCOMPARE(TextOutput::cellSizeOf(report), QSize(14, 14));
        QCOMPARE(TextOutput().cellSize(), QSize(8, 20));
    }

    void fields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<TextAlignment>("alignment");
        QTest::addColumn<QString>("field");
        QTest::newRow("left padded") << "ab" << 5 << taLeftJustify << "ab   ";
        QTest::newRow("left cut at its end") << "abcdefg" << 5 << taLeftJustify << "abcde";
        QTest::newRow("right padded") << "ab" << 5 << taRightJustify << "   ab";
        QTest::newRow("right cut at its end") << "abcdefg" << 5 << taRightJustify << "abcde";
        // Centred: padded to half the width only, so in fact left-aligned in that half.
        QTest::newRow("centred padded to half") << "a" << 7 << taCenter << "a  ";
        QTest::newRow("centred cut to twice the half") << "abcdefgh" << 7 << taCenter << "abcdef";
        QTest::newRow("no wider than 512")
            << QString(600, QLatin1Char('x')) << 600 << taLeftJustify << QString(512, QLatin1Char('x'));
    }
    void fields() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(TextAlignment, alignment);
        QFETCH(QString, field);
        QCOMPARE(TextOutput::formatField(text, width, alignment), field);
    }

    void labelsStandOnTheRowsOfTheirTopsAtTheirColumns() {
        // Cells of 9 x 20: a label at left 37 goes to column Round(37 / 9) + 1 = 5, 90 pixels are
        // 10 characters; at 370 (41.1) to column 42, 45 pixels are 5; at 460 (51.1) to 52. Tops 0
        // and 5 are row 0 of the band, 20 its row 1, 45 its last row (1) too.
        Report report;
        Band* b = band(report, "S", rbSummary, 40);
        label(b, {37, 0, 90, 12}, QStringLiteral("vlevo"));
        label(b, {370, 20, 45, 12}, QStringLiteral("xy"), taRightJustify);
        label(b, {460, 5, 90, 12}, QStringLiteral("stred"), taCenter);
        label(b, {0, 45, 90, 12}, QStringLiteral("pod"));
        const QStringList lines = textLines(report);
        QCOMPARE(lines.size(), 56);
        QCOMPARE(lines[0], lineWith({{5, "vlevo     "}, {52, "stred"}}));
        QCOMPARE(lines[1], lineWith({{1, "pod"}, {42, "   xy"}}));
        QCOMPARE(lines[2], QString(80, QLatin1Char(' ')));
    }

    // A record laid out as the orders list's: fields on three rows, the memo on the last one as wide
    // as itself beside a field, a flag. Every field is there; the memo's lines run on below the
    // band, and the next record begins after them.
    void aRecordsFieldsKeepTheirRowsBesideItsMemo() {
        ItemTable items(2);
        items.table().first();
        items.table().edit();
        items.table().fieldByName(QStringLiteral("Poznamka")).setAsString(QStringLiteral("první\r\ndruhá"));
        items.table().post();
        Report report;
        report.setDataSource(&items.source());
        Band* b = band(report, "D", rbDetail, 60);
        dataText(b, {0, 0, 180, 12}, items, "Nazev");
        dataText(b, {0, 20, 90, 12}, items, "Cislo");
        dataText(b, {450, 20, 90, 12}, items, "Hotovo");
        dataText(b, {450, 40, 90, 12}, items, "Nazev");
        DataMemoControl& note = add<DataMemoControl>(b, "P", {0, 42, 360, 12});
        note.link.dataSource = &items.source();
        note.link.dataField = QStringLiteral("Poznamka");
        const QStringList lines = textLines(report);
        QCOMPARE(lines.mid(0, 9),
                 (QStringList{lineWith({{1, "Položka 1"}}), lineWith({{1, "1"}, {51, "Ano"}}),
                              lineWith({{1, "první"}, {51, "Položka 1"}}), lineWith({{1, "druhá"}}),
                              QString(80, QLatin1Char(' ')), lineWith({{1, "Položka 2"}}),
                              lineWith({{1, "2"}, {51, "Ne"}}), lineWith({{1, "Poznámka 2"}, {51, "Položka 2"}}),
                              QString(80, QLatin1Char(' '))}));
    }

    void memoRowsAndTheBandAfterIt() {
        // Three memo lines in a band of 2 rows move the output by four rows: the band after it
        // starts on row 4. Memo lines are as wide as a band column (80).
        Report report;
        Band* m = band(report, "M", rbSummary, 40);
        add<MemoControl>(m, "M", {0, 0, 200, 40}).lines = QStringList{"a", "b", "c"};
        label(band(report, "N", rbSummary, 20), {0, 0, 90, 12}, QStringLiteral("po"));
        const QStringList lines = textLines(report);
        QCOMPARE(lines.mid(0, 5),
                 (QStringList{lineWith({{1, "a"}}), lineWith({{1, "b"}}), lineWith({{1, "c"}}),
                              QString(80, QLatin1Char(' ')), lineWith({{1, "po"}})}));
    }

    void pageFooterRowsComeTwiceOnTheLastPage() {
        // One footer row: on a fresh page it stands at row 55 - 0 - 0 - 0 + 1 = 56, which the
        // document's last line takes; at the end it comes again after the last body row.
        ItemTable items(3);
        Report report;
        report.setDataSource(&items.source());
        label(band(report, "F", rbPageFooter, 20), {0, 0, 90, 12}, QStringLiteral("pata"));
        dataText(band(report, "D", rbDetail, 20), {0, 0, 180, 12}, items, "Nazev");
        const QStringList lines = textLines(report);
        QCOMPARE(lines.size(), 56);
        QStringList withText;
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].trimmed().isEmpty())
                withText << QStringLiteral("%1:%2").arg(i).arg(lines[i].trimmed());
        }
        QCOMPARE(withText, (QStringList{"0:Položka 1", "1:Položka 2", "2:Položka 3", "3:pata", "55:pata"}));
    }

    void linesOfTheFastPrint_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        // ColHeight 55, a document of three pages (168 lines).
        QTest::newRow("first page") << 1 << 1 << 0 << 55;
        QTest::newRow("pages 2 to 3") << 2 << 3 << 56 << 165;
        QTest::newRow("not past the last line") << 3 << 4 << 112 << 167;
    }
    void linesOfTheFastPrint() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(TextOutput::printedLines(first, last, 55, 168), std::make_pair(from, to));
    }

    void textFileOfAReportWithoutBands() {
        // One page of ColHeight + 1 blank lines, under "Turbo Report.txt" when the report has no name.
        QTemporaryDir dir;
        Report report;
        ReportPreview view;
        view.setReport(&report);
        view.setReportDirectory(dir.path() + QLatin1Char('/'));
        view.setReportName(QString());
        view.exportText(nullptr, true);
        QFile file(dir.filePath(QStringLiteral("Turbo Report.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(80, ' ').append("\r\n").repeated(56));
    }

    void textFileIsWindows1250() {
        QTemporaryDir dir;
        Report report;
        label(band(report, "S", rbSummary, 20), {0, 0, 90, 12}, QStringLiteral("Žluťoučký"));
        ReportPreview view;
        view.setReport(&report);
        view.setReportDirectory(dir.path());
        view.setReportName(QStringLiteral("kůň"));
        QStringList lines;
        view.exportText(&lines, true);
        QFile file(dir.filePath(QStringLiteral("kůň.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        // Ž is 8E, ť 9D, č E8, ý FD in Windows-1250.
        QVERIFY(file.readAll().startsWith(QByteArray("\x8Elu\x9Dou\xE8k\xFD ")));
        QCOMPARE(lines[0].left(10), QStringLiteral("Žluťoučký "));
    }

    // ---- HTML ----

    void reportWithoutBandsGivesNineLines() {
        Report report;
        report.printer().setTitle(QStringLiteral("Seznam"));
        QCOMPARE(
            htmlLines(report),
            (QStringList{"<html>", "<head>",
                         "<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1250\">",
                         "<title>Seznam</title>", "</head>", "<body>", "<body bgcolor=\"#FFFFFF\">",
                         "</body>", "</html>"}));
    }

    void labelCellByteForByte() {
        Report report;
        LabelControl& l = label(band(report, "S", rbSummary, 20), {0, 0, 100, 12}, QStringLiteral("Text"));
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(8);
        f.setBold(true);
        f.setItalic(true);
        l.font = f;
        const QStringList lines = htmlLines(report);
        QCOMPARE(lines.mid(7, 7),
                 (QStringList{"  <table border=\"0\">", "  <tr>",
                              "  <td align=\"left\" width=\"120\" bgColor=\"#FFFFFF\">",
                              "  <font size=\"2\"face=\"Arial\" color=\"#000000\"><em><strong>Text  "
                              "</strong></em></font>",
                              "  </tr>", "  </table>", "  "}));
    }

    void documentIsItsLinesInWindows1250() {
        // A label of two lines stays one line of the document, its break written as CR LF.
        Report report;
        label(band(report, "S", rbSummary, 20), {0, 0, 100, 12}, QStringLiteral("Kůň\nšel"));
        HtmlOutput g(QStringLiteral("/tmp/x"), report.printer().title());
        g.execute(report);
        const QStringList lines = g.lines();
        QCOMPARE(lines.size(), 16);
        QVERIFY(lines[10].contains(QStringLiteral("Kůň<br>\r\nšel")));
        QCOMPARE(g.document(), kv::toCp1250(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        QVERIFY(g.document().contains("K\xF9\xF2<br>\r\n\x9A" "el"));
    }

    void fontAndAlignmentRules() {
        ItemTable items(1);
        Report report(ReportMetrics(96));
        Band* b = band(report, "S", rbSummary, 20);
        // 11 pixels at 96 dpi are 8 points: size 2. No face for "MS Sans Serif".
        LabelControl& sans = label(b, {0, 0, 50, 12}, QStringLiteral("a < b & c"));
        sans.font = reportFont(11, false, QStringLiteral("MS Sans Serif"));
        // A numeric field lines up right whatever the control says.
        dataText(b, {0, 0, 40, 12}, items, "Cislo").alignment = taLeftJustify;
        const QStringList lines = htmlLines(report);
        QCOMPARE(lines.value(10),
                 QStringLiteral("  <font size=\"2\" color=\"#000000\">a &lt; b &amp; c  </font>"));
        QCOMPARE(lines.value(11), QStringLiteral("  <td align=\"right\" width=\"60\" bgColor=\"#FFFFFF\">"));
    }

    void pictureBesideTheDocumentWithAFileUrl() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("Out"));
        Report report;
        ImageControl& image = add<ImageControl>(band(report, "S", rbSummary, 100), "I", {0, 0, 10, 10});
        image.picture = QImage(50, 30, QImage::Format_RGB32);
        image.picture.fill(Qt::red);
        ReportPreview view;
        view.setReport(&report);
        const QString document = dir.filePath(QStringLiteral("Out/Objednávka.html"));
        QVERIFY(view.exportHtml(document, QStringLiteral("Objednávka")));
        const QString picture = dir.filePath(QStringLiteral("Out/Objednávka0.JPG"));
        QCOMPARE(QImage(picture).size(), QSize(50, 30));
        QFile file(document);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = kv::fromCp1250(file.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(3), QStringLiteral("<title>Objednávka</title>"));
        // Three slashes and the absolute path, encoded as a URL must be; the cell as wide as the
        // picture, wider than its control.
        const QString url =
            QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(picture, "/"))
                                            .replace(QLatin1String("%2F"), QLatin1String("/"));
        QCOMPARE(lines.mid(9, 3),
                 (QStringList{"  ", "  <td align=\"center\" width=\"50\">",
                              "  <img src=\"" + url + "\"width=\"50\"Height=\"30\" border=\"1\">"}));
    }

    // Controls made in another order than they stand, a few pixels off their titles: the titles'
    // cells come in the order of the values', as wide as theirs, so the two tables' columns line
    // up; a flag reads "Ano" or "Ne" and a memo's lines are lines in the browser.
    void titlesStandOverTheirValuesInColumnsOfOneWidth() {
        ItemTable items(1);
        Report report;
        report.setDataSource(&items.source());
        Band* header = band(report, "H", rbPageHeader, 30);
        label(header, {100, 3, 50, 12}, QStringLiteral("Číslo"));
        label(header, {0, 16, 40, 12}, QStringLiteral("Poznámka"));
        label(header, {0, 3, 60, 12}, QStringLiteral("Název"));
        label(header, {100, 16, 30, 12}, QStringLiteral("Hotovo"));
        Band* detail = band(report, "D", rbDetail, 30);
        dataText(detail, {100, 0, 40, 12}, items, "Cislo");
        dataText(detail, {0, 0, 80, 12}, items, "Nazev");
        dataText(detail, {100, 15, 40, 12}, items, "Hotovo");
        DataMemoControl& note = add<DataMemoControl>(detail, "P", {0, 15, 90, 12});
        note.link.dataSource = &items.source();
        note.link.dataField = QStringLiteral("Poznamka");
        items.table().edit();
        items.table().fieldByName(QStringLiteral("Poznamka")).setAsString(QStringLiteral("první\r\ndruhá"));
        items.table().post();
        const QStringList lines = htmlLines(report);
        const auto tableOf = [&](int n) {
            QStringList cells;
            int table = 0;
            for (const QString& line : lines) {
                table += line.startsWith(QLatin1String("  <table")) ? 1 : 0;
                if (table == n && line.startsWith(QLatin1String("  <td")))
                    cells << line.section(QLatin1Char('"'), 3, 3);
                else if (table == n && line.startsWith(QLatin1String("  <font")))
                    cells.last() += QLatin1Char(' ') + line.section(QLatin1Char('>'), 1).section(QLatin1String("  <"), 0, 0);
            }
            return cells;
        };
        // Each column as wide as its widest control and 20: 80, 50, 90 and 40.
        QCOMPARE(tableOf(1), (QStringList{"100 Název", "70 Číslo", "110 Poznámka", "60 Hotovo"}));
        QCOMPARE(tableOf(2), (QStringList{"100 Položka 1", "70 1", "110 první<br>\r\ndruhá", "60 Ano"}));
    }

    void pageFooterOnceAtTheEndFramed() {
        ItemTable items(2);
        Report report;
        report.setDataSource(&items.source());
        label(band(report, "F", rbPageFooter, 20), {0, 0, 50, 12}, QStringLiteral("pata"));
        dataText(band(report, "D", rbDetail, 20), {0, 0, 50, 12}, items, "Nazev");
        const QStringList lines = htmlLines(report);
        QCOMPARE(lines.count(QStringLiteral("  <table border=\"3\">")), 1);
        QCOMPARE(lines.mid(lines.size() - 9, 3),
                 (QStringList{"  <table border=\"3\">", "  <tr>",
                              "  <td align=\"left\" width=\"70\" bgColor=\"#FFFFFF\">"}));
    }

    void longDocumentsWrittenAsTheyAreMadeAreTheSameDocuments() {
        // Text and HTML over many pages and several blocks of the streamed file; a second export
        // replaces the first whole.
        QTemporaryDir dir;
        const int records = 1500;
        ItemTable items(records);
        Report report;
        report.setDataSource(&items.source());
        label(band(report, "F", rbPageFooter, 20), {0, 0, 50, 12}, QStringLiteral("pata"));
        dataText(band(report, "D", rbDetail, 20), {0, 0, 200, 12}, items, "Nazev");
        ReportPreview view;
        view.setReport(&report);
        view.setReportDirectory(dir.path());
        view.setReportName(QStringLiteral("Seznam"));
        const QString base = dir.filePath(QStringLiteral("Seznam"));

        QStringList text;
        view.exportText(&text, false);
        // Every record once, the last one last, over more than twenty pages.
        const QStringList named = text.filter(QStringLiteral("Položka "));
        QCOMPARE(named.size(), records);
        QCOMPARE(named.last().trimmed(), QStringLiteral("Položka %1").arg(records));
        const int pages = int(text.size()) / (report.printer().colHeight() + 1);
        QVERIFY2(pages > 20, qPrintable(QString::number(pages)));
        const QStringList html = htmlLines(report, base);

        const auto saved = [](const QStringList& lines) {
            return kv::toCp1250(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        };
        for (int round = 0; round < 2; ++round) {
            view.exportText(nullptr, true);
            QVERIFY(view.exportHtml(base + QStringLiteral(".HTML"), report.printer().title()));
            QFile textFile(base + QStringLiteral(".txt"));
            QVERIFY(textFile.open(QIODevice::ReadOnly));
            QCOMPARE(textFile.readAll(), saved(text));
            QFile htmlFile(base + QStringLiteral(".HTML"));
            QVERIFY(htmlFile.open(QIODevice::ReadOnly));
            QVERIFY(htmlFile.size() > 2 * 64 * 1024);
            QCOMPARE(htmlFile.readAll(), saved(html));
        }
    }

    void unwritableHtmlFileIsAnErrorNamingIt() {
        kv::ui::ScriptedDialogs dialogs;
        QTemporaryDir dir;
        Report report;
        ReportPreview view;
        view.setReport(&report);
        const QString document = dir.filePath(QStringLiteral("chybí/Seznam.html"));
        QVERIFY(!view.exportHtml(document, QStringLiteral("Seznam")));
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().constFirst().startsWith(
                     QStringLiteral("Došlo k chybě při exportu do HTML!\nChybová zpráva:Soubor \"%1\" nelze zapsat: ")
                         .arg(document)),
                 qPrintable(dialogs.messages().constFirst()));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // ---- spreadsheet ----

    void cellsOfHeaderLabelsAndRecords() {
        ItemTable items(2);
        Report report;
        report.setDataSource(&items.source());
        Band* header = band(report, "H", rbPageHeader, 20);
        label(header, {0, 0, 50, 12}, QStringLiteral("Název"));
        label(header, {60, 0, 50, 12}, QStringLiteral("Číslo"));
        Band* detail = band(report, "D", rbDetail, 20);
        dataText(detail, {0, 0, 50, 12}, items, "Nazev");
        dataText(detail, {60, 0, 50, 12}, items, "Cislo");
        dataText(detail, {120, 0, 50, 12}, items, "Datum");
        dataText(detail, {180, 0, 50, 12}, items, "Hotovo");
        // Texts as texts, numbers as numbers, dates with their time, flags in Czech.
        QCOMPARE(cells(report),
                 (QStringList{"R2C1 Název", "R2C2 Číslo", "R3C1 Položka 1", "R3C2 = 1", "R3C3 @ 2.12.2026 8:05",
                              "R3C4 Ano", "R4C1 Položka 2", "R4C2 = 2", "R4C3 @ 3.12.2026 8:05", "R4C4 Ne"}));
    }

    void memoLinesRunDownTheirColumn() {
        // Bands 2 to 4 are empty; the fifth has a label in column 1 and the memo in column 2: A, an
        // empty line left empty, "B" with its quotes; the last band begins below the memo.
        Report report;
        for (const char* name : {"A", "B", "C"})
            band(report, name, rbSummary, 20);
        Band* b = band(report, "M", rbSummary, 20);
        add<MemoControl>(b, "M", {60, 0, 50, 40}).lines = QStringList{"A", "", "\"B\""};
        label(b, {0, 0, 50, 12}, QStringLiteral("x"));
        label(b, {120, 0, 50, 12}, QStringLiteral("y"));
        label(band(report, "Z", rbSummary, 20), {0, 0, 50, 12}, QStringLiteral("z"));
        QCOMPARE(cells(report), (QStringList{"R5C1 x", "R5C2 A", "R5C3 y", "R7C2 \"B\"", "R8C1 z"}));
    }

    // Controls made in another order than they stand, a few pixels off their titles: the titles of
    // a two-line header take the columns of the values laid out like them, the memo's included.
    void titlesStandOverTheirValues() {
        ItemTable items(1);
        Report report;
        report.setDataSource(&items.source());
        Band* header = band(report, "H", rbPageHeader, 30);
        label(header, {100, 3, 50, 12}, QStringLiteral("Číslo"));
        label(header, {0, 16, 50, 12}, QStringLiteral("Poznámka"));
        label(header, {0, 3, 50, 12}, QStringLiteral("Název"));
        Band* detail = band(report, "D", rbDetail, 30);
        dataText(detail, {100, 0, 50, 12}, items, "Cislo");
        dataText(detail, {0, 0, 50, 12}, items, "Nazev");
        DataMemoControl& note = add<DataMemoControl>(detail, "P", {0, 15, 90, 12});
        note.link.dataSource = &items.source();
        note.link.dataField = QStringLiteral("Poznamka");
        QCOMPARE(cells(report), (QStringList{"R2C1 Název", "R2C2 Číslo", "R2C3 Poznámka", "R3C1 Položka 1",
                                             "R3C2 = 1", "R3C3 Poznámka 1"}));
    }

    // Cells handed to the sink on a thread of its own come in their order, the last block's too; what
    // the sink throws comes back to the walk, and no cell after it is written.
    void cellsHandedAheadComeInOrderAndTheSinksErrorComesBack() {
        struct Sink : EncodedCells {
            explicit Sink(int refused) : refusedRow(refused) {}
            int refusedRow;
            QStringList got;
            void text(int row, int column, const char* utf8) override {
                if (row == refusedRow)
                    throw WorkbookWriteError(QStringLiteral("odmítnuto"));
                got << QStringLiteral("R%1C%2 %3").arg(row).arg(column).arg(QString::fromUtf8(utf8));
            }
            void number(int row, int column, double value) override {
                got << QStringLiteral("R%1C%2 = %3").arg(row).arg(column).arg(value);
            }
            void date(int row, int column, QDate date, QTime time, bool withTime) override {
                got << QStringLiteral("R%1C%2 @ %3 %4 %5")
                           .arg(row)
                           .arg(column)
                           .arg(date.toString(QStringLiteral("d.M.yyyy")), time.toString(QStringLiteral("H:mm")))
                           .arg(withTime);
            }
        };
        // Texts (Czech, one of them longer than a cell holds), numbers and dates in turn.
        const auto send = [](EncodedCells& sink, int rows) {
            CellsAhead ahead(sink);
            for (int row = 1; row <= rows; ++row) {
                SheetValue v;
                switch (row % 3) {
                case 0:
                    v.text = row == 3 ? QString(40000, QChar(u'ž')) : QStringLiteral("řádek %1").arg(row);
                    break;
                case 1:
                    v.kind = SheetValue::Kind::Number;
                    v.number = row;
                    break;
                case 2:
                    v.kind = SheetValue::Kind::DateTime;
                    v.when = QDateTime(QDate(2026, 12, 9), QTime(8, 5));
                    break;
                }
                ahead.cell(row, 2, v);
            }
            ahead.finish();
        };
        const auto expected = [](int row) {
            switch (row % 3) {
            case 0:
                return row == 3 ? QStringLiteral("R3C2 ") + QString(kCellCharacters, QChar(u'ž'))
                                : QStringLiteral("R%1C2 řádek %1").arg(row);
            case 1:
                return QStringLiteral("R%1C2 = %1").arg(row);
            }
            return QStringLiteral("R%1C2 @ 9.12.2026 8:05 1").arg(row);
        };
        Sink all(0);
        send(all, 3001);
        QCOMPARE(all.got.size(), 3001);
        for (int i = 0; i < all.got.size(); ++i)
            QCOMPARE(all.got[i], expected(i + 1));
        Sink refusing(999);
        try {
            send(refusing, 3001);
            QFAIL("no error");
        } catch (const WorkbookWriteError& e) {
            QCOMPARE(e.message(), QStringLiteral("odmítnuto"));
        }
        QCOMPARE(refusing.got.size(), 998);
    }

    void workbookReachesItsFileWholeOrNotAtAll() {
        ItemTable items(3);
        Report report;
        report.setDataSource(&items.source());
        dataText(band(report, "D", rbDetail, 20), {0, 0, 50, 12}, items, "Nazev");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("seznam.xlsx"));
        int records = 0;
        exportWorkbook(report, path, [&records] { ++records; });
        QCOMPARE(records, 3);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK"));
        file.close();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"seznam.xlsx"});
        // A folder in the target's place: the error names the file and nothing is left.
        const QString folder = dir.filePath(QStringLiteral("slozka.xlsx"));
        QVERIFY(QDir().mkdir(folder));
        try {
            exportWorkbook(report, folder);
            QFAIL("no error");
        } catch (const WorkbookWriteError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Soubor \"%1\" nelze zapsat: ").arg(folder)),
                     qPrintable(e.message()));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"seznam.xlsx", "slozka.xlsx"}));
    }
};

QTEST_MAIN(TestReportOutputs)
#include "tst_reportoutputs.moc"
