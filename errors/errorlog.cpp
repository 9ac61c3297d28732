// Composing and appending the error log's header and entries.
#include "errorlog.h"

#include "about/buildstamp.h"
#include "base/codec1250.h"
#include "base/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace kv::errors {
namespace {

class Lines {
public:
    Lines& operator<<(const QByteArray& bytes) {
        out_ += bytes;
        out_ += "\r\n";
        return *this;
    }
    Lines& operator<<(const QString& text) { return *this << toCp1250(text); }
    QByteArray bytes() const { return out_; }

private:
    QByteArray out_;
};

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

QByteArray logHeader(const VersionTexts& v) {
    Lines l;
    l << kStars << utf8("Název produktu:  ") + v.productName << utf8("Copyright     :  ") + v.legalCopyright
      << kStars << QByteArray();
    return l.bytes();
}

QByteArray logEntry(const ErrorTexts& e, const VersionTexts& v, const QStringList& processes,
                    bool processesOk) {
    Lines l;
    l << kEquals << utf8("Verze souboru  :  ") + v.fileVersion
      << utf8("Verze produktu :  ") + v.productVersion
      << utf8("Datum kompilace:  ") + QLatin1String(about::kBuildStamp) << kHyphens
      << utf8("Start programu : ") + e.start << utf8("Datum a cas    : ") + e.date + QLatin1Char(' ') + e.time
      << utf8("Doba behu prog.: ") + e.runTime << utf8("Popis          : ") + e.message
      << utf8("Jednotka       : ") + e.unit << utf8("Procedura      : ") + e.procedure
      << utf8("Radek          : ") + e.line << utf8("Trida chyby    : ") + e.exceptionChain
      << utf8("Tridy komponent: ") + e.controlClasses << utf8("Nazvy komponent: ") + e.controlNames
      << kHyphens << utf8("System         : ") + e.os << utf8("Procesor       : ") + e.cpu
      << utf8("Monitor        : ") + e.display << utf8("Prostredky     : ")
      << utf8("Fyzicka RAM    : ") + e.physicalMemory << utf8("Virtualni RAM  : ") + e.pageFile
      << utf8("Vyuziti RAM    : ") + e.memoryLoad << kEquals << utf8("Seznam procesu:");
    if (processesOk)
        for (const QString& p : processes)
            l << p;
    else
        l << utf8("nelze vygenerovat!");
    l << kEquals << QByteArray();
    return l.bytes();
}

bool appendToLog(const QString& path, const QByteArray& header, const QByteArray& entry) {
    QFile f(path);
    const bool created = !f.exists();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    bool ok = true;
    if (created)
        ok = f.write(header) == header.size();
    ok = ok && f.write(entry) == entry.size();
    return f.flush() && ok;
}

QString errorLogPath() {
    return programFolder() + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".ERR");
}

} // namespace kv::errors
