// The support notice's texts, layout and countdown.
#include "formdar.h"

#include "artwork.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace kv::app {
namespace {

// The maintainer's details; the account number is deliberately not a valid one.
const QString kAccount = QStringLiteral("č. ú. 1234567890/0000");
const QString kAuthorName = QStringLiteral("Ing. Petr Vzorový");
const QString kAuthorStreet = QStringLiteral("Ukázková 12");
const QString kAuthorTown = QStringLiteral("110 00  Praha 1");

QLabel* label(const QString& name, const QString& text, QWidget* parent, bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

} // namespace

TFormDar::TFormDar(int tickMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormDar"));
    setFixedSize(441, 310);
    QFont base(QStringLiteral("Arial"));
    base.setPixelSize(11);
    setFont(base);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(202, 255, 202));
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap::fromImage(noticePicture(96)));
    image->setFixedSize(96, 96);

    QLabel* heading = label(QStringLiteral("labNadpis"), QStringLiteral("PODPOŘTE AUTORA:"), panel, true);
    QFont hf = heading->font();
    hf.setPixelSize(16);
    heading->setFont(hf);
    // Without a title bar, the heading is what a screen reader announces the window by.
    setAccessibleName(heading->text());
    QLabel* intro =
        label(QStringLiteral("labText"),
              QStringLiteral("Pokud se vám program líbí můžete jej zdarma a volně používat, chcete-li "
                             "přesto podpořit autora při tvorbě podobných produktů, můžete tak učinit "
                             "těmito způsoby:"),
              panel);
    intro->setWordWrap(true);

    auto* top = new QGridLayout;
    top->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    top->addWidget(heading, 0, 1);
    top->addWidget(intro, 1, 1, Qt::AlignTop);
    top->setColumnStretch(1, 1);
    top->setHorizontalSpacing(10);

    QLabel* way1 =
        label(QStringLiteral("labZpusob1"),
              QStringLiteral("1. libovolná finanční částka na účet autora (%1)").arg(kAccount), panel);
    QLabel* way2 = label(QStringLiteral("labZpusob2"),
                         QStringLiteral("2. libovolná finanční částka na adresu autora (složenka)"), panel);
    QLabel* way3 =
        label(QStringLiteral("labZpusob3"), QStringLiteral("3. pohlednice s pohledem na vaše město"), panel);

    QLabel* addressCaption =
        label(QStringLiteral("labAdresa"), QStringLiteral("Adresa autora:"), panel, true);
    QLabel* address =
        label(QStringLiteral("labAutor"),
              kAuthorName + QLatin1Char('\n') + kAuthorStreet + QLatin1Char('\n') + kAuthorTown, panel);
    auto* addressRow = new QHBoxLayout;
    addressRow->addSpacing(16);
    addressRow->addWidget(addressCaption, 0, Qt::AlignTop);
    addressRow->addSpacing(8);
    addressRow->addWidget(address, 1);

    QLabel* thanks = label(QStringLiteral("labDekuji"),
                           QStringLiteral("ZA PŘÍPADNOU PODPORU PŘEDEM DĚKUJI!     "), panel, true);
    thanks->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    tlZavri = new QPushButton(closeCaption(counter_), panel);
    tlZavri->setObjectName(QStringLiteral("tlZavri"));
    tlZavri->setMinimumWidth(100);
    connect(tlZavri, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(thanks, 1);
    bottom->addWidget(tlZavri);

    auto* body = new QVBoxLayout(panel);
    body->setContentsMargins(14, 12, 14, 12);
    body->setSpacing(4);
    body->addLayout(top);
    body->addSpacing(6);
    body->addWidget(way1);
    body->addWidget(way2);
    body->addWidget(way3);
    body->addSpacing(8);
    body->addLayout(addressRow);
    body->addStretch(1);
    body->addLayout(bottom);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(tickMs);
    connect(Timer1, &QTimer::timeout, this, &TFormDar::Timer1Timer);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QString TFormDar::closeCaption(int seconds) {
    return QStringLiteral("Zavřít (%1s)").arg(seconds);
}

void TFormDar::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Timer1->start();
    tlZavri->setText(closeCaption(counter_));
}

void TFormDar::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QDialog::hideEvent(event);
}

void TFormDar::Timer1Timer() {
    --counter_;
    if (counter_ < 1) {
        Timer1->stop();
        reject();
    }
    tlZavri->setText(closeCaption(counter_));
}

} // namespace kv::app
