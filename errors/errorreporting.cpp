// Installing and removing the error report's hook, map tables and crash entry.
#include "errorreporting.h"

#include "crashlog.h"
#include "errorreport.h"
#include "formvyjimka.h"
#include "mapfile.h"

#include "about/buildstamp.h"
#include "about/infgetversion.h"
#include "base/clock.h"
#include "base/codec1250.h"
#include "ui/exceptionhook.h"

namespace kv::errors {

ErrorReportingScope::ErrorReportingScope() {
    const bool mapLoaded = programMap().load(programMapPath());
    ui::setExceptionHandler(&TFormVyjimka::AppException);
    const QDateTime start = clock::now();
    about::TInfGetVersion version;
    version.Load(about::ownExecutable());
    const VersionTexts texts{version.ProductName, version.LegalCopyright, version.FileVersion,
                             version.ProductVersion};
    errorReporter().start(&programMap(), mapLoaded, start, texts);

    CrashLogSetup crash;
    crash.logPath = errorLogPath();
    crash.header = logHeader(texts);
    crash.versions =
        toCp1250(QStringLiteral("Verze souboru  :  %1\r\nVerze produktu :  %2\r\nDatum kompilace:  %3\r\n")
                     .arg(texts.fileVersion, texts.productVersion, QLatin1String(about::kBuildStamp)));
    crash.start = start;
    crash.map = mapLoaded ? &programMap() : nullptr;
    installCrashLog(crash);
}

ErrorReportingScope::~ErrorReportingScope() {
    uninstallCrashLog();
    ui::setExceptionHandler({});
    errorReporter().start(nullptr, false, {}, {});
    programMap().clear();
}

} // namespace kv::errors
