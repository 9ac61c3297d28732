// Font metrics text measuring.
#include "qttextmeasurer.h"

namespace kv::report {

const QFontMetrics& QtTextMeasurer::metrics(const QFont& font) {
    if (last_ < cache_.size() && cache_[last_].first == font)
        return cache_[last_].second;
    for (std::size_t i = 0; i < cache_.size(); ++i) {
        if (cache_[i].first == font) {
            last_ = i;
            return cache_[i].second;
        }
    }
    cache_.emplace_back(font, QFontMetrics(font));
    last_ = cache_.size() - 1;
    return cache_.back().second;
}

int QtTextMeasurer::textWidth(const QString& text, const QFont& font) {
    return metrics(font).horizontalAdvance(text);
}

int QtTextMeasurer::textHeight(const QFont& font) {
    return metrics(font).height();
}

} // namespace kv::report
