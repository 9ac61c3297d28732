// Enumeration names and the paper table of report definitions.
#include "reporttypes.h"

namespace kv::report {

PaperMm paperSize(PaperFormat size) {
    switch (size) {
    case A3:
        return {297, 420};
    case A4:
        return {210, 297};
    case A5:
        return {148, 210};
    case B4:
        return {250, 354};
    case B5:
        return {184, 257};
    }
    return {210, 297};
}

const QStringList& pageSizeNames() {
    static const QStringList n{"A3", "A4", "A5", "B4", "B5"};
    return n;
}
const QStringList& printModeNames() {
    static const QStringList n{"prNormal", "prFast"};
    return n;
}
const QStringList& bandTypeNames() {
    static const QStringList n{"rbDetail",       "rbSubDetail",  "rbSummary",
                               "rbHeaderFooter", "rbPageHeader", "rbPageFooter"};
    return n;
}
const QStringList& sysDataNames() {
    static const QStringList n{"sdDate", "sdDateTime", "sdTime", "sdCurrentPage"};
    return n;
}
const QStringList& orientationNames() {
    static const QStringList n{"poPortrait", "poLandscape"};
    return n;
}
const QStringList& alignmentNames() {
    static const QStringList n{"taLeftJustify", "taRightJustify", "taCenter"};
    return n;
}
const QStringList& layoutNames() {
    static const QStringList n{"tlTop", "tlCenter", "tlBottom"};
    return n;
}
const QStringList& shapeTypeNames() {
    static const QStringList n{"stRectangle",   "stSquare",  "stRoundRect",
                               "stRoundSquare", "stEllipse", "stCircle"};
    return n;
}

std::optional<int> enumValue(const QStringList& names, const QString& name) {
    const int i = names.indexOf(name);
    if (i < 0)
        return std::nullopt;
    return i;
}

} // namespace kv::report
