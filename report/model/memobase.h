// What memos and data memos share: a block of text drawn word-wrapped into the control's box.
#pragma once

#include "reportcontrol.h"
#include "reportfont.h"
#include "reporttypes.h"

namespace kv::report {

class MemoBase : public ReportControl {
public:
    bool windowed() const override { return true; }
    // The whole text, lines joined by line feeds.
    virtual QString text() const = 0;

    QFont font = reportFont();
    QColor fontColor = Qt::black;
    QColor color = Qt::white;
    TextAlignment alignment = taLeftJustify;
    // Kept with the definition; reports always break the memo's lines at its width.
    bool wordWrap = true;

protected:
    MemoBase() = default;
};

} // namespace kv::report
