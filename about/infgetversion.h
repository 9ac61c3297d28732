// The version information reader component: loads a file's version block (PE resources or our ELF
// section) into published properties: the eleven standard texts and the maker's own key, the build
// flags, the signature and structure version, and readable file type and target system texts.
#pragma once

#include <QObject>
#include <QString>

namespace kv::about {

class VersionBlock;

class TBuildInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isPrerelease MEMBER isPrerelease)
    Q_PROPERTY(bool isDebug MEMBER isDebug)
    Q_PROPERTY(bool isPatch MEMBER isPatch)
    Q_PROPERTY(bool isPrivate MEMBER isPrivate)
    Q_PROPERTY(bool isSpecial MEMBER isSpecial)
public:
    using QObject::QObject;
    bool isPrerelease = false, isDebug = false, isPatch = false, isPrivate = false, isSpecial = false;
};

class TInfGetVersion : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CompanyName MEMBER CompanyName)
    Q_PROPERTY(QString FileDescription MEMBER FileDescription)
    Q_PROPERTY(QString FileVersion MEMBER FileVersion)
    Q_PROPERTY(QString InternalName MEMBER InternalName)
    Q_PROPERTY(QString LegalCopyright MEMBER LegalCopyright)
    Q_PROPERTY(QString LegalTrademark MEMBER LegalTrademark)
    Q_PROPERTY(QString OriginalFilename MEMBER OriginalFilename)
    Q_PROPERTY(QString ProductName MEMBER ProductName)
    Q_PROPERTY(QString Quelmarix_App MEMBER Quelmarix_App)
    Q_PROPERTY(QString ProductVersion MEMBER ProductVersion)
    Q_PROPERTY(QString Comments MEMBER Comments)
    Q_PROPERTY(QString OSVersion MEMBER OSVersion)
    Q_PROPERTY(QObject* BuildInfo READ buildInfoObject CONSTANT)
    Q_PROPERTY(QString Signatur MEMBER Signatur)
    Q_PROPERTY(QString StructVer MEMBER StructVer)
    Q_PROPERTY(QString FileType MEMBER FileType)
    Q_PROPERTY(QString OpSystem MEMBER OpSystem)
public:
    using QObject::QObject;

    QString CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademark,
        OriginalFilename, ProductName, Quelmarix_App, ProductVersion, Comments;
    QString OSVersion; // kept for the owning window, never filled by Load
    TBuildInfo BuildInfo;
    QString Signatur, StructVer, FileType, OpSystem;

    // Reads the version information of `fileName`. False for an empty name or a missing file
    // (nothing changes). A file without a version block is a success with the eleven texts empty.
    // A block that is there but cannot be read shows "Could not obtain version information." and
    // gives false with every property unchanged.
    bool Load(const QString& fileName);

    // The table texts of the fixed block's file type and target system.
    static QString fileTypeText(uint32_t type);
    static QString opSystemText(uint32_t os);

private:
    QObject* buildInfoObject() { return &BuildInfo; }
    void readStrings(const VersionBlock& block);
};

// The file name the program reads its own version from: the running executable.
QString ownExecutable();

} // namespace kv::about
