// The windows' Arial font.
#include "fonts.h"

namespace kv::ui {

QFont arial(int pixels, bool bold, bool underline) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

} // namespace kv::ui
