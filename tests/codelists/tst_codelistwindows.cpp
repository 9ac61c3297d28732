// The code-list windows over a real database, driven headless through the scripted dialogs:
// trade categories and the suppliers filtered to them, the suppliers' add/edit page with its saves,
// locks and other stations' changes, deleting, printing the list, the payment and transport
// windows, the users window, the grid layout files and opening a window from another.
#include "windowdatabase.h"

#include "tests/support/accessiblenames.h"
#include "tests/support/quietoffscreen.h"

#include "codelists/codelisttexts.h"
#include "codelists/formdodavatele.h"
#include "codelists/formonecolumn.h"
#include "codelists/formuzivatele.h"

#include "controls/dbgrid.h"
#include "controls/prolabeledit.h"
#include "controls/tdbnavigator.h"
#include "controls/tdbtext.h"
#include "print/formnahledtisku.h"
#include "print/printwindows.h"
#include "report/view/reportpreview.h"
#include "ui/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

using kv::codelists::RecordEntry;
using kv::codelists::TFormDodavatele;
using kv::codelists::TFormDoprava;
using kv::codelists::TFormOneColumnList;
using kv::codelists::TFormPlatba;
using kv::codelists::TFormUzivatele;
using kv::controls::TNavigateBtn;
using kv::store::Table;
using kv::ui::MsgButton;
namespace texts = kv::codelists::texts;

namespace {

QString field(Table& t, const char* name) {
    return t.fieldByName(QLatin1String(name)).asString();
}

// The values of `name` over the whole view of `t`, in its order.
QStringList column(Table& t, const char* name) {
    const int i = t.definition().fieldIndex(QLatin1String(name));
    QStringList out;
    for (const kv::store::Record& r : t.rows(0, t.recordCount()))
        out << r.values[i].toString();
    return out;
}

// A supplier with its telephone; the other fields stay empty.
void addSupplier(kv::data::TDM& dm, const QString& category, const QString& name, const QString& phone = {}) {
    dm.tabDodavatele.insertRecord({name, category, {}, {}, {}, {}, phone});
}

// The controls of `page` that Tab reaches, in the order it reaches them from the first; a labelled
// edit's box goes by the labelled edit's name.
QStringList tabOrder(QWidget* page) {
    QStringList names;
    QWidget* first = page->nextInFocusChain();
    for (QWidget* w = first; w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const QWidget* named =
            qobject_cast<kv::controls::TProLabelEdit*>(w->parentWidget()) ? w->parentWidget() : w;
        names << named->objectName();
    }
    return names;
}

// The user changes the tab (the program's own changes do not run the tab change handler).
void userShowsPage(QTabWidget* pages, QWidget* page) {
    pages->setCurrentWidget(page);
}

} // namespace

class TestCodeListWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<kv::test::WindowDatabase> db_;
    std::unique_ptr<kv::ui::ScriptedDialogs> dialogs_;

    kv::data::TDM& dm() { return db_->dm(); }

    // Two trade categories: "Elektro" with Alfa and Beta, "Stavby" with Gama; Elektro is current.
    void fillCategories() {
        dm().tabObory.insertRecord({QStringLiteral("Elektro")});
        dm().tabObory.insertRecord({QStringLiteral("Stavby")});
        addSupplier(dm(), QStringLiteral("Elektro"), QStringLiteral("Alfa"), QStringLiteral("111"));
        addSupplier(dm(), QStringLiteral("Elektro"), QStringLiteral("Beta"), QStringLiteral("222"));
        addSupplier(dm(), QStringLiteral("Stavby"), QStringLiteral("Gama"), QStringLiteral("333"));
        dm().tabObory.first();
    }

    // The suppliers window showing Alfa on its add/edit page, as the user got there.
    std::unique_ptr<TFormDodavatele> suppliersOnAlfa() {
        fillCategories();
        auto w = std::make_unique<TFormDodavatele>(dm());
        w->show();
        userShowsPage(w->ZalozkyDodavatelu, w->tabNovyDodavatel);
        return w;
    }

    // A supplier as another station reads it now.
    QString storedSupplier(const QString& name, const char* fieldName) {
        auto station = db_->otherStation();
        auto t = station->openTable(QStringLiteral("Dodavatele"));
        return t->locate(QStringLiteral("Nazev"), name) ? field(*t, fieldName) : QStringLiteral("(none)");
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
    void cleanup() { dialogs_.reset(); }

    void windowsCarryTheirTitlesAndSizes() {
        TFormDodavatele suppliers(dm());
        TFormUzivatele users(dm());
        TFormPlatba payment(dm());
        TFormDoprava transport(dm());
        const QList<std::tuple<QDialog*, QString, QString, QSize>> expected{
            {&suppliers, "FormDodavatele", "Seznam dodavatelů....", {692, 416}},
            {&users, "FormUzivatele", "Seznam uživatelů...", {692, 386}},
            {&payment, "FormPlatba", "Způsoby platby...", {365, 416}},
            {&transport, "FormDoprava", "Typ dopravy....", {365, 416}}};
        for (const auto& [w, name, title, size] : expected) {
            QCOMPARE(w->objectName(), name);
            QCOMPARE(w->windowTitle(), title);
            QCOMPARE(w->size(), size);
            QVERIFY(w->windowFlags().testFlag(Qt::Tool));
            QCOMPARE(w->font().family(), QStringLiteral("Arial"));
            QCOMPARE(w->font().pixelSize(), 12);
        }
        QStringList tabs;
        for (QTabWidget* pages : {suppliers.ZalozkyDodavatelu, users.ZalozkyUzivatelu})
            for (int i = 0; i < pages->count(); ++i)
                tabs << pages->widget(i)->objectName() + QLatin1Char('=') + pages->tabText(i);
        QCOMPARE(tabs, (QStringList{"tabObory=    Obory působnosti    ",
                                    "tabSeznamDodavatelu=   Seznam dodavatelů   ",
                                    "tabNovyDodavatel=   Přidání / úprava dodavatele   ",
                                    "tabSeznamUzivatelu=   Seznam uživatelů   ",
                                    "tabNovyUzivatel=   Přidání / úprava uživatele   "}));
        // The categories tab and the users list are shown first.
        QCOMPARE(suppliers.ZalozkyDodavatelu->currentWidget(), suppliers.tabObory);
        QCOMPARE(users.ZalozkyUzivatelu->currentWidget(), users.tabSeznamUzivatelu);
        // Every control can be told by a screen reader, the navigators' buttons by their hints.
        for (QDialog* w : std::initializer_list<QDialog*>{&suppliers, &users, &payment, &transport}) {
            QCOMPARE(kv::test::unnamedControls(*w), QStringList());
            for (QWidget* c : w->findChildren<QWidget*>())
                if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) &&
                    c->isVisibleTo(w))
                    QVERIFY2(!kv::test::accessibleName(*c).isEmpty(),
                             qPrintable(w->objectName() + "." + c->objectName()));
        }
        QCOMPARE(kv::test::accessibleName(*users.NavDoprava->button(TNavigateBtn::nbRefresh)),
                 QStringLiteral("Obnovit data"));
    }

    void tabGoesThroughEachPageInItsLayoutOrder() {
        TFormDodavatele suppliers(dm());
        TFormUzivatele users(dm());
        TFormPlatba payment(dm());
        QCOMPARE(tabOrder(suppliers.tabObory), (QStringList{"GridObory", "edOborPus", "Button2", "Button3"}));
        QCOMPARE(tabOrder(suppliers.tabNovyDodavatel),
                 (QStringList{"edNazev", "edZastupce", "edUliceCP", "edObec", "edPSC", "edTelefon", "edFax",
                              "edGSM", "edEmail", "edWWW", "edIC", "edDIC", "edPoznamka", "tlNovyDodavatel",
                              "tlPridat", "Button1"}));
        QCOMPARE(tabOrder(users.tabNovyUzivatel),
                 (QStringList{"edInicialy", "edTitul", "edJmeno", "edPrijmeni", "edFunkce", "edEmail",
                              "edTelefon", "tlUlozZm", "tlNovyUz", "Button2"}));
        QCOMPARE(tabOrder(&payment), (QStringList{"GridDoprava", "edTypPlatby", "tlPridat", "tlZavrit"}));
    }

    // ---- trade categories ----

    void categoriesAreAddedOnce_data() {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QString>("current");
        const QString exists = texts::categoryExists();
        QTest::newRow("a new name is stored") << QStringList{"Zahradnictví"} << QStringList{}
                                              << QStringList{"Elektro", "Stavby", "Zahradnictví"} << "Zahradnictví";
        QTest::newRow("the same name again is refused")
            << QStringList{"Zahradnictví", "Zahradnictví"} << QStringList{exists}
            << QStringList{"Elektro", "Stavby", "Zahradnictví"} << "Zahradnictví";
        // Letter case and surrounding blanks make no other name: the one stored becomes current.
        QTest::newRow("case and blanks make no other name")
            << QStringList{"stavby", " STAVBY "} << QStringList{exists, exists} << QStringList{"Elektro", "Stavby"}
            << "Stavby";
        QTest::newRow("Czech letters in another case") << QStringList{"ELEKTRO", "Řezivo", "ŘEZIVO"}
                                                       << QStringList{exists, exists}
                                                       << QStringList{"Elektro", "Řezivo", "Stavby"} << "Řezivo";
        QTest::newRow("an empty or blank name never") << QStringList{"", "   "}
                                                      << QStringList{texts::entryBlank(), texts::entryBlank()}
                                                      << QStringList{"Elektro", "Stavby"} << "Elektro";
        QTest::newRow("an apostrophe in the name") << QStringList{"O'Neil a syn"} << QStringList{}
                                                   << QStringList{"Elektro", "O'Neil a syn", "Stavby"}
                                                   << "O'Neil a syn";
    }
    void categoriesAreAddedOnce() {
        QFETCH(QStringList, added);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, categories);
        QFETCH(QString, current);
        fillCategories();
        TFormDodavatele w(dm());
        for (const QString& name : added) {
            w.edOborPus->setText(name);
            w.Button2->click();
        }
        QCOMPARE(dialogs_->messages(), messages);
        QCOMPARE(column(dm().tabObory, "Obor"), categories);
        QCOMPARE(field(dm().tabObory, "Obor"), current);
        // The box keeps a name only when it was refused.
        QCOMPARE(w.edOborPus->text(), messages.isEmpty() ? QString() : added.last());
    }

    void aNewCategoryShowsItsOwnSuppliers() {
        fillCategories();
        TFormDodavatele w(dm());
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("2"));
        // A screen reader hears the count shown, and the category with its name.
        QCOMPARE(w.labPocFirem->accessibleName(), QStringLiteral("2"));
        w.edOborPus->setText(QStringLiteral("O'Neil a syn"));
        w.Button2->click();
        // The new category is current: the suppliers list, the bound name and the count follow it.
        QCOMPARE(w.DBText1->text(), QStringLiteral("O'Neil a syn"));
        QCOMPARE(dm().tabDodavatele.recordCount(), 0);
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("0"));
        QCOMPARE(w.labPocFirem->accessibleName(), QStringLiteral("0"));
        QCOMPARE(w.DBText1->accessibleName(), QStringLiteral("Vybraný obor O'Neil a syn"));
        w.show();
        userShowsPage(w.ZalozkyDodavatelu, w.tabNovyDodavatel);
        QCOMPARE(w.saveMode(), RecordEntry::Mode::New);
        w.edNazev->setText(QStringLiteral("Delta"));
        w.tlPridat->click();
        QCOMPARE(field(dm().tabDodavatele, "Obor"), QStringLiteral("O'Neil a syn"));
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), QStringList{"Delta"});
    }

    void theCountFollowsOnlyTheCategory() {
        fillCategories();
        TFormDodavatele w(dm());
        w.show();
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("2"));
        userShowsPage(w.ZalozkyDodavatelu, w.tabNovyDodavatel);
        w.tlNovyDodavatel->click();
        w.edNazev->setText(QStringLiteral("Delta"));
        w.tlPridat->click();
        // Adding a supplier is no move of the category: the count stays until the category changes.
        QCOMPARE(dm().tabDodavatele.recordCount(), 3);
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("2"));
        dm().tabObory.next();
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("1"));
        dm().tabObory.prior();
        QCOMPARE(w.labPocFirem->text(), QStringLiteral("3"));
    }

    void withoutCategoriesTheSuppliersWithoutOneAreListed() {
        addSupplier(dm(), {}, QStringLiteral("Bez oboru"));
        addSupplier(dm(), QStringLiteral("Zrušený obor"), QStringLiteral("Osiřelý"));
        dm().tabObory.first();
        TFormDodavatele w(dm());
        w.show();
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), QStringList{"Bez oboru"});
        userShowsPage(w.ZalozkyDodavatelu, w.tabNovyDodavatel);
        w.tlNovyDodavatel->click();
        w.edNazev->setText(QStringLiteral("Nový"));
        w.tlPridat->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), (QStringList{"Bez oboru", "Nový"}));
        QVERIFY(dm().tabDodavatele.fieldByName(QStringLiteral("Obor")).asString().isEmpty());
    }

    // A supplier without a name and a user without initials (part of every order number) are not
    // stored; the page keeps what was typed.
    void whatNamesARecordMayNotBeBlank() {
        fillCategories();
        TFormDodavatele suppliers(dm());
        suppliers.show();
        userShowsPage(suppliers.ZalozkyDodavatelu, suppliers.tabNovyDodavatel);
        suppliers.tlNovyDodavatel->click();
        suppliers.edNazev->setText(QStringLiteral("   "));
        suppliers.edTelefon->setText(QStringLiteral("777 000 111"));
        suppliers.tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{texts::supplierNameMissing()});
        QCOMPARE(dm().tabDodavatele.recordCount(), 2);
        QCOMPARE(suppliers.edTelefon->text(), QStringLiteral("777 000 111"));

        TFormUzivatele users(dm());
        users.show();
        userShowsPage(users.ZalozkyUzivatelu, users.tabNovyUzivatel);
        users.tlNovyUz->click();
        users.edPrijmeni->setText(QStringLiteral("Černý"));
        users.tlUlozZm->click();
        QCOMPARE(dialogs_->messages(), (QStringList{texts::supplierNameMissing(), texts::userInitialsMissing()}));
        QCOMPARE(dm().tabUzivatele.recordCount(), 0);
        QCOMPARE(users.edPrijmeni->text(), QStringLiteral("Černý"));
    }

    // ---- the suppliers' add/edit page ----

    void aNewSupplierIsStoredThenUpdatedBySecondPress() {
        auto w = suppliersOnAlfa();
        QCOMPARE(w->saveMode(), RecordEntry::Mode::Edit);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Alfa"));
        QCOMPARE(w->edTelefon->text(), QStringLiteral("111"));
        w->tlNovyDodavatel->click();
        QCOMPARE(w->saveMode(), RecordEntry::Mode::New);
        QCOMPARE(w->edNazev->text(), QString());
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabNovyDodavatel);

        w->edNazev->setText(QStringLiteral("Delta s.r.o."));
        w->edUliceCP->setText(QStringLiteral(" Dlouhá 5 "));
        w->edPSC->setText(QStringLiteral("11000"));
        w->edPoznamka->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
        w->tlPridat->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabSeznamDodavatelu);
        Table& t = dm().tabDodavatele;
        QCOMPARE(field(t, "Nazev"), QStringLiteral("Delta s.r.o."));
        QCOMPARE(field(t, "Obor"), QStringLiteral("Elektro"));
        QCOMPARE(field(t, "Ulice"), QStringLiteral(" Dlouhá 5 ")); // as typed
        // A note saved as new ends every line with CR LF, the last one too.
        QCOMPARE(field(t, "Poznamka"), QStringLiteral("řádek 1\r\nřádek 2\r\n"));
        QCOMPARE(w->saveMode(), RecordEntry::Mode::Edit);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Delta s.r.o."));

        // The second press writes the same supplier; a note saved in edit mode has no final break.
        w->edTelefon->setText(QStringLiteral("777"));
        w->edPoznamka->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
        w->tlPridat->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(column(t, "Nazev"), (QStringList{"Alfa", "Beta", "Delta s.r.o."}));
        QCOMPARE(field(t, "Telefon"), QStringLiteral("777"));
        QCOMPARE(field(t, "Poznamka"), QStringLiteral("řádek 1\r\nřádek 2"));
        QCOMPARE(field(t, "Obor"), QStringLiteral("Elektro"));
    }

    void theEntryPageFollowsTheUsersTabChanges() {
        auto w = suppliersOnAlfa();
        w->edNazev->setText(QStringLiteral("rozepsáno"));
        // Closing on the add/edit page keeps what was typed; showing again keeps the page.
        w->close();
        w->show();
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabNovyDodavatel);
        QCOMPARE(w->edNazev->text(), QStringLiteral("rozepsáno"));
        // Coming back to the page refills it; a category without suppliers starts a new one.
        userShowsPage(w->ZalozkyDodavatelu, w->tabObory);
        userShowsPage(w->ZalozkyDodavatelu, w->tabNovyDodavatel);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Alfa"));
        userShowsPage(w->ZalozkyDodavatelu, w->tabObory);
        w->edOborPus->setText(QStringLiteral("Prázdný"));
        w->Button2->click();
        userShowsPage(w->ZalozkyDodavatelu, w->tabNovyDodavatel);
        QCOMPARE(w->saveMode(), RecordEntry::Mode::New);
        QCOMPARE(w->edNazev->text(), QString());
        QCOMPARE(w->edTelefon->text(), QString());
    }

    // Typing not saved on an add/edit page goes only when the clerk agrees: leaving the page,
    // "Nový…" and Escape ask, and "Ne" keeps the page with what was typed.
    void typingIsDroppedOnlyWhenTheClerkAgrees_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed"); // the control typed into; empty: nothing
        QTest::addColumn<QString>("road");
        QTest::addColumn<bool>("agreed");
        QTest::newRow("suppliers: another page, yes") << "suppliers" << "edTelefon" << "page" << true;
        QTest::newRow("suppliers: another page, no") << "suppliers" << "edTelefon" << "page" << false;
        QTest::newRow("suppliers: the note typed, no") << "suppliers" << "edPoznamka" << "page" << false;
        QTest::newRow("suppliers: new, yes") << "suppliers" << "edTelefon" << "new" << true;
        QTest::newRow("suppliers: new, no") << "suppliers" << "edTelefon" << "new" << false;
        QTest::newRow("suppliers: Escape, no") << "suppliers" << "edTelefon" << "escape" << false;
        QTest::newRow("suppliers: nothing typed") << "suppliers" << "" << "page" << true;
        QTest::newRow("users: another page, no") << "users" << "edPrijmeni" << "page" << false;
        QTest::newRow("users: new, no") << "users" << "edPrijmeni" << "new" << false;
        QTest::newRow("users: Escape, yes") << "users" << "edPrijmeni" << "escape" << true;
    }
    void typingIsDroppedOnlyWhenTheClerkAgrees() {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, road);
        QFETCH(bool, agreed);
        fillCategories();
        std::unique_ptr<kv::codelists::CodeListWindow> w;
        QTabWidget* pages = nullptr;
        QWidget* entry = nullptr;
        QPushButton* newButton = nullptr;
        if (window == QLatin1String("suppliers")) {
            auto suppliers = std::make_unique<TFormDodavatele>(dm());
            pages = suppliers->ZalozkyDodavatelu;
            entry = suppliers->tabNovyDodavatel;
            newButton = suppliers->tlNovyDodavatel;
            w = std::move(suppliers);
        } else {
            auto users = std::make_unique<TFormUzivatele>(dm());
            pages = users->ZalozkyUzivatelu;
            entry = users->tabNovyUzivatel;
            newButton = users->tlNovyUz;
            w = std::move(users);
        }
        w->show();
        userShowsPage(pages, entry);
        QWidget* box = typed.isEmpty() ? nullptr : w->findChild<QWidget*>(typed);
        if (auto* edit = qobject_cast<kv::controls::TProLabelEdit*>(box))
            QTest::keyClicks(edit->editBox(), QStringLiteral("777"));
        else if (box)
            QTest::keyClicks(box, QStringLiteral("777"));
        const auto shown = [&] {
            auto* edit = qobject_cast<kv::controls::TProLabelEdit*>(box);
            return edit ? edit->text() : static_cast<QPlainTextEdit*>(box)->toPlainText();
        };
        const QString before = box ? shown() : QString();
        dialogs_->messageAnswers = {agreed ? MsgButton::Yes : MsgButton::No};
        if (road == QLatin1String("page"))
            userShowsPage(pages, pages->widget(0));
        else if (road == QLatin1String("new"))
            newButton->click();
        else
            QTest::keyClick(w.get(), Qt::Key_Escape);

        const QString question = road == QLatin1String("escape") ? texts::discardTypingQuestion()
                                                                   : texts::discardEntryQuestion();
        QCOMPARE(dialogs_->messages(), box ? QStringList{question} : QStringList());
        if (!agreed) {
            QVERIFY(w->isVisible());
            QCOMPARE(pages->currentWidget(), entry);
            QCOMPARE(shown(), before);
        } else if (road == QLatin1String("page")) {
            QCOMPARE(pages->currentWidget(), pages->widget(0));
        } else if (road == QLatin1String("new")) {
            QVERIFY(shown().isEmpty());
        } else {
            QVERIFY(!w->isVisible());
        }
    }

    void aPostcodeIsTypedWithItsBlank() {
        auto w = suppliersOnAlfa();
        dm().tabDodavatele.edit();
        dm().tabDodavatele.fieldByName(QStringLiteral("PSC")).setAsString(QStringLiteral("110 00"));
        dm().tabDodavatele.post();
        userShowsPage(w->ZalozkyDodavatelu, w->tabObory);
        userShowsPage(w->ZalozkyDodavatelu, w->tabNovyDodavatel);
        QCOMPARE(w->edPSC->text(), QStringLiteral("110 00"));
        w->edPSC->setText(QString());
        QTest::keyClicks(w->edPSC->editBox(), QStringLiteral("530 02"));
        w->edTelefon->setText(QStringLiteral("999"));
        w->tlPridat->click();
        QCOMPARE(storedSupplier(QStringLiteral("Alfa"), "PSC"), QStringLiteral("530 02"));
    }

    void aSupplierLockedByAnotherStationIsNotWritten() {
        auto w = suppliersOnAlfa();
        auto station = db_->otherStation();
        auto theirs = station->openTable(QStringLiteral("Dodavatele"));
        theirs->edit(); // Alfa, the first in storage order
        w->edNazev->setText(QStringLiteral("Alfa nová"));
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{texts::recordLocked()});
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabNovyDodavatel);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Alfa nová"));
        QCOMPARE(dm().tabDodavatele.state(), Table::State::Browse);
        theirs->cancel();
        QCOMPARE(storedSupplier(QStringLiteral("Alfa"), "Nazev"), QStringLiteral("Alfa"));
    }

    void anotherStationsChangeIsNotOverwrittenUnasked_data() {
        QTest::addColumn<MsgButton>("answer");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<QString>("storedPhone");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<QString>("shownPhone");
        // Overwriting writes every field of the page, the telephone shown before the change too.
        QTest::newRow("overwrite") << MsgButton::Yes << "Alfa nová"
                                   << "111"
                                   << "Alfa nová"
                                   << "111";
        QTest::newRow("take theirs") << MsgButton::No << "Alfa"
                                     << "999"
                                     << "Alfa"
                                     << "999";
    }
    void anotherStationsChangeIsNotOverwrittenUnasked() {
        QFETCH(MsgButton, answer);
        QFETCH(QString, storedName);
        QFETCH(QString, storedPhone);
        QFETCH(QString, shownName);
        QFETCH(QString, shownPhone);
        auto w = suppliersOnAlfa();
        db_->changeElsewhere(QStringLiteral("Dodavatele"), QStringLiteral("Telefon"), QStringLiteral("999"));
        w->edNazev->setText(QStringLiteral("Alfa nová"));
        dialogs_->messageAnswers = {answer};
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{texts::changedElsewhere()});
        QCOMPARE(dialogs_->calls[0].style, kv::ui::MsgStyle::Warning);
        QCOMPARE(dm().tabDodavatele.state(), Table::State::Browse);
        const QString name = storedName;
        QCOMPARE(storedSupplier(name, "Telefon"), storedPhone);
        QCOMPARE(w->edNazev->text(), shownName);
        QCOMPARE(w->edTelefon->text(), shownPhone);
        // Once the user has seen the other station's values, the next save asks nothing.
        dialogs_->calls.clear();
        w->edGSM->setText(QStringLiteral("606"));
        w->tlPridat->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(storedSupplier(name, "GSM"), QStringLiteral("606"));
    }

    void aSupplierDeletedOrLeftIsNotWritten_data() {
        QTest::addColumn<bool>("deletedElsewhere");
        QTest::addColumn<QString>("message");
        QTest::newRow("deleted by another station") << true << texts::deletedElsewhere();
        QTest::newRow("another supplier current") << false << texts::otherRecordCurrent();
    }
    void aSupplierDeletedOrLeftIsNotWritten() {
        QFETCH(bool, deletedElsewhere);
        QFETCH(QString, message);
        auto w = suppliersOnAlfa();
        if (deletedElsewhere) {
            auto station = db_->otherStation();
            station->openTable(QStringLiteral("Dodavatele"))->deleteRecord();
        } else {
            // The window was left on its add/edit page while the cursor moved on.
            w->close();
            dm().tabDodavatele.last();
            w->show();
        }
        w->edNazev->setText(QStringLiteral("Alfa nová"));
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{message});
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabNovyDodavatel);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Alfa nová"));
        auto station = db_->otherStation();
        auto all = station->openTable(QStringLiteral("Dodavatele"));
        QCOMPARE(column(*all, "Nazev"),
                 deletedElsewhere ? (QStringList{"Beta", "Gama"}) : (QStringList{"Alfa", "Beta", "Gama"}));
    }

    void aRefusedPostIsCancelledAndTheTypingKept() {
        auto w = suppliersOnAlfa();
        db_->refuse(QStringLiteral("Dodavatele"), QStringLiteral("UPDATE"));
        w->edNazev->setText(QStringLiteral("Alfa nová"));
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{texts::postFailed()});
        QCOMPARE(dm().tabDodavatele.state(), Table::State::Browse);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Alfa nová"));
        QCOMPARE(w->ZalozkyDodavatelu->currentWidget(), w->tabNovyDodavatel);
        // Nothing is left pending for a later move to write.
        db_->refuseNothing();
        dm().tabDodavatele.next();
        QCOMPARE(storedSupplier(QStringLiteral("Alfa"), "Nazev"), QStringLiteral("Alfa"));
        QCOMPARE(storedSupplier(QStringLiteral("Alfa nová"), "Nazev"), QStringLiteral("(none)"));
    }

    void aRefusedInsertStoresNothingAndStaysNew() {
        auto w = suppliersOnAlfa();
        db_->refuse(QStringLiteral("Dodavatele"), QStringLiteral("INSERT"));
        w->tlNovyDodavatel->click();
        w->edNazev->setText(QStringLiteral("Delta"));
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{texts::insertFailed()});
        QCOMPARE(w->saveMode(), RecordEntry::Mode::New);
        QCOMPARE(w->edNazev->text(), QStringLiteral("Delta"));
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), (QStringList{"Alfa", "Beta"}));
        QCOMPARE(dm().tabDodavatele.state(), Table::State::Browse);
    }

    // ---- deleting ----

    void deletingAsksFirst_data() {
        QTest::addColumn<bool>("navigator");
        QTest::addColumn<MsgButton>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("navigator, Cancel") << true << MsgButton::Cancel << QStringList{"Alfa", "Beta"};
        QTest::newRow("navigator, OK") << true << MsgButton::Ok << QStringList{"Beta"};
        QTest::newRow("Ctrl+Del, Cancel") << false << MsgButton::Cancel << QStringList{"Alfa", "Beta"};
        QTest::newRow("Ctrl+Del, OK") << false << MsgButton::Ok << QStringList{"Beta"};
    }
    void deletingAsksFirst() {
        QFETCH(bool, navigator);
        QFETCH(MsgButton, answer);
        QFETCH(QStringList, left);
        fillCategories();
        TFormDodavatele w(dm());
        w.show();
        userShowsPage(w.ZalozkyDodavatelu, w.tabSeznamDodavatelu);
        dialogs_->messageAnswers = {answer};
        if (navigator)
            w.NavDoprava->button(TNavigateBtn::nbDelete)->click();
        else
            QTest::keyClick(w.GridDodavatele, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(dialogs_->messages(), QStringList{QStringLiteral("Vymazat záznam?")});
        QCOMPARE(dialogs_->calls[0].style, kv::ui::MsgStyle::Confirmation);
        QCOMPARE(dialogs_->calls[0].buttons, MsgButton::Ok | MsgButton::Cancel);
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), left);
    }

    void theSupplierCountTakesTheCzechForm_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        // Czech counts one, two to four, and five on (none too) with three forms of the noun; a
        // written 22 takes the form of 5 as the program reads numbers out.
        QTest::newRow("1") << 1 << "1 dodavatel";
        QTest::newRow("2") << 2 << "2 dodavatelé";
        QTest::newRow("4") << 4 << "4 dodavatelé";
        QTest::newRow("5") << 5 << "5 dodavatelů";
        QTest::newRow("0") << 0 << "0 dodavatelů";
        QTest::newRow("11") << 11 << "11 dodavatelů";
        QTest::newRow("22") << 22 << "22 dodavatelů";
        QTest::newRow("101") << 101 << "101 dodavatelů";
    }
    void theSupplierCountTakesTheCzechForm() {
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(texts::supplierCount(count), text);
    }

    void aCategoryWithSuppliersIsNotDeleted_data() {
        QTest::addColumn<bool>("navigator");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("suppliersShown"); // the category the suppliers are filtered to
        QTest::addColumn<QString>("refusal");
        QTest::newRow("navigator, two suppliers") << true << "Elektro"
                                                  << "Elektro"
                                                  << "Obor nelze vymazat: patří k němu 2 dodavatelé.";
        QTest::newRow("Ctrl+Del, one supplier") << false << "Stavby"
                                                << "Stavby"
                                                << "Obor nelze vymazat: patří k němu 1 dodavatel.";
        // The count is the database's, not the suppliers the window happens to list.
        QTest::newRow("suppliers listed of another category")
            << true << "Elektro"
            << "Stavby"
            << "Obor nelze vymazat: patří k němu 2 dodavatelé.";
    }
    void aCategoryWithSuppliersIsNotDeleted() {
        QFETCH(bool, navigator);
        QFETCH(QString, category);
        QFETCH(QString, suppliersShown);
        QFETCH(QString, refusal);
        fillCategories();
        TFormDodavatele w(dm());
        w.show();
        QVERIFY(dm().tabObory.locate(QStringLiteral("Obor"), category));
        dm().tabDodavatele.setFilterView(QStringLiteral("Obor='%1'").arg(suppliersShown), true);
        if (navigator)
            w.DBNavigator1->button(TNavigateBtn::nbDelete)->click();
        else
            QTest::keyClick(w.GridObory, Qt::Key_Delete, Qt::ControlModifier);
        // Refused outright: no question first.
        QCOMPARE(dialogs_->messages(), QStringList{refusal});
        QCOMPARE(dialogs_->calls[0].style, kv::ui::MsgStyle::Error);
        QCOMPARE(column(dm().tabObory, "Obor"), (QStringList{"Elektro", "Stavby"}));
        QCOMPARE(field(dm().tabObory, "Obor"), category);
        dm().tabDodavatele.setFiltered(false);
        QCOMPARE(column(dm().tabDodavatele, "Nazev"), (QStringList{"Alfa", "Beta", "Gama"}));
    }

    void anEmptyCategoryIsDeletedAfterTheQuestion_data() {
        QTest::addColumn<bool>("navigator");
        QTest::newRow("navigator") << true;
        QTest::newRow("Ctrl+Del") << false;
    }
    void anEmptyCategoryIsDeletedAfterTheQuestion() {
        QFETCH(bool, navigator);
        fillCategories();
        dm().tabObory.insertRecord({QStringLiteral("Nábytek")});
        TFormDodavatele w(dm());
        w.show();
        QVERIFY(dm().tabObory.locate(QStringLiteral("Obor"), QStringLiteral("Nábytek")));
        dialogs_->messageAnswers = {MsgButton::Ok};
        if (navigator)
            w.DBNavigator1->button(TNavigateBtn::nbDelete)->click();
        else
            QTest::keyClick(w.GridObory, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(dialogs_->messages(), QStringList{QStringLiteral("Vymazat záznam?")});
        QCOMPARE(column(dm().tabObory, "Obor"), (QStringList{"Elektro", "Stavby"}));
        dm().tabDodavatele.setFiltered(false);
        QCOMPARE(dm().tabDodavatele.recordCount(), 3);
    }

    // ---- printing ----

    void theListIsPrintedThroughThePreview() {
        fillCategories();
        auto preview = kv::print::createPrintPreview();
        auto reports = kv::print::createReportContainer();
        TFormDodavatele w(dm());
        w.show();
        userShowsPage(w.ZalozkyDodavatelu, w.tabSeznamDodavatelu);
        int pages = 0;
        QString name;
        dialogs_->onModal = [&](QDialog& d) {
            d.show();
            pages = kv::print::FormNahledTisku->NahledReportu->pageCount();
            name = kv::print::FormNahledTisku->NahledReportu->reportName();
            d.hide();
            return int(QDialog::Rejected);
        };
        w.tlTisk->click();
        QCOMPARE(dialogs_->calls.size(), 1);
        QCOMPARE(dialogs_->calls[0].text, QStringLiteral("FormNahledTisku"));
        QCOMPARE(name, QStringLiteral("Seznam dodavatelů"));
        QCOMPARE(pages, 1);
    }

    // ---- payment methods and transport types ----

    void theAddButtonNeedsMoreThanBlanks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks") << "   " << false;
        QTest::newRow("control characters") << "\t \x01" << false;
        QTest::newRow("leading blanks") << "  Hotově" << true;
        QTest::newRow("trailing blanks") << "Hotově  " << true;
    }
    void theAddButtonNeedsMoreThanBlanks() {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        TFormPlatba payment(dm());
        TFormDoprava transport(dm());
        for (TFormOneColumnList* w : std::initializer_list<TFormOneColumnList*>{&payment, &transport}) {
            w->show();
            w->findChild<kv::controls::TProLabelEdit*>(w == &payment ? "edTypPlatby" : "edTypDopr")
                ->setText(text);
            QCOMPARE(w->tlPridat->isEnabled(), enabled);
        }
    }

    void entriesAreStoredAsTypedOnce_data() {
        QTest::addColumn<bool>("payment");
        QTest::newRow("payment methods") << true;
        QTest::newRow("transport types") << false;
    }
    void entriesAreStoredAsTypedOnce() {
        QFETCH(bool, payment);
        std::unique_ptr<TFormOneColumnList> w;
        kv::controls::TProLabelEdit* box;
        QString duplicate;
        if (payment) {
            auto p = std::make_unique<TFormPlatba>(dm());
            box = p->edTypPlatby;
            duplicate = QStringLiteral("Tento způsob platby je již v tabulce zadán!");
            w = std::move(p);
        } else {
            auto p = std::make_unique<TFormDoprava>(dm());
            box = p->edTypDopr;
            duplicate = QStringLiteral("Tento způsob dopravy je již v tabulce zadán!");
            w = std::move(p);
        }
        Table& t = w->table();
        t.insertRecord({QStringLiteral("Dobírkou")});
        w->show();
        // Stored as typed, leading blanks too.
        box->setText(QStringLiteral("  Hotově"));
        w->tlPridat->click();
        QCOMPARE(w->currentEntry(), QStringLiteral("  Hotově"));
        QCOMPARE(box->text(), QString());
        QVERIFY(!w->tlPridat->isEnabled());
        QVERIFY(dialogs_->messages().isEmpty());
        // The same entry but for blanks or letter case is the duplicate the message speaks of.
        box->setText(QStringLiteral("DOBÍRKOU "));
        w->tlPridat->click();
        QCOMPARE(dialogs_->messages(), QStringList{duplicate});
        // The existing entry is current, so closing the window now hands it on.
        QCOMPARE(w->currentEntry(), QStringLiteral("Dobírkou"));
        QCOMPARE(box->text(), QStringLiteral("DOBÍRKOU "));
        QCOMPARE(t.recordCount(), 2);
        // Showing again empties the box and reads what other stations added.
        db_->otherStation()->openTable(t.tableName())->insertRecord({QStringLiteral("Převodem")});
        w->close();
        w->show();
        QCOMPARE(box->text(), QString());
        QVERIFY(!w->tlPridat->isEnabled());
        QCOMPARE(t.recordCount(), 3);
    }

    // ---- users ----

    void usersAreListedBySurnameAfterAddAndRename() {
        Table& t = dm().tabUzivatele;
        t.insertRecord({{}, QStringLiteral("Novák"), QStringLiteral("Jan"), QStringLiteral("JN")});
        t.insertRecord({{}, QStringLiteral("Dvořák"), QStringLiteral("Petr"), QStringLiteral("PD")});
        TFormUzivatele w(dm());
        w.show();
        userShowsPage(w.ZalozkyUzivatelu, w.tabNovyUzivatel);
        QCOMPARE(w.saveMode(), RecordEntry::Mode::Edit);
        w.tlNovyUz->click();
        const QList<std::pair<kv::controls::TProLabelEdit*, QString>> typed{
            {w.edInicialy, "KČ"},        {w.edTitul, "Ing."},     {w.edJmeno, "Karel"},
            {w.edPrijmeni, "Černý"},     {w.edFunkce, "nákupčí"}, {w.edEmail, "cerny@firma.cz"},
            {w.edTelefon, "603 111 222"}};
        for (const auto& [edit, text] : typed)
            edit->setText(text);
        w.tlUlozZm->click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(w.ZalozkyUzivatelu->currentWidget(), w.tabSeznamUzivatelu);
        // Č sorts after C and before D.
        QCOMPARE(column(t, "Prijmeni"), (QStringList{"Černý", "Dvořák", "Novák"}));
        QCOMPARE(
            QStringList({field(t, "Inicialy"), field(t, "Titul"), field(t, "Jmeno"), field(t, "Prijmeni"),
                         field(t, "Funkce"), field(t, "Email"), field(t, "Telefon")}),
            (QStringList{"KČ", "Ing.", "Karel", "Černý", "nákupčí", "cerny@firma.cz", "603 111 222"}));
        QCOMPARE(w.saveMode(), RecordEntry::Mode::Edit);

        QVERIFY(t.locate(QStringLiteral("Prijmeni"), QStringLiteral("Novák")));
        userShowsPage(w.ZalozkyUzivatelu, w.tabNovyUzivatel);
        QCOMPARE(w.edPrijmeni->text(), QStringLiteral("Novák"));
        w.edPrijmeni->setText(QStringLiteral("Adámek"));
        w.tlUlozZm->click();
        QCOMPARE(column(t, "Prijmeni"), (QStringList{"Adámek", "Černý", "Dvořák"}));
        QCOMPARE(field(t, "Jmeno"), QStringLiteral("Jan"));
        QCOMPARE(t.recNo(), 0);
    }

    void anEmptyUsersTableStartsANewUser() {
        TFormUzivatele w(dm());
        w.show();
        w.edJmeno->setText(QStringLiteral("zbytek"));
        userShowsPage(w.ZalozkyUzivatelu, w.tabNovyUzivatel);
        QCOMPARE(w.saveMode(), RecordEntry::Mode::New);
        QCOMPARE(w.edJmeno->text(), QString());
    }

    // ---- grid layout files ----

    void gridLayoutsAreWrittenOnCloseAndReadAtTheNextStart_data() {
        QTest::addColumn<bool>("suppliers");
        QTest::newRow("Dodavatele.grd") << true;
        QTest::newRow("Uzivatele.grd") << false;
    }
    void gridLayoutsAreWrittenOnCloseAndReadAtTheNextStart() {
        QFETCH(bool, suppliers);
        // One start of the program: the window is made, shown, resized by the user, closed.
        const auto run = [&](int resizeTo) {
            std::unique_ptr<QDialog> w;
            kv::controls::DBGrid* grid;
            if (suppliers) {
                auto s = std::make_unique<TFormDodavatele>(dm());
                grid = s->GridDodavatele;
                w = std::move(s);
            } else {
                auto u = std::make_unique<TFormUzivatele>(dm());
                grid = u->GridUziv;
                w = std::move(u);
            }
            w->show();
            const int shown = grid->columnWidth(0);
            if (resizeTo > 0)
                grid->horizontalHeader()->resizeSection(0, resizeTo);
            w->close();
            return shown;
        };
        const QString path = suppliers ? TFormDodavatele::layoutPath() : TFormUzivatele::layoutPath();
        QVERIFY(!QFile::exists(path));
        const int defaultWidth = run(0);
        QVERIFY(QFile::exists(path));
        // The first file holds no widths; the next start reads it and keeps the user's width.
        QCOMPARE(run(222), defaultWidth);
        QCOMPARE(run(0), 222);
    }

    // ---- opening from another window ----

    void aWindowOpensAtItsOffsetAndHandsOnTheCurrentRecord() {
        TFormPlatba w(dm());
        w.table().insertRecord({QStringLiteral("Hotově")});
        w.table().insertRecord({QStringLiteral("Převodem")});
        QWidget opener;
        opener.move(100, 50);
        QPoint shownAt;
        dialogs_->onModal = [&](QDialog& d) {
            shownAt = d.pos();
            d.show();
            w.GridDoprava->selectRow(1);
            d.close();
            return int(QDialog::Rejected);
        };
        QCOMPARE(w.openFrom(opener, QPoint(290, 60)), int(QDialog::Rejected));
        QCOMPARE(shownAt, QPoint(390, 110));
        QCOMPARE(w.currentEntry(), QStringLiteral("Převodem"));
        // Near the screen's corner the window is kept on the screen.
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        opener.move(screen.width() - 100, screen.height() - 100);
        w.openFrom(opener, QPoint(290, 60));
        QCOMPARE(shownAt.x(), screen.width() - w.frameGeometry().width());
        QCOMPARE(shownAt.y(), screen.height() - w.frameGeometry().height() - 30);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestCodeListWindows t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_codelistwindows.moc"
