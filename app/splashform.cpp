// The splash window: picture, progress label, animation timer and the per-tick window shape.
#include "splashform.h"

#include "artwork.h"
#include "region.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kv::app {

TSplashForm::TSplashForm(int intervalMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , picture_(splashPicture()) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(152, 165);

    InfoLabel = new QLabel(QStringLiteral("Spuštění programu..."), this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    InfoLabel->setFont(font);
    InfoLabel->setAlignment(Qt::AlignCenter);
    InfoLabel->setAttribute(Qt::WA_TranslucentBackground);
    InfoLabel->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    InfoLabel->setGeometry(0, 151, 152, 13);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(intervalMs);
    connect(Timer1, &QTimer::timeout, this, &TSplashForm::Timer1Timer);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    applyShape({animation_.box(), std::nullopt, true, false});
}

void TSplashForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (animation_.opening())
        Timer1->start();
}

void TSplashForm::startClosing() {
    animation_.startClosing();
    Timer1->start();
}

void TSplashForm::Timer1Timer() {
    const SplashAnimation::Step step = animation_.tick();
    if (step.finished)
        Timer1->stop();
    if (step.applyShape)
        applyShape(step);
    if (step.finished)
        finished_ = true;
    if (step.finished && !step.applyShape)
        close();
}

void TSplashForm::applyShape(const SplashAnimation::Step& step) {
    // A fresh component each tick: it builds the shape, hands it to the window and goes.
    TRegion region(this);
    if (step.strip)
        region.AddRect(step.strip->left, step.strip->top, step.strip->right, step.strip->bottom);
    region.AddEllipse(step.ellipse.left, step.ellipse.top, step.ellipse.right, step.ellipse.bottom);
    region.setActive(true);
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 242, 250));
    p.drawImage(0, 0, picture_);
}

} // namespace kv::app
