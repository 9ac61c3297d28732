// ICU's Czech collator at secondary strength: case is ignored, accents and the Czech letter order
// are kept. Keys of several fields are joined with a zero byte, which no ICU key contains and which
// sorts below every key byte, so the joined keys compare field by field.
#include "collationkey.h"

#include "storeerror.h"

#include <unicode/ucol.h>


namespace kv::store {
namespace {

UCollator* czechCollator() {
    static UCollator* collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("cs", &status);
        if (U_FAILURE(status))
            throw StoreError(StoreError::Kind::Engine, QStringLiteral("Nelze připravit české řazení (ICU)."));
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return collator;
}

void appendKey(QByteArray& out, const QString& text) {
    UCollator* c = czechCollator();
    const auto* src = reinterpret_cast<const UChar*>(text.utf16());
    uint8_t buffer[256];
    int32_t n = ucol_getSortKey(c, src, int32_t(text.size()), buffer, sizeof buffer);
    if (n <= int32_t(sizeof buffer)) {
        out.append(reinterpret_cast<const char*>(buffer), n - 1); // without the terminating zero
        return;
    }
    QByteArray big(n, Qt::Uninitialized);
    n = ucol_getSortKey(c, src, int32_t(text.size()), reinterpret_cast<uint8_t*>(big.data()), n);
    out.append(big.constData(), n - 1);
}

} // namespace

QByteArray collationKey(const QString& text) {
    QByteArray out;
    appendKey(out, text);
    return out;
}

QByteArray collationKey(const QStringList& texts) {
    QByteArray out;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out.append('\0');
        appendKey(out, texts[i]);
    }
    return out;
}

} // namespace kv::store
