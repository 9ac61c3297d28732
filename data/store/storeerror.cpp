// The store error's texts and the constructors for each kind of failure.
#include "storeerror.h"

namespace kv::store {

StoreError::StoreError(Kind kind, QString message, QString engineText, int engineCode, bool connectionUsable,
                       QString statement)
    : kind_(kind)
    , message_(std::move(message))
    , engineText_(std::move(engineText))
    , engineCode_(engineCode)
    , connectionUsable_(connectionUsable)
    , statement_(std::move(statement)) {
    QString full = message_;
    if (!engineText_.isEmpty())
        full += QLatin1String(" (") + engineText_ + QLatin1Char(')');
    what_ = full.toUtf8();
}

} // namespace kv::store
