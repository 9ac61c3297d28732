// Texts of recorded pages and reference files for report and printing tests.
#include "pagetexts.h"

#include "report/pages/pagetext.h"

#include <QFile>
#include <QTest>

namespace kv::report::test {

namespace {
bool isText(const PageOp& op) {
    return op.kind == PageOpKind::Text || op.kind == PageOpKind::TextBox;
}
} // namespace

QStringList placedTexts(const ReportPage& page) {
    QStringList out;
    for (const PageOp& op : page.ops()) {
        if (isText(op))
            out << QStringLiteral("%1,%2:%3").arg(op.left).arg(op.top).arg(page.text(op.ref));
    }
    return out;
}

QStringList plainTexts(const ReportPage& page) {
    QStringList out;
    for (const PageOp& op : page.ops()) {
        if (isText(op))
            out << page.text(op.ref);
    }
    return out;
}

QStringList opLines(const ReportPage& page, const QString& prefix) {
    QStringList out;
    for (const QString& line : pageText(page).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            out << line;
    }
    return out;
}

void compareWithReference(const QString& got, const QString& path) {
    QFile file(path);
    if (qEnvironmentVariableIsSet("KV_REGENERATE_REFERENCES")) {
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
        file.write(got.toUtf8());
        return;
    }
    QVERIFY2(
        file.open(QIODevice::ReadOnly),
        qPrintable(QStringLiteral("reference %1 missing: run with KV_REGENERATE_REFERENCES=1").arg(path)));
    const QStringList want = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const QStringList have = got.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(want.size(), have.size()); ++i) {
        QVERIFY2(have[i] == want[i], qPrintable(QStringLiteral("%1, line %2:\n   page: %3\n   reference: %4")
                                                    .arg(path)
                                                    .arg(i + 1)
                                                    .arg(have[i], want[i])));
    }
    QCOMPARE(have.size(), want.size());
}

} // namespace kv::report::test
