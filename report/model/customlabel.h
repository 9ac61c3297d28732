// What labels, data texts and system-data fields share: the text properties the outputs read.
#pragma once

#include "reportcontrol.h"
#include "reportfont.h"
#include "reporttypes.h"

#include <QColor>
#include <QFont>

namespace kv::report {

class TCustomLabel : public TReportControl {
public:
    // The text the control shows: a label's caption, a data text's field, a system field's caption.
    virtual QString Text() const { return Caption; }

    QString Caption;
    QFont Font = reportFont();
    QColor FontColor = Qt::black;
    QColor Color = Qt::white; // the band's white, painted unless Transparent
    bool Transparent = false;
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool WordWrap = false;
    // Kept with the definition; the stored size already is the caption's size.
    bool AutoSize = true;

protected:
    TCustomLabel() = default;
    TCustomLabel(const TCustomLabel&) = default;
};

} // namespace kv::report
