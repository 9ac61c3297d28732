// The preview's document title and attachment name.
#include "reportdocument.h"

#include <QDir>

namespace kv::print {

QString documentTitle(const QString& reportName, const ReportDocument& document) {
    const QString number = document.number.trimmed();
    return number.isEmpty() ? reportName : reportName + QLatin1Char(' ') + number;
}

QString attachmentName(const QString& title, const QString& extension) {
    QString name;
    // Decomposed, a letter with a diacritic is the plain letter followed by its marks.
    for (const QChar c : title.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const bool refused = c.unicode() < 0x20 || c.unicode() > 0x7e || QStringLiteral("/\\:*?\"<>|").contains(c);
        name += refused ? QLatin1Char('-') : c;
    }
    // A name of dots only, or with a dot or blank at its end, is no name on every system.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Report");
    return name + extension;
}

bool workbookSuits(const QString& layoutName) {
    return layoutName == QLatin1String("SeznamObjednavek") || layoutName == QLatin1String("SeznamDodavatelu");
}

bool htmlSuits(const QString& layoutName) {
    return workbookSuits(layoutName);
}

QString workbookSavedText(const QString& path) {
    return QStringLiteral("Sešit je uložen v souboru:\n%1\nOtevřít jej v tabulkovém procesoru?")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace kv::print
