// Cells handed to a sheet's writer on a thread of its own: while the workbook's library writes one block
// of cells, the report walk makes the next, so a workbook takes about as long as the slower of the two
// instead of both. The walk takes each cell apart as the library takes it (texts in UTF-8, dates as
// their date and time) into the block, so the writer's thread frees nothing the walk made but a block.
// At most two blocks wait, so a sheet of any length takes the memory of a few blocks.
#pragma once

#include "spreadsheetoutput.h"

#include <QByteArray>
#include <QDate>
#include <QTime>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kv::report {

// Where cells taken apart go. Rows and columns from 1.
class EncodedCells {
public:
    virtual ~EncodedCells() = default;
    // `utf8` ends with a NUL.
    virtual void text(int row, int column, const char* utf8) = 0;
    virtual void number(int row, int column, double value) = 0;
    // `withTime`: the cell shows the time beside the date.
    virtual void date(int row, int column, QDate date, QTime time, bool withTime) = 0;
};

class CellsAhead : public SheetCells {
public:
    // Hands the cells to `sink` on the thread, which calls nothing else of it. `sink` must outlive this.
    explicit CellsAhead(EncodedCells& sink);
    // Stops the thread, dropping the cells not yet handed over, and waits for it.
    ~CellsAhead() override;
    CellsAhead(const CellsAhead&) = delete;
    CellsAhead& operator=(const CellsAhead&) = delete;

    // Texts cut to kCellCharacters. Passes on what the sink threw for an earlier cell.
    void cell(int row, int column, const SheetValue& value) override;
    // Returns when the sink has had every cell, and the thread has ended. Passes on what the sink threw.
    void finish();

private:
    struct Cell {
        int row;
        int column;
        SheetValue::Kind kind;
        double number;
        QDate date;
        QTime time;
        qsizetype text; // where its text begins in the block's texts
    };
    struct Block {
        std::vector<Cell> cells;
        QByteArray texts; // the cells' texts, each ended by a NUL
    };
    // Puts the block being filled in the queue, waiting while the queue is full.
    void handOver();
    void write(const Block& block);
    void run();

    EncodedCells& sink_;
    Block filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> waiting_;
    std::exception_ptr error_;
    bool done_ = false;  // no block comes after those waiting
    bool stop_ = false;  // the cells waiting are dropped
    std::thread thread_; // last: it starts once the members it uses are made
};

} // namespace kv::report
