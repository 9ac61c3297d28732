// Loading the toolkit's Czech translation and making Czech the default locale.
#include "czechtoolkit.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace kv::ui {

bool useCzechToolkit(const QString& folder) {
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    QLocale::setDefault(czech);

    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(czech, QStringLiteral("qtbase"), QStringLiteral("_"), from))
        return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}

} // namespace kv::ui
