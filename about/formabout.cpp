// The about window's controls and handlers.
#include "formabout.h"

#include "buildstamp.h"
#include "changesfile.h"

#include "base/programfolder.h"
#include "ui/fonts.h"
#include "ui/shellopen.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <functional>

namespace kv::about {

using ui::arial;

namespace {

constexpr char kMail[] = "kalmorvaty@quelmarix.cz";
constexpr char kWeb[] = "https://www.quelmarix.cz";
// Colour value 11599871 of the old platform, blue in the high byte.
const QColor kPaleYellow(255, 255, 176);

// A picture or label that opens an address when clicked.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent)
        , onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

// The maker's logo: a blue disc with a white "Q" and an order sheet behind it.
QPixmap makerLogo() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(22.5, 4.5, 22, 30));
    for (int y = 10; y <= 28; y += 5)
        p.drawLine(QPointF(26, y + 0.5), QPointF(41, y + 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 160));
    p.drawEllipse(QRectF(3, 15, 30, 30));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 15, 30, 30), Qt::AlignCenter, QStringLiteral("Q"));
    return pm;
}

// The web picture: a globe of meridians and parallels.
QPixmap webPicture() {
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF globe(6, 6, 36, 36);
    p.setBrush(QColor(200, 225, 255));
    p.setPen(QPen(QColor(0, 70, 160), 2));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 70, 160), 1.2));
    p.drawEllipse(QRectF(16, 6, 16, 36));
    p.drawLine(QPointF(24, 6), QPointF(24, 42));
    p.drawLine(QPointF(6, 24), QPointF(42, 24));
    p.drawLine(QPointF(9, 15), QPointF(39, 15));
    p.drawLine(QPointF(9, 33), QPointF(39, 33));
    return pm;
}

QLabel* text(QWidget* parent, const QString& caption, const QRect& geometry, const QFont& font,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(caption, parent);
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(align);
    return l;
}

} // namespace

TFormAbout::TFormAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("O programu...."));
    setFixedSize(483, 469);
    setFont(arial(12));
    GV.setObjectName(QStringLiteral("GV"));
    GV.OSVersion = QStringLiteral("Windows 95, 98 , Mil, NT");

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, 483, 469);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, kPaleYellow);
    panel->setPalette(pal);

    buildHeader(panel);
    buildProgramPanel();
    panOProg->setParent(panel);
    panOProg->move(9, 118);

    PanZmeny = new QFrame(panel);
    PanZmeny->setObjectName(QStringLiteral("PanZmeny"));
    PanZmeny->setGeometry(9, 118, 465, 300);
    PanZmeny->setFrameShape(QFrame::Box);
    PanZmeny->hide();
    Zmeny = new QPlainTextEdit(PanZmeny);
    Zmeny->setObjectName(QStringLiteral("Zmeny"));
    Zmeny->setAccessibleName(QStringLiteral("Změny"));
    Zmeny->setGeometry(1, 1, 463, 298);
    Zmeny->setFrameShape(QFrame::NoFrame);
    Zmeny->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Zmeny->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(12);
    courier.setStyleHint(QFont::TypeWriter);
    Zmeny->setFont(courier);
    QPalette memo = Zmeny->palette();
    memo.setColor(QPalette::Base, kPaleYellow);
    Zmeny->setPalette(memo);

    auto button = [&](const char* name, const QString& caption, int x) {
        auto* b = new QPushButton(caption, panel);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(caption);
        b->setGeometry(x, 430, 110, 27);
        return b;
    };
    tlProgram = button("tlProgram", QStringLiteral("O programu..."), 9);
    tlZmeny = button("tlZmeny", QStringLiteral("Změny..."), 125);
    tlZavrit = button("tlZavrit", QStringLiteral("Zavřít"), 364);
    connect(tlProgram, &QPushButton::clicked, this, &TFormAbout::tlProgramClick);
    connect(tlZmeny, &QPushButton::clicked, this, &TFormAbout::tlZmenyClick);
    connect(tlZavrit, &QPushButton::clicked, this, &TFormAbout::TlZavriClick);
}

QWidget* TFormAbout::buildHeader(QWidget* parent) {
    auto openMail = [] { ui::openInShell(QUrl(QStringLiteral("mailto:") + QLatin1String(kMail))); };
    auto openWeb = [] { ui::openInShell(QUrl(QLatin1String(kWeb))); };
    auto* logo = new LinkLabel(parent, openMail);
    logo->setObjectName(QStringLiteral("ImgLogo"));
    logo->setAccessibleName(QString::fromLatin1(kMail));
    logo->setPixmap(makerLogo());
    logo->setGeometry(40, 10, 48, 48);
    auto* globe = new LinkLabel(parent, openWeb);
    globe->setObjectName(QStringLiteral("ImgWeb"));
    globe->setAccessibleName(QString::fromLatin1(kWeb));
    globe->setPixmap(webPicture());
    globe->setGeometry(395, 10, 48, 48);

    text(parent, QStringLiteral("Quelmarix"), QRect(130, 8, 223, 26), arial(22, true), Qt::AlignCenter);
    text(parent, QStringLiteral("programy pro malé firmy"), QRect(130, 34, 223, 16), arial(12),
         Qt::AlignCenter);
    text(parent, QStringLiteral("Kalmorvaty – objednávky dodavatelům"), QRect(110, 52, 263, 16),
         arial(12, true), Qt::AlignCenter);

    auto link = [&](const char* name, const QString& caption, const QRect& geometry,
                    std::function<void()> open) {
        auto* l = new LinkLabel(parent, std::move(open));
        l->setObjectName(QLatin1String(name));
        l->setText(caption);
        l->setAccessibleName(caption);
        QFont f = arial(12, true);
        f.setUnderline(true);
        l->setFont(f);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(pal);
        l->setGeometry(geometry);
        l->setAlignment(Qt::AlignCenter);
    };
    link("labEmail", QString::fromLatin1(kMail), QRect(4, 76, 200, 18), openMail);
    link("labWeb", QStringLiteral("www.quelmarix.cz"), QRect(299, 76, 180, 18), openWeb);
    return parent;
}

void TFormAbout::buildProgramPanel() {
    panOProg = new QFrame(this);
    panOProg->setObjectName(QStringLiteral("panOProg"));
    panOProg->setFixedSize(465, 300);
    panOProg->setFrameShape(QFrame::Box);
    static const char* const kCaptions[] = {
        "Popis programu:", "Zkompilováno:",  "Název produktu:", "Verze produktu:",
        "Verze souboru:",  "Interní název:", "Původní název:",  "Autorská práva:",
        "Ochrané známky:", "Verze systému:", "Komentář:",       "Signatura:",
    };
    int y = 12;
    for (const char* c : kCaptions) {
        const QString caption = QString::fromUtf8(c);
        text(panOProg, caption, QRect(10, y, 140, 15), arial(12));
        auto* value = new QLabel(panOProg);
        value->setGeometry(150, y, 305, 15);
        value->setFont(arial(12, true));
        value->setAutoFillBackground(true);
        value->setAccessibleName(caption);
        QPalette pal = value->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
        value->setPalette(pal);
        rows_.append({caption, value});
        y += 24;
    }
}

QLabel* TFormAbout::valueBox(const QString& caption) const {
    for (const auto& [c, box] : rows_)
        if (c == caption)
            return box;
    return nullptr;
}

void TFormAbout::FormCreate(const QString& executable) {
    GV.Load(executable);
    const QString values[] = {GV.FileDescription,  QString::fromLatin1(kBuildStamp),
                              GV.ProductName,      GV.ProductVersion,
                              GV.FileVersion,      GV.InternalName,
                              GV.OriginalFilename, GV.LegalCopyright,
                              GV.LegalTrademark,   GV.OSVersion,
                              GV.Comments,         GV.Signatur};
    for (int i = 0; i < rows_.size(); ++i) {
        rows_[i].second->setText(values[i]);
        rows_[i].second->setToolTip(values[i]);
    }
}

void TFormAbout::FormShow() {
    Zmeny->setPlainText(
        changesFileLines(changesFilePath(executableFolder(), ownExecutable())).join(QLatin1Char('\n')));
}

void TFormAbout::showEvent(QShowEvent* event) {
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
    QDialog::showEvent(event);
}

void TFormAbout::tlProgramClick() {
    panOProg->show();
    PanZmeny->hide();
}

void TFormAbout::tlZmenyClick() {
    panOProg->hide();
    PanZmeny->show();
}

void TFormAbout::TlZavriClick() {
    close();
}

std::unique_ptr<QObject> createAboutWindow() {
    auto form = std::make_unique<TFormAbout>();
    form->FormCreate();
    return form;
}

} // namespace kv::about
