// The data-aware controls on real tables of an embedded database: the labelled data edit's length
// from the field, typing into a memo starting an edit that a cursor move posts, the check box and
// the logo image writing and reading their fields, and the navigator's delete question, buttons
// and the names a screen reader reads for them.
#include "tests/support/accessiblenames.h"
#include "tests/support/testdatabase.h"

#include "controls/prodblabeledit.h"
#include "controls/tdbcheckbox.h"
#include "controls/tdbimage.h"
#include "controls/tdbmemo.h"
#include "controls/tdbnavigator.h"
#include "controls/tdbtext.h"
#include "data/schema.h"
#include "data/store/datasource.h"
#include "data/store/graphicblob.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"
#include "ui/scripteddialogs.h"

#include <QTest>
#include <QToolButton>

using namespace kv;
using kv::controls::TNavigateBtn;
using kv::store::Table;

Q_DECLARE_METATYPE(kv::ui::MsgButton)

class TestDataControls : public QObject {
    Q_OBJECT

    std::unique_ptr<test::EmbeddedFixture> fixture_;

    // A table as the data module opens it, on this test's own workstation unless another is named.
    std::unique_ptr<Table> table(const QString& name, test::TestStation* station = nullptr) {
        return (station ? station : fixture_->station.get())->openTable(name);
    }

    // The payment methods "Hotově" and "Převodem", standing on the first.
    std::unique_ptr<Table> twoPayments() {
        auto payments = table(QStringLiteral("Platba"));
        payments->insertRecord({QStringLiteral("Hotově")});
        payments->insertRecord({QStringLiteral("Převodem")});
        payments->first();
        return payments;
    }

    static void addOrder(Table& t, const QString& number, const QString& text, bool done) {
        t.append();
        t.fieldByName(QStringLiteral("Cislo")).setAsString(number);
        t.fieldByName(QStringLiteral("Text")).setAsString(text);
        t.fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(done);
        t.post();
    }

private Q_SLOTS:
    void init() { fixture_ = std::make_unique<test::EmbeddedFixture>(); }
    void cleanup() { fixture_.reset(); }

    void dataLabelEditTakesItsLengthFromAStringField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("setLength");
        QTest::addColumn<int>("length");
        // Dod_PSC is a string field of 6 characters.
        QTest::newRow("string field, nothing set: the field's size") << "Dod_PSC" << 0 << 6;
        QTest::newRow("a length set wins over the size") << "Dod_PSC" << 3 << 3;
        // A memo field has no size to take: the edit stays unlimited.
        QTest::newRow("memo field stays unlimited") << "Text" << 0 << 0;
    }
    void dataLabelEditTakesItsLengthFromAStringField() {
        QFETCH(QString, field);
        QFETCH(int, setLength);
        QFETCH(int, length);
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QStringLiteral("x"), false);
        store::DataSource source(orders.get());
        controls::TProDBLabelEdit edit;
        edit.setDataSource(&source);
        edit.setDataField(field);
        edit.setMaxLength(setLength);
        QCOMPARE(edit.maxLength(), length);
        QCOMPARE(edit.fillBar()->maximum(), length); // set at once, before any text change
        QCOMPARE(edit.editBox()->maxLength(), length > 0 ? length : 32767);
    }

    void dataLabelEditTypingEditsAndThePostWritesIt() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QString(), false);
        store::DataSource source(orders.get());
        controls::TProDBLabelEdit edit;
        edit.setDataSource(&source);
        edit.setDataField(QStringLiteral("Dod_PSC"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::keyClicks(edit.editBox(), QStringLiteral("110 009"));
        QCOMPARE(orders->state(), Table::State::Edit);
        QCOMPARE(edit.text(), QStringLiteral("110 00")); // cut at the field's 6 characters
        QCOMPARE(edit.fillBar()->barColor(), QColor(255, 0, 0));
        orders->post();
        QCOMPARE(table(QStringLiteral("Kalmorvaty"))->fieldByName(QStringLiteral("Dod_PSC")).asString(),
                 QStringLiteral("110 00"));
    }

    void dataLabelEditShowsAndWritesALongerStoredValueWhole() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QString(), false);
        orders->edit();
        orders->fieldByName(QStringLiteral("Dod_PSC")).setAsString(QStringLiteral("11000"));
        orders->post();
        store::DataSource source(orders.get());
        controls::TProDBLabelEdit edit;
        edit.setMaxLength(3); // fewer than the stored value has
        edit.setDataSource(&source);
        edit.setDataField(QStringLiteral("Dod_PSC"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QCOMPARE(edit.text(), QStringLiteral("11000"));
        QCOMPARE(edit.fillBar()->barColor(), QColor(255, 0, 0));
        // The user deletes one character; the rest goes back as it was and typing adds nothing.
        QTest::keyClick(edit.editBox(), Qt::Key_End);
        QTest::keyClick(edit.editBox(), Qt::Key_Backspace);
        QTest::keyClicks(edit.editBox(), QStringLiteral("9"));
        orders->post();
        QCOMPARE(table(QStringLiteral("Kalmorvaty"))->fieldByName(QStringLiteral("Dod_PSC")).asString(),
                 QStringLiteral("1100"));
    }

    void dataLabelEditWritesTextItChangedTheCaseOf() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QString(), false);
        store::DataSource source(orders.get());
        controls::TProDBLabelEdit edit;
        edit.setCharCase(controls::TEditCharCase::ecUpperCase);
        edit.setDataSource(&source);
        edit.setDataField(QStringLiteral("Dod_Obec"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::keyClicks(edit.editBox(), QStringLiteral("brno"));
        QCOMPARE(edit.text(), QStringLiteral("BRNO"));
        orders->post();
        QCOMPARE(table(QStringLiteral("Kalmorvaty"))->fieldByName(QStringLiteral("Dod_Obec")).asString(),
                 QStringLiteral("BRNO"));
    }

    void memoTypingStartsEditingAndMovingTheCursorPosts() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QStringLiteral("Řádek 1\r\nŘádek 2"), false);
        addOrder(*orders, QStringLiteral("2026/12/00002/ABC"), QStringLiteral("Druhá"), false);
        orders->first();
        store::DataSource source(orders.get());
        controls::TDBMemo memo;
        memo.setDataSource(&source);
        memo.setDataField(QStringLiteral("Text"));
        memo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&memo));
        QCOMPARE(memo.toPlainText(), QStringLiteral("Řádek 1\nŘádek 2"));
        QCOMPARE(orders->state(), Table::State::Browse);

        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, QStringLiteral(" plus"));
        QCOMPARE(orders->state(), Table::State::Edit);
        orders->next();
        QCOMPARE(orders->state(), Table::State::Browse);
        QCOMPARE(memo.toPlainText(), QStringLiteral("Druhá"));

        // Another cursor reads what the move wrote, line ends as stored.
        auto check = table(QStringLiteral("Kalmorvaty"));
        QCOMPARE(check->fieldByName(QStringLiteral("Text")).asString(),
                 QStringLiteral("Řádek 1\r\nŘádek 2 plus"));
        QCOMPARE(check->recordCount(), 2);
    }

    // Escape in a record being edited puts the stored text back: the typing goes only once the
    // clerk agrees.
    void memoEscapeDropsTheTypingOnlyAfterAsking_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("editing");
        QTest::newRow("No keeps the typing") << int(ui::MsgButton::No) << "Text plus" << true;
        QTest::newRow("Yes puts the stored text back") << int(ui::MsgButton::Yes) << "Text" << false;
    }
    void memoEscapeDropsTheTypingOnlyAfterAsking() {
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(bool, editing);
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QStringLiteral("Text"), false);
        store::DataSource source(orders.get());
        controls::TDBMemo memo;
        memo.setDataSource(&source);
        memo.setDataField(QStringLiteral("Text"));
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, QStringLiteral(" plus"));
        ui::ScriptedDialogs dialogs;
        dialogs.messageAnswers.push_back(ui::MsgButton(answer));
        QTest::keyClick(&memo, Qt::Key_Escape);
        QCOMPARE(dialogs.messages(), QStringList{controls::cancelTypingQuestion()});
        QCOMPARE(memo.toPlainText(), shown);
        QCOMPARE(orders->state(), editing ? Table::State::Edit : Table::State::Browse);
    }

    void readOnlyMemoNeverStartsEditing() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QStringLiteral("Text"), false);
        store::DataSource source(orders.get());
        controls::TDBMemo memo;
        memo.setReadOnlySetting(true);
        memo.setDataSource(&source);
        memo.setDataField(QStringLiteral("Text"));
        QTest::keyClicks(&memo, QStringLiteral("abc"));
        QCOMPARE(orders->state(), Table::State::Browse);
        QCOMPARE(memo.toPlainText(), QStringLiteral("Text"));
    }

    void checkBoxWritesAndShowsItsField() {
        auto orders = table(QStringLiteral("Kalmorvaty"));
        addOrder(*orders, QStringLiteral("2026/12/00001/ABC"), QString(), false);
        addOrder(*orders, QStringLiteral("2026/12/00002/ABC"), QString(), true);
        orders->first();
        store::DataSource source(orders.get());
        controls::TDBCheckBox box;
        box.setDataSource(&source);
        box.setDataField(QStringLiteral("Vyrizena"));
        QVERIFY(!box.isChecked());
        orders->next();
        QVERIFY(box.isChecked());
        orders->first();

        box.click();
        QCOMPARE(orders->state(), Table::State::Edit);
        QVERIFY(orders->fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        orders->post();
        QVERIFY(box.isChecked());
        QVERIFY(table(QStringLiteral("Kalmorvaty"))->fieldByName(QStringLiteral("Vyrizena")).asBoolean());

        box.setReadOnly(true);
        box.click();
        QCOMPARE(orders->state(), Table::State::Browse);
        QVERIFY(box.isChecked());
    }

    void imageStoresAndShowsTheLogo() {
        QImage logo(7, 5, QImage::Format_RGB32);
        logo.fill(QColor(10, 20, 30));
        logo.setPixelColor(0, 0, QColor(255, 0, 0));
        logo.setPixelColor(6, 4, QColor(0, 0, 255));

        auto settings = table(QStringLiteral("System"));
        store::DataSource source(settings.get());
        controls::TDBImage image;
        image.setDataSource(&source);
        image.setDataField(QStringLiteral("Logo"));
        QVERIFY(image.picture().isNull());

        settings->edit();
        image.setPicture(logo);
        QVERIFY(settings->fieldByName(QStringLiteral("Logo")).isNull()); // held until the post
        settings->post();

        auto check = table(QStringLiteral("System"));
        const QByteArray stored = check->fieldByName(QStringLiteral("Logo")).asBytes();
        QCOMPARE(stored.left(4), QByteArray("\x01\x00\x00\x01", 4)); // one bitmap, type 0x0100
        QCOMPARE(stored.mid(8, 2), QByteArray("BM"));

        // A second image on another cursor shows the stored picture at its natural size.
        store::DataSource checkSource(check.get());
        controls::TDBImage shown;
        shown.resize(20, 20);
        shown.setDataSource(&checkSource);
        shown.setDataField(QStringLiteral("Logo"));
        QCOMPARE(shown.picture().convertToFormat(QImage::Format_RGB32), logo);
        QImage canvas(20, 20, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        shown.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(canvas.pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(canvas.pixelColor(6, 4), QColor(0, 0, 255));
        QCOMPARE(canvas.pixelColor(10, 10), QColor(Qt::white));

        // An empty picture empties the field.
        settings->edit();
        image.setPicture(QImage());
        settings->post();
        QVERIFY(table(QStringLiteral("System"))->fieldByName(QStringLiteral("Logo")).isNull());
    }

    void imageKeepsItsPictureWhenAnotherStationHoldsTheRow() {
        test::TestStation other(fixture_->db);
        auto theirs = table(QStringLiteral("System"), &other);
        theirs->edit();
        auto settings = table(QStringLiteral("System"));
        store::DataSource source(settings.get());
        controls::TDBImage image;
        image.setDataSource(&source);
        image.setDataField(QStringLiteral("Logo"));
        QImage logo(4, 4, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY_THROWS_EXCEPTION(store::StoreError, image.setPicture(logo));
        QVERIFY(image.picture().isNull());
        QVERIFY(!image.modified());
        QCOMPARE(settings->state(), Table::State::Browse);
    }

    void storedValueNotABitmapShowsNoPicture() {
        QVERIFY(controls::pictureFromStored(QByteArray("GIF89a")).isNull());
        QVERIFY(controls::pictureFromStored(store::wrapBitmap("BMnot a bitmap")).isNull());
        QVERIFY(controls::storedPicture(QImage()).isEmpty());
    }

    void navigatorDeleteAsksFirst_data() {
        QTest::addColumn<ui::MsgButton>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("OK deletes the current record")
            << ui::MsgButton::Ok << QStringList{QStringLiteral("Převodem")};
        QTest::newRow("Cancel keeps it")
            << ui::MsgButton::Cancel << QStringList{QStringLiteral("Hotově"), QStringLiteral("Převodem")};
    }
    void navigatorDeleteAsksFirst() {
        QFETCH(ui::MsgButton, answer);
        QFETCH(QStringList, left);
        auto payments = twoPayments();
        store::DataSource source(payments.get());
        controls::TDBNavigator nav;
        nav.setDataSource(&source);
        ui::ScriptedDialogs dialogs;
        dialogs.messageAnswers.push_back(answer);

        nav.button(TNavigateBtn::nbDelete)->click();

        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].text, QStringLiteral("Vymazat záznam?"));
        QCOMPARE(dialogs.calls[0].style, ui::MsgStyle::Confirmation);
        QCOMPARE(dialogs.calls[0].buttons, ui::MsgButtons(ui::MsgButton::Ok | ui::MsgButton::Cancel));
        QStringList names;
        auto check = table(QStringLiteral("Platba"));
        for (check->first(); !check->eof(); check->next())
            names << check->fieldByName(QStringLiteral("Platba")).asString();
        QCOMPARE(names, left);
    }

    // A screen reader hears the caption with the value shown now, also after the cursor moves.
    void textTellsScreenReadersTheValueShown() {
        auto payments = twoPayments();
        store::DataSource source(payments.get());
        controls::TDBText text;
        text.setDataSource(&source);
        text.setDataField(QStringLiteral("Platba"));
        text.setCaption(QStringLiteral("Způsob platby"));
        QCOMPARE(text.accessibleName(), QStringLiteral("Způsob platby Hotově"));
        payments->next();
        QCOMPARE(text.accessibleName(), QStringLiteral("Způsob platby Převodem"));
    }

    void navigatorButtonsFollowTheCursor() {
        auto payments = twoPayments();
        store::DataSource source(payments.get());
        controls::TDBNavigator nav;
        nav.setDataSource(&source);
        controls::TDBText text;
        text.setDataSource(&source);
        text.setDataField(QStringLiteral("Platba"));
        auto enabled = [&](TNavigateBtn b) { return nav.button(b)->isEnabled(); };

        QCOMPARE(text.text(), QStringLiteral("Hotově"));
        QVERIFY(!enabled(TNavigateBtn::nbFirst) && !enabled(TNavigateBtn::nbPrior));
        QVERIFY(enabled(TNavigateBtn::nbNext) && !enabled(TNavigateBtn::nbPost));
        nav.button(TNavigateBtn::nbNext)->click();
        QCOMPARE(text.text(), QStringLiteral("Převodem"));
        // The cursor learns it is at the end only when it tries to go further.
        nav.button(TNavigateBtn::nbNext)->click();
        QVERIFY(!enabled(TNavigateBtn::nbNext) && !enabled(TNavigateBtn::nbLast));
        QVERIFY(enabled(TNavigateBtn::nbFirst));
        nav.button(TNavigateBtn::nbEdit)->click();
        QVERIFY(enabled(TNavigateBtn::nbPost) && enabled(TNavigateBtn::nbCancel) &&
                !enabled(TNavigateBtn::nbRefresh));
        nav.button(TNavigateBtn::nbCancel)->click();
        QCOMPARE(payments->state(), Table::State::Browse);

        payments->close();
        QVERIFY(!enabled(TNavigateBtn::nbFirst) && !enabled(TNavigateBtn::nbDelete));
    }

    void navigatorButtonsAreReadByTheHintsTheyShow() {
        auto payments = twoPayments();
        store::DataSource source(payments.get());
        QWidget window;
        auto* nav = new controls::TDBNavigator(&window);
        nav->setDataSource(&source);
        QCOMPARE(test::unnamedControls(window), QStringList());
        // A glyph such as "|◀" would be read as nothing useful: every button, shown or not, is
        // read by the Czech hint it shows.
        QStringList names;
        for (int i = 0; i < controls::kNavigateButtonCount; ++i) {
            const QToolButton* b = nav->button(TNavigateBtn(i));
            QCOMPARE(test::accessibleName(*b), b->toolTip());
            names << test::accessibleName(*b);
        }
        QCOMPARE(names, (QStringList{"První záznam", "Předchozí záznam", "Další záznam", "Poslední záznam",
                                     "Vložit záznam", "Vymazat záznam", "Upravit záznam", "Uložit změny",
                                     "Zrušit změny", "Obnovit data"}));
    }
};

QTEST_MAIN(TestDataControls)
#include "tst_datacontrols.moc"
