// The font of a report control: the face, its pixel height and style, and the text colour. Reports
// size every font in report pixels, so a page replays alike on screen, printer and image.
#pragma once

#include <QColor>
#include <QFont>

namespace kv::report {

// Arial of `pixels` pixels; the report container's font is reportFont(11).
QFont reportFont(int pixels = 11, bool bold = false, const QString& family = QStringLiteral("Arial"));

} // namespace kv::report
