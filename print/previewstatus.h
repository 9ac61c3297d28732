// What the print preview's status bar and navigation buttons show for a page and a zoom, and the
// check of a page number typed into the jump box. No widgets: the window only copies these out.
#pragma once

#include <QString>

namespace kv::print {

struct PageStatus {
    QString pageText; // "2 / 5"
    bool firstEnabled = false;
    bool priorEnabled = false;
    bool nextEnabled = false;
    bool lastEnabled = false;
    bool jumpEnabled = false;
};

// The status for page `page` of `pageCount`.
PageStatus pageStatus(int page, int pageCount);

// "Normální velikost" at 100 percent, else "Zoom 125%".
QString zoomText(int zoom);

struct PageJump {
    bool ok = false;
    int page = 0;  // the page to show when ok
    QString error; // the message to show when not ok
};

// Checks an answer of the jump box against the page count: a whole number from 1 to the count.
PageJump checkPageJump(const QString& answer, int pageCount);

} // namespace kv::print
