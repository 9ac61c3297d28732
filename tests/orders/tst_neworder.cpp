// The new order window: showing it, the pick buttons with their windows' places and the fields they
// copy, the six checks with their follow-ups, the line limit as the form prints, Escape, the
// supplier's telephone and e-mail from the supplier picked, the whole road from the main window's
// button to the preview and the stored record, the held number after a failed save, and closing.
// The code-list windows are the program's own, made as at start-up.
#include "ordersdatabase.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/mailclientstandin.h"
#include "tests/support/poppler.h"

#include "app/formobj.h"
#include "codelists/codelistwindows.h"
#include "orders/formnovaobj.h"
#include "orders/neworder.h"
#include "orders/orderswindows.h"
#include "orders/textlinelimit.h"
#include "print/formnahledtisku.h"
#include "print/ordertextbox.h"
#include "print/printwindows.h"
#include "print/sestavy.h"
#include "tools/render/sampledata.h"

#include "base/clock.h"
#include "data/ordernumber.h"
#include "ui/appwindows.h"
#include "ui/scripteddialogs.h"

#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace kv;
using namespace kv::orders;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));
const QString kCategory = QStringLiteral("Stavební materiál");

struct Supplier {
    QString nazev, telefon, gsm, fax;
};
const Supplier kSuppliers[] = {
    {QStringLiteral("Stavebniny Čížek s.r.o."), QStringLiteral(" 495 123 456 "),
     QStringLiteral("777 111 222"), QStringLiteral("495 123 457")},
    {QStringLiteral("Pila Dvořák"), QStringLiteral("  "), QString(), QStringLiteral("466 999 000")},
};

void addSupplier(data::TDM& dm, const Supplier& s) {
    store::Table& t = dm.tabDodavatele;
    t.append();
    const std::pair<const char*, QString> values[] = {{"Nazev", s.nazev},
                                                      {"Obor", kCategory},
                                                      {"Zastupce", QStringLiteral("Petr Čížek")},
                                                      {"Ulice", QStringLiteral("Žižkova 12")},
                                                      {"Obec", QStringLiteral("Hradec Králové")},
                                                      {"PSC", QStringLiteral("500 02")},
                                                      {"Telefon", s.telefon},
                                                      {"GSM", s.gsm},
                                                      {"Fax", s.fax},
                                                      {"Email", QStringLiteral("obchod@cizek.cz")}};
    for (const auto& [field, value] : values)
        t.fieldByName(QLatin1String(field)).setAsString(value);
    t.post();
}

} // namespace

class TestNewOrder : public QObject {
    Q_OBJECT
    std::unique_ptr<test::OrdersDatabase> db_;
    std::unique_ptr<clock::FixedClock> clock_;
    std::unique_ptr<ui::ScriptedDialogs> dialogs_;
    TFormNovaObj* window_ = nullptr;
    QTemporaryDir mailFolder_;
    // What a modal showing of each window does, by its instance name (the user moving its cursor).
    std::map<QString, std::function<void(QDialog&)>> onShown_;
    QStringList shown_; // "FormPlatba at 300,70" for every modal showing

    // The styles of the messages shown, in order.
    QList<ui::MsgStyle> messageStyles() const {
        QList<ui::MsgStyle> out;
        for (const ui::RecordedCall& c : dialogs_->calls)
            if (c.kind == QLatin1String("message"))
                out << c.style;
        return out;
    }

    data::TDM& dm() { return db_->dm(); }
    QString storedNumber() {
        auto station = db_->otherStation();
        return station->openTable(QStringLiteral("System"))
            ->fieldByName(QStringLiteral("PosledniObj"))
            .asString();
    }
    void setStoredNumber(const QString& number, int leadTime = 14) {
        dm().tabSystem.edit();
        dm().tabSystem.fieldByName(QStringLiteral("PosledniObj")).setAsString(number);
        dm().tabSystem.fieldByName(QStringLiteral("Std_dod_lhuta")).setAsInteger(leadTime);
        dm().tabSystem.post();
    }
    // Everything filled in as the clerk would, through the pick buttons.
    void fillIn() {
        onShown_[QStringLiteral("FormPlatba")] = [&](QDialog&) {
            dm().tabPlatba.locate(QStringLiteral("Platba"), QStringLiteral("Dobírkou"));
        };
        onShown_[QStringLiteral("FormDoprava")] = [&](QDialog&) {
            dm().tabDoprava.locate(QStringLiteral("Doprava"), QStringLiteral("PPL"));
        };
        onShown_[QStringLiteral("FormUzivatele")] = [&](QDialog&) {
            dm().tabUzivatele.locate(QStringLiteral("Inicialy"), QStringLiteral("JH"));
        };
        onShown_[QStringLiteral("FormDodavatele")] = [&](QDialog&) {
            dm().tabDodavatele.locate(QStringLiteral("Nazev"), kSuppliers[0].nazev);
        };
        for (QPushButton* b : {window_->tlVybZpPlatby, window_->tlVybDopravu, window_->tlVybObjednal,
                               window_->tlVybDodavatele})
            b->click();
        window_->edTextObj->setPlainText(
            QStringLiteral("1. Cement portlandský - 20 ks\n2. Písek praný - 2 t"));
    }
    // The stored order `number` as "field=value" lines, read by another station.
    QStringList storedOrder(const QString& number) {
        auto station = db_->otherStation();
        auto t = station->openTable(QStringLiteral("Kalmorvaty"));
        if (!t->locate(QStringLiteral("Cislo"), number))
            return {QStringLiteral("missing")};
        QStringList out;
        for (int i = 0; i < t->fieldCount(); ++i)
            out << t->field(i).name() + QLatin1Char('=') + t->field(i).asString();
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        clock_ = std::make_unique<clock::FixedClock>(kNow);
        db_ = std::make_unique<test::OrdersDatabase>(test::currentEngine());
        tools::fillFirm(dm(), false);
        tools::fillUsers(dm());
        tools::addCategory(dm(), kCategory);
        dm().tabObory.locate(QStringLiteral("Obor"), kCategory);
        for (const Supplier& s : kSuppliers)
            addSupplier(dm(), s);
    }
    void init() {
        db_->clearOrders();
        setStoredNumber(QStringLiteral("2026/12/00041/ZK"));
        dm().tabDodavatele.first();
        ui::AppWindows& w = ui::appWindows();
        w.add(QStringLiteral("TFormDoprava"), codelists::createFormDoprava());
        w.add(QStringLiteral("TFormPlatba"), codelists::createFormPlatba());
        w.add(QStringLiteral("TFormUzivatele"), codelists::createFormUzivatele());
        w.add(QStringLiteral("TFormDodavatele"), codelists::createFormDodavatele());
        w.add(QStringLiteral("TFormNovaObj"), createNewOrder());
        w.add(QStringLiteral("TFormNahledTisku"), print::createPrintPreview());
        w.add(QStringLiteral("TSestavy"), print::createReportContainer());
        window_ = w.find<TFormNovaObj>(QStringLiteral("TFormNovaObj"));
        dialogs_ = std::make_unique<ui::ScriptedDialogs>();
        shown_.clear();
        onShown_.clear();
        dialogs_->onModal = [this](QDialog& d) {
            shown_ << QStringLiteral("%1 at %2,%3").arg(d.objectName()).arg(d.x()).arg(d.y());
            d.show();
            if (auto it = onShown_.find(d.objectName()); it != onShown_.end())
                it->second(d);
            d.hide();
            return 0;
        };
        window_->move(10, 20);
        window_->show();
    }
    void cleanup() {
        dialogs_.reset();
        ui::appWindows().clear();
        window_ = nullptr;
    }
    void cleanupTestCase() {
        db_.reset();
        clock_.reset();
    }

    void everyControlHasANameAScreenReaderReads() {
        QCOMPARE(test::unnamedControls(*window_), QStringList());
    }

    void showingStartsEmptyWithTodayAndTheLeadTime_data() {
        QTest::addColumn<QVariant>("leadTime"); // invalid: the settings table is closed
        QTest::addColumn<QDate>("due");
        QTest::newRow("ten days") << QVariant(10) << QDate(2026, 12, 19);
        QTest::newRow("no lead time: today") << QVariant(QString()) << QDate(2026, 12, 9);
        QTest::newRow("settings unreadable: two weeks") << QVariant() << QDate(2026, 12, 23);
    }
    void showingStartsEmptyWithTodayAndTheLeadTime() {
        QFETCH(QVariant, leadTime);
        QFETCH(QDate, due);
        store::Table& settings = dm().tabSystem;
        window_->hide();
        window_->edObjednal->setText(QStringLiteral("left from last time"));
        window_->edTextObj->setPlainText(QStringLiteral("left from last time"));
        window_->PageControl1->setCurrentWidget(window_->tabTextObj);
        if (leadTime.isValid()) {
            settings.edit();
            settings.fieldByName(QStringLiteral("Std_dod_lhuta")).setAsString(leadTime.toString());
            settings.post();
        } else {
            settings.close();
        }
        window_->show();
        if (!settings.isOpen())
            settings.open();
        QCOMPARE(window_->edDatVytvoreni->date(), QDate(2026, 12, 9));
        QCOMPARE(window_->edDatVytvoreni->minimumDate(), QDate(2026, 12, 9));
        QCOMPARE(window_->edDodani->date(), due);
        QCOMPARE(window_->edDodani->minimumDate(), QDate(2026, 12, 9));
        QCOMPARE(window_->edObjednal->text(), QString());
        QCOMPARE(window_->edTextObj->toPlainText(), QString());
        QCOMPARE(window_->PageControl1->currentWidget(), window_->tabParametry);
        QCOMPARE(window_->labZbRadek->text(), QStringLiteral("26"));
    }

    void pickButtonsOpenTheirWindowsBesideAndCopyTheCurrentRecord_data() {
        QTest::addColumn<QPoint>("at"); // where the new order window stands
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");      // the record the user moves to
        QTest::addColumn<QStringList>("copied"); // edit=text
        // The offscreen screen is 800 x 800; the windows' sizes are their own.
        QTest::newRow("payment: +290,+60")
            << QPoint(10, 20) << "tlVybZpPlatby"
            << "FormPlatba at 300,80"
            << "Platba"
            << "Platba"
            << "Hotově při převzetí" << QStringList{"edZpPlatby=Hotově při převzetí"};
        QTest::newRow("transport: +290,+95") << QPoint(10, 20) << "tlVybDopravu"
                                             << "FormDoprava at 300,115"
                                             << "Doprava"
                                             << "Doprava"
                                             << "Vlastní odvoz" << QStringList{"edDoprava=Vlastní odvoz"};
        QTest::newRow("user with a title: +40,+150")
            << QPoint(10, 20) << "tlVybObjednal"
            << "FormUzivatele at 50,170"
            << "Uzivatele"
            << "Inicialy"
            << "JH"
            << QStringList{"edObjednal=Ing. Jaroslav Horák", "edFunkce=jednatel", "edTelefon=466 612 341",
                           "edEmail=horak@shorak.cz", "edInicialy=JH"};
        QTest::newRow("user without a title")
            << QPoint(10, 20) << "tlVybObjednal"
            << "FormUzivatele at 50,170"
            << "Uzivatele"
            << "Inicialy"
            << "ZK" << QStringList{"edObjednal=Zdeňka Kratochvílová", "edInicialy=ZK"};
        QTest::newRow("supplier: +40,+270")
            << QPoint(10, 20) << "tlVybDodavatele"
            << "FormDodavatele at 50,290"
            << "Dodavatele"
            << "Nazev"
            << "Stavebniny Čížek s.r.o." << QStringList{"edDodavatel=Stavebniny Čížek s.r.o."};
        // 692 x 416 from 240,570 would pass the right edge and the bottom: flush right, and ending
        // 30 pixels above the bottom. The supplier's postcode of 6 characters is copied whole: its
        // box limits typing to 5, not what the program puts in.
        QTest::newRow("supplier, kept on the screen")
            << QPoint(200, 300) << "tlVybDodavatele"
            << "FormDodavatele at 108,354"
            << "Dodavatele"
            << "Nazev"
            << "Pila Dvořák"
            << QStringList{"edDodavatel=Pila Dvořák", "edKontakt=Petr Čížek", "edUliceCP=Žižkova 12",
                           "edObec=Hradec Králové", "edPSC=500 02"};
    }
    void pickButtonsOpenTheirWindowsBesideAndCopyTheCurrentRecord() {
        QFETCH(QPoint, at);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, copied);
        window_->move(at);
        onShown_[shown.section(QLatin1Char(' '), 0, 0)] = [&](QDialog&) {
            const std::map<QString, store::Table*> tables{
                {QStringLiteral("Platba"), &dm().tabPlatba},
                {QStringLiteral("Doprava"), &dm().tabDoprava},
                {QStringLiteral("Uzivatele"), &dm().tabUzivatele},
                {QStringLiteral("Dodavatele"), &dm().tabDodavatele}};
            QVERIFY(tables.at(table)->locate(field, value));
        };
        window_->findChild<QPushButton*>(button)->click();
        QCOMPARE(shown_, QStringList{shown});
        for (const QString& c : copied)
            QCOMPARE(window_->findChild<controls::TProLabelEdit*>(c.section(QLatin1Char('='), 0, 0))->text(),
                     c.section(QLatin1Char('='), 1));
    }

    // A date picker takes a Tab for each of its day, month and year before passing it on.
    void tabWalksTheEntriesInOrderPastThePickButtons() {
        QApplication::setActiveWindow(window_);
        window_->edDatVytvoreni->setFocus();
        QStringList walked;
        for (int i = 0; i < 40 && walked.size() < 16; ++i) {
            QWidget* w = QApplication::focusWidget();
            QWidget* control =
                qobject_cast<QDateEdit*>(w->parentWidget()) || w->objectName() == QLatin1String("edit")
                    ? w->parentWidget()
                    : w;
            if (walked.isEmpty() || walked.last() != control->objectName())
                walked << control->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QCOMPARE(walked, (QStringList{"edDatVytvoreni", "edDodani", "edZpPlatby", "edDoprava", "edObjednal",
                                      "edFunkce", "edTelefon", "edEmail", "edInicialy", "edDodavatel",
                                      "edKontakt", "edUliceCP", "edObec", "edPSC", "tlHotovo", "tlZavrit"}));
    }

    void ordererNameJoinsTheThreeParts_data() {
        QTest::addColumn<QString>("titul");
        QTest::addColumn<QString>("jmeno");
        QTest::addColumn<QString>("name");
        QTest::newRow("all three") << "Ing."
                                   << "Jan"
                                   << "Ing. Jan Novák";
        QTest::newRow("no title: no leading blank") << ""
                                                    << "Jan"
                                                    << "Jan Novák";
        QTest::newRow("no first name: two blanks") << "Ing."
                                                   << ""
                                                   << "Ing.  Novák";
    }
    void ordererNameJoinsTheThreeParts() {
        QFETCH(QString, titul);
        QFETCH(QString, jmeno);
        QFETCH(QString, name);
        QCOMPARE(ordererName(titul, jmeno, QStringLiteral("Novák")), name);
    }

    void supplierTelephoneFallsBackToGsmThenFax_data() {
        QTest::addColumn<QStringList>("phones"); // Telefon, GSM, Fax
        QTest::addColumn<QString>("stored");
        QTest::newRow("telephone, trimmed") << QStringList{" 495 1 ", "777", "496"} << "495 1";
        QTest::newRow("blank telephone: GSM") << QStringList{"  ", "777 1", "496"} << "777 1";
        QTest::newRow("only a fax") << QStringList{"", "", " 496 2"} << "496 2";
        QTest::newRow("none") << QStringList{"", " ", ""} << "";
    }
    void supplierTelephoneFallsBackToGsmThenFax() {
        QFETCH(QStringList, phones);
        QFETCH(QString, stored);
        QCOMPARE(supplierPhone(phones[0], phones[1], phones[2]), stored);
    }

    void eachCheckShowsItsMessageAndItsFollowUp_data() {
        QTest::addColumn<QString>("emptied"); // the entry left empty (blanks only)
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("followUp"); // the window opened, or where the focus goes
        QTest::newRow("payment") << "edZpPlatby"
                                 << "Není vybrán, nebo zadán způsob platby!"
                                 << "FormPlatba";
        QTest::newRow("transport") << "edDoprava"
                                   << "Není zadán, nebo vybrán typ dopravy!"
                                   << "FormDoprava";
        QTest::newRow("orderer") << "edObjednal"
                                 << "Není vybrán, nebo zadán objednatel!"
                                 << "FormUzivatele";
        QTest::newRow("initials of blanks")
            << "edInicialy"
            << "Nejsou zadány iniciály objednatele nutné pro generaci čísla objednávky!"
            << "focus edInicialy";
        QTest::newRow("supplier") << "edDodavatel"
                                  << "Není vybrán, nebo zadán dodavatel!"
                                  << "FormDodavatele";
        QTest::newRow("text") << "edTextObj"
                              << "Text objednávky je prázdný!"
                              << "page tabTextObj";
    }
    void eachCheckShowsItsMessageAndItsFollowUp() {
        QFETCH(QString, emptied);
        QFETCH(QString, message);
        QFETCH(QString, followUp);
        fillIn();
        if (emptied == QLatin1String("edTextObj"))
            window_->edTextObj->setPlainText(QStringLiteral("  "));
        else
            window_->findChild<controls::TProLabelEdit*>(emptied)->setText(QStringLiteral("  "));
        window_->PageControl1->setCurrentWidget(window_->tabParametry);
        onShown_.clear(); // the follow-up's window is only looked at
        shown_.clear();
        dialogs_->calls.clear();
        window_->tlHotovo->click();
        QCOMPARE(dialogs_->messages(), QStringList{message});
        QCOMPARE(messageStyles(), QList<ui::MsgStyle>{ui::MsgStyle::Error});
        if (followUp.startsWith(QLatin1String("focus")))
            QCOMPARE(window_->focusWidget(), window_->edInicialy->editBox());
        else if (followUp.startsWith(QLatin1String("page")))
            QCOMPARE(window_->PageControl1->currentWidget(), window_->tabTextObj);
        else
            QCOMPARE(shown_.size() == 1 ? shown_[0].section(QLatin1Char(' '), 0, 0)
                                        : shown_.join(QLatin1Char(';')),
                     followUp);
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00041/ZK"));
    }

    void refusedEditsGoBackToTheTextBefore_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("beforeLines");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("afterLines");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("from"); // -1: the edit is kept
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("back");
        const QString smile = QString::fromUtf16(u"\U0001F600");
        QTest::newRow("within the limit") << "a\nb" << 2 << "a\nb\n" << 2 << 4 << -1 << 0 << "";
        QTest::newRow("up to the limit") << "a\nb" << 2 << "a\nb\nc" << 3 << 5 << -1 << 0 << "";
        QTest::newRow("a line past it at the end") << "a\nb\nc" << 3 << "a\nb\nc\nd" << 4 << 7 << 5 << 2 << "";
        QTest::newRow("a line break in the middle") << "ab\ncd\nef" << 3 << "a\nb\ncd\nef" << 4 << 2 << 1 << 1 << "";
        QTest::newRow("a line break after a line break") << "a\nb\nc" << 3 << "a\n\nb\nc" << 4 << 3 << 2 << 1
                                                         << "";
        QTest::newRow("a paste over a selection") << "ab\ncd\nef" << 3 << "ab\nx\ny\nz\nef" << 5 << 8 << 3 << 5
                                                  << "cd";
        QTest::newRow("repeated letters: where the cursor is") << "aa\nb" << 2 << "aaa\nb" << 4 << 3 << 2 << 1
                                                               << "";
        QTest::newRow("a longer stored text may shrink") << "a\nb\nc\nd" << 4 << "a\nb\nc" << 3 << 5 << -1 << 0
                                                         << "";
        QTest::newRow("or change within its lines") << "a\nb\nc\nd" << 4 << "a\nbx\nc\nd" << 4 << 4 << -1 << 0
                                                    << "";
        QTest::newRow("but not grow") << "a\nb\nc\nd" << 4 << "a\nb\nc\nd\n" << 5 << 8 << 7 << 1 << "";
        QTest::newRow("a pair of surrogates stays whole at the start")
            << smile << 1 << QString::fromUtf16(u"\U0001F601x") << 4 << 3 << 0 << 3 << smile;
        QTest::newRow("and at the end") << smile << 1 << QString::fromUtf16(u"x\U00010600") << 4 << 0 << 0 << 3
                                        << smile;
    }
    void refusedEditsGoBackToTheTextBefore() {
        QFETCH(QString, before);
        QFETCH(int, beforeLines);
        QFETCH(QString, after);
        QFETCH(int, afterLines);
        QFETCH(int, cursor);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, back);
        const std::optional<TextSplice> splice = refusedEdit(before, beforeLines, after, afterLines, cursor, 3);
        if (from < 0) {
            QVERIFY(!splice);
            return;
        }
        QVERIFY(splice);
        QCOMPARE(*splice, (TextSplice{from, length, back}));
        QCOMPARE(QString(after).replace(from, length, back), before);
    }

    // At the limit a key that would open one more line is refused alone: the text stays as it was,
    // the keys after it land where the cursor is, and nothing is cut from the text's end.
    void keysPastTheLimitAreRefusedOneByOne() {
        window_->show();
        QStringList lines;
        for (int i = 1; i <= kMaxTextLines; ++i)
            lines << QStringLiteral("řádek %1").arg(i);
        window_->edTextObj->insertPlainText(lines.join(QLatin1Char('\n')));
        QCOMPARE(window_->labZbRadek->text(), QStringLiteral("0"));
        QTest::keyClick(window_->edTextObj, Qt::Key_Return);
        QTest::keyClicks(window_->edTextObj, QStringLiteral(" konec"));
        lines.last() += QStringLiteral(" konec");
        QCOMPARE(window_->edTextObj->toPlainText(), lines.join(QLatin1Char('\n')));

        QTextCursor third = window_->edTextObj->textCursor();
        third.setPosition(int(lines.mid(0, 3).join(QLatin1Char('\n')).size()));
        window_->edTextObj->setTextCursor(third);
        QTest::keyClick(window_->edTextObj, Qt::Key_Return);
        QTest::keyClicks(window_->edTextObj, QStringLiteral("x"));
        lines[2] += QLatin1Char('x');
        QCOMPARE(window_->edTextObj->toPlainText(), lines.join(QLatin1Char('\n')));
        QCOMPARE(dialogs_->messages(), QStringList());

        QTest::keyClick(window_->edTextObj, Qt::Key_Backspace);
        QTest::keyClick(window_->edTextObj, Qt::Key_Backspace);
        QTest::keyClick(window_->edTextObj, Qt::Key_Return);
        QCOMPARE(window_->labZbRadek->text(), QStringLiteral("0"));
        QCOMPARE(window_->edTextObj->toPlainText().count(QLatin1Char('\n')), kMaxTextLines - 1);
    }

    // A paragraph wider than the order form's text box prints on several lines, and the box holds
    // 26: what the window keeps is printed whole, and a paste that would not be is refused with a word.
    void longLinesCountAsTheFormPrintsThem() {
        const report::Report* form = print::Sestavy->Objednavka;
        QVERIFY(print::orderTextBoxLines(*form) >= kMaxTextLines);
        const QString longLine =
            QStringLiteral("Kabel CYKY-J 3x2,5 mm², buben 100 m, dodat s atestem a prohlášením o shodě, "
                           "na stavbu Žižkova 12 v Hradci Králové, kontakt stavbyvedoucí pan Čížek");
        QVERIFY(print::orderTextLines(form, longLine) > 1);
        QString fits;
        for (int i = 1;; ++i) {
            const QString longer = fits + (i > 1 ? QStringLiteral("\n") : QString()) + QString::number(i) +
                                   QLatin1String(". ") + longLine;
            if (print::orderTextLines(form, longer) > kMaxTextLines)
                break;
            fits = longer;
        }
        window_->edTextObj->insertPlainText(fits);
        QCOMPARE(window_->edTextObj->toPlainText(), fits);
        QCOMPARE(window_->labZbRadek->text(), QString::number(kMaxTextLines - print::orderTextLines(form, fits)));
        window_->edTextObj->insertPlainText(QLatin1Char('\n') + longLine);
        QCOMPARE(window_->edTextObj->toPlainText(), fits);
        QCOMPARE(dialogs_->messages(), QStringList{textTooLongMessage(kMaxTextLines)});
        QCOMPARE(messageStyles(), QList<ui::MsgStyle>{ui::MsgStyle::Error});
        window_->edTextObj->clear();
        QCOMPARE(window_->labZbRadek->text(), QString::number(kMaxTextLines));
    }

    // From the main window's button to the preview and the stored record.
    void theWholeRoadStoresTheOrderAndShowsItsForm() {
        window_->hide();
        app::TFormObj main(ui::appWindows());
        QString preview;
        onShown_[QStringLiteral("FormNovaObj")] = [&](QDialog&) {
            fillIn();
            // Typed by hand over the picked supplier: the picked firm's telephone and e-mail are not its.
            window_->edDodavatel->setText(QStringLiteral("Dřevo Liberec"));
            window_->edInicialy->setText(QStringLiteral(" JH"));
            window_->tlHotovo1->click();
        };
        onShown_[QStringLiteral("FormNahledTisku")] = [&](QDialog& d) {
            auto& p = static_cast<print::TFormNahledTisku&>(d);
            preview = QStringLiteral("%1, %2 page, order %3")
                          .arg(p.NahledReportu->reportName())
                          .arg(p.NahledReportu->pageCount())
                          .arg(dm().tabKalmorvaty.fieldByName(QStringLiteral("Cislo")).asString());
        };
        main.tlNova->click();
        QCOMPARE(dialogs_->messages(), QStringList{confirmQuestion()});
        QCOMPARE(messageStyles(), QList<ui::MsgStyle>{ui::MsgStyle::Warning});
        QCOMPARE(preview, QStringLiteral("Objednávka, 1 page, order 2026/12/00042/ JH"));
        QVERIFY(!window_->isVisible());
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00042/ JH"));
        QCOMPARE(storedOrder(QStringLiteral("2026/12/00042/ JH")),
                 (QStringList{"Cislo=2026/12/00042/ JH",
                              "Datum=9.12.2026",
                              "Termin_dod=23.12.2026",
                              "Zpusob_platby=Dobírkou",
                              "Doprava=PPL",
                              "Objednal=Ing. Jaroslav Horák",
                              "Funkce=jednatel",
                              "Telefon=466 612 341",
                              "Email=horak@shorak.cz",
                              "Dod_firma=Dřevo Liberec",
                              "Dod_osoba=Petr Čížek",
                              "Dod_ulice=Žižkova 12",
                              "Dod_Obec=Hradec Králové",
                              "Dod_PSC=500 02",
                              "Dod_Telefon=",
                              "Dod_email=",
                              "Vyrizena=False",
                              "Stornovana=False",
                              "Text=1. Cement portlandský - 20 ks\r\n2. Písek praný - 2 t",
                              "Vyrizena_dne="}));
    }

    // The order just finished goes to its supplier as a PDF: the mail button and the send button.
    void aFinishedOrderIsMailedToItsSupplierAsPdfInTwoClicks() {
        window_->hide();
        app::TFormObj main(ui::appWindows());
        test::MailClientStandIn mailClient;
        QString attachment;
        onShown_[QStringLiteral("FormNovaObj")] = [&](QDialog&) {
            fillIn();
            window_->edInicialy->setText(QStringLiteral("JH"));
            window_->tlHotovo1->click();
        };
        onShown_[QStringLiteral("FormNahledTisku")] = [&](QDialog& d) {
            auto& p = static_cast<print::TFormNahledTisku&>(d);
            p.MailFolder = mailFolder_.path();
            p.SBMailuj->click();
            p.SBPosliZpravu->click();
        };
        main.tlNova->click();
        QTRY_VERIFY(QFile::exists(mailClient.record()));
        const QStringList args = mailClient.arguments();
        QCOMPARE(args.mid(0, 3), (QStringList{"--utf8", "--subject", "Objednávka 2026/12/00042/JH"}));
        QCOMPARE(args.value(3), QStringLiteral("--attach"));
        QCOMPARE(args.value(5), QStringLiteral("obchod@cizek.cz"));
        const QString pdf = args.value(4);
        QCOMPARE(QFileInfo(pdf).fileName(), QStringLiteral("Objednavka 2026-12-00042-JH.pdf"));
        const QString info = test::poppler(QStringLiteral("pdfinfo"), pdf);
        QCOMPARE(test::pdfInfoField(info, QStringLiteral("Pages")), QStringLiteral("1"));
        QCOMPARE(test::pdfInfoField(info, QStringLiteral("Author")), QStringLiteral("STROJÍRNY HORÁK s.r.o."));
        QVERIFY(test::poppler(QStringLiteral("pdftotext"), pdf).contains(QStringLiteral("2026/12/00042/JH")));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00042/JH"));
    }

    // The supplier's telephone and e-mail go with the supplier picked for this order, and only
    // while its boxes hold what the pick put there; the suppliers table's cursor may be anywhere.
    void theSuppliersContactComesWithThePickedSupplier_data() {
        QTest::addColumn<int>("picked");
        QTest::addColumn<QString>("typedBox"); // a box typed over after the pick, or none
        QTest::addColumn<int>("cursorAfter");  // where the suppliers' cursor stands at saving
        QTest::addColumn<QString>("telephone");
        QTest::addColumn<QString>("email");
        QTest::newRow("picked, cursor moved to another supplier since")
            << 0 << QString() << 1 << "495 123 456" << "obchod@cizek.cz";
        QTest::newRow("a supplier with only a fax gives the fax")
            << 1 << QString() << 0 << "466 999 000" << "obchod@cizek.cz";
        QTest::newRow("firm typed over the pick") << 0 << "edDodavatel" << 0 << "" << "";
        QTest::newRow("town typed over the pick") << 0 << "edObec" << 0 << "" << "";
        QTest::newRow("typed by hand, nothing picked") << -1 << "edDodavatel" << 0 << "" << "";
    }
    void theSuppliersContactComesWithThePickedSupplier() {
        QFETCH(int, picked);
        QFETCH(QString, typedBox);
        QFETCH(int, cursorAfter);
        QFETCH(QString, telephone);
        QFETCH(QString, email);
        if (picked < 0) {
            const std::pair<controls::TProLabelEdit*, const char*> typed[] = {
                {window_->edZpPlatby, "Hotově"}, {window_->edDoprava, "Vlastní"},
                {window_->edObjednal, "Jan Horák"}, {window_->edInicialy, "JH"}};
            for (const auto& [edit, text] : typed)
                edit->setText(QString::fromUtf8(text));
            window_->edTextObj->setPlainText(QStringLiteral("1. Cihly"));
        } else {
            fillIn();
            onShown_[QStringLiteral("FormDodavatele")] = [&](QDialog&) {
                dm().tabDodavatele.locate(QStringLiteral("Nazev"), kSuppliers[picked].nazev);
            };
            window_->tlVybDodavatele->click();
        }
        if (!typedBox.isEmpty())
            window_->findChild<controls::TProLabelEdit*>(typedBox)->setText(QStringLiteral("Ručně psaný"));
        dm().tabDodavatele.locate(QStringLiteral("Nazev"), kSuppliers[cursorAfter].nazev);
        window_->tlHotovo->click();
        const QStringList order = storedOrder(QStringLiteral("2026/12/00042/JH"));
        QCOMPARE(order.value(14), QStringLiteral("Dod_Telefon=") + telephone);
        QCOMPARE(order.value(15), QStringLiteral("Dod_email=") + email);
    }

    // What a code list holds fits the order whole: title and names of 10 + 20 + 20, a telephone of
    // 15; the boxes take as much when typed.
    void valuesCopiedFromTheCodeListsAreStoredWhole() {
        store::Table& users = dm().tabUzivatele;
        users.append();
        const std::pair<const char*, const char*> user[] = {
            {"Titul", "prof. Ing."}, {"Jmeno", "Maria Magdalena Anna"}, {"Prijmeni", "Horáková-Procházková"},
            {"Inicialy", "MHP"},     {"Telefon", "+420 466 612 34"}};
        for (const auto& [field, value] : user)
            users.fieldByName(QLatin1String(field)).setAsString(QString::fromUtf8(value));
        users.post();
        fillIn();
        onShown_[QStringLiteral("FormUzivatele")] = [&](QDialog&) {
            users.locate(QStringLiteral("Inicialy"), QStringLiteral("MHP"));
        };
        window_->tlVybObjednal->click();
        QCOMPARE(window_->edObjednal->maxLength(), 52);
        QCOMPARE(window_->edTelefon->maxLength(), 15);
        QCOMPARE(window_->edPSC->maxLength(), 6);
        window_->tlHotovo->click();
        users.locate(QStringLiteral("Inicialy"), QStringLiteral("MHP"));
        users.deleteRecord();
        const QStringList order = storedOrder(QStringLiteral("2026/12/00042/MHP"));
        QCOMPARE(order.value(5), QStringLiteral("Objednal=prof. Ing. Maria Magdalena Anna Horáková-Procházková"));
        QCOMPARE(order.value(7), QStringLiteral("Telefon=+420 466 612 34"));
        QCOMPARE(order.value(13), QStringLiteral("Dod_PSC=500 02"));
    }

    void answeringNoToTheQuestionChangesNothing() {
        fillIn();
        dialogs_->messageAnswers.push_back(ui::MsgButton::No);
        window_->tlHotovo->click();
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00041/ZK"));
        QCOMPARE(window_->heldNumber(), QString());
        QVERIFY(window_->isVisible());
        QCOMPARE(dm().tabKalmorvaty.recordCount(), 0);
    }

    // The orders table is gone for the first save; the second stores under the number held.
    void aFailedSaveKeepsItsNumberForTheNextTry() {
        fillIn();
        auto& admin = db_->database().admin();
        // The number can be checked against the orders stored, but the order cannot be written.
        admin.execute(QStringLiteral("ALTER TABLE \"Kalmorvaty\" RENAME COLUMN \"Text\" TO \"Odlozeno\""), {});
        window_->tlHotovo->click();
        admin.execute(QStringLiteral("ALTER TABLE \"Kalmorvaty\" RENAME COLUMN \"Odlozeno\" TO \"Text\""), {});
        QCOMPARE(dialogs_->messages(), (QStringList{confirmQuestion(), orderNotSavedMessage()}));
        QCOMPARE(messageStyles(), (QList<ui::MsgStyle>{ui::MsgStyle::Warning, ui::MsgStyle::Error}));
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->heldNumber(), QStringLiteral("2026/12/00042/JH"));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00042/JH"));
        QCOMPARE(dm().tabKalmorvaty.state(), store::Table::State::Browse);

        window_->tlHotovo->click();
        QVERIFY(!window_->isVisible());
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00042/JH"));
        QCOMPARE(storedOrder(QStringLiteral("2026/12/00042/JH")).value(0),
                 QStringLiteral("Cislo=2026/12/00042/JH"));
    }

    void noNumberStoresNothing() {
        setStoredNumber(QStringLiteral("2026/12/0004x/ZK"));
        fillIn();
        window_->tlHotovo->click();
        QCOMPARE(dialogs_->messages(),
                 (QStringList{confirmQuestion(), data::orderNumberErrorMessage(), noNumberMessage()}));
        QVERIFY(window_->isVisible());
        QCOMPARE(dm().tabKalmorvaty.recordCount(), 0);
    }

    // Escape closes a dialog; an order begun is not dropped by it without the "Zavřít" question.
    void escapeAsksBeforeDroppingAnOrderBegun_data() {
        QTest::addColumn<QString>("typedInto"); // an edit's name, "text" for the order text, or none
        QTest::addColumn<QString>("escapeIn");  // the control holding the focus when Escape comes
        QTest::addColumn<int>("answer");        // to the question, if asked
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("open");
        QTest::newRow("nothing typed: closes without a question")
            << QString() << "edZpPlatby" << int(ui::MsgButton::Yes) << false << false;
        QTest::newRow("a box typed, No: stays with the typing")
            << "edObjednal" << "edObjednal" << int(ui::MsgButton::No) << true << true;
        QTest::newRow("the text typed, Escape inside it, No: stays")
            << "text" << "edTextObj" << int(ui::MsgButton::No) << true << true;
        QTest::newRow("the text typed, Yes: closes")
            << "text" << "edTextObj" << int(ui::MsgButton::Yes) << true << false;
    }
    void escapeAsksBeforeDroppingAnOrderBegun() {
        QFETCH(QString, typedInto);
        QFETCH(QString, escapeIn);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, open);
        if (typedInto == QLatin1String("text")) {
            window_->PageControl1->setCurrentWidget(window_->tabTextObj);
            QTest::keyClicks(window_->edTextObj, QStringLiteral("Cihly"));
        } else if (!typedInto.isEmpty()) {
            window_->findChild<controls::TProLabelEdit*>(typedInto)->setText(QStringLiteral("Jan Horák"));
        }
        dialogs_->messageAnswers.push_back(ui::MsgButton(answer));
        QTest::keyClick(window_->findChild<QWidget*>(escapeIn), Qt::Key_Escape);
        QCOMPARE(dialogs_->messages(), asked ? QStringList{closeQuestion()} : QStringList());
        QCOMPARE(window_->isVisible(), open);
        if (open) // the typing kept
            QVERIFY(window_->edObjednal->text() + window_->edTextObj->toPlainText() != QString());
    }

    void closingAsksOnlyThroughItsButtons() {
        dialogs_->messageAnswers.push_back(ui::MsgButton::No);
        window_->tlZavrit->click();
        QCOMPARE(dialogs_->messages(), QStringList{closeQuestion()});
        QCOMPARE(messageStyles(), QList<ui::MsgStyle>{ui::MsgStyle::Warning});
        QVERIFY(window_->isVisible());
        window_->tlZavri1->click();
        QVERIFY(!window_->isVisible());
        window_->show();
        dialogs_->calls.clear();
        window_->close();
        QVERIFY(!window_->isVisible());
        QCOMPARE(dialogs_->calls.size(), 0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestNewOrder t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_neworder.moc"
