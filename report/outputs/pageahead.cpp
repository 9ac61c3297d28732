// Drawing pages ahead on a thread of their own.
#include "pageahead.h"

#include "imageexport.h"

namespace kv::report {

PageAhead::PageAhead(const PageList& pages, int first, int last, QImage::Format format)
    : pages_(pages)
    , first_(first)
    , last_(last)
    , format_(format)
    , thread_([this] { run(); }) {}

PageAhead::~PageAhead() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PageAhead::run() {
    for (int p = first_; p <= last_; ++p) {
        QImage rows;
        try {
            rows = pageImage16(pages_.at(p - 1)).convertToFormat(format_);
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            changed_.notify_all();
            return;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || !ready_; });
        if (stop_)
            return;
        ready_ = std::move(rows);
        changed_.notify_all();
    }
}

QImage PageAhead::next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ready_.has_value() || error_; });
    if (!ready_)
        std::rethrow_exception(error_);
    QImage rows = std::move(*ready_);
    ready_.reset();
    changed_.notify_all();
    return rows;
}

} // namespace kv::report
