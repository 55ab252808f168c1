#include "intorvarvalidator.h"
#include "natorvarvalidator.h"
#include "realorvarvalidator.h"

#include <QLineEdit>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

std::unique_ptr<QValidator> makeValidator(const QString &kind)
{
    if (kind == QLatin1String("real"))
        return std::make_unique<RealOrVarValidator>();
    if (kind == QLatin1String("int"))
        return std::make_unique<IntOrVarValidator>();
    return std::make_unique<NatOrVarValidator>();
}

QValidator::State verdict(const QValidator &validator, QString text)
{
    int pos = 0;
    return validator.validate(text, pos);
}

} // namespace

class tst_Validators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void realOrVar_data();
    void realOrVar();
    void intOrVar_data();
    void intOrVar();
    void natOrVar_data();
    void natOrVar();
    void decimalSeparatorFollowsDefaultLocale();
    void fixup_data();
    void fixup();
    void lineEditFallsBackWhenLosingFocus_data();
    void lineEditFallsBackWhenLosingFocus();
};

void tst_Validators::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_Validators::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void tst_Validators::realOrVar_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");

    const auto row = [](const char *name, const char *input, QValidator::State state) {
        QTest::newRow(name) << QString::fromUtf8(input) << state;
    };
    row("the empty text may be typed on", "", QValidator::Intermediate);
    row("a decimal is a number", "1.5", QValidator::Acceptable);
    row("a negative integer is a number", "-20", QValidator::Acceptable);
    row("an exponent form is a number", "1e5", QValidator::Acceptable);
    row("a negative exponent is a number", "2e-3", QValidator::Acceptable);
    row("a lone sign may grow into a number", "-", QValidator::Intermediate);
    row("a mantissa with e may grow into a number", "1e", QValidator::Intermediate);
    row("e5 is an unfinished number, not a name", "e5", QValidator::Intermediate);
    row("E1 is an unfinished number, not a name", "E1", QValidator::Intermediate);
    row("eta is a variable name", "eta", QValidator::Acceptable);
    row("an underscore name is a variable name", "_x1", QValidator::Acceptable);
    row("a Greek name is a variable name",
        "\xce\x94"
        "f",
        QValidator::Acceptable);
    row("a number with a letter is refused", "5x", QValidator::Invalid);
    row("an expression is refused", "x-1", QValidator::Invalid);
    row("a number with a unit is refused", "1 GHz", QValidator::Invalid);
    row("a unit glued to the number is refused", "50Ohm", QValidator::Invalid);
    row("a name beginning with a digit is refused", "2x", QValidator::Invalid);
    row("a group separator is refused", "1,000", QValidator::Invalid);
    row("a group separator before decimals is refused", "1,000.5", QValidator::Invalid);
}

void tst_Validators::realOrVar()
{
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);

    const RealOrVarValidator validator;
    QString text = input;
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), expected);
    QCOMPARE(text, input);
}

void tst_Validators::intOrVar_data()
{
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");

    const auto row = [](const char *name, int bottom, const char *input, QValidator::State state) {
        QTest::newRow(name) << bottom << QString::fromUtf8(input) << state;
    };
    row("the empty text may be typed on", IntMin, "", QValidator::Intermediate);
    row("a lone sign is refused over the full range", IntMin, "-", QValidator::Invalid);
    row("a negative number pasted whole is taken", IntMin, "-5", QValidator::Acceptable);
    row("the smallest int is taken", IntMin, "-2147483648", QValidator::Acceptable);
    row("a status level name is taken", IntMin, "lvl", QValidator::Acceptable);
    row("a group separator is refused", IntMin, "1,000", QValidator::Invalid);
    row("a decimal is refused", IntMin, "1.5", QValidator::Invalid);
    row("a name beginning with a digit is refused", IntMin, "2x", QValidator::Invalid);
    row("zero is taken when the range starts at zero", 0, "0", QValidator::Acceptable);
    row("a number below the range is refused", 0, "-1", QValidator::Invalid);
    row("a number above the range is refused", 0, "2147483648", QValidator::Invalid);
}

void tst_Validators::intOrVar()
{
    QFETCH(int, bottom);
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);

    const IntOrVarValidator validator(bottom, IntMax);
    QString text = input;
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), expected);
    QCOMPARE(text, input);
    // Without a range the validator takes the whole int range.
    if (bottom == IntMin)
        QCOMPARE(verdict(IntOrVarValidator(), input), expected);
}

void tst_Validators::natOrVar_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");

    const auto row = [](const char *name, const char *input, QValidator::State state) {
        QTest::newRow(name) << QString::fromUtf8(input) << state;
    };
    row("the empty text may be typed on", "", QValidator::Intermediate);
    row("zero is refused, not left to grow", "0", QValidator::Invalid);
    row("a negative number is refused", "-3", QValidator::Invalid);
    row("one is the smallest natural number", "1", QValidator::Acceptable);
    row("the largest int is taken", "2147483647", QValidator::Acceptable);
    row("a number above the largest int is refused", "2147483648", QValidator::Invalid);
    row("a harmonic name is taken", "Nharm", QValidator::Acceptable);
    row("a Greek name is taken",
        "\xce\x94"
        "f",
        QValidator::Acceptable);
    row("a group separator is refused", "1,000", QValidator::Invalid);
    row("a name beginning with a digit is refused", "2x", QValidator::Invalid);
}

void tst_Validators::natOrVar()
{
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);

    const NatOrVarValidator validator;
    QString text = input;
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), expected);
    QCOMPARE(text, input);
}

void tst_Validators::decimalSeparatorFollowsDefaultLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const RealOrVarValidator validator;

    QCOMPARE(verdict(validator, QStringLiteral("1,5")), QValidator::Acceptable);
    QCOMPARE(verdict(validator, QStringLiteral("1.000")), QValidator::Invalid);
}

void tst_Validators::fixup_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("accepted");

    const auto row = [](const char *name, const char *kind, const char *accepted) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(accepted);
    };
    row("a real validator that accepted nothing gives the empty text", "real", "");
    row("an int validator that accepted nothing gives the empty text", "int", "");
    row("a natural validator that accepted nothing gives the empty text", "nat", "");
    row("a real validator falls back to its last accepted text", "real", "12");
    row("an int validator falls back to its last accepted text", "int", "12");
    row("a natural validator falls back to its last accepted text", "nat", "12");
}

void tst_Validators::fixup()
{
    QFETCH(QString, kind);
    QFETCH(QString, accepted);
    const auto validator = makeValidator(kind);

    if (!accepted.isEmpty()) {
        QCOMPARE(verdict(*validator, QStringLiteral("7")), QValidator::Acceptable);
        QCOMPARE(verdict(*validator, accepted), QValidator::Acceptable);
    }
    // Unfinished and refused texts are not remembered.
    QVERIFY(verdict(*validator, QStringLiteral("-")) != QValidator::Acceptable);
    QCOMPARE(verdict(*validator, QStringLiteral("2x")), QValidator::Invalid);
    QCOMPARE(verdict(*validator, QString()), QValidator::Intermediate);

    QString input = QStringLiteral("-");
    validator->fixup(input);
    QCOMPARE(input, accepted);
    input.clear();
    validator->fixup(input);
    QCOMPARE(input, accepted);
}

void tst_Validators::lineEditFallsBackWhenLosingFocus_data()
{
    QTest::addColumn<int>("replacingKey");
    QTest::addColumn<QString>("unfinished");

    QTest::newRow("a lone sign falls back") << int(Qt::Key_Minus) << QStringLiteral("-");
    QTest::newRow("nothing falls back") << int(Qt::Key_Delete) << QString();
}

void tst_Validators::lineEditFallsBackWhenLosingFocus()
{
    QFETCH(int, replacingKey);
    QFETCH(QString, unfinished);

    QLineEdit edit;
    edit.setValidator(new RealOrVarValidator(&edit));
    QTest::keyClicks(&edit, QStringLiteral("12"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key(replacingKey));
    QCOMPARE(edit.text(), unfinished);

    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&edit, &focusOut);

    QCOMPARE(edit.text(), QStringLiteral("12"));
}

QTEST_MAIN(tst_Validators)

#include "tst_validators.moc"
