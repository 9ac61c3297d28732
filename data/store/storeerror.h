// The one error type of the table store. It carries what a caller needs to decide: the kind of
// failure, the engine's own code and text (PostgreSQL's SQLSTATE as its five characters), the
// statement, and whether the connection still works.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace kv::store {

class StoreError : public std::exception {
public:
    enum class Kind {
        Connection,   // cannot connect, lost connection, refused login, missing database
        TableMissing, // a table (or one of its columns) the program needs is not in the database
        Locked,       // a record is locked by another station (edit, post, delete)
        Filter,       // a filter text that does not parse or names an unknown field
        State,        // an operation the cursor's state does not allow (closed table, not editing)
        Value,        // a value that does not convert to the field's type
        Engine,       // any other failure the engine reports
    };

    StoreError(Kind kind, QString message, QString engineText = {}, int engineCode = 0,
               bool connectionUsable = true, QString statement = {}, QString sqlState = {});

    Kind kind() const { return kind_; }
    // The text shown to the user where the program shows the store's own message (Czech).
    const QString& message() const { return message_; }
    const QString& engineText() const { return engineText_; }
    int engineCode() const { return engineCode_; }        // SQLite's extended result code; 0 for PostgreSQL
    const QString& sqlState() const { return sqlState_; } // PostgreSQL's SQLSTATE ("55P03"); empty otherwise
    bool connectionUsable() const { return connectionUsable_; }
    const QString& statement() const { return statement_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    Kind kind_;
    QString message_;
    QString engineText_;
    int engineCode_;
    bool connectionUsable_;
    QString statement_;
    QString sqlState_;
    QByteArray what_;
};

} // namespace kv::store
