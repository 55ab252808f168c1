#include "elidedtext.h"
#include "testtexts.h"

#include <QtTest>

class tst_ElidedText : public QObject
{
    Q_OBJECT

private slots:
    void elidedText_data();
    void elidedText();
    void elidedLines_data();
    void elidedLines();
};

void tst_ElidedText::elidedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");

    const QChar clef[] = {QChar(0xd834), QChar(0xdd1e)}; // one character outside the basic plane
    QString clefs;
    for (int i = 0; i < 400; ++i)
        clefs += QString(clef, 2);
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("as long as may be shown")
        << QString(MaxShownTextLength, QLatin1Char('a')) << true;
    QTest::newRow("one character longer")
        << QString(MaxShownTextLength + 1, QLatin1Char('a')) << false;
    QTest::newRow("characters outside the basic plane") << clefs << false;
    QTest::newRow("the same, one code unit later") << "x"_s + clefs << false;
}

// A long text keeps its beginning and its end, and no character is cut in two.
void tst_ElidedText::elidedText()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);
    const QString shown = ::elidedText(text);
    if (whole) {
        QCOMPARE(shown, text);
        return;
    }
    QVERIFY(shown.size() <= MaxShownTextLength);
    QVERIFY(shown.size() >= MaxShownTextLength - 2);
    const int ellipsis = shown.indexOf(QChar(0x2026));
    QVERIFY(ellipsis > 0);
    QVERIFY(text.startsWith(shown.left(ellipsis)));
    QVERIFY(text.endsWith(shown.mid(ellipsis + 1)));
    QVERIFY(!shown.at(ellipsis - 1).isHighSurrogate());
    QVERIFY(!shown.at(ellipsis + 1).isLowSurrogate());
}

void tst_ElidedText::elidedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");

    const QString longLine(1000, QLatin1Char('l'));
    QStringList many;
    for (int i = 0; i < MaxShownLines + 5; ++i)
        many << QString::number(i);
    QTest::newRow("short lines stay") << "a\nb\n"_s << QStringList{"a"_s, "b"_s, QString()};
    QTest::newRow("each long line is elided")
        << "a\n"_s + longLine << QStringList{"a"_s, ::elidedText(longLine)};
    QTest::newRow("lines past the last shown are one ellipsis")
        << many.join(QLatin1Char('\n'))
        << many.mid(0, MaxShownLines) + QStringList{QString(QChar(0x2026))};
}

void tst_ElidedText::elidedLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    QCOMPARE(::elidedLines(text).split(QLatin1Char('\n')), shown);
}

QTEST_APPLESS_MAIN(tst_ElidedText)
#include "tst_elidedtext.moc"
