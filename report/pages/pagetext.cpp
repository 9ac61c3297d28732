// The text form of recorded pages.
#include "pagetext.h"

#include <QTextStream>

namespace kv::report {

namespace {
QString rectText(const PageOp& op) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(op.left)
        .arg(op.top)
        .arg(op.right - op.left)
        .arg(op.bottom - op.top);
}

QString penText(const QPen& pen) {
    if (pen.style() == Qt::NoPen)
        return QStringLiteral("nopen");
    return QStringLiteral("pen %1/%2").arg(pen.color().name()).arg(pen.width());
}

QString brushText(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush)
        return QStringLiteral("nobrush");
    return QStringLiteral("brush %1").arg(brush.color().name());
}

QString fontText(const QFont& font) {
    return QStringLiteral("%1/%2px%3")
        .arg(font.family())
        .arg(font.pixelSize())
        .arg(font.bold() ? "/bold" : "");
}

QString quoted(QString s) {
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + s + QLatin1Char('"');
}
} // namespace

QString pageText(const ReportPage& page) {
    QString out;
    QTextStream s(&out);
    const PageStyles& st = page.styles();
    s << "page " << page.size().width() << "x" << page.size().height() << "\n";
    for (const PageOp& op : page.ops()) {
        switch (op.kind) {
        case PageOpKind::FillRect:
            s << "fill " << rectText(op) << " " << brushText(st.brushAt(op.brush));
            break;
        case PageOpKind::Line:
            s << "line " << op.left << "," << op.top << " " << op.right << "," << op.bottom << " "
              << penText(st.penAt(op.pen));
            break;
        case PageOpKind::Rectangle:
        case PageOpKind::RoundRect:
        case PageOpKind::Ellipse:
            s << (op.kind == PageOpKind::Rectangle ? "rect "
                  : op.kind == PageOpKind::Ellipse ? "ellipse "
                                                   : "roundrect ")
              << rectText(op);
            if (op.kind == PageOpKind::RoundRect)
                s << " corner " << op.ref;
            s << " " << penText(st.penAt(op.pen)) << " " << brushText(st.brushAt(op.brush));
            break;
        case PageOpKind::Text:
            s << "text " << op.left << "," << op.top << " " << quoted(page.text(op.ref)) << " "
              << fontText(st.fontAt(op.font)) << " " << st.penAt(op.pen).color().name();
            break;
        case PageOpKind::TextBox:
            s << "textbox " << rectText(op) << " align " << op.flags << " " << quoted(page.text(op.ref))
              << " " << fontText(st.fontAt(op.font)) << " " << st.penAt(op.pen).color().name();
            break;
        case PageOpKind::Image:
            s << "image " << rectText(op) << " " << page.image(op.ref).width() << "x"
              << page.image(op.ref).height();
            break;
        }
        s << "\n";
    }
    return out;
}

} // namespace kv::report
