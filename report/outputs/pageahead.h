// Pages drawn one ahead of their use on a thread of their own: while the image export compresses a
// page, the next is drawn. One thread serves the whole run, so its font caches are made once, and at
// most one finished page waits.
#pragma once

#include "report/pages/pagelist.h"

#include <QImage>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace kv::report {

class PageAhead {
public:
    // Draws pages first..last (from 1) of `pages`, which must not change meanwhile, as the image
    // export writes them (pageImage16) in `format`.
    PageAhead(const PageList& pages, int first, int last, QImage::Format format);
    // Stops drawing and waits for the thread.
    ~PageAhead();
    PageAhead(const PageAhead&) = delete;
    PageAhead& operator=(const PageAhead&) = delete;

    // The next page, in order. Passes on what drawing it threw.
    QImage next();

private:
    void run();

    const PageList& pages_;
    const int first_;
    const int last_;
    const QImage::Format format_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<QImage> ready_;
    std::exception_ptr error_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace kv::report
