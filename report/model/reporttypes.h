// The enumerations of report definitions, with the names and order definition files use, and the
// paper table in millimetres.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kv::report {

enum PaperFormat { A3, A4, A5, B4, B5 };
enum PrintMode { prNormal, prFast };
enum BandType { rbDetail, rbSubDetail, rbSummary, rbHeaderFooter, rbPageHeader, rbPageFooter };
enum SystemData { sdDate, sdDateTime, sdTime, sdCurrentPage };
enum PaperOrientation { poPortrait, poLandscape };
enum TextAlignment { taLeftJustify, taRightJustify, taCenter };
enum TextLayout { tlTop, tlCenter, tlBottom };
enum ShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// Portrait width and height of a paper size in millimetres.
struct PaperMm {
    int width;
    int height;
};
PaperMm paperSize(PaperFormat size);

// The names of each enumeration's values, in order; a value's index is its number.
const QStringList& pageSizeNames();
const QStringList& printModeNames();
const QStringList& bandTypeNames();
const QStringList& sysDataNames();
const QStringList& orientationNames();
const QStringList& alignmentNames();
const QStringList& layoutNames();
const QStringList& shapeTypeNames();

// Index of `name` (exact) among `names`; none when it is not one of them.
std::optional<int> enumValue(const QStringList& names, const QString& name);

} // namespace kv::report
