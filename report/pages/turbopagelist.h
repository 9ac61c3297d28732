// The pages of one generated document, in order. The list owns its pages and the style table
// they share.
#pragma once

#include "reportpage.h"

#include <memory>
#include <vector>

namespace kv::report {

class TTurboPageList {
public:
    TTurboPageList()
        : styles_(std::make_shared<PageStyles>()) {}

    int Count() const { return int(pages_.size()); }
    bool IsEmpty() const { return pages_.empty(); }
    // Page `index` from 0.
    ReportPage& At(int index) const { return *pages_[std::size_t(index)]; }
    ReportPage& Last() const { return *pages_.back(); }
    ReportPage& Append(QSize size) {
        return *pages_.emplace_back(std::make_unique<ReportPage>(size, styles_));
    }
    void Clear() {
        pages_.clear();
        styles_ = std::make_shared<PageStyles>();
    }

private:
    std::shared_ptr<PageStyles> styles_;
    std::vector<std::unique_ptr<ReportPage>> pages_;
};

} // namespace kv::report
