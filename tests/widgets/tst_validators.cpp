#include "intorvarvalidator.h"
#include "natorvarvalidator.h"
#include "realorvarvalidator.h"
#include "variablename.h"

#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QValidator> makeValidator(const QString &kind)
{
    if (kind.startsWith(QLatin1String("real")))
        return std::make_unique<RealOrVarValidator>();
    if (kind.startsWith(QLatin1String("int")))
        return std::make_unique<IntOrVarValidator>();
    return std::make_unique<NatOrVarValidator>();
}

QString fixedUp(const QValidator &validator, QString text)
{
    validator.fixup(text);
    return text;
}

} // namespace

class tst_Validators : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }
    void verdictAndFixup_data();
    void verdictAndFixup();
};

void tst_Validators::verdictAndFixup_data()
{
    QTest::addColumn<QString>("kind"); // "name" is isVariableName, Acceptable meaning true
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("expected");

    const auto rows = [](const char *kind, QValidator::State state,
                         std::initializer_list<const char *> inputs) {
        for (const char *input : inputs)
            QTest::addRow("%s '%s'", kind, input)
                << QString::fromLatin1(kind) << QString::fromUtf8(input) << state;
    };
    rows("real", QValidator::Intermediate, {"", "1e", "e5"});
    rows("real", QValidator::Acceptable, {"1e5", "1.5", "eta"});
    rows("real", QValidator::Invalid, {"5x", "x-1", "1 GHz", "1,000"});
    // The host reads numbers with a dot, whatever the user's locale.
    rows("real in German", QValidator::Acceptable, {"1.5", "-2e-3"});
    rows("real in German", QValidator::Invalid, {"1,5", "1.000,5"});
    rows("int", QValidator::Intermediate, {""});
    rows("int", QValidator::Acceptable, {"-5"});
    rows("int", QValidator::Invalid, {"-", "2x", "1,000"});
    rows("int in German", QValidator::Invalid, {"1.000"});
    rows("nat", QValidator::Acceptable, {"1", "2147483647", "Nharm"});
    rows("nat", QValidator::Invalid, {"0", "-3", "2147483648"});
    rows("name", QValidator::Acceptable, {"_", "\u0394f", "x_\u0663"});
    rows("name", QValidator::Invalid, {"", "2x", "f 1"});
}

// fixup gives the last Acceptable text: nothing on a fresh validator, then "12" until the
// input itself is Acceptable.
void tst_Validators::verdictAndFixup()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QValidator::State, expected);
    if (kind == QLatin1String("name")) {
        QCOMPARE(isVariableName(input), expected == QValidator::Acceptable);
        return;
    }
    const auto validator = makeValidator(kind);
    if (kind.endsWith(QLatin1String("German")))
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(fixedUp(*validator, input), QString());
    QString text = QStringLiteral("12");
    int pos = 0;
    QCOMPARE(validator->validate(text, pos), QValidator::Acceptable);

    text = input;
    QCOMPARE(validator->validate(text, pos), expected);
    QCOMPARE(text, input);
    QCOMPARE(fixedUp(*validator, input),
             expected == QValidator::Acceptable ? input : QStringLiteral("12"));
}

QTEST_GUILESS_MAIN(tst_Validators)
#include "tst_validators.moc"
