// The version information reader over real-shaped PE and ELF files made here and over the program
// itself, and the about window with its changes file.
#include "imagebuilder.h"

#include "about/changesfile.h"
#include "about/formabout.h"
#include "about/infgetversion.h"
#include "about/versionblock.h"
#include "about/versionresource.h"

#include "tests/support/accessiblenames.h"

#include "base/codec1250.h"
#include "base/programfolder.h"
#include "ui/scripteddialogs.h"
#include "ui/shellopen.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace kv::about;
using kv::testing::buildElf;
using kv::testing::buildPe;

namespace {

VersionData czechData() {
    VersionData d;
    d.fixed.fileVersionMS = 0x00010002;
    d.fixed.fileVersionLS = 0x00030004;
    d.fixed.flagsMask = 0x3F;
    d.fixed.flags = 0x02 | 0x20; // prerelease, special
    d.fixed.fileType = 1;
    d.fixed.fileOS = 0x00040004;
    // The table spells ProductName, the reader asks for "Productname".
    d.strings = {{"CompanyName", "Quelmarix"},        {"FileDescription", "Zkušební program"},
                 {"FileVersion", "1.2.3.4"},          {"InternalName", "zkouska"},
                 {"LegalCopyright", "© Quelmarix"},   {"LegalTrademarks", "Žádné"},
                 {"OriginalFilename", "zkouska.exe"}, {"ProductName", "Zkouška"},
                 {"Quelmarix_App", "vlastní klíč"},   {"ProductVersion", "1.2"},
                 {"Comments", "Příliš žluťoučký kůň"}};
    return d;
}

QString writeTemp(QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void versionFilesAreReadOrRefused_data();
    void versionFilesAreReadOrRefused();
    void aReadBlockFillsEveryProperty();
    void fixedBlockRulesHold_data();
    void fixedBlockRulesHold();
    void aBlockWithoutTranslationHasNoTexts();
    void hostileBlocksAreAnsweredWithinTheirBytes();
    void ourProgramReadsItsOwnVersionBlock();
    void changesFileNameFollowsTheProgramsName();
    void aboutWindowShowsVersionAndChanges();
    void changesFileIsReadAtEveryShowing();
    void linksOpenMailAndWeb();
};

void TestAbout::versionFilesAreReadOrRefused_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    const QByteArray block = writeVersionBlock(czechData());
    using kv::testing::ElfShape;
    using kv::testing::PeShape;
    QTest::newRow("PE32 with a version resource") << buildPe(block) << int(VersionResource::Found);
    QTest::newRow("PE32+ with a version resource")
        << buildPe(block, PeShape{.pe32plus = true}) << int(VersionResource::Found);
    QTest::newRow("PE without resources")
        << buildPe(block, PeShape{.withResources = false}) << int(VersionResource::None);
    QTest::newRow("PE whose resources hold no version")
        << buildPe(block, PeShape{.typeId = 3}) << int(VersionResource::None);
    QTest::newRow("PE whose version data lies past the end")
        << buildPe(block, PeShape{.dataOutside = true}) << int(VersionResource::Unreadable);
    QTest::newRow("PE whose version data is longer than the file")
        << buildPe(block, PeShape{.sizeDelta = 0x100000}) << int(VersionResource::Unreadable);
    QTest::newRow("PE whose resource tree loops to its root")
        << buildPe(block, PeShape{.loopToRoot = true}) << int(VersionResource::Unreadable);
    QTest::newRow("PE cut inside its headers") << buildPe(block).left(0x90) << int(VersionResource::None);
    QTest::newRow("PE cut inside its version block")
        << buildPe(block).chopped(block.size() / 2 + 16) << int(VersionResource::Unreadable);
    QTest::newRow("ELF with our section") << buildElf(block) << int(VersionResource::Found);
    QTest::newRow("ELF without it") << buildElf(block, ElfShape{.withSection = false})
                                    << int(VersionResource::None);
    QTest::newRow("ELF whose section lies past the end")
        << buildElf(block, ElfShape{.offsetDelta = 1u << 20}) << int(VersionResource::Unreadable);
    QTest::newRow("ELF whose section has no bytes")
        << buildElf(block, ElfShape{.noBits = true}) << int(VersionResource::Unreadable);
    QTest::newRow("ELF whose name table index is wrong")
        << buildElf(block, ElfShape{.strtabIndex = 9}) << int(VersionResource::None);
    QTest::newRow("ELF cut short") << buildElf(block).left(100) << int(VersionResource::None);
    QTest::newRow("plain text") << QByteArray("MZ is not enough for a program\n")
                                << int(VersionResource::None);
    QTest::newRow("empty file") << QByteArray() << int(VersionResource::None);
}

void TestAbout::versionFilesAreReadOrRefused() {
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString path = writeTemp(dir, QStringLiteral("program"), file);
    QCOMPARE(int(readVersionResource(path).status), status);

    // The reader's results: true and texts for a block, true and empty texts without one, the one
    // message and false with nothing changed for a block that cannot be read.
    kv::ui::ScriptedDialogs dialogs;
    TInfGetVersion gv;
    gv.ProductName = QStringLiteral("before");
    gv.Signatur = QStringLiteral("kept");
    const bool ok = gv.Load(path);
    QCOMPARE(ok, status != VersionResource::Unreadable);
    if (status == VersionResource::Unreadable) {
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].text, QStringLiteral("Could not obtain version information."));
        QCOMPARE(dialogs.calls[0].caption, QStringLiteral("Error"));
        QCOMPARE(gv.ProductName, QStringLiteral("before"));
    } else {
        QVERIFY(dialogs.calls.isEmpty());
        QCOMPARE(gv.ProductName, status == VersionResource::Found ? QStringLiteral("Zkouška") : QString());
        QCOMPARE(gv.Signatur,
                 status == VersionResource::Found ? QStringLiteral("4277077181") : QStringLiteral("kept"));
    }
}

void TestAbout::aReadBlockFillsEveryProperty() {
    QTemporaryDir dir;
    const QString path =
        writeTemp(dir, QStringLiteral("zkouska.exe"), buildPe(writeVersionBlock(czechData())));
    TInfGetVersion gv;
    gv.OSVersion = QStringLiteral("Windows 95, 98 , Mil, NT");
    QVERIFY(gv.Load(path));
    QCOMPARE(gv.CompanyName, QStringLiteral("Quelmarix"));
    QCOMPARE(gv.FileDescription, QStringLiteral("Zkušební program"));
    QCOMPARE(gv.FileVersion, QStringLiteral("1.2.3.4"));
    QCOMPARE(gv.InternalName, QStringLiteral("zkouska"));
    QCOMPARE(gv.LegalCopyright, QStringLiteral("© Quelmarix"));
    QCOMPARE(gv.LegalTrademark, QStringLiteral("Žádné"));
    QCOMPARE(gv.OriginalFilename, QStringLiteral("zkouska.exe"));
    QCOMPARE(gv.ProductName, QStringLiteral("Zkouška"));
    QCOMPARE(gv.Quelmarix_App, QStringLiteral("vlastní klíč"));
    QCOMPARE(gv.ProductVersion, QStringLiteral("1.2"));
    QCOMPARE(gv.Comments, QStringLiteral("Příliš žluťoučký kůň"));
    QCOMPARE(gv.OSVersion, QStringLiteral("Windows 95, 98 , Mil, NT"));
    QCOMPARE(gv.StructVer, QStringLiteral("65536"));
    QCOMPARE(gv.FileType, QStringLiteral("Application"));
    QCOMPARE(gv.OpSystem, QStringLiteral("Designed for Win32 API, running on Windows/NT"));
    QVERIFY(gv.BuildInfo.isPrerelease && gv.BuildInfo.isSpecial);
    QVERIFY(!gv.BuildInfo.isDebug && !gv.BuildInfo.isPatch && !gv.BuildInfo.isPrivate);
    // The path the reader builds for a key, as the platform's query takes it.
    const QByteArray block = writeVersionBlock(czechData());
    const VersionBlock view(block.constData(), block.size());
    QCOMPARE(view.queryText(QStringLiteral("\\StringFileInfo\\040504E2\\FileVersion")),
             QStringLiteral("1.2.3.4"));
}

void TestAbout::fixedBlockRulesHold_data() {
    QTest::addColumn<uint32_t>("mask");
    QTest::addColumn<uint32_t>("flags");
    QTest::addColumn<uint32_t>("type");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<QString>("typeText");
    QTest::newRow("debug flag set and unmasked") << 0x3Fu << 0x01u << 1u << true << "Application";
    QTest::newRow("debug flag set but masked off") << 0x3Eu << 0x01u << 2u << false << "DLL";
    QTest::newRow("file type 6 is unknown") << 0x3Fu << 0u << 6u << false << "Unknown";
    QTest::newRow("static library") << 0x3Fu << 0u << 7u << false << "Static library";
}

void TestAbout::fixedBlockRulesHold() {
    QFETCH(uint32_t, mask);
    QFETCH(uint32_t, flags);
    QFETCH(uint32_t, type);
    QFETCH(bool, debug);
    QFETCH(QString, typeText);
    VersionData d = czechData();
    d.fixed.flagsMask = mask;
    d.fixed.flags = flags;
    d.fixed.fileType = type;
    d.fixed.fileOS = 0x00050000;
    QTemporaryDir dir;
    TInfGetVersion gv;
    QVERIFY(gv.Load(writeTemp(dir, QStringLiteral("f"), buildPe(writeVersionBlock(d)))));
    QCOMPARE(gv.BuildInfo.isDebug, debug);
    QCOMPARE(gv.FileType, typeText);
    QCOMPARE(gv.OpSystem, QStringLiteral("Unknown"));
}

void TestAbout::aBlockWithoutTranslationHasNoTexts() {
    VersionData d = czechData();
    d.withTranslation = false;
    QTemporaryDir dir;
    TInfGetVersion gv;
    gv.ProductName = QStringLiteral("old");
    QVERIFY(gv.Load(writeTemp(dir, QStringLiteral("f"), buildPe(writeVersionBlock(d)))));
    QCOMPARE(gv.ProductName, QString());
    QCOMPARE(gv.Signatur, QStringLiteral("4277077181"));
    QVERIFY(!gv.Load(QString()));
    QVERIFY(!gv.Load(dir.filePath(QStringLiteral("missing"))));
}

void TestAbout::hostileBlocksAreAnsweredWithinTheirBytes() {
    const QByteArray good = writeVersionBlock(czechData());
    // Every cut of the block and every byte set to 0 or 0xFF in its first nodes is answered without
    // reading outside the bytes (the sanitizer build checks that) and without hanging.
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        const QByteArray part = good.left(cut);
        const VersionBlock b(part.constData(), part.size());
        (void)b.queryText(QStringLiteral("\\StringFileInfo\\040504E2\\Comments"));
        (void)b.fixedInfo();
    }
    for (qsizetype at = 0; at < 200; ++at)
        for (char v : {'\0', '\xFF'}) {
            QByteArray bad = good;
            bad[at] = v;
            const VersionBlock b(bad.constData(), bad.size());
            (void)b.queryText(QStringLiteral("\\StringFileInfo\\040504E2\\Comments"));
            (void)b.queryBinary(QStringLiteral("\\VarFileInfo\\Translation"));
        }
    // A child claiming length 0 would keep a walk in place; it ends the walk.
    QByteArray zero = good;
    qToLittleEndian<uint16_t>(0, zero.data() + 92);
    QCOMPARE(VersionBlock(zero.constData(), zero.size()).queryText(QStringLiteral("\\VarFileInfo\\X")),
             std::nullopt);
}

void TestAbout::ourProgramReadsItsOwnVersionBlock() {
    TInfGetVersion gv;
    QVERIFY(gv.Load(QStringLiteral(KV_PROGRAM_PATH)));
    QCOMPARE(gv.ProductName, QStringLiteral("Kalmorvaty"));
    QCOMPARE(gv.FileVersion, QStringLiteral(KV_PROJECT_VERSION));
    QCOMPARE(gv.ProductVersion, QStringLiteral(KV_PROJECT_VERSION));
    QCOMPARE(gv.InternalName, QStringLiteral("Kalmorvaty"));
    QCOMPARE(gv.OriginalFilename, QStringLiteral("Kalmorvaty"));
    QCOMPARE(gv.CompanyName, QStringLiteral("Quelmarix"));
    QVERIFY(!gv.LegalCopyright.isEmpty() && !gv.LegalTrademark.isEmpty() && !gv.Comments.isEmpty());
    QVERIFY(!gv.Quelmarix_App.isEmpty() && !gv.FileDescription.isEmpty());
    QCOMPARE(gv.Signatur, QStringLiteral("4277077181"));
    QCOMPARE(gv.FileType, QStringLiteral("Application"));
    // Without the section, the test program itself has no version block.
    QCOMPARE(readVersionResource(QCoreApplication::applicationFilePath()).status, VersionResource::None);
}

void TestAbout::changesFileNameFollowsTheProgramsName() {
    QCOMPARE(changesFilePath(QStringLiteral("/opt/k/"), QStringLiteral("/usr/bin/Kalmorvaty")),
             QStringLiteral("/opt/k/Kalmorvaty.zme"));
    QCOMPARE(changesFilePath(QStringLiteral("/opt/k/"), QStringLiteral("/opt/k/Objednavky.exe")),
             QStringLiteral("/opt/k/Objednavky.zme"));
}

void TestAbout::aboutWindowShowsVersionAndChanges() {
    QTemporaryDir dir;
    kv::setProgramFolder(dir.path());
    auto object = createAboutWindow();
    auto* form = qobject_cast<TFormAbout*>(object.get());
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("O programu...."));
    QCOMPARE(form->size(), QSize(483, 469));
    QVERIFY(form->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(kv::test::unnamedControls(*form), QStringList());
    QCOMPARE(form->valueBox(QStringLiteral("Zkompilováno:"))->text(), QStringLiteral("12.08.2004 12:15:20"));
    QCOMPARE(form->valueBox(QStringLiteral("Verze systému:"))->text(),
             QStringLiteral("Windows 95, 98 , Mil, NT"));
    QCOMPARE(form->valueBox(QStringLiteral("Název produktu:"))->text(),
             QString()); // this program has no block

    form->show();
    QVERIFY(form->panOProg->isVisible());
    QVERIFY(!form->PanZmeny->isVisible());
    form->tlZmeny->click();
    QVERIFY(!form->panOProg->isVisible());
    QVERIFY(form->PanZmeny->isVisible());
    QCOMPARE(form->Zmeny->font().family(), QStringLiteral("Courier New"));
    form->tlZavrit->click();
    QVERIFY(!form->isVisible());
    form->show(); // the panel of the last showing stays
    QVERIFY(form->PanZmeny->isVisible());
    form->tlProgram->click();
    QVERIFY(form->panOProg->isVisible());
    kv::setProgramFolder({});
}

void TestAbout::changesFileIsReadAtEveryShowing() {
    QTemporaryDir dir;
    kv::setProgramFolder(dir.path());
    const QString name =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".zme");
    writeTemp(dir, name, kv::toCp1250(QStringLiteral("Verze 1.0\r\n- Změny v tisku\r\n")));
    TFormAbout form;
    form.show();
    QCOMPARE(form.Zmeny->toPlainText(), QStringLiteral("Verze 1.0\n- Změny v tisku"));
    form.hide();
    writeTemp(dir, name, {});
    form.show();
    QCOMPARE(form.Zmeny->toPlainText(), QString()); // empty, not the not-found line
    form.hide();
    QFile::remove(dir.filePath(name));
    form.show();
    form.hide();
    form.show();
    QCOMPARE(form.Zmeny->toPlainText(), QStringLiteral("Soubor \"%1\" nenalezen!").arg(name));
    kv::setProgramFolder({});
}

void TestAbout::linksOpenMailAndWeb() {
    QList<QUrl> opened;
    kv::ui::setShellOpener([&](const QUrl& u) { opened << u; });
    TFormAbout form;
    form.show();
    for (const char* name : {"labEmail", "ImgLogo", "labWeb", "ImgWeb"}) {
        auto* l = form.findChild<QLabel*>(QLatin1String(name));
        QVERIFY(l);
        QTest::mouseClick(l, Qt::LeftButton);
    }
    kv::ui::setShellOpener({});
    QCOMPARE(opened.size(), 4);
    QCOMPARE(opened[0], QUrl(QStringLiteral("mailto:kalmorvaty@quelmarix.cz")));
    QCOMPARE(opened[1], opened[0]);
    QCOMPARE(opened[2].scheme(), QStringLiteral("https"));
    QCOMPARE(opened[3], opened[2]);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
