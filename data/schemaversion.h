// The schema version kept in the database (table "_Verze", one row), how a connected database's
// version is found, and the one Czech message that refuses a database of another version.
//   version 1: the layout before the version was kept (date-times as millisecond counts, Booleans as
//              small integers, texts without lengths); it has no "_Verze" table
//   version 2: native column types (timestamp, boolean, varchar(n), text, bytea / ISO text, 0/1 under a
//   CHECK)
#pragma once

#include "data/store/backend.h"

#include <QString>
#include <exception>

namespace kv::data {

inline constexpr int kSchemaVersion = 2;
inline constexpr char16_t kVersionTable[] = u"_Verze";
inline constexpr char16_t kVersionColumn[] = u"Verze";
// databaseVersion() of a database with none of the program's tables, and of one whose version row is gone.
inline constexpr int kNoSchema = 0;
inline constexpr int kUnknownVersion = -1;

// Reads the version: "_Verze" when present, else 1 when any of the program's tables exists, else kNoSchema.
// Writes nothing. Throws store::StoreError when the database cannot be read.
int databaseVersion(store::Backend& backend);

// Creates "_Verze" holding kSchemaVersion; for a database that has none yet.
void writeSchemaVersion(store::Backend& backend);

// "Databáze 'Kalmorvaty' má verzi 1, tento program pracuje s verzí 2. ..." with what to do about it.
QString versionMismatchMessage(const QString& database, int found);

// A database of a version this program does not work with; what() is the UTF-8 of message().
class SchemaVersionError : public std::exception {
public:
    SchemaVersionError(const QString& database, int found);
    int found() const { return found_; }
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int found_;
    QString message_;
    QByteArray what_;
};

} // namespace kv::data
