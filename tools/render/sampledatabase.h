// A throwaway embedded database with the data module connected to it, for the render tool and
// the printing tests: made in a temporary folder that becomes the program folder while it lives.
// connectDataModule() connects the data module with no user to ask, as the window tests do too.
#pragma once

#include "data/datmod.h"

#include <QTemporaryDir>
#include <memory>

namespace kv::tools {

// Makes `folder` (ending with "/") the program folder and connects a new data module to the
// database its SERVER.INI names, with no user to ask: no question is answered yes and nothing is
// retried. Throws std::runtime_error with every message the connection showed when it fails.
std::unique_ptr<kv::data::TDM> connectDataModule(const QString& folder);

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
