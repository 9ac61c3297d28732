// TProLabel: the caption label placed in windows and inside the labelled edits. Everything of
// TProCustomLabel is public already; the class exists so windows name the kind they place.
#pragma once

#include "procustomlabel.h"

namespace kv::controls {

class TProLabel : public TProCustomLabel {
    Q_OBJECT
public:
    using TProCustomLabel::TProCustomLabel;
};

} // namespace kv::controls
