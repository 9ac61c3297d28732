// What the print preview is told of the document it shows beyond the report itself, the names made
// of it (the title that heads the mail and the PDF, the attachment's file name), and which exports
// suit it.
#pragma once

#include <QString>

namespace kv::print {

struct ReportDocument {
    QString number;    // the order's number on an order form; empty for the lists
    QString recipient; // the supplier's e-mail on an order form; empty when there is none
    QString author;    // the firm's name from the settings
};

// "Objednávka 2026/12/00001/JNO": the report's name and the number when there is one.
QString documentTitle(const QString& reportName, const ReportDocument& document);
// `title` as a file name with `extension` (".pdf"): letters without their diacritics, and "-" for
// "/" and every other character some file system or mail client refuses in a name.
// "Objednávka 2026/12/00001/JNO" gives "Objednavka 2026-12-00001-JNO.pdf".
QString attachmentName(const QString& title, const QString& extension);

// Whether the report of layout `layoutName` ("SeznamObjednavek") comes out right as a workbook: the
// lists do, a band to a row; the order form's one band would be one row of some sixty cells.
bool workbookSuits(const QString& layoutName);
// Whether the report comes out right as an HTML document: the lists do, a band to a table whose
// titles stand over their values; the order form's one band would be one row of some sixty cells.
bool htmlSuits(const QString& layoutName);
// "Sešit je uložen v souboru:", the path, and the offer to open it.
QString workbookSavedText(const QString& path);

} // namespace kv::print
