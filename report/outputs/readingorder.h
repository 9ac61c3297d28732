// The reading order of a band's controls, shared by the outputs that set them out as cells: lines of
// controls from the top, each from the left. Controls whose tops lie within a few pixels stand on one
// line, as a title a few pixels lower than its value does; so a page header's titles come in the
// order of the values laid out like them on the detail band.
#pragma once

#include <algorithm>
#include <tuple>
#include <vector>

namespace kv::report {

// How far below a line's first top a control still stands on that line, in pixels.
constexpr int kSameLine = 6;

// Sorts `items` (each with int members left, top, line and order, order being the place the
// control was generated in) into reading order, setting each one's line to the top of its line.
// Ties keep their generation order. Sorts in place, with no memory of its own.
template <class Item>
void sortInReadingOrder(std::vector<Item>& items) {
    std::sort(items.begin(), items.end(),
              [](const Item& a, const Item& b) { return std::tie(a.top, a.order) < std::tie(b.top, b.order); });
    int lineTop = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == 0 || items[i].top - lineTop > kSameLine)
            lineTop = items[i].top;
        items[i].line = lineTop;
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return std::tie(a.line, a.left, a.order) < std::tie(b.line, b.left, b.order);
    });
}

} // namespace kv::report
