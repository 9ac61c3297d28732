// Handing cells to a sheet's writer on a thread of its own.
#include "cellsahead.h"

namespace kv::report {

namespace {
// Cells a block: some forty orders of a list, few enough that what waits takes little memory (the
// memory of a long list is that of a short one), many enough that the threads meet seldom.
constexpr std::size_t kBlockCells = 512;
constexpr qsizetype kBlockTexts = 16 * 1024;
constexpr std::size_t kBlocksWaiting = 2;
} // namespace

CellsAhead::CellsAhead(EncodedCells& sink)
    : sink_(sink)
    , thread_([this] { run(); }) {
    filling_.cells.reserve(kBlockCells);
    filling_.texts.reserve(kBlockTexts);
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
    Cell c{row, column, value.kind, value.number, {}, {}, -1};
    switch (value.kind) {
    case SheetValue::Kind::Text:
        c.text = filling_.texts.size();
        filling_.texts += QStringView(value.text).left(kCellCharacters).toUtf8();
        filling_.texts += '\0';
        break;
    case SheetValue::Kind::Number:
        break;
    case SheetValue::Kind::Date:
    case SheetValue::Kind::DateTime:
        c.date = value.when.date();
        c.time = value.when.time();
        break;
    }
    filling_.cells.push_back(c);
    if (filling_.cells.size() >= kBlockCells)
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
    filling_.cells.reserve(kBlockCells);
    filling_.texts.reserve(kBlockTexts);
}

void CellsAhead::finish() {
    if (!filling_.cells.empty())
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

void CellsAhead::write(const Block& block) {
    for (const Cell& c : block.cells) {
        switch (c.kind) {
        case SheetValue::Kind::Text:
            sink_.text(c.row, c.column, block.texts.constData() + c.text);
            break;
        case SheetValue::Kind::Number:
            sink_.number(c.row, c.column, c.number);
            break;
        case SheetValue::Kind::Date:
        case SheetValue::Kind::DateTime:
            sink_.date(c.row, c.column, c.date, c.time, c.kind == SheetValue::Kind::DateTime);
            break;
        }
    }
}

void CellsAhead::run() {
    for (;;) {
        Block block;
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
            write(block);
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            changed_.notify_all();
            return;
        }
    }
}

} // namespace kv::report
