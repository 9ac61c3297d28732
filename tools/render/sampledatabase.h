// A throwaway embedded database with the data module connected to it, for the render tool and
// the printing tests: made in a temporary folder that becomes the program folder while it lives.
#pragma once

#include "data/datmod.h"

#include <QTemporaryDir>
#include <memory>

namespace kv::tools {

class SampleDatabase {
public:
    // Creates the database with its settings row, points the program folder at it and opens the
    // seven tables through DM (set while this lives). Throws std::runtime_error when that fails.
    SampleDatabase();
    ~SampleDatabase();
    SampleDatabase(const SampleDatabase&) = delete;
    SampleDatabase& operator=(const SampleDatabase&) = delete;

    kv::data::TDM& dm() { return *dm_; }
    // The temporary program folder, ending with "/".
    QString folder() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<kv::data::TDM> dm_;
};

} // namespace kv::tools
