// Pictures of the orders windows for review by eye (not a test): the list on each of its pages with
// orders in every state, and the filter window beside it, as PNG files; with a real display also
// the whole screen. Run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/orders_shots OUT
#include "orderrows.h"
#include "ordersdatabase.h"

#include "orders/formfiltr.h"
#include "orders/formnovaobj.h"
#include "orders/formseznamobj.h"
#include "orders/orderswindows.h"

#include "base/clock.h"
#include "ui/appwindows.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace kv;

namespace {

bool save(const QPixmap& picture, const QString& file) {
    const bool ok = picture.save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

void addSamples(store::Table& orders) {
    const QDateTime now = clock::now();
    for (int i = 1; i <= 24; ++i) {
        const QString number = QStringLiteral("2026/12/%1/JNO").arg(i, 5, 10, QLatin1Char('0'));
        test::OrderRow r = i % 4 == 1   ? test::settledOrder(number, now.addDays(-i), false)
                           : i % 7 == 3 ? test::settledOrder(number, now.addDays(-i), true)
                                        : test::openOrder(number, now.date().addDays(i % 3 == 0 ? -2 : 5));
        r.datum = now.date().addDays(-i);
        r.text =
            QStringLiteral("1. Cement portlandský CEM I 42,5 R - 20 ks\r\n2. Písek praný 0-4 mm - 2 t\r\n"
                           "Dodání na stavbu Žižkova 12, Hradec Králové.");
        test::addOrder(orders, r);
    }
    orders.first();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    const clock::FixedClock fixed(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
    test::OrdersDatabase db(test::Engine::Sqlite);
    addSamples(db.dm().tabKalmorvaty);
    ui::AppWindows& windows = ui::appWindows();
    windows.add(QStringLiteral("TFormSeznamObj"), orders::createOrdersList());
    windows.add(QStringLiteral("TFormFiltr"), orders::createOrdersFilter());
    auto* list = windows.find<orders::TFormSeznamObj>(QStringLiteral("TFormSeznamObj"));
    auto* filter = windows.find<orders::TFormFiltr>(QStringLiteral("TFormFiltr"));

    bool ok = true;
    list->move(20, 20);
    list->show();
    list->tlFiltr->click();
    filter->chVeskere->click();
    ok &= QTest::qWaitForWindowExposed(filter);
    QTest::qWait(300);
    ok &= save(list->grab(), out + QLatin1String("/seznamobj-list.png"));
    ok &= save(filter->grab(), out + QLatin1String("/filtr.png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        ok &= save(QGuiApplication::primaryScreen()->grabWindow(0), out + QLatin1String("/screen.png"));
        QTest::qWait(2000); // time to read the windows' titles from the X server (xwininfo -root -tree)
    }
    db.dm().tabKalmorvaty.next();
    list->PageControl1->setCurrentWidget(list->tabParametry);
    QTest::qWait(100);
    ok &= save(list->grab(), out + QLatin1String("/seznamobj-detail.png"));
    list->PageControl1->setCurrentWidget(list->TabSheet2);
    QTest::qWait(100);
    ok &= save(list->grab(), out + QLatin1String("/seznamobj-text.png"));
    list->close();

    windows.add(QStringLiteral("TFormNovaObj"), orders::createNewOrder());
    auto* order = windows.find<orders::TFormNovaObj>(QStringLiteral("TFormNovaObj"));
    order->move(20, 20);
    order->show();
    const std::pair<controls::TProLabelEdit*, const char*> typed[] = {
        {order->edZpPlatby, "Převodním příkazem"},
        {order->edDoprava, "PPL"},
        {order->edObjednal, "Ing. Jaroslav Horák"},
        {order->edFunkce, "jednatel"},
        {order->edTelefon, "466 612 341"},
        {order->edEmail, "horak@shorak.cz"},
        {order->edInicialy, "JH"},
        {order->edDodavatel, "Stavebniny Čížek s.r.o."},
        {order->edKontakt, "Petr Čížek"},
        {order->edUliceCP, "Žižkova 12"},
        {order->edObec, "Hradec Králové"},
        {order->edPSC, "50002"}};
    for (const auto& [edit, text] : typed)
        edit->setText(QString::fromUtf8(text));
    order->edTextObj->setPlainText(
        QStringLiteral("1. Cement portlandský CEM I 42,5 R - 20 ks\n2. Písek praný 0-4 mm - 2 t"));
    QTest::qWait(300);
    ok &= save(order->grab(), out + QLatin1String("/novaobj-parametry.png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QTest::qWait(2000);
    order->PageControl1->setCurrentWidget(order->tabTextObj);
    QTest::qWait(100);
    ok &= save(order->grab(), out + QLatin1String("/novaobj-text.png"));
    order->close();
    windows.clear();
    return ok ? 0 : 1;
}
