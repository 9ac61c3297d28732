// A recursive-descent parser over a small token stream:
//   condition := term { AND term }
//   term      := '(' condition ')' | Field op Literal
// The tree is rendered straight into SQL while parsing; every literal becomes a parameter.
#include "filter.h"

#include "backend.h"
#include "base/czechformat.h"
#include "storeerror.h"
#include "valueconv.h"

#include <QList>

namespace kv::store {
namespace {

struct Token {
    enum Kind { Name, Literal, Op, Open, Close, End } kind;
    QString text;
    qsizetype pos;
};

[[noreturn]] void fail(const QString& text, const QString& why) {
    throw StoreError(StoreError::Kind::Filter, QStringLiteral("Chybný filtr \"%1\": %2").arg(text, why));
}

QList<Token> tokenize(const QString& s) {
    QList<Token> out;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            out.append({c == QLatin1Char('(') ? Token::Open : Token::Close, QString(c), i});
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            QString op(c);
            if (i + 1 < s.size() &&
                (s[i + 1] == QLatin1Char('=') || (c == QLatin1Char('<') && s[i + 1] == QLatin1Char('>'))) &&
                c != QLatin1Char('='))
                op += s[i + 1];
            out.append({Token::Op, op, i});
            i += op.size();
        } else if (c == QLatin1Char('\'')) {
            QString lit;
            const qsizetype start = i++;
            for (;;) {
                if (i >= s.size())
                    fail(s, QStringLiteral("neukončený text v apostrofech od pozice %1").arg(start + 1));
                if (s[i] == QLatin1Char('\'')) {
                    if (i + 1 < s.size() && s[i + 1] == QLatin1Char('\'')) {
                        lit += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                lit += s[i++];
            }
            out.append({Token::Literal, lit, start});
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = i;
            while (i < s.size() && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_')))
                ++i;
            out.append({Token::Name, s.mid(start, i - start), start});
        } else {
            fail(s, QStringLiteral("nečekaný znak '%1' na pozici %2").arg(c).arg(i + 1));
        }
    }
    out.append({Token::End, QString(), s.size()});
    return out;
}

class Parser {
public:
    Parser(const QString& text, const TableDef& def)
        : text_(text)
        , def_(def)
        , tokens_(tokenize(text)) {}

    void run(QString* sql, QVariantList* params) {
        sql_ = sql;
        params_ = params;
        condition();
        if (peek().kind != Token::End)
            fail(text_, QStringLiteral("nečekané \"%1\" na pozici %2").arg(peek().text).arg(peek().pos + 1));
    }

private:
    const Token& peek() const { return tokens_[pos_]; }
    Token take() { return tokens_[pos_++]; }
    static bool isAnd(const Token& t) {
        return t.kind == Token::Name && t.text.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0;
    }

    void condition() {
        term();
        while (isAnd(peek())) {
            take();
            *sql_ += QLatin1String(" AND ");
            term();
        }
    }

    void term() {
        const Token t = take();
        if (t.kind == Token::Open) {
            *sql_ += QLatin1Char('(');
            condition();
            if (take().kind != Token::Close)
                fail(text_, QStringLiteral("chybí pravá závorka"));
            *sql_ += QLatin1Char(')');
            return;
        }
        if (t.kind != Token::Name || isAnd(t))
            fail(text_, QStringLiteral("na pozici %1 má být název pole").arg(t.pos + 1));
        const int fi = def_.fieldIndex(t.text);
        if (fi < 0)
            fail(text_, QStringLiteral("pole '%1' neexistuje").arg(t.text));
        const FieldDef& f = def_.fields[fi];
        const Token op = take();
        if (op.kind != Token::Op)
            fail(text_, QStringLiteral("za polem '%1' má být =, <>, <, <=, > nebo >=").arg(t.text));
        const Token lit = take();
        if (lit.kind != Token::Literal)
            fail(text_, QStringLiteral("za %1 má být hodnota v apostrofech").arg(op.text));
        *sql_ += Backend::quote(f.name) + QLatin1Char(' ') + op.text + QLatin1String(" ?");
        params_->append(literal(f, lit.text));
    }

    QVariant literal(const FieldDef& f, const QString& text) const {
        switch (f.type) {
        case FieldType::Boolean:
            if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return true;
            if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return false;
            fail(text_, QStringLiteral("pole '%1' se porovnává s 'True' nebo 'False'").arg(f.name));
        case FieldType::DateTime: {
            const QDate d = parseShortDate(text);
            if (!d.isValid())
                fail(text_, QStringLiteral("'%1' není datum ve tvaru d.M.rrrr").arg(text));
            return toParam(FieldType::DateTime, dateTimeToStored(QDateTime(d, QTime(0, 0))));
        }
        case FieldType::Integer: {
            bool ok = false;
            const int v = text.trimmed().toInt(&ok);
            if (!ok)
                fail(text_, QStringLiteral("'%1' není celé číslo").arg(text));
            return qint64(v);
        }
        case FieldType::Graphic:
            fail(text_, QStringLiteral("podle obrázku '%1' nelze filtrovat").arg(f.name));
        case FieldType::String:
        case FieldType::Memo:
            return text;
        }
        return {};
    }

    const QString& text_;
    const TableDef& def_;
    QList<Token> tokens_;
    qsizetype pos_ = 0;
    QString* sql_ = nullptr;
    QVariantList* params_ = nullptr;
};

} // namespace

std::unique_ptr<Filter> Filter::parse(const QString& text, const TableDef& def) {
    auto f = std::unique_ptr<Filter>(new Filter);
    if (text.trimmed().isEmpty())
        return f;
    Parser(text, def).run(&f->sql_, &f->params_);
    return f;
}

} // namespace kv::store
