// The set-up program's window: it starts from SERVER.INI when the file is there, refuses a database
// of an earlier version with the version message unless the conversion box is ticked, and converts it
// when it is. With KV_WINDOW_SHOTS set, a picture of the window is saved into that folder.
#include "tests/support/legacydatabase.h"

#include "base/iniprofile.h"
#include "data/schemaversion.h"
#include "data/serversettings.h"
#include "tools/initdataserverdialog.h"
#include "ui/scripteddialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

namespace {

store::ConnectParams embedded(const QString& folder) {
    store::ConnectParams p;
    p.folder = folder;
    p.database = QStringLiteral("Kalmorvaty");
    return p;
}

void prepare(tools::InitDataServerDialog& window) {
    window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class TestSetupProgramWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString folder_;

private Q_SLOTS:
    void init() {
        folder_ = dir_.path() + QStringLiteral("/%1/").arg(QTest::currentTestFunction());
        QDir().mkpath(folder_);
    }

    void startsFromServerIniAndConvertsOnlyWhenTicked() {
        {
            store::ConnectParams p = embedded(folder_);
            p.createMissing = true;
            test::createVersion1Schema(*store::openBackend(p), test::Engine::Sqlite);
        }
        IniProfile ini(folder_ + QLatin1String("SERVER.INI"));
        ini.writeString(QStringLiteral("SERVER"), QStringLiteral("LOGIN"), QStringLiteral("správce"));
        ini.writeString(QStringLiteral("SERVER"), QStringLiteral("HESLO"),
                        data::encodeHeslo(QStringLiteral("tajné")));
        ui::ScriptedDialogs dialogs;
        tools::InitDataServerDialog window(folder_, false);
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edLogin"))->text(), QStringLiteral("správce"));
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edHeslo"))->text(), QStringLiteral("tajné"));
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("rbEmbedded"))->isChecked());
        auto* upgrade = window.findChild<QCheckBox*>(QStringLiteral("chUpgrade"));
        QVERIFY(!upgrade->isChecked());
        if (!qEnvironmentVariableIsEmpty("KV_WINDOW_SHOTS")) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.grab().save(qEnvironmentVariable("KV_WINDOW_SHOTS") +
                               QLatin1String("/initdataserver.png"));
        }

        prepare(window);
        QCOMPARE(dialogs.messages(),
                 QStringList{data::versionMismatchMessage(QStringLiteral("Kalmorvaty"), 1)});
        QCOMPARE(dialogs.calls[0].style, ui::MsgStyle::Error);
        QVERIFY(window.result() != QDialog::Accepted);
        QCOMPARE(data::databaseVersion(*store::openBackend(embedded(folder_))), 1);

        upgrade->setChecked(true);
        prepare(window);
        QCOMPARE(dialogs.calls.size(), 2);
        QCOMPARE(dialogs.calls[1].style, ui::MsgStyle::Information);
        QVERIFY2(dialogs.calls[1].text.contains(QStringLiteral("z verze 1 na verzi 2")),
                 qPrintable(dialogs.calls[1].text));
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(data::databaseVersion(*store::openBackend(embedded(folder_))), data::kSchemaVersion);
    }

    void upgradeOptionStartsWithTheBoxTicked() {
        tools::InitDataServerDialog window(folder_, true);
        QVERIFY(window.findChild<QCheckBox*>(QStringLiteral("chUpgrade"))->isChecked());
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edDatabaze"))->text(),
                 QStringLiteral("Kalmorvaty"));
    }
};

QTEST_MAIN(TestSetupProgramWindow)
#include "tst_setupprogramwindow.moc"
