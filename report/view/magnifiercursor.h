// The magnifying-glass cursor the preview shows over the page (clicks there zoom).
#pragma once

#include <QCursor>

namespace kv::report {

// Drawn once on first use; the hot spot is the centre of the lens.
const QCursor& magnifierCursor();

} // namespace kv::report
