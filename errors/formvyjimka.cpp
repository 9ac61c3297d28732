// The exception window's controls, its queue and its buttons.
#include "formvyjimka.h"

#include "errorreport.h"
#include "osinfo.h"

#include "ui/appwindows.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

namespace kv::errors {

using ui::arial;

namespace {

// Colour value 9540095 of the old platform, blue in the high byte.
const QColor kPanelColour(255, 145, 145);

// A warning triangle with an exclamation mark.
QPixmap warningPicture() {
    QPixmap pm(50, 50);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(25, 3);
    tri.lineTo(48, 46);
    tri.lineTo(2, 46);
    tri.closeSubpath();
    p.setPen(QPen(QColor(120, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 215, 0));
    p.drawPath(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 0, 0));
    p.drawRoundedRect(QRectF(22.5, 16, 5, 18), 2, 2);
    p.drawEllipse(QRectF(22, 37, 6, 6));
    return pm;
}

// A stop sign: a red octagon with a white cross.
QPixmap stopPicture() {
    QPixmap pm(50, 50);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF octagon;
    for (QPointF pt : {QPointF(16, 2), QPointF(34, 2), QPointF(48, 16), QPointF(48, 34), QPointF(34, 48),
                       QPointF(16, 48), QPointF(2, 34), QPointF(2, 16)})
        octagon << pt;
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(200, 0, 0));
    p.drawPolygon(octagon);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17), QPointF(33, 33));
    p.drawLine(QPointF(33, 17), QPointF(17, 33));
    return pm;
}

} // namespace

TFormVyjimka::TFormVyjimka(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , SProbe(new TSystemProbe(this)) {
    setObjectName(QStringLiteral("FormVyjimka"));
    setWindowTitle(QStringLiteral("KRITICKÁ CHYBA APLIKACE"));
    setFixedSize(590, 467);
    setFont(arial(12));
    VerInf.setObjectName(QStringLiteral("VerInf"));
    SProbe->setObjectName(QStringLiteral("SProbe"));
    SProbe->setRefreshInterval(5000);
    SProbe->setAutoRefresh(false);
    SProbe->SmartRefresh = false;

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(3);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, kPanelColour);
    Panel1->setPalette(pal);

    auto label = [&](const char* name, const QString& text, const QRect& g, const QFont& f,
                     Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, Panel1);
        if (name)
            l->setObjectName(QLatin1String(name));
        l->setGeometry(g);
        l->setFont(f);
        l->setAlignment(a);
        return l;
    };
    auto value = [&](const char* name, const QString& caption, const QRect& g, const QString& placeholder) {
        auto* l = label(name, placeholder, g, arial(12, true));
        l->setAccessibleName(caption);
        return l;
    };
    const QString unknown = QStringLiteral("??????");
    const QString unknownStamp = QStringLiteral("??:??:?? ??.??.????");

    Image1 = label("Image1", {}, QRect(12, 10, 50, 50), font());
    Image1->setPixmap(warningPicture());
    Image1->setAccessibleName(QStringLiteral("Varování"));
    Image2 = label("Image2", {}, QRect(528, 10, 50, 50), font());
    Image2->setPixmap(stopPicture());
    Image2->setAccessibleName(QStringLiteral("Chyba"));
    auto* title = label("LabTitulek", QStringLiteral("KRITICKÁ CHYBA APLIKACE"), QRect(64, 10, 462, 50),
                        arial(27, true), Qt::AlignCenter);
    QPalette red = title->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    title->setPalette(red);

    label(nullptr, QStringLiteral("Start programu:"), QRect(12, 66, 92, 18), font());
    LabStartPrg =
        value("LabStartPrg", QStringLiteral("Start programu:"), QRect(104, 66, 124, 18), unknownStamp);
    label(nullptr, QStringLiteral("Vznik chyby:"), QRect(236, 66, 74, 18), font());
    LabCas = value("LabCas", QStringLiteral("Vznik chyby:"), QRect(310, 66, 124, 18), unknownStamp);
    label(nullptr, QStringLiteral("Doba běhu:"), QRect(442, 66, 66, 18), font());
    LabDobaBehu = value("LabDobaBehu", QStringLiteral("Doba běhu:"), QRect(512, 66, 68, 18),
                        QStringLiteral("??:??:??"));

    label(nullptr, QStringLiteral("popis chyby:"), QRect(12, 88, 200, 16), arial(12, false, true));
    LabPopis = value("LabPopis", QStringLiteral("popis chyby:"), QRect(12, 104, 566, 32), unknown);
    LabPopis->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabPopis->setWordWrap(true);

    label(nullptr, QStringLiteral("detaily o chybě:"), QRect(12, 140, 200, 16), arial(12, false, true));
    struct Row {
        QLabel** target;
        const char* name;
        const char* caption;
    };
    auto rows = [&](std::initializer_list<Row> list, int y) {
        for (const Row& r : list) {
            const QString caption = QString::fromUtf8(r.caption);
            label(nullptr, caption, QRect(24, y, 112, 17), font());
            *r.target = value(r.name, caption, QRect(136, y, 442, 17), unknown);
            y += 18;
        }
    };
    rows({{&LabJednotka, "LabJednotka", "Jednotka:"},
          {&LabProcedura, "LabProcedura", "Procedura:"},
          {&LabRadek, "LabRadek", "Řádek:"},
          {&LabTridyVzniku, "LabTridyVzniku", "Třída chyby:"},
          {&LabTridyKomp, "LabTridyKomp", "Třídy komponent:"},
          {&LabNazvyKomp, "LabNazvyKomp", "Názvy komponent:"}},
         158);

    label(nullptr, QStringLiteral("Počet chyb ve frontě: "), QRect(12, 270, 130, 18), font());
    LabPocErrVeFr =
        value("LabPocErrVeFr", QStringLiteral("Počet chyb ve frontě: "), QRect(142, 270, 60, 18), unknown);
    Potlacit = new QCheckBox(QStringLiteral("více nezobrazovat"), Panel1);
    Potlacit->setObjectName(QStringLiteral("Potlacit"));
    Potlacit->setAccessibleName(Potlacit->text());
    Potlacit->setGeometry(440, 270, 138, 18);

    label(nullptr, QStringLiteral("o systému:"), QRect(12, 292, 200, 16), arial(12, false, true));
    rows({{&LabOS, "LabOS", "Systém:"},
          {&LabCPU, "LabCPU", "Procesor:"},
          {&LabVGA, "LabVGA", "Monitor:"},
          {&LabFyzPamet, "LabFyzPamet", "Fyzická paměť:"},
          {&LabVirtPamet, "LabVirtPamet", "Virtuání paměť:"},
          {&LabVyuzPam, "LabVyuzPam", "Využití paměťi:"}},
         310);

    auto button = [&](const char* name, const QString& caption, int x) {
        auto* b = new QPushButton(caption, Panel1);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(caption);
        b->setGeometry(x, 430, 135, 25);
        b->setAutoDefault(true); // Enter presses the focused button, as in the program's dialogs
        return b;
    };
    tlPokracuj = button("tlPokracuj", QStringLiteral("Pokračovat"), 12);
    Button1 = button("Button1", QStringLiteral("Vyprázdni frontu poruch"), 157);
    Button2 = button("Button2", QStringLiteral("Vytvořit report"), 302);
    Button3 = button("Button3", QStringLiteral("Ukončit aplikaci"), 447);
    setTabOrder(tlPokracuj, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Potlacit);
    connect(tlPokracuj, &QPushButton::clicked, this, &TFormVyjimka::TlPokracujClick);
    connect(Button1, &QPushButton::clicked, this, &TFormVyjimka::TlVyprazdniFronruClick);
    connect(Button2, &QPushButton::clicked, this, &TFormVyjimka::TlReportClick);
    connect(Button3, &QPushButton::clicked, this, &TFormVyjimka::TKonecAPPClick);

    errorReporter().setWindow(this);
}

TFormVyjimka::~TFormVyjimka() {
    if (errorReporter().window() == this)
        errorReporter().setWindow(nullptr);
}

void TFormVyjimka::AppException(const std::exception_ptr& error) {
    errorReporter().handle(error);
}

void TFormVyjimka::FormCreate() {
    VersionTexts v;
    try {
        VerInf.Load(about::ownExecutable());
        v = {VerInf.ProductName, VerInf.LegalCopyright, VerInf.FileVersion, VerInf.ProductVersion};
    } catch (...) {
        // Without version texts the log's version lines stay empty.
    }
    errorReporter().setVersions(v);
    errorReporter().setOsFacts(detectSystem(errorReporter().facts().roots()));
}

void TFormVyjimka::setSystemTexts(const ErrorTexts& t) {
    LabOS->setText(t.os);
    LabCPU->setText(t.cpu);
    LabVGA->setText(t.display);
}

QList<QStringList*> TFormVyjimka::queueLists() {
    return {&ListPopis,  &ListJednotka,        &ListProcedura,   &ListRadek,     &ListDatum,
            &ListCas,    &ListVznikKomponenty, &ListVznikuTridy, &ListNazvyKomp, &ListDobaBehu,
            &ListFyzRam, &ListVirtRam,         &ListVyuzRam};
}

void TFormVyjimka::setQueueCount() {
    LabPocErrVeFr->setText(QString::number(ListPopis.size()));
}

void TFormVyjimka::showError(const ErrorTexts& t) {
    if (Potlacit->isChecked())
        return;
    if (isVisible()) {
        const QString values[] = {t.message,      t.unit,    t.procedure,      t.line,
                                  t.date,         t.time,    t.controlClasses, t.exceptionChain,
                                  t.controlNames, t.runTime, t.physicalMemory, t.pageFile,
                                  t.memoryLoad};
        int i = 0;
        for (QStringList* list : queueLists())
            list->append(values[i++]);
        setQueueCount();
        return;
    }
    LabStartPrg->setText(t.start);
    LabPopis->setText(t.message);
    LabPopis->setToolTip(t.message);
    LabJednotka->setText(t.unit);
    LabProcedura->setText(t.procedure);
    LabRadek->setText(t.line);
    LabCas->setText(t.date + QLatin1Char(' ') + t.time);
    LabPocErrVeFr->setText(QStringLiteral("0"));
    LabTridyKomp->setText(t.controlClasses);
    LabTridyVzniku->setText(t.exceptionChain);
    LabNazvyKomp->setText(t.controlNames);
    LabDobaBehu->setText(t.runTime);
    LabFyzPamet->setText(t.physicalMemory);
    LabVyuzPam->setText(t.memoryLoad);
    LabVirtPamet->setText(t.pageFile);
    followModalWindow();
    show();
    raise();
    activateWindow();
    tlPokracuj->setFocus();
}

void TFormVyjimka::followModalWindow() {
    // A modal window takes the mouse and keys from every window it does not own, and most errors
    // arise inside one (every function window and the preview are modal). Owned by it while it
    // shows, this window answers, and closing it hands the input back to that window.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal && modal != this ? modal : ui::appWindows().owner();
    if (owner != parentWidget())
        setParent(owner, windowFlags());
}

void TFormVyjimka::TlPokracujClick() {
    if (ListPopis.isEmpty()) {
        close();
        // Back to the main window's ownership: the modal window may go away before the next error.
        QWidget* back = parentWidget();
        setParent(ui::appWindows().owner(), windowFlags());
        if (back)
            back->activateWindow();
        return;
    }
    LabPopis->setText(ListPopis.first());
    LabPopis->setToolTip(ListPopis.first());
    LabJednotka->setText(ListJednotka.value(0));
    LabProcedura->setText(ListProcedura.value(0));
    LabRadek->setText(ListRadek.value(0));
    LabCas->setText(ListDatum.value(0) + QLatin1Char(' ') + ListCas.value(0));
    LabTridyKomp->setText(ListVznikKomponenty.value(0));
    LabTridyVzniku->setText(ListVznikuTridy.value(0));
    LabNazvyKomp->setText(ListNazvyKomp.value(0));
    LabDobaBehu->setText(ListDobaBehu.value(0));
    LabFyzPamet->setText(ListFyzRam.value(0));
    LabVirtPamet->setText(ListVirtRam.value(0));
    LabVyuzPam->setText(ListVyuzRam.value(0));
    for (QStringList* list : queueLists())
        if (!list->isEmpty())
            list->removeFirst();
    setQueueCount();
}

void TFormVyjimka::TlVyprazdniFronruClick() {
    for (QStringList* list : queueLists())
        list->clear();
    setQueueCount();
}

void TFormVyjimka::TlReportClick() {
    const QString logPath = errorLogPath();
    if (!QFile::exists(logPath))
        return;
    const QString target = ui::dialogs().saveFileName(
        QStringLiteral("Uložit popis chyby do souboru..."), QStringLiteral("Textové soubory|*.txt"),
        QDir::homePath() + QStringLiteral("/report"), QStringLiteral("txt"), this);
    if (target.isEmpty())
        return;
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return;
    while (!log.atEnd())
        out.write(log.readLine());
}

void TFormVyjimka::TKonecAPPClick() {
    QCoreApplication::quit();
}

void TFormVyjimka::showEvent(QShowEvent* event) {
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

std::unique_ptr<QObject> createExceptionWindow() {
    auto form = std::make_unique<TFormVyjimka>();
    form->FormCreate();
    return form;
}

} // namespace kv::errors
