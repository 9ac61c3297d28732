// Handing cells to a sheet on a thread of its own.
#include "cellsahead.h"

namespace kv::report {

namespace {
// Cells a block: some forty orders of a list, few enough that what waits takes little memory (the
// memory of a long list is that of a short one), many enough that the threads meet seldom.
constexpr std::size_t kBlockCells = 512;
constexpr std::size_t kBlocksWaiting = 2;
} // namespace

CellsAhead::CellsAhead(SheetCells& sink)
    : sink_(sink)
    , thread_([this] { run(); }) {
    filling_.reserve(kBlockCells);
}

CellsAhead::~CellsAhead() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void CellsAhead::cell(int row, int column, const SheetValue& value) {
    filling_.push_back({row, column, value});
    if (filling_.size() >= kBlockCells)
        handOver();
}

void CellsAhead::handOver() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kBlocksWaiting || error_; });
    if (error_)
        std::rethrow_exception(error_);
    waiting_.push_back(std::move(filling_));
    changed_.notify_all();
    lock.unlock();
    filling_ = {};
    filling_.reserve(kBlockCells);
}

void CellsAhead::finish() {
    if (!filling_.empty())
        handOver();
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
    thread_.join();
    if (error_)
        std::rethrow_exception(error_);
}

void CellsAhead::run() {
    for (;;) {
        std::vector<Cell> block;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || done_ || !waiting_.empty(); });
            if (stop_ || waiting_.empty())
                return;
            block = std::move(waiting_.front());
            waiting_.pop_front();
        }
        changed_.notify_all();
        try {
            for (const Cell& c : block)
                sink_.cell(c.row, c.column, c.value);
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            changed_.notify_all();
            return;
        }
    }
}

} // namespace kv::report
