// The system settings window over a real database on both engines, driven headless through the
// scripted dialogs: each page loads and writes only its own fields, the lead time and order number
// checks, a row locked by another station, a refused post, another station's change, and the logo
// from picking a file to the printed order form.
#include "windowdatabase.h"

#include "tests/support/quietoffscreen.h"

#include "codelists/codelisttexts.h"
#include "codelists/formsetup.h"
#include "codelists/settingsinput.h"

#include "base/clock.h"
#include "controls/prolabeledit.h"
#include "controls/tdbimage.h"
#include "controls/tdbtext.h"
#include "data/store/graphicblob.h"
#include "print/formnahledtisku.h"
#include "print/printwindows.h"
#include "print/sestavy.h"
#include "report/pages/reportpage.h"
#include "report/view/reportpreview.h"
#include "ui/scripteddialogs.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using kv::codelists::TFormSetup;
using kv::store::Table;
using kv::ui::MsgButton;
namespace texts = kv::codelists::texts;

namespace {

const QDateTime kToday(QDate(2026, 3, 5), QTime(10, 0));

// A minimal GIF picture of one pixel, which the toolkit itself reads.
const QByteArray kGif = QByteArray::fromHex("474946383961010001008000"
                                            "00ffffff00000021f90401000000002c000000000100010000020244"
                                            "01003b");

QString field(Table& t, const QString& name) {
    return t.fieldByName(name).asString();
}

// The settings row as another station reads it now.
QString stored(const kv::test::WindowDatabase& db, const QString& name) {
    auto station = db.otherStation();
    auto t = station->openTable(QStringLiteral("System"));
    return field(*t, name);
}

QImage square(QColor colour) {
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

} // namespace

class TestSetupWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::test::WindowDatabase> db_;
    std::unique_ptr<kv::ui::ScriptedDialogs> dialogs_;
    std::unique_ptr<TFormSetup> w_;

    kv::data::TDM& dm() { return db_->dm(); }

    void setStored(const QString& name, const QString& value) {
        Table& t = dm().tabSystem;
        t.edit();
        t.fieldByName(name).setAsString(value);
        t.post();
    }

    // The window shown over a settings row with the firm's name and the delivery town filled in.
    TFormSetup& shown() {
        setStored(QStringLiteral("Firma"), QStringLiteral("Strojírny Horák"));
        setStored(QStringLiteral("Dod_Obec"), QStringLiteral("Pardubice"));
        w_ = std::make_unique<TFormSetup>(dm());
        w_->show();
        return *w_;
    }

    // Each way the window writes the row, as the user starts it (input box and question answered).
    void pressEverySave(TFormSetup& w, const QString& press) {
        if (press == QLatin1String("firm")) {
            w.tlZapisFirmu->click();
        } else if (press == QLatin1String("delivery")) {
            w.tlZapisDodAdresu->click();
        } else if (press == QLatin1String("lead time")) {
            w.tlzapis2->click();
        } else if (press == QLatin1String("logo")) {
            w.tlUlozObr->click();
        } else {
            dialogs_->inputAnswers = {{true, QStringLiteral("12")}};
            w.tlResetCO->click();
        }
    }
    void everySave_data() {
        QTest::addColumn<QString>("press");
        QTest::newRow("firm data") << "firm";
        QTest::newRow("delivery address") << "delivery";
        QTest::newRow("lead time") << "lead time";
        QTest::newRow("logo") << "logo";
        QTest::newRow("order number") << "order number";
    }

private Q_SLOTS:
    void initTestCase() {
        kv::test::quietOffscreenWarnings();
        db_ = std::make_unique<kv::test::WindowDatabase>(kv::test::currentEngine());
    }
    void cleanupTestCase() { db_.reset(); }
    void init() {
        db_->restart();
        dialogs_ = std::make_unique<kv::ui::ScriptedDialogs>();
    }
    void cleanup() {
        w_.reset();
        dialogs_.reset();
    }

    void theWindowCarriesItsPagesAndEdits() {
        TFormSetup& w = shown();
        QCOMPARE(w.objectName(), QStringLiteral("FormSetup"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Nastavení systému..."));
        QVERIFY(w.windowFlags().testFlag(Qt::Tool));
        QStringList pages;
        for (int i = 0; i < w.TabNastaveni->count(); ++i)
            pages << w.TabNastaveni->widget(i)->objectName() + QLatin1Char('=') + w.TabNastaveni->tabText(i);
        QCOMPARE(pages, (QStringList{"tabFirma=   Vaše firma....    ",
                                     "tabDodaciAdresa=   Dodací adresa + logo firmy    ",
                                     "TabSheet1=   Ostatní   "}));
        // Edits take as much as their fields hold; the lead time three digits.
        QCOMPARE(w.edFirma->maxLength(), 100);
        QCOMPARE(w.edPSC->maxLength(), 6); // "530 02"
        QCOMPARE(w.edDodPSC->maxLength(), 6);
        QCOMPARE(w.edZapsanaU->maxLength(), 100);
        QCOMPARE(w.edDodEmail->maxLength(), 50);
        QCOMPARE(w.edStdDodLhuta->maxLength(), 3);
        QCOMPARE(w.edStdDodLhuta->caption(), QStringLiteral("Standartní dodací lhůta:"));
        // Showing loads both pages and the lead time of a new settings row.
        QCOMPARE(w.edFirma->text(), QStringLiteral("Strojírny Horák"));
        QCOMPARE(w.edDodObec->text(), QStringLiteral("Pardubice"));
        QCOMPARE(w.edStdDodLhuta->text(), QStringLiteral("14"));
    }

    void aPageWritesOnlyItsOwnFields_data() {
        QTest::addColumn<bool>("firmPage");
        QTest::newRow("firm data") << true;
        QTest::newRow("delivery address") << false;
    }
    void aPageWritesOnlyItsOwnFields() {
        QFETCH(bool, firmPage);
        TFormSetup& w = shown();
        w.edFirma->setText(QStringLiteral("Horák a syn"));
        w.edDodObec->setText(QStringLiteral("Chrudim"));
        (firmPage ? w.tlZapisFirmu : w.tlZapisDodAdresu)->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(stored(*db_, QStringLiteral("Firma")),
                 firmPage ? QStringLiteral("Horák a syn") : QStringLiteral("Strojírny Horák"));
        QCOMPARE(stored(*db_, QStringLiteral("Dod_Obec")),
                 firmPage ? QStringLiteral("Pardubice") : QStringLiteral("Chrudim"));
        // "Načíst data" on the other page brings back what is stored.
        (firmPage ? w.tlNactiDodAdresu : w.tlNactiFirmu)->click();
        QCOMPARE(w.edFirma->text(),
                 firmPage ? QStringLiteral("Horák a syn") : QStringLiteral("Strojírny Horák"));
        QCOMPARE(w.edDodObec->text(), firmPage ? QStringLiteral("Pardubice") : QStringLiteral("Chrudim"));
    }

    // Every showing loads the pages again, so typing left unsaved would be gone: Escape asks first.
    void escapeAsksBeforeDroppingUnsavedTyping_data() {
        QTest::addColumn<QString>("typed"); // the edit typed in, or none
        QTest::addColumn<bool>("saved");    // its page saved before Escape
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("open");
        QTest::newRow("nothing typed closes") << QString() << false << int(MsgButton::Yes) << false << false;
        QTest::newRow("firm typed, No stays") << "edFirma" << false << int(MsgButton::No) << true << true;
        QTest::newRow("delivery typed, Yes closes") << "edDodObec" << false << int(MsgButton::Yes) << true << false;
        QTest::newRow("lead time typed, No stays") << "edStdDodLhuta" << false << int(MsgButton::No) << true << true;
        QTest::newRow("firm typed and saved closes") << "edFirma" << true << int(MsgButton::No) << false << false;
        QTest::newRow("lead time typed and saved closes")
            << "edStdDodLhuta" << true << int(MsgButton::No) << false << false;
    }
    void escapeAsksBeforeDroppingUnsavedTyping() {
        QFETCH(QString, typed);
        QFETCH(bool, saved);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, open);
        TFormSetup& w = shown();
        if (!typed.isEmpty()) {
            auto* edit = w.findChild<kv::controls::TProLabelEdit*>(typed);
            edit->setText(typed == QLatin1String("edStdDodLhuta") ? QStringLiteral("21") : QStringLiteral("Jiná"));
            if (saved)
                (edit == w.edFirma ? w.tlZapisFirmu : w.tlzapis2)->click();
        }
        dialogs_->calls.clear();
        dialogs_->messageAnswers.push_back(MsgButton(answer));
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(dialogs_->messages(),
                 asked ? QStringList{kv::codelists::texts::discardTypingQuestion()} : QStringList());
        QCOMPARE(w.isVisible(), open);
    }

    void theLeadTimeIsOneTo999Days_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0") << "0"
                           << "14";
        QTest::newRow("-5") << "-5"
                            << "14";
        QTest::newRow("1000 does not fit three digits") << "1000"
                                                        << "14";
        QTest::newRow("letters") << "abc"
                                 << "14";
        QTest::newRow("empty") << ""
                               << "14";
        QTest::newRow("1") << "1"
                           << "1";
        QTest::newRow("999") << "999"
                             << "999";
        QTest::newRow("blanks around") << " 30"
                                       << "30";
    }
    void theLeadTimeIsOneTo999Days() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        TFormSetup& w = shown();
        // Put in whole, also past the three digits that may be typed.
        w.edStdDodLhuta->setText(typed);
        w.tlzapis2->click();
        QCOMPARE(dialogs_->messages(),
                 stored == QLatin1String("14") ? QStringList{texts::leadTimeRange()} : QStringList{});
        QCOMPARE(dm().tabSystem.state(), Table::State::Browse);
        QCOMPARE(::stored(*db_, QStringLiteral("Std_dod_lhuta")), stored);
    }

    void theOrderNumberIsSetInItsResetForm_data() {
        QTest::addColumn<QDateTime>("today");
        QTest::addColumn<QList<MsgButton>>("question");
        QTest::addColumn<QList<QString>>("input"); // empty: the input box is cancelled
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        const QString before = QStringLiteral("2026/02/00007/JN");
        const QStringList asked{texts::orderNumberQuestion()};
        const QList<MsgButton> yes{MsgButton::Yes};
        // The month gets its leading zero; the sequence is padded to five digits.
        QTest::newRow("12 in March") << kToday << yes << QList<QString>{"12"} << "2026/03/00012/---" << asked;
        QTest::newRow("12 in December") << QDateTime(QDate(2026, 12, 9), QTime(8, 0)) << yes
                                        << QList<QString>{"12"} << "2026/12/00012/---" << asked;
        QTest::newRow("00042 as it is")
            << kToday << yes << QList<QString>{"00042"} << "2026/03/00042/---" << asked;
        QTest::newRow("blanks around")
            << kToday << yes << QList<QString>{" 7 "} << "2026/03/00007/---" << asked;
        QTest::newRow("123456 has six digits") << kToday << yes << QList<QString>{"123456"} << before
                                               << (asked + QStringList{texts::orderNumberInvalid()});
        // A sign would be stored and break the next number.
        QTest::newRow("-1 is no sequence") << kToday << yes << QList<QString>{"-1"} << before
                                           << (asked + QStringList{texts::orderNumberInvalid()});
        QTest::newRow("letters") << kToday << yes << QList<QString>{"12a"} << before
                                 << (asked + QStringList{texts::orderNumberInvalid()});
        QTest::newRow("empty ends quietly") << kToday << yes << QList<QString>{"  "} << before << asked;
        QTest::newRow("input cancelled") << kToday << yes << QList<QString>{} << before << asked;
        QTest::newRow("No to the question")
            << kToday << QList<MsgButton>{MsgButton::No} << QList<QString>{"12"} << before << asked;
    }
    void theOrderNumberIsSetInItsResetForm() {
        QFETCH(QDateTime, today);
        QFETCH(QList<MsgButton>, question);
        QFETCH(QList<QString>, input);
        QFETCH(QString, stored);
        QFETCH(QStringList, messages);
        kv::clock::FixedClock clock(today);
        setStored(QStringLiteral("PosledniObj"), QStringLiteral("2026/02/00007/JN"));
        TFormSetup& w = shown();
        dialogs_->messageAnswers = {question.begin(), question.end()};
        if (!input.isEmpty())
            dialogs_->inputAnswers = {{true, input[0]}};
        w.tlResetCO->click();
        QCOMPARE(dialogs_->messages(), messages);
        QCOMPARE(dialogs_->calls[0].style, kv::ui::MsgStyle::Confirmation);
        QCOMPARE(dialogs_->calls[0].buttons, MsgButton::Yes | MsgButton::No);
        const bool inputAsked = question[0] != MsgButton::No;
        QCOMPARE(dialogs_->calls.size() > 1 && dialogs_->calls[1].kind == QLatin1String("input"), inputAsked);
        if (inputAsked)
            QCOMPARE(dialogs_->calls[1].text, texts::orderNumberPrompt());
        QCOMPARE(::stored(*db_, QStringLiteral("PosledniObj")), stored);
        // The page shows the stored number at once.
        QCOMPARE(w.DBText1->text(), stored);
    }

    // Setting the count below this month's orders warns first: the next numbers were issued already.
    void aCountBelowThisMonthsOrdersIsSetOnlyAfterAWarning_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QList<MsgButton>>("answers");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("warned");
        const QString before = QStringLiteral("2026/03/00009/JN");
        QTest::newRow("below, warning declined") << "5" << QList<MsgButton>{MsgButton::Yes, MsgButton::No} << before
                                                 << true;
        QTest::newRow("below, warning accepted")
            << "5" << QList<MsgButton>{MsgButton::Yes, MsgButton::Yes} << "2026/03/00005/---" << true;
        QTest::newRow("the highest itself") << "9" << QList<MsgButton>{MsgButton::Yes} << "2026/03/00009/---" << false;
        QTest::newRow("above") << "12" << QList<MsgButton>{MsgButton::Yes} << "2026/03/00012/---" << false;
    }
    void aCountBelowThisMonthsOrdersIsSetOnlyAfterAWarning() {
        QFETCH(QString, input);
        QFETCH(QList<MsgButton>, answers);
        QFETCH(QString, stored);
        QFETCH(bool, warned);
        kv::clock::FixedClock clock(kToday);
        kv::store::Table& orders = db_->dm().tabKalmorvaty;
        // Last month's higher numbers do not count.
        for (const char* n : {"2026/03/00009/JN", "2026/03/00004/AB", "2026/02/00011/JN"}) {
            orders.append();
            orders.fieldByName(QStringLiteral("Cislo")).setAsString(QLatin1String(n));
            orders.post();
        }
        setStored(QStringLiteral("PosledniObj"), QStringLiteral("2026/03/00009/JN"));
        TFormSetup& w = shown();
        dialogs_->messageAnswers = {answers.begin(), answers.end()};
        dialogs_->inputAnswers = {{true, input}};
        w.tlResetCO->click();
        QStringList expected{texts::orderNumberQuestion()};
        if (warned)
            expected << texts::orderNumberBelowIssued(9);
        QCOMPARE(dialogs_->messages(), expected);
        if (warned)
            QCOMPARE(dialogs_->calls.constLast().style, kv::ui::MsgStyle::Warning);
        QCOMPARE(::stored(*db_, QStringLiteral("PosledniObj")), stored);
    }

    void aRowLockedByAnotherStationIsNotWritten_data() { everySave_data(); }
    void aRowLockedByAnotherStationIsNotWritten() {
        QFETCH(QString, press);
        TFormSetup& w = shown();
        w.edFirma->setText(QStringLiteral("Horák a syn"));
        w.edStdDodLhuta->setText(QStringLiteral("20"));
        auto station = db_->otherStation();
        auto theirs = station->openTable(QStringLiteral("System"));
        theirs->edit();
        pressEverySave(w, press);
        const QString expected =
            press == QLatin1String("order number") ? texts::orderNumberLocked() : texts::settingsLocked();
        QCOMPARE(dialogs_->messages().last(), expected);
        QCOMPARE(dm().tabSystem.state(), Table::State::Browse);
        theirs->cancel();
        QCOMPARE(stored(*db_, QStringLiteral("Firma")), QStringLiteral("Strojírny Horák"));
        QCOMPARE(stored(*db_, QStringLiteral("Std_dod_lhuta")), QStringLiteral("14"));
        QCOMPARE(stored(*db_, QStringLiteral("PosledniObj")), QString());
    }

    void aRefusedPostIsCancelledAndTheTypingKept_data() { everySave_data(); }
    void aRefusedPostIsCancelledAndTheTypingKept() {
        QFETCH(QString, press);
        TFormSetup& w = shown();
        w.edFirma->setText(QStringLiteral("Horák a syn"));
        w.edDodObec->setText(QStringLiteral("Chrudim"));
        w.edStdDodLhuta->setText(QStringLiteral("20"));
        db_->refuse(QStringLiteral("System"), QStringLiteral("UPDATE"));
        pressEverySave(w, press);
        const QString expected = press == QLatin1String("order number") ? texts::orderNumberPostFailed()
                                                                        : texts::settingsPostFailed();
        QCOMPARE(dialogs_->messages().last(), expected);
        QCOMPARE(dm().tabSystem.state(), Table::State::Browse);
        QCOMPARE(w.edFirma->text(), QStringLiteral("Horák a syn"));
        QCOMPARE(w.edDodObec->text(), QStringLiteral("Chrudim"));
        QCOMPARE(w.edStdDodLhuta->text(), QStringLiteral("20"));
        db_->refuseNothing();
        dm().tabSystem.refresh();
        QCOMPARE(stored(*db_, QStringLiteral("Firma")), QStringLiteral("Strojírny Horák"));
        QCOMPARE(stored(*db_, QStringLiteral("Std_dod_lhuta")), QStringLiteral("14"));
    }

    void onlyAnotherStationsChangeOfThePagesFieldsIsAsked_data() {
        QTest::addColumn<QString>("theirField");
        QTest::addColumn<bool>("asked");
        QTest::newRow("the firm's name") << "Firma" << true;
        QTest::newRow("the delivery town, on another page") << "Dod_Obec" << false;
        // Every order issued anywhere changes the last number.
        QTest::newRow("the last order number") << "PosledniObj" << false;
    }
    void onlyAnotherStationsChangeOfThePagesFieldsIsAsked() {
        QFETCH(QString, theirField);
        QFETCH(bool, asked);
        TFormSetup& w = shown();
        db_->changeElsewhere(QStringLiteral("System"), theirField, QStringLiteral("2026/03/00099/XY"));
        w.edTelefon->setText(QStringLiteral("466 000 000"));
        dialogs_->messageAnswers = {MsgButton::No};
        w.tlZapisFirmu->click();
        QCOMPARE(dialogs_->messages(), asked ? QStringList{texts::changedElsewhere()} : QStringList{});
        // Taking their values shows them and writes nothing; otherwise the page is written and
        // their change of another field stays.
        QCOMPARE(stored(*db_, QStringLiteral("Telefon")), asked ? QString() : QStringLiteral("466 000 000"));
        QCOMPARE(stored(*db_, theirField), QStringLiteral("2026/03/00099/XY"));
        if (asked)
            QCOMPARE(w.edFirma->text(), QStringLiteral("2026/03/00099/XY"));
    }

    void logoFilesLoadByTheirKind_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format"); // written with this; empty: the GIF bytes or junk
        QTest::addColumn<bool>("loads");
        QTest::newRow("png") << "logo.png" << QByteArray("PNG") << true;
        QTest::newRow("jpg") << "logo.jpg" << QByteArray("JPEG") << true;
        QTest::newRow("jpeg") << "logo.JPEG" << QByteArray("JPEG") << true;
        QTest::newRow("bmp") << "logo.bmp" << QByteArray("BMP") << true;
        QTest::newRow("ico") << "logo.ico" << QByteArray("ICO") << true;
        // GIF is refused although the toolkit could read it; metafiles have no reader here.
        QTest::newRow("gif") << "logo.gif" << QByteArray() << false;
        QTest::newRow("emf") << "logo.emf" << QByteArray() << false;
        QTest::newRow("wmf") << "logo.wmf" << QByteArray() << false;
        QTest::newRow("a GIF named png") << "gif.png" << QByteArray() << false;
        QTest::newRow("a damaged bitmap") << "broken.bmp" << QByteArray() << false;
    }
    void logoFilesLoadByTheirKind() {
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QFETCH(bool, loads);
        QVERIFY(!QImage::fromData(kGif, "GIF").isNull());
        QTemporaryDir dir;
        const QString earlier = dir.filePath(QStringLiteral("earlier.png"));
        QVERIFY(square(Qt::blue).save(earlier, "PNG"));
        const QString path = dir.filePath(file);
        if (!format.isEmpty()) {
            QVERIFY(square(Qt::red).save(path, format.constData()));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file.contains(QLatin1String("gif")) ? kGif : QByteArray("BM not really a picture"));
        }
        TFormSetup& w = shown();
        dialogs_->fileAnswers = {earlier, path};
        w.tlNajdiObr->click();
        w.tlNajdiObr->click();
        QCOMPARE(dialogs_->messages(), loads ? QStringList{} : QStringList{texts::pictureLoadFailed()});
        // A picture that does not load leaves the one shown before.
        const QRgb centre = w.pickedLogo().pixel(20, 20);
        QVERIFY2(loads ? qRed(centre) > 200 && qBlue(centre) < 50 : qBlue(centre) > 200, qPrintable(file));
        QVERIFY(!w.ukLogo->pixmap().isNull());
    }

    // A logo of any size the readers take is kept at most kLogoSide on its longer side, in
    // proportion, stored as a bitmap, and printed within the order form's box of 100 pixels.
    void aLogoReachesThePrintedOrderFormWithinItsBox_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("kept");
        QTest::addColumn<QSize>("printed");
        QTest::newRow("small png: its own size") << "logo.png" << QSize(60, 30) << QSize(60, 30) << QSize(60, 30);
        // Larger than the toolkit decodes whole by default.
        QTest::newRow("8000 x 6000 png") << "big.png" << QSize(8000, 6000) << QSize(400, 300) << QSize(100, 75);
        QTest::newRow("6000 x 4000 jpeg") << "photo.jpg" << QSize(6000, 4000) << QSize(400, 266) << QSize(100, 66);
    }
    void aLogoReachesThePrintedOrderFormWithinItsBox() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QSize, kept);
        QFETCH(QSize, printed);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QImage logo(size, QImage::Format_RGB32);
        logo.fill(QColor(200, 30, 40));
        QVERIFY(logo.save(path, file.endsWith(QLatin1String(".png")) ? "PNG" : "JPEG"));
        logo = QImage();
        TFormSetup& w = shown();
        dialogs_->fileAnswers = {path};
        w.tlNajdiObr->click();
        w.tlUlozObr->click();
        QVERIFY(dialogs_->messages().isEmpty());
        // Stored as a bitmap in the field's form: the 8-byte header, then a BMP file.
        const QByteArray storedLogo = [&] {
            auto station = db_->otherStation();
            return station->openTable(QStringLiteral("System"))
                ->fieldByName(QStringLiteral("Logo"))
                .asBytes();
        }();
        QVERIFY(kv::store::unwrapBitmap(storedLogo).startsWith("BM"));
        QVERIFY2(storedLogo.size() < 4 * kv::codelists::kLogoSide * kv::codelists::kLogoSide, qPrintable(QString::number(storedLogo.size())));
        QCOMPARE(w.LogoFirmy->picture().size(), kept);

        dm().tabKalmorvaty.insertRecord({QStringLiteral("2026/03/00001/JN"), kToday, kToday.addDays(14),
                                         QStringLiteral("Převodem"), QStringLiteral("Vlastní odběr")});
        auto preview = kv::print::createPrintPreview();
        auto reports = kv::print::createReportContainer();
        QImage picture;
        QRect placed;
        dialogs_->onModal = [&](QDialog& d) {
            d.show();
            const kv::report::ReportPage& page =
                kv::print::FormNahledTisku->NahledReportu->generator()->page(1);
            for (const kv::report::PageOp& op : page.ops())
                if (op.kind == kv::report::PageOpKind::Image) {
                    picture = page.image(op.ref);
                    placed = op.rect();
                }
            d.hide();
            return int(QDialog::Rejected);
        };
        kv::print::showReport(kv::print::Sestavy->Objednavka, QStringLiteral("Objednávka"));
        QCOMPARE(picture.size(), kept);
        QCOMPARE(placed.size(), printed);
        const QColor centre = picture.pixelColor(kept.width() / 2, kept.height() / 2);
        QVERIFY2(centre.red() > 180 && centre.green() < 60 && centre.blue() < 60, qPrintable(centre.name()));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestSetupWindow t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_setupwindow.moc"
