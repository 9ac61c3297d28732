// A text form of a recorded page, one operation per line, for reference files in tests and for
// reading a page when something looks wrong.
#pragma once

#include "reportpage.h"

#include <QString>

namespace kv::report {

// Lines such as: text 41,40 "Strana: 3" Arial/11px #000000
QString pageText(const ReportPage& page);

} // namespace kv::report
