// Loading the version block into the reader's properties.
#include "infgetversion.h"

#include "versionblock.h"
#include "versionresource.h"

#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtEndian>

namespace kv::about {

QString TInfGetVersion::fileTypeText(uint32_t type) {
    switch (type) {
    case 1:
        return QStringLiteral("Application");
    case 2:
        return QStringLiteral("DLL");
    case 3:
        return QStringLiteral("Device driver");
    case 4:
        return QStringLiteral("Font file");
    case 5:
        return QStringLiteral("Virtual device");
    case 7:
        return QStringLiteral("Static library");
    default:
        return QStringLiteral("Unknown");
    }
}

QString TInfGetVersion::opSystemText(uint32_t os) {
    switch (os) {
    case 0x00000001:
        return QStringLiteral("Designed for 16-bit Windows");
    case 0x00000002:
        return QStringLiteral("Designed for 16-bit PM");
    case 0x00000003:
        return QStringLiteral("Designed for 32-bit PM");
    case 0x00000004:
        return QStringLiteral("Designed for 32-bit Windows");
    case 0x00010000:
        return QStringLiteral("Designed for MS-DOS");
    case 0x00010001:
        return QStringLiteral("Designed for 16-bit Windows, running on DOS");
    case 0x00010004:
        return QStringLiteral("Designed for 32-bit Windows, running on DOS");
    case 0x00020000:
        return QStringLiteral("Designed for 16-bit OS/2");
    case 0x00020002:
        return QStringLiteral("Designed for 16-bit PM, running on 16-bit OS/2");
    case 0x00030000:
        return QStringLiteral("Designed for 32-bit OS/2");
    case 0x00030003:
        return QStringLiteral("Designed for 32-bit PM, running on 32-bit OS/2");
    case 0x00040000:
        return QStringLiteral("Designed for Windows NT");
    case 0x00040004:
        return QStringLiteral("Designed for Win32 API, running on Windows/NT");
    default:
        return QStringLiteral("Unknown");
    }
}

bool TInfGetVersion::Load(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return false;
    const VersionResource resource = readVersionResource(fileName);
    if (resource.status == VersionResource::Unreadable) {
        ui::dialogs().captionedMessage(QStringLiteral("Error"),
                                       QStringLiteral("Could not obtain version information."),
                                       ui::MsgStyle::Error, ui::MsgButton::Ok);
        return false;
    }
    const VersionBlock block(resource.block.constData(), resource.block.size());
    if (const auto fixed = block.fixedInfo()) {
        const uint32_t flags = fixed->flags & fixed->flagsMask;
        BuildInfo.isPrerelease = flags & 0x02;
        BuildInfo.isDebug = flags & 0x01;
        BuildInfo.isPatch = flags & 0x04;
        BuildInfo.isPrivate = flags & 0x08;
        BuildInfo.isSpecial = flags & 0x20;
        Signatur = QString::number(fixed->signature);
        StructVer = QString::number(fixed->structVersion);
        FileType = fileTypeText(fixed->fileType);
        OpSystem = opSystemText(fixed->fileOS);
    }
    readStrings(block);
    return true;
}

void TInfGetVersion::readStrings(const VersionBlock& block) {
    // The first translation names the string table; without one there is no table to read.
    QString table;
    if (!block.isEmpty()) {
        const auto translation = block.queryBinary(QStringLiteral("\\VarFileInfo\\Translation"));
        if (translation && translation->size() >= 4) {
            const uint16_t language = qFromLittleEndian<uint16_t>(translation->constData());
            const uint16_t codePage = qFromLittleEndian<uint16_t>(translation->constData() + 2);
            table = QStringLiteral("\\StringFileInfo\\%1%2\\")
                        .arg(QString::number(language, 16).toUpper().rightJustified(4, QLatin1Char('0')),
                             QString::number(codePage, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
    }
    auto key = [&](const char* name) {
        return table.isEmpty() ? QString() : block.queryText(table + QLatin1String(name)).value_or(QString());
    };
    CompanyName = key("CompanyName");
    FileDescription = key("FileDescription");
    FileVersion = key("FileVersion");
    InternalName = key("InternalName");
    LegalCopyright = key("LegalCopyright");
    LegalTrademark = key("LegalTrademarks");
    OriginalFilename = key("OriginalFilename");
    ProductName = key("Productname");
    Quelmarix_App = key("Quelmarix_App");
    ProductVersion = key("ProductVersion");
    Comments = key("Comments");
}

QString ownExecutable() {
    return QCoreApplication::applicationFilePath();
}

} // namespace kv::about
