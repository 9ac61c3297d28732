// What labels, data texts and system-data fields share: the text properties the outputs read.
#pragma once

#include "reportcontrol.h"
#include "reportfont.h"
#include "reporttypes.h"

#include <QColor>
#include <QFont>

namespace kv::report {

class LabelBase : public ReportControl {
public:
    // The text the control shows: a label's caption, a data text's field, a system field's caption.
    virtual QString text() const { return caption; }

    QString caption;
    QFont font = reportFont();
    QColor fontColor = Qt::black;
    QColor color = Qt::white; // the band's white, painted unless Transparent
    bool transparent = false;
    TextAlignment alignment = taLeftJustify;
    TextLayout layout = tlTop;
    bool wordWrap = false;
    // A text longer than its box prints in a smaller font rather than cut: a firm's name, say.
    bool shrinkToFit = false;
    // Kept with the definition; the stored size already is the caption's size.
    bool autoSize = true;

protected:
    LabelBase() = default;
    LabelBase(const LabelBase&) = default;
};

} // namespace kv::report
