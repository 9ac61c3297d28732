// The pictures on the print preview's speed buttons, drawn in code so they stay sharp at any size
// and share one palette: dark outlines, white paper, blue for actions, red for closing.
#pragma once

#include <QIcon>

namespace kv::print {

enum class PreviewGlyph {
    ZoomOut,
    ZoomIn,
    PrinterSetup,
    Print,
    Text,
    Html,
    Spreadsheet,
    Picture,
    Pictures,
    Pdf,
    Mail,
    Close,
    First,
    Prior,
    Next,
    Last,
    GoToPage,
    Cancel,
    Send
};

// The glyph drawn at `pixels` x `pixels`, with a greyed form for disabled buttons.
QIcon previewGlyph(PreviewGlyph glyph, int pixels);

} // namespace kv::print
