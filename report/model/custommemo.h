// What memos and data memos share: a block of text drawn word-wrapped into the control's box.
#pragma once

#include "reportcontrol.h"
#include "reportfont.h"
#include "reporttypes.h"

namespace kv::report {

class TCustomMemo : public TReportControl {
public:
    bool Windowed() const override { return true; }
    // The whole text, lines joined by line feeds.
    virtual QString Text() const = 0;

    QFont Font = reportFont();
    QColor FontColor = Qt::black;
    QColor Color = Qt::white;
    TAlignment Alignment = taLeftJustify;
    // Kept with the definition; reports always break the memo's lines at its width.
    bool WordWrap = true;

protected:
    TCustomMemo() = default;
};

} // namespace kv::report
