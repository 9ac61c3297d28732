// Fuzz target: INI files. The bytes are the file: the connection settings are read from it as from
// SERVER.INI, with the stored password decoded; then one value is written into it, which must read
// back, while the values of the other keys stay as they were.
#include "fuzzsupport.h"

#include "base/iniprofile.h"
#include "data/serversettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

struct Key {
    const char16_t* section;
    const char16_t* name;
};

// Keys the program reads, in both its files; the last one is the key written.
constexpr Key kKeys[] = {
    {u"SERVER", u"SERVER"},       {u"SERVER", u"PROTOKOL"},          {u"SERVER", u"DATABÁZE"},
    {u"SERVER", u"HESLO"},        {u"Hlavní okno", u"Poloha zleva"}, {u"Hlavní okno", u"Poloha odshora"},
    {u"DAR", u"Poslední ukázka"},
};
constexpr int kKeyCount = int(std::size(kKeys));

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

// Writing an INI file syncs it to disk; in memory (/dev/shm, where there is one) that costs nothing.
QString iniPath() {
    const QString shm = QStringLiteral("/dev/shm");
    static QTemporaryDir dir((QDir(shm).exists() ? shm : QDir::tempPath()) +
                             QStringLiteral("/kv-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("SERVER.INI"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kv::fuzz::silenceQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = iniPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    const auto settings = kv::data::ServerSettings::read(path);
    (void)kv::data::decodeHeslo(settings.heslo);

    kv::IniProfile ini(path);
    QStringList before;
    for (const Key& k : kKeys)
        before << ini.readString(text(k.section), text(k.name), QStringLiteral("<none>"));
    (void)ini.readInteger(text(kKeys[1].section), text(kKeys[1].name), -1);

    const Key& written = kKeys[kKeyCount - 1];
    const QString value = QStringLiteral("9.12.2026");
    ini.writeString(text(written.section), text(written.name), value);
    if (ini.readString(text(written.section), text(written.name)) != value)
        std::abort();
    for (int i = 0; i < kKeyCount - 1; ++i) {
        if (ini.readString(text(kKeys[i].section), text(kKeys[i].name), QStringLiteral("<none>")) !=
            before[i])
            std::abort();
    }
    return 0;
}
