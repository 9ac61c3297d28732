// Pictures of the code-list and settings windows over sample data, every page of each, for review by
// eye; the title of each window is printed beside its file. Not a test.
// Run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/codelists_shots OUTPUT-FOLDER
#include "tools/render/sampledata.h"
#include "tools/render/sampledatabase.h"

#include "codelists/formdodavatele.h"
#include "codelists/formonecolumn.h"
#include "codelists/formsetup.h"
#include "codelists/formuzivatele.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

bool save(QDialog& w, const QString& file) {
    w.show();
    QTest::qWait(150);
    const bool ok = w.grab().save(file);
    std::printf("%s %s  \"%s\"\n", ok ? "wrote" : "FAILED", qPrintable(file), qPrintable(w.windowTitle()));
    return ok;
}

// Every page of `pages` in turn.
bool savePages(QDialog& w, QTabWidget* pages, const QString& out, const QString& name) {
    bool ok = true;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        ok &= save(w, QStringLiteral("%1/%2-%3.png").arg(out, name).arg(i + 1));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    kv::tools::SampleDatabase db;
    kv::tools::fillFirm(db.dm());
    kv::tools::fillUsers(db.dm());
    kv::tools::fillSuppliers(db.dm(), 12);
    db.dm().tabPlatba.insertRecord({QStringLiteral("Převodem na účet")});
    db.dm().tabDoprava.insertRecord({QStringLiteral("Vlastní odběr")});
    db.dm().tabObory.first();
    // A category with suppliers.
    while (db.dm().tabDodavatele.isEmpty() && !db.dm().tabObory.eof())
        db.dm().tabObory.next();

    bool ok = true;
    kv::codelists::TFormDodavatele suppliers(db.dm());
    ok &= savePages(suppliers, suppliers.ZalozkyDodavatelu, out, QStringLiteral("dodavatele"));
    kv::codelists::TFormUzivatele users(db.dm());
    ok &= savePages(users, users.ZalozkyUzivatelu, out, QStringLiteral("uzivatele"));
    kv::codelists::TFormPlatba payment(db.dm());
    ok &= save(payment, out + QStringLiteral("/platba.png"));
    kv::codelists::TFormDoprava transport(db.dm());
    ok &= save(transport, out + QStringLiteral("/doprava.png"));
    kv::codelists::TFormSetup settings(db.dm());
    ok &= savePages(settings, settings.TabNastaveni, out, QStringLiteral("nastaveni"));
    return ok ? 0 : 1;
}
