// Reading report definition files into report, band and control objects.
#include "reportdefinition.h"

#include "reporterror.h"
#include "dataimagecontrol.h"
#include "datamemocontrol.h"
#include "datatextcontrol.h"
#include "imagecontrol.h"
#include "labelcontrol.h"
#include "memocontrol.h"
#include "shapecontrol.h"
#include "gridband.h"
#include "systemdatacontrol.h"
#include "report.h"

#include <QDir>
#include <QHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

namespace kv::report {

namespace {

struct Token {
    QString text;
    bool quoted = false;
};

class Parser;

// A control's line as it is read: its tokens and the first one not yet used (the content, then the
// options, follow the geometry).
struct ControlLine {
    const QList<Token>& t;
    qsizetype next = 7;
};

// The kinds of control a definition line names, each with the maker that reads its content.
struct ControlKind {
    QLatin1String name;
    std::unique_ptr<ReportControl> (*make)(const Parser& p, ControlLine& line);
};

// An option after a control's content: a word, or a key with "=value". The setter says false when
// the option does not belong to the control's kind, which refuses it like an unknown one.
struct ControlOption {
    using Setter = std::function<bool(const Parser& p, ReportControl& c, const QString& value)>;
    bool hasValue = false;
    Setter set;
};

// Runs `f` on the control's text properties, which labels and memos share without a common base.
template <class F> bool onText(ReportControl& c, F f) {
    if (auto* label = dynamic_cast<LabelBase*>(&c)) {
        f(*label);
        return true;
    }
    if (auto* memo = dynamic_cast<MemoBase*>(&c)) {
        f(*memo);
        return true;
    }
    return false;
}

// Runs `f` on the control when it is a `C`.
template <class C, class F> bool on(ReportControl& c, F f) {
    auto* typed = dynamic_cast<C*>(&c);
    if (typed)
        f(*typed);
    return typed != nullptr;
}

class Parser {
public:
    Parser(const DataSources& sources, QString origin, QString baseDir)
        : sources_(sources)
        , origin_(std::move(origin))
        , baseDir_(std::move(baseDir)) {}

    std::unique_ptr<Report> run(const QString& text, QObject* parent);

private:
    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("%1, řádek %2: %3").arg(origin_).arg(line_).arg(what));
    }
    QList<Token> tokenize(const QString& line) const;
    int number(const Token& t) const;
    QColor colour(const QString& text) const;
    kv::store::DataSource* source(const QString& name) const;
    template <class E> E enumToken(const QStringList& names, const Token& t, const char* what) const;

    void reportSetting(const QList<Token>& t);
    void startBand(const QList<Token>& t);
    bool bandSetting(const QList<Token>& t);
    void control(const QList<Token>& t);
    QString content(ControlLine& line) const;
    void link(ControlLine& line, DataLink& l) const;
    // The tables of control kinds and of options, made once.
    static const QHash<QString, ControlKind>& controlKinds();
    static const QHash<QString, ControlOption>& controlOptions();
    void applyFontOption(QFont& font, const QString& option, bool& used) const;

    const DataSources& sources_;
    QString origin_;
    QString baseDir_;
    int line_ = 0;
    std::unique_ptr<Report> report_;
    Band* band_ = nullptr;
    QFont font_ = reportFont();
    struct BandLink {
        Band* band;
        QString header;
        QString footer;
        int line;
    };
    QList<BandLink> links_;
};

QList<Token> Parser::tokenize(const QString& line) const {
    QList<Token> out;
    int i = 0;
    const int n = int(line.size());
    while (i < n) {
        const QChar c = line[i];
        if (c.isSpace() || c == QLatin1Char(',')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('"')) {
            Token t{{}, true};
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar d = line[i++];
                if (d == QLatin1Char('"')) {
                    closed = true;
                    break;
                }
                if (d == QLatin1Char('\\') && i < n) {
                    const QChar e = line[i++];
                    t.text += e == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : e;
                } else {
                    t.text += d;
                }
            }
            if (!closed)
                fail(QStringLiteral("neukončený text v uvozovkách"));
            out.append(t);
            continue;
        }
        int j = i;
        while (j < n && !line[j].isSpace() && line[j] != QLatin1Char(',')) {
            // key="quoted value" keeps the quoted part with its key
            if (line[j] == QLatin1Char('"')) {
                const int close = int(line.indexOf(QLatin1Char('"'), j + 1));
                if (close < 0)
                    fail(QStringLiteral("neukončený text v uvozovkách"));
                j = close + 1;
                continue;
            }
            ++j;
        }
        QString word = line.mid(i, j - i);
        i = j;
        if (word == QLatin1String("#"))
            break; // a comment to the end of the line
        static const QRegularExpression size(QStringLiteral("^(\\d+)x(\\d+)$"));
        if (const auto m = size.match(word); m.hasMatch()) {
            out.append({m.captured(1)});
            out.append({QStringLiteral("x")});
            out.append({m.captured(2)});
            continue;
        }
        word.remove(QLatin1Char('"'));
        out.append({word});
    }
    return out;
}

int Parser::number(const Token& t) const {
    bool ok = false;
    const int v = t.text.toInt(&ok);
    if (!ok || t.quoted)
        fail(QStringLiteral("\"%1\" není celé číslo").arg(t.text));
    return v;
}

QColor Parser::colour(const QString& text) const {
    static const QRegularExpression grey(QStringLiteral("^gr[ae]y(\\d{1,3})$"));
    if (const auto m = grey.match(text); m.hasMatch()) {
        const int level = m.captured(1).toInt();
        if (level <= 255)
            return QColor(level, level, level);
    }
    const QColor c = QColor::fromString(text);
    if (!c.isValid())
        fail(QStringLiteral("neznámá barva \"%1\"").arg(text));
    return c;
}

kv::store::DataSource* Parser::source(const QString& name) const {
    const auto it = sources_.constFind(name);
    if (it == sources_.constEnd())
        fail(QStringLiteral("neznámý zdroj dat \"%1\"").arg(name));
    return it.value();
}

template <class E> E Parser::enumToken(const QStringList& names, const Token& t, const char* what) const {
    const auto v = enumValue(names, t.text);
    if (!v)
        fail(QStringLiteral("neznámá hodnota %1 \"%2\"").arg(QLatin1String(what), t.text));
    return E(*v);
}

std::unique_ptr<Report> Parser::run(const QString& text, QObject* parent) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        ++line_;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QList<Token> t = tokenize(line);
        if (t.isEmpty())
            continue;
        const QString& key = t[0].text;
        if (key == QLatin1String("report")) {
            if (report_)
                fail(QStringLiteral("definice smí obsahovat jen jednu sestavu"));
            if (t.size() != 2)
                fail(QStringLiteral("očekáváno: report <jméno>"));
            report_ = std::make_unique<Report>(parent);
            report_->setObjectName(t[1].text);
        } else if (!report_) {
            fail(QStringLiteral("definice musí začínat řádkem report <jméno>"));
        } else if (key == QLatin1String("band")) {
            startBand(t);
        } else if (!band_) {
            reportSetting(t);
        } else if (!bandSetting(t)) {
            control(t);
        }
    }
    if (!report_)
        fail(QStringLiteral("definice neobsahuje žádnou sestavu"));
    for (const BandLink& link : links_) {
        line_ = link.line;
        auto find = [&](const QString& name) {
            Band* b = report_->findBand(name);
            if (!b)
                fail(QStringLiteral("neznámý pruh \"%1\"").arg(name));
            return b;
        };
        if (!link.header.isEmpty())
            link.band->setHeaderBand(find(link.header));
        if (!link.footer.isEmpty())
            link.band->setFooterBand(find(link.footer));
    }
    return std::move(report_);
}

void Parser::reportSetting(const QList<Token>& t) {
    const QString& key = t[0].text;
    auto need = [&](int n) {
        if (t.size() != n + 1)
            fail(QStringLiteral("%1 očekává %2 hodnot").arg(key).arg(n));
    };
    PrinterSettings& printer = report_->printer();
    PageMargins& margins = report_->margins();
    if (key == QLatin1String("Printer.Title")) {
        need(1);
        printer.setTitle(t[1].text);
    } else if (key == QLatin1String("Printer.PaperSize")) {
        need(1);
        printer.setPaperSize(enumToken<PaperFormat>(pageSizeNames(), t[1], "PaperSize"));
    } else if (key == QLatin1String("Printer.Orientation")) {
        need(1);
        printer.setOrientation(enumToken<PaperOrientation>(orientationNames(), t[1], "Orientation"));
    } else if (key == QLatin1String("Printer.Mode")) {
        need(1);
        printer.setMode(enumToken<PrintMode>(printModeNames(), t[1], "Mode"));
    } else if (key == QLatin1String("Printer.ColWidth")) {
        need(1);
        printer.setColWidth(number(t[1]));
    } else if (key == QLatin1String("Printer.ColHeight")) {
        need(1);
        printer.setColHeight(number(t[1]));
    } else if (key == QLatin1String("Printer.Port")) {
        need(1);
        printer.setPort(t[1].text);
    } else if (key == QLatin1String("Margins")) {
        need(4);
        margins.setLeft(number(t[1]));
        margins.setRight(number(t[2]));
        margins.setTop(number(t[3]));
        margins.setBottom(number(t[4]));
    } else if (key == QLatin1String("Columns")) {
        need(2);
        margins.setColumn(number(t[1]));
        margins.setColumnSpace(number(t[2]));
    } else if (key == QLatin1String("DataSource")) {
        need(1);
        report_->setDataSource(source(t[1].text));
    } else if (key == QLatin1String("Font")) {
        if (t.size() < 3 || t.size() > 4)
            fail(QStringLiteral("očekáváno: Font <písmo> <velikost>px [bold]"));
        QFont f = reportFont(11, false, t[1].text);
        bool used = false;
        for (int i = 2; i < t.size(); ++i) {
            applyFontOption(f, t[i].text, used);
            if (!used)
                fail(QStringLiteral("neznámá vlastnost písma \"%1\"").arg(t[i].text));
        }
        font_ = f;
    } else {
        fail(QStringLiteral("neznámé nastavení sestavy \"%1\"").arg(key));
    }
}

void Parser::startBand(const QList<Token>& t) {
    // band <Name> <Type> [<width> x] <height> [grid]
    if (t.size() < 4)
        fail(QStringLiteral("očekáváno: band <jméno> <typ> <výška>"));
    int i = 3;
    if (t.size() > 5 && t[4].text == QLatin1String("x"))
        i = 5;
    const int height = number(t[i]);
    const bool grid = t.size() > i + 1 && t[i + 1].text == QLatin1String("grid");
    if (t.size() > i + 1 + (grid ? 1 : 0))
        fail(QStringLiteral("nadbytečné údaje za výškou pruhu"));
    if (report_->findBand(t[1].text))
        fail(QStringLiteral("pruh \"%1\" už je definován").arg(t[1].text));
    const auto type = enumToken<BandType>(bandTypeNames(), t[2], "BandType");
    band_ = grid ? new GridBand(nullptr, type) : new Band(nullptr, type);
    band_->setObjectName(t[1].text);
    band_->setHeight(height);
    report_->insertBand(band_);
}

bool Parser::bandSetting(const QList<Token>& t) {
    const QString& key = t[0].text;
    if (key == QLatin1String("Brush")) {
        if (t.size() != 2)
            fail(QStringLiteral("očekáváno: Brush <barva>"));
        band_->setBrush(QBrush(colour(t[1].text)));
    } else if (key == QLatin1String("Frame")) {
        BandFrame& f = band_->frame();
        for (int i = 1; i < t.size(); ++i) {
            const QString& side = t[i].text;
            if (side == QLatin1String("Left"))
                f.setLeft(true);
            else if (side == QLatin1String("Top"))
                f.setTop(true);
            else if (side == QLatin1String("Bottom"))
                f.setBottom(true);
            else if (side == QLatin1String("Right"))
                f.setRight(true);
            else if (side != QLatin1String("none"))
                fail(QStringLiteral("neznámá strana rámečku \"%1\"").arg(side));
        }
    } else if (key == QLatin1String("FramePen")) {
        if (t.size() != 3)
            fail(QStringLiteral("očekáváno: FramePen <šířka> <barva>"));
        band_->frame().setPen(QPen(colour(t[2].text), number(t[1])));
    } else if (key == QLatin1String("DataSource")) {
        if (t.size() != 2)
            fail(QStringLiteral("očekáváno: DataSource <jméno>"));
        band_->setDataSource(source(t[1].text));
    } else if (key == QLatin1String("HeaderBand") || key == QLatin1String("FooterBand")) {
        if (t.size() != 2)
            fail(QStringLiteral("očekáváno: %1 <jméno pruhu>").arg(key));
        BandLink link{band_, {}, {}, line_};
        (key == QLatin1String("HeaderBand") ? link.header : link.footer) = t[1].text;
        links_.append(link);
    } else {
        return false;
    }
    return true;
}

void Parser::applyFontOption(QFont& font, const QString& option, bool& used) const {
    static const QRegularExpression px(QStringLiteral("^(\\d+)px$"));
    used = true;
    if (const auto m = px.match(option); m.hasMatch())
        font.setPixelSize(m.captured(1).toInt());
    else if (option == QLatin1String("bold"))
        font.setBold(true);
    else if (option.startsWith(QLatin1String("face=")))
        font.setFamily(option.mid(5));
    else
        used = false;
}

QString Parser::content(ControlLine& line) const {
    if (line.next >= line.t.size())
        fail(QStringLiteral("chybí obsah prvku \"%1\"").arg(line.t[0].text));
    return line.t[line.next++].text;
}

void Parser::link(ControlLine& line, DataLink& l) const {
    const QString ref = content(line);
    const int dot = int(ref.indexOf(QLatin1Char('.')));
    if (dot <= 0 || dot == ref.size() - 1)
        fail(QStringLiteral("očekáváno <zdroj>.<pole>, ne \"%1\"").arg(ref));
    l.dataSource = source(ref.left(dot));
    l.dataField = ref.mid(dot + 1);
}

const QHash<QString, ControlKind>& Parser::controlKinds() {
    using Made = std::unique_ptr<ReportControl>;
    static const QHash<QString, ControlKind> kinds = [] {
        const ControlKind list[] = {
            {QLatin1String("label"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<LabelControl>();
                 c->caption = p.content(line);
                 return c;
             }},
            {QLatin1String("datatext"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<DataTextControl>();
                 p.link(line, c->link);
                 return c;
             }},
            {QLatin1String("sysdata"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<SystemDataControl>();
                 c->caption = p.content(line);
                 return c;
             }},
            {QLatin1String("memo"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<MemoControl>();
                 c->lines = p.content(line).split(QLatin1Char('\n'));
                 return c;
             }},
            {QLatin1String("datamemo"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<DataMemoControl>();
                 p.link(line, c->link);
                 return c;
             }},
            {QLatin1String("shape"), [](const Parser&, ControlLine&) -> Made { return std::make_unique<ShapeControl>(); }},
            {QLatin1String("image"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<ImageControl>();
                 const QString file = QDir(p.baseDir_).filePath(p.content(line));
                 if (!c->picture.load(file))
                     p.fail(QStringLiteral("obrázek \"%1\" nelze načíst").arg(file));
                 return c;
             }},
            {QLatin1String("dataimage"),
             [](const Parser& p, ControlLine& line) -> Made {
                 auto c = std::make_unique<DataImageControl>();
                 p.link(line, c->link);
                 return c;
             }},
        };
        QHash<QString, ControlKind> byName;
        for (const ControlKind& kind : list)
            byName.insert(kind.name, kind);
        return byName;
    }();
    return kinds;
}

const QHash<QString, ControlOption>& Parser::controlOptions() {
    static const QHash<QString, ControlOption> options = [] {
        QHash<QString, ControlOption> o;
        auto word = [&o](const QString& name, std::function<bool(ReportControl&)> set) {
            Q_ASSERT(!o.contains(name));
            o.insert(name, {false, [set](const Parser&, ReportControl& c, const QString&) { return set(c); }});
        };
        auto keyed = [&o](const QString& name, ControlOption::Setter set) {
            Q_ASSERT(!o.contains(name));
            o.insert(name, {true, std::move(set)});
        };
        // The short words come first in the files; the enumeration names are accepted as well.
        const std::pair<const char*, TextAlignment> alignments[] = {
            {"left", taLeftJustify}, {"right", taRightJustify}, {"centred", taCenter}};
        for (const auto& alignment : alignments)
            word(QLatin1String(alignment.first), [a = alignment.second](ReportControl& c) {
                return onText(c, [a](auto& t) { t.alignment = a; });
            });
        for (qsizetype i = 0; i < alignmentNames().size(); ++i)
            word(alignmentNames()[i], [a = TextAlignment(i)](ReportControl& c) {
                return onText(c, [a](auto& t) { t.alignment = a; });
            });
        const std::pair<const char*, TextLayout> layouts[] = {{"top", tlTop}, {"v-centred", tlCenter}, {"bottom", tlBottom}};
        for (const auto& layout : layouts)
            word(QLatin1String(layout.first), [l = layout.second](ReportControl& c) {
                return on<LabelBase>(c, [l](LabelBase& t) { t.layout = l; });
            });
        for (qsizetype i = 0; i < layoutNames().size(); ++i)
            word(layoutNames()[i], [l = TextLayout(i)](ReportControl& c) {
                return on<LabelBase>(c, [l](LabelBase& t) { t.layout = l; });
            });
        for (qsizetype i = 0; i < shapeTypeNames().size(); ++i)
            word(shapeTypeNames()[i], [s = ShapeType(i)](ReportControl& c) {
                return on<ShapeControl>(c, [s](ShapeControl& shape) { shape.shape = s; });
            });
        for (qsizetype i = 0; i < sysDataNames().size(); ++i)
            word(sysDataNames()[i], [s = SystemData(i)](ReportControl& c) {
                return on<SystemDataControl>(c, [s](SystemDataControl& d) { d.systemData = s; });
            });
        word(QStringLiteral("wordwrap"), [](ReportControl& c) { return onText(c, [](auto& t) { t.wordWrap = true; }); });
        word(QStringLiteral("nowordwrap"), [](ReportControl& c) { return on<MemoBase>(c, [](MemoBase& m) { m.wordWrap = false; }); });
        word(QStringLiteral("shrink"), [](ReportControl& c) { return on<LabelBase>(c, [](LabelBase& l) { l.shrinkToFit = true; }); });
        word(QStringLiteral("transparent"), [](ReportControl& c) { return on<LabelBase>(c, [](LabelBase& l) { l.transparent = true; }); });
        word(QStringLiteral("fixed"), [](ReportControl& c) { return on<LabelBase>(c, [](LabelBase& l) { l.autoSize = false; }); });
        word(QStringLiteral("stretch"), [](ReportControl& c) {
            return on<ImageControl>(c, [](ImageControl& i) { i.stretch = true; }) ||
                   on<DataImageControl>(c, [](DataImageControl& i) { i.stretch = true; });
        });
        keyed(QStringLiteral("color"), [](const Parser& p, ReportControl& c, const QString& v) {
            return onText(c, [&](auto& t) { t.color = p.colour(v); });
        });
        keyed(QStringLiteral("fontcolor"), [](const Parser& p, ReportControl& c, const QString& v) {
            return onText(c, [&](auto& t) { t.fontColor = p.colour(v); });
        });
        keyed(QStringLiteral("brush"), [](const Parser& p, ReportControl& c, const QString& v) {
            return on<ShapeControl>(c, [&](ShapeControl& s) { s.brush = QBrush(p.colour(v)); });
        });
        keyed(QStringLiteral("pen"), [](const Parser& p, ReportControl& c, const QString& v) {
            return on<ShapeControl>(c, [&](ShapeControl& s) { s.pen.setWidth(p.number(Token{v})); });
        });
        keyed(QStringLiteral("pencolor"), [](const Parser& p, ReportControl& c, const QString& v) {
            return on<ShapeControl>(c, [&](ShapeControl& s) { s.pen.setColor(p.colour(v)); });
        });
        return o;
    }();
    return options;
}

void Parser::control(const QList<Token>& t) {
    // <Name> <kind> <left> <top> <width> x <height> ...
    if (t.size() < 7 || t[5].text != QLatin1String("x"))
        fail(QStringLiteral("očekáváno: <jméno> <druh> <vlevo>, <nahoře>, <šířka> x <výška>"));
    const int left = number(t[2]), top = number(t[3]), width = number(t[4]), height = number(t[6]);
    const auto kind = controlKinds().constFind(t[1].text);
    if (kind == controlKinds().cend())
        fail(QStringLiteral("neznámý druh prvku \"%1\"").arg(t[1].text));
    ControlLine line{t};
    std::unique_ptr<ReportControl> made = kind->make(*this, line);
    if (band_->findControl(t[0].text))
        fail(QStringLiteral("prvek \"%1\" už na pruhu je").arg(t[0].text));
    made->name = t[0].text;
    made->setBounds(left, top, width, height);
    onText(*made, [this](auto& text) { text.font = font_; });

    for (; line.next < t.size(); ++line.next) {
        const QString& o = t[line.next].text;
        bool font = false;
        onText(*made, [&](auto& text) { applyFontOption(text.font, o, font); });
        if (font)
            continue;
        const int eq = int(o.indexOf(QLatin1Char('=')));
        const auto option = controlOptions().constFind(eq > 0 ? o.left(eq) : o);
        const bool known = option != controlOptions().cend() && option->hasValue == (eq > 0);
        if (!known || !option->set(*this, *made, eq > 0 ? o.mid(eq + 1) : QString()))
            fail(QStringLiteral("neznámá volba \"%1\" prvku \"%2\"").arg(o, t[0].text));
    }
    band_->addControl(std::move(made));
}

} // namespace

std::unique_ptr<Report> parseReportDefinition(const QString& text, const DataSources& sources,
                                                    const QString& origin, const QString& baseDir,
                                                    QObject* parent) {
    Parser parser(sources, origin, baseDir);
    return parser.run(text, parent);
}

std::unique_ptr<Report> loadReportDefinition(const QString& path, const DataSources& sources,
                                                   QObject* parent) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("Definici sestavy \"%1\" nelze otevřít: %2").arg(path, file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    return parseReportDefinition(text, sources, QFileInfo(path).fileName(), QFileInfo(path).absolutePath(),
                                 parent);
}

} // namespace kv::report
