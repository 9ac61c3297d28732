// The pages of one generated document, in order. The list owns its pages and the style table
// they share.
#pragma once

#include "reportpage.h"

#include <memory>
#include <vector>

namespace kv::report {

class PageList {
public:
    PageList()
        : styles_(std::make_shared<PageStyles>()) {}

    int count() const { return int(pages_.size()); }
    bool isEmpty() const { return pages_.empty(); }
    // Page `index` from 0.
    ReportPage& at(int index) const { return *pages_[std::size_t(index)]; }
    ReportPage& last() const { return *pages_.back(); }
    ReportPage& append(QSize size) {
        return *pages_.emplace_back(std::make_unique<ReportPage>(size, styles_));
    }
    void clear() {
        pages_.clear();
        styles_ = std::make_shared<PageStyles>();
    }

private:
    std::shared_ptr<PageStyles> styles_;
    std::vector<std::unique_ptr<ReportPage>> pages_;
};

} // namespace kv::report
