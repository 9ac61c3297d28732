// Cells handed to a sheet on a thread of its own: while the workbook's library writes one block of
// cells, the report walk makes the next, so a workbook takes about as long as the slower of the two
// instead of both. At most two blocks wait, so a sheet of any length takes the memory of a few blocks.
#pragma once

#include "spreadsheetoutput.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kv::report {

class CellsAhead : public SheetCells {
public:
    // Hands the cells to `sink` on the thread, which calls nothing else of it. `sink` must outlive this.
    explicit CellsAhead(SheetCells& sink);
    // Stops the thread, dropping the cells not yet handed over, and waits for it.
    ~CellsAhead() override;
    CellsAhead(const CellsAhead&) = delete;
    CellsAhead& operator=(const CellsAhead&) = delete;

    // Passes on what the sink threw for an earlier cell.
    void cell(int row, int column, const SheetValue& value) override;
    // Returns when the sink has had every cell, and the thread has ended. Passes on what the sink threw.
    void finish();

private:
    struct Cell {
        int row;
        int column;
        SheetValue value;
    };
    // Puts the block being filled in the queue, waiting while the queue is full.
    void handOver();
    void run();

    SheetCells& sink_;
    std::vector<Cell> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Cell>> waiting_;
    std::exception_ptr error_;
    bool done_ = false; // no block comes after those waiting
    bool stop_ = false; // the cells waiting are dropped
    std::thread thread_; // last: it starts once the members it uses are made
};

} // namespace kv::report
