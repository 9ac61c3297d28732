// The Arial font the windows draw their texts in, sized in pixels so a window keeps its fixed
// geometry whatever the screen's resolution.
#pragma once

#include <QFont>

namespace kv::ui {

// Arial at `pixels` pixels (not points), bold and underlined as asked.
QFont arial(int pixels, bool bold = false, bool underline = false);

} // namespace kv::ui
