// The order form's text box as it prints: the order text breaks into lines at the box's width, in
// its font, measured as the report measures, and the box shows as many lines as its height holds.
// The new order window counts the text's lines this way, so it never accepts what the form would cut.
#pragma once

#include <QString>

namespace kv::report {
class Report;
}

namespace kv::print {

// Lines the order form `form` prints for `text` in its order text box (the data memo over the
// orders' Text field); a final line break opens no new line, an empty text has none. Without the
// form, or a form without that box, the text's hard lines.
int orderTextLines(const report::Report* form, const QString& text);

// Whole lines the form's order text box shows in its height; 0 without the box.
int orderTextBoxLines(const report::Report& form);

} // namespace kv::print
