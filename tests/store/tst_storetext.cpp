// Text and file helpers under the store: Windows-1250, INI files with profile semantics, the fixed
// Czech date forms, the stored password form and the stored picture form.
#include "base/codec1250.h"
#include "base/czechformat.h"
#include "base/iniprofile.h"
#include "data/serversettings.h"
#include "data/store/collationkey.h"
#include "data/store/graphicblob.h"
#include "data/store/valueconv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

class TestStoreText : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("test.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return path;
    }

private Q_SLOTS:
    void cp1250RoundTripsCzechAndReplacesTheRest() {
        const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ČŘŠŽÝÁÍÉŮÚĚŤĎŇ");
        QCOMPARE(fromCp1250(toCp1250(czech)), czech);
        QCOMPARE(toCp1250(QStringLiteral("Á")), QByteArray("\xC1"));
        QCOMPARE(toCp1250(QStringLiteral("€ 日")), QByteArray("\x80 ?"));
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toCp1250(fromCp1250(all)), all);
    }

    void iniReadsWithProfileRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("names without case, value trimmed")
            << QByteArray("[server]\r\n  Server =  host1  \r\n") << "SERVER"
            << "SERVER"
            << "host1";
        QTest::newRow("Windows-1250 key name") << QByteArray("[SERVER]\r\nDATAB\xC1ZE=Data\r\n") << "SERVER"
                                               << "DATABÁZE"
                                               << "Data";
        QTest::newRow("missing key gives default") << QByteArray("[SERVER]\r\nLOGIN=x\r\n") << "SERVER"
                                                   << "SERVER"
                                                   << "default";
        QTest::newRow("other section's key not taken") << QByteArray("[A]\r\nK=1\r\n[B]\r\n") << "B"
                                                       << "K"
                                                       << "default";
        QTest::newRow("first of two equal keys") << QByteArray("[A]\nK=1\nK=2\n") << "A"
                                                 << "K"
                                                 << "1";
        QTest::newRow("quotes dropped") << QByteArray("[A]\nK=\" x \"\n") << "A"
                                        << "K"
                                        << " x ";
        QTest::newRow("comment line ignored") << QByteArray("[A]\n;K=1\nK=2\n") << "A"
                                              << "K"
                                              << "2";
        QTest::newRow("line without equals ignored") << QByteArray("[A]\ngarbage\nK=3\n") << "A"
                                                     << "K"
                                                     << "3";
        QTest::newRow("truncated file") << QByteArray("[A]\nK=") << "A"
                                        << "K"
                                        << "";
        QTest::newRow("binary garbage") << QByteArray("\x00\xff[\x01=\n", 6) << "A"
                                        << "K"
                                        << "default";
        QTest::newRow("empty value") << QByteArray("[A]\nK=\n") << "A"
                                     << "K"
                                     << "";
    }
    void iniReadsWithProfileRules() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(IniProfile(write(file)).readString(section, key, QStringLiteral("default")), expected);
    }

    void iniIntegersFallBackToDefault_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("7") << 7;
        QTest::newRow("negative") << QByteArray("-2") << -2;
        QTest::newRow("hex 0x") << QByteArray("0x1F") << 31;
        QTest::newRow("hex $") << QByteArray("$10") << 16;
        QTest::newRow("letters") << QByteArray("abc") << 99;
        QTest::newRow("empty") << QByteArray("") << 99;
    }
    void iniIntegersFallBackToDefault() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        QCOMPARE(IniProfile(write("[S]\nK=" + value + "\n"))
                     .readInteger(QStringLiteral("S"), QStringLiteral("K"), 99),
                 expected);
    }

    void iniWriteKeepsOtherSectionsAndKeys() {
        const QString path = write("[Hlavn\xED okno]\r\nTop=5\r\nLeft=6\r\n\r\n[Jin\xE9]\r\nX=1\r\n");
        IniProfile ini(path);
        ini.writeInteger(QStringLiteral("HLAVNÍ OKNO"), QStringLiteral("top"), 10);
        ini.writeString(QStringLiteral("DAR"), QStringLiteral("Datum"), QStringLiteral("9.12.2026"));
        ini.writeString(QStringLiteral("Jiné"), QStringLiteral("Y"), QStringLiteral("2"));
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(),
                 QByteArray("[Hlavn\xED okno]\r\ntop=10\r\nLeft=6\r\n\r\n[Jin\xE9]\r\nX=1\r\nY=2\r\n\r\n"
                            "[DAR]\r\nDatum=9.12.2026\r\n"));
        const QString created = dir_.filePath(QStringLiteral("new.ini"));
        IniProfile(created).writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("č"));
        QCOMPARE(IniProfile(created).readString(QStringLiteral("a"), QStringLiteral("b")),
                 QStringLiteral("č"));
        QVERIFY_THROWS_EXCEPTION(
            IniWriteError, IniProfile(dir_.filePath(QStringLiteral("no/such/dir.ini")))
                               .writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")));
    }

    void czechDateForms() {
        QCOMPARE(shortDate(QDate(2026, 12, 9)), QStringLiteral("9.12.2026"));
        QCOMPARE(shortDate(QDate(987, 1, 2)), QStringLiteral("2.1.0987"));
        QCOMPARE(shortDate(QDate()), QString());
        QCOMPARE(longTime(QTime(8, 5, 3)), QStringLiteral("8:05:03"));
        QCOMPARE(longTime(QTime(23, 59, 59)), QStringLiteral("23:59:59"));
        QCOMPARE(parseShortDate(QStringLiteral(" 01.3.2026 ")), QDate(2026, 3, 1));
        QVERIFY(!parseShortDate(QStringLiteral("31.2.2026")).isValid());
        QVERIFY(!parseShortDate(QStringLiteral("2026-03-01")).isValid());
    }

    // A field's text taken from its stored form is the text of its value.
    void storedFormGivesTheFieldsText_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        using store::FieldType;
        QTest::newRow("string") << int(FieldType::String) << QVariant(QStringLiteral("Žluťoučký"))
                                << "Žluťoučký";
        QTest::newRow("empty string") << int(FieldType::String) << QVariant() << "";
        QTest::newRow("integer") << int(FieldType::Integer) << QVariant(-42) << "-42";
        QTest::newRow("no integer") << int(FieldType::Integer) << QVariant() << "";
        QTest::newRow("true") << int(FieldType::Boolean) << QVariant(true) << "True";
        QTest::newRow("no Boolean is false") << int(FieldType::Boolean) << QVariant() << "False";
        QTest::newRow("date") << int(FieldType::DateTime)
                              << QVariant(QDateTime(QDate(2026, 3, 1), QTime(0, 0))) << "1.3.2026";
        QTest::newRow("date and time")
            << int(FieldType::DateTime) << QVariant(QDateTime(QDate(2026, 12, 10), QTime(7, 5, 9)))
            << "10.12.2026 7:05:09";
        QTest::newRow("no date") << int(FieldType::DateTime) << QVariant() << "";
        QTest::newRow("picture") << int(FieldType::Graphic) << QVariant(QByteArray("\x01\x02"))
                                 << "(GRAPHIC)";
        QTest::newRow("no picture") << int(FieldType::Graphic) << QVariant(QByteArray()) << "";
    }
    void storedFormGivesTheFieldsText() {
        QFETCH(int, type);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        const auto t = store::FieldType(type);
        QCOMPARE(store::storedText(t, store::toStored(t, value)), text);
    }

    void hesloDecodes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << ""
                               << "" << true;
        QTest::newRow("four characters") << "ABCD"
                                         << "" << true;
        QTest::newRow("five characters: the odd last one is ignored") << "xx41y"
                                                                      << "A" << true;
        QTest::newRow("ten characters: three, reversed") << "zz636261qq"
                                                         << "abc" << true;
        QTest::newRow("trailing characters ignored whatever they are") << "zz414243!!"
                                                                       << "CBA" << true;
        QTest::newRow("lower-case hex") << "..6a6b.."
                                        << "kj" << true;
        QTest::newRow("Windows-1250 code taken as the character code") << "00E100"
                                                                       << "\u00E1" << true;
        QTest::newRow("not hexadecimal") << "00zz4100"
                                         << "" << false;
    }
    void hesloDecodes() {
        QFETCH(QString, stored);
        QFETCH(QString, password);
        QFETCH(bool, valid);
        const auto decoded = data::decodeHeslo(stored);
        QCOMPARE(decoded.has_value(), valid);
        if (valid)
            QCOMPARE(*decoded, password);
    }

    void hesloEncodingRoundTrips() {
        for (const QString& pw : {QString(), QStringLiteral("a"), QStringLiteral("Tajné123")})
            QCOMPARE(*data::decodeHeslo(data::encodeHeslo(pw)), pw);
    }

    void pictureStoredFormHasItsHeader() {
        const QByteArray bmp("BM0123456789");
        const QByteArray stored = store::wrapBitmap(bmp);
        QCOMPARE(stored.left(8), QByteArray("\x01\x00\x00\x01\x0C\x00\x00\x00", 8));
        QCOMPARE(store::unwrapBitmap(stored), bmp);
        QVERIFY(store::unwrapBitmap(stored.left(10)).isEmpty());          // truncated
        QVERIFY(store::unwrapBitmap(QByteArray("GIF89a....")).isEmpty()); // another format
    }

    void collationKeysJoinFieldsInOrder() {
        using store::collationKey;
        // Surname decides before first name, even when one surname is a prefix of the other.
        QVERIFY(collationKey(QStringList{"Nov", "Zdeněk"}) < collationKey(QStringList{"Novák", "Adam"}));
        QVERIFY(collationKey(QStringList{"Novák", "Adam"}) < collationKey(QStringList{"Novák", "Bedřich"}));
        QCOMPARE(collationKey(QStringLiteral("ŽABKA")), collationKey(QStringLiteral("žabka")));
        QVERIFY(collationKey(QStringLiteral("hrad")) < collationKey(QStringLiteral("chata")));
    }
};

QTEST_GUILESS_MAIN(TestStoreText)
#include "tst_storetext.moc"
