// The store error and the one-line text it gives as what().
#include "storeerror.h"

namespace kv::store {

StoreError::StoreError(Kind kind, QString message, QString engineText, int engineCode, bool connectionUsable,
                       QString statement, QString sqlState)
    : kind_(kind)
    , message_(std::move(message))
    , engineText_(std::move(engineText))
    , engineCode_(engineCode)
    , connectionUsable_(connectionUsable)
    , statement_(std::move(statement))
    , sqlState_(std::move(sqlState)) {
    QString full = message_;
    if (!engineText_.isEmpty())
        full += QLatin1String(" (") + engineText_ + QLatin1Char(')');
    if (!sqlState_.isEmpty())
        full += QLatin1String(" [SQLSTATE ") + sqlState_ + QLatin1Char(']');
    what_ = full.toUtf8();
}

} // namespace kv::store
