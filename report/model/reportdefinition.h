// Report definitions as text files, so that a layout reads like a table of its bands and controls.
//
// Format. One statement per line, UTF-8. A line starting with "#", or a lone "#" and the rest of a
// line, is a comment. Tokens are separated by blanks (commas count as blanks); a text is quoted
// ("..." with \" \\ \n inside). Names of enumeration values are those of the report model.
//
//   report <Name>                           the report; its settings follow, one per line:
//     Printer.Title "Seznam objednávek"
//     Printer.PaperSize A4                  A3 A4 A5 B4 B5
//     Printer.Orientation poLandscape       poPortrait poLandscape
//     Printer.Mode prNormal                 prNormal prFast
//     Printer.ColWidth 80                   Printer.ColHeight 55
//     Printer.Port "LPT1"
//     Margins 10 10 10 0                    left right top bottom, millimetres
//     Columns 1 0                           Column, ColumnSpace (mm)
//     DataSource DSKalmorvaty               master data source, by the name the loader is given
//     Font Arial 11px                       font of the controls that name none (face, size[, bold])
//
//   band <Name> <BandType> [<width> x] <height> [grid]
//                                           a band, placed after the previous ones; the width is
//                                           for the reader only (the layout sets it from margins
//                                           and columns); "grid" makes a grid band
//     Brush white | grey223 | #DFDFDF       background (default white)
//     Frame Left Top Bottom Right | none    framed sides
//     FramePen 1 black                      frame line width (pixels) and colour
//     DataSource DSDodavatele               own data set of a sub-detail or summary band
//     HeaderBand <band name>                may name a band defined further down
//     FooterBand <band name>
//
//   <Name> <kind> <left>, <top>, <width> x <height> [content] [options]
//                                           a control of the current band, in output order
//     kinds and content:
//       label "text"          datatext Source.Field        sysdata "caption"
//       memo "text"           datamemo Source.Field        shape
//       image "file"          dataimage Source.Field       (an image file relative to the definition)
//     options:
//       11px  bold  face="Courier New"      font (size in pixels)
//       left right centred | taLeftJustify taRightJustify taCenter        Alignment
//       top v-centred bottom | tlTop tlCenter tlBottom                    Layout
//       wordwrap  transparent  fixed (not auto-sized)  stretch
//       shrink (the font gets smaller until the text fits the box, down to 6px)
//       color=<colour> fontcolor=<colour>   background and text colour
//       brush=<colour> pen=<width> pencolor=<colour>                      shapes
//       stRectangle stSquare stRoundRect stRoundSquare stEllipse stCircle shapes
//       sdDate sdDateTime sdTime sdCurrentPage                            system data
//
// Positions and sizes of bands and controls are pixels of the report surface, margins millimetres.
// Colours: a name (white, black, silver, ...), #RRGGBB, or greyN for the grey of level N.
// Labels default to left, top, not transparent, white; system data to left, v-centred, fixed.
// Any error names the file and line and loads nothing. tests/report/data/example.rep is a small
// complete definition (page title, column titles, page number, detail and summary bands).
#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QObject;

namespace kv::store {
class DataSource;
}

namespace kv::report {

class Report;

using DataSources = QHash<QString, kv::store::DataSource*>;

// Reads a definition file. Data source names are looked up in `sources` (an unknown name is an
// error). Throws ReportError with the file name and line of the first fault.
std::unique_ptr<Report> loadReportDefinition(const QString& path, const DataSources& sources,
                                                   QObject* parent = nullptr);
// The same from text; `origin` names it in errors and `baseDir` is where image files are found.
std::unique_ptr<Report> parseReportDefinition(const QString& text, const DataSources& sources,
                                                    const QString& origin = QStringLiteral("definition"),
                                                    const QString& baseDir = {}, QObject* parent = nullptr);

} // namespace kv::report
