// Fonts of report controls.
#include "reportfont.h"

namespace kv::report {

QFont reportFont(int pixels, bool bold, const QString& family) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace kv::report
