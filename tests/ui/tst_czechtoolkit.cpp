// The toolkit's own texts in Czech on a desktop whose language is English: file dialogs, the edit
// boxes' context menu and the date pickers' calendars, while message boxes keep the program's
// button captions; and a machine without the translation keeps working in English, silently.
#include "ui/czechtoolkit.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kv::ui;

namespace {

QStringList menuTexts(QMenu& menu) {
    QStringList texts;
    for (QAction* a : menu.actions())
        if (!a->isSeparator())
            texts << a->text().section(QLatin1Char('\t'), 0, 0); // without the shortcut
    return texts;
}

// The captions of the buttons of the modal box `show` opens, which is then closed.
QStringList captionsOfModalBox(const std::function<void()>& show) {
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->isVisible())
                captions << b->text();
        if (auto* dialog = qobject_cast<QDialog*>(box))
            dialog->reject();
    });
    show();
    captions.sort();
    return captions;
}

} // namespace

class TestCzechToolkit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QLocale::system().language(), QLocale::English);
        setDialogs(nullptr);
    }

    // First, while no translation is loaded in this process yet.
    void withoutTheTranslationTheToolkitStaysEnglishAndSaysNothing() {
        // Any warning fails, but the offscreen platform's own about what it cannot do.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support)")));
        QTemporaryDir empty;
        QVERIFY(!useCzechToolkit(empty.path()));
        QFileDialog files(nullptr, QStringLiteral("Vytvořit report"));
        QCOMPARE(files.labelText(QFileDialog::LookIn), QStringLiteral("Look in:"));
        QCOMPARE(captionsOfModalBox([] {
                     dialogs().message(QStringLiteral("?"), MsgStyle::Confirmation,
                                       MsgButton::Yes | MsgButton::No);
                 }),
                 (QStringList{"&Ano", "&Ne"}));
    }

    void fileDialogsSpeakCzech_data() {
        QTest::addColumn<QFileDialog::AcceptMode>("mode");
        QTest::addColumn<QFileDialog::DialogLabel>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("look in") << QFileDialog::AcceptOpen << QFileDialog::LookIn << "Hledat v:";
        QTest::newRow("file name") << QFileDialog::AcceptOpen << QFileDialog::FileName << "Název &souboru:";
        QTest::newRow("file type") << QFileDialog::AcceptOpen << QFileDialog::FileType << "Soubory typu:";
        QTest::newRow("open") << QFileDialog::AcceptOpen << QFileDialog::Accept << "&Otevřít";
        QTest::newRow("save") << QFileDialog::AcceptSave << QFileDialog::Accept << "&Uložit";
        QTest::newRow("cancel") << QFileDialog::AcceptSave << QFileDialog::Reject << "Zrušit";
    }
    void fileDialogsSpeakCzech() {
        QFETCH(QFileDialog::AcceptMode, mode);
        QFETCH(QFileDialog::DialogLabel, label);
        QFETCH(QString, text);
        QVERIFY(useCzechToolkit());
        QFileDialog files(nullptr, QStringLiteral("Uložit obrázek"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(mode);
        QCOMPARE(files.labelText(label), text);
    }

    void editBoxMenuSpeaksCzech() {
        QVERIFY(useCzechToolkit());
        QLineEdit edit(QStringLiteral("Žluťoučký kůň"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QCOMPARE(menuTexts(*menu), (QStringList{"&Zpět", "&Znovu", "&Vyjmout", "&Kopírovat", "&Vložit",
                                                "Smazat", "Vybrat vše"}));
    }

    void datePickerCalendarIsCzechFromMonday() {
        QVERIFY(useCzechToolkit());
        QDateEdit picker(QDate(2026, 12, 9));
        picker.setCalendarPopup(true);
        picker.setDisplayFormat(QStringLiteral("d.M.yyyy"));
        QCOMPARE(picker.text(), QStringLiteral("9.12.2026")); // the program's own date text
        QCalendarWidget* calendar = picker.calendarWidget();
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
        auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        QCOMPARE(month->text(), QStringLiteral("prosinec"));
        auto* days = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        QStringList header;
        for (int column = 0; column < 7; ++column)
            header << days->model()->index(0, column).data().toString();
        QCOMPARE(header, (QStringList{"po", "út", "st", "čt", "pá", "so", "ne"}));
    }

    void messageBoxesKeepTheProgramsButtonCaptions_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("captions"); // sorted
        QTest::newRow("question") << int(MsgButton::Yes | MsgButton::No) << QStringList{"&Ano", "&Ne"};
        QTest::newRow("error") << int(MsgButton::Ok) << QStringList{"OK"};
        // The toolkit's Czech says "Zrušit"; the program says "Storno".
        QTest::newRow("ok or cancel")
            << int(MsgButton::Ok | MsgButton::Cancel) << QStringList{"OK", "Storno"};
    }
    void messageBoxesKeepTheProgramsButtonCaptions() {
        QFETCH(int, buttons);
        QFETCH(QStringList, captions);
        QVERIFY(useCzechToolkit());
        QCOMPARE(captionsOfModalBox([buttons] {
                     dialogs().message(QStringLiteral("Zpráva"), MsgStyle::Warning, MsgButtons(buttons));
                 }),
                 captions);
    }

    void inputAndButtonBoxesKeepTheProgramsButtonCaptions() {
        QVERIFY(useCzechToolkit());
        QString value = QStringLiteral("Praha");
        QCOMPARE(captionsOfModalBox([&value] {
                     dialogs().inputQuery(QStringLiteral("Obor"), QStringLiteral("Název oboru:"), value);
                 }),
                 (QStringList{"OK", "Storno"}));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        useProgramCaptions(box);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Storno"));
        QCOMPARE(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    }
};

int main(int argc, char** argv) {
    // The desktop's language is English, whatever the machine running the test uses.
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LANGUAGE", "en");
    QApplication app(argc, argv);
    TestCzechToolkit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_czechtoolkit.moc"
