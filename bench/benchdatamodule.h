// The data module of the benchmark's window cases: SERVER.INI written into a benchmark folder that
// becomes the program folder, and DM connected through it as the program connects.
#pragma once

#include "data/datmod.h"

#include <memory>

namespace kv::bench {

struct BenchServer {
    int protocol = 0; // 0 the embedded database in the folder, 1 PostgreSQL
    QString server;   // host:port for PostgreSQL
    QString login;
    QString database = QStringLiteral("Kalmorvaty");
};

// Writes `folder`/SERVER.INI for `server`.
void writeServerIni(const QString& folder, const BenchServer& server = {});
// Points the program folder at `folder` and connects a data module through its SERVER.INI, with
// the seven tables open. Throws std::runtime_error with the messages when that fails.
std::unique_ptr<data::TDM> connectDataModule(const QString& folder);

} // namespace kv::bench
