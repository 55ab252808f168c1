#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <map>

namespace {

// Each measured row of the example's first file: (frequency, drive level, re, im) to Pout.
using Rows = std::map<std::tuple<double, double, double, double>, double>;

Rows rowsOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    Rows rows;
    double frequency = 0.0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.value(0) == "Freq")
            frequency = words.value(2).toDouble();
        else if (words.size() == 9 && words[0] != "Re(gamma_ld1)")
            rows[{frequency, words[2].toDouble(), words[0].toDouble(), words[1].toDouble()}] =
                words[3].toDouble();
    }
    return rows;
}

// The generated file's drive levels and the held one between them, in dBm.
constexpr double Lower = 10, Upper = 20, Held = 13.5;

// Vout at a load and drive level: from the lower drive level to the upper its magnitude
// doubles and its phase turns by 120 to 160 degrees, so that the domains part between them.
std::complex<double> voutAt(std::complex<double> load, double drive)
{
    const bool upper = drive == Upper;
    const double degrees = 40 + 30 * load.real() + (upper ? 140 + 40 * load.imag() : 0);
    return std::polar(upper ? 6 + load.imag() : 3 + 2 * load.real(), degrees * M_PI / 180);
}

void writeRotating(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream text(&file);
    text << "LPDATA 1\nVAR=<Freq>, Units=<GHz>, Type=<Frequency>\n"
            "VAR=<Pin_avail>, Units=<dBm>, Type=<Power>\nGAMMA=<gamma_ld1>\n"
            "OUT=<Vout>, Units=<V>, Complex=<yes>\n"
            "Re(gamma_ld1) Im(gamma_ld1) Pin_avail Re(Vout) Im(Vout)\nFreq = 1.8 GHz\n";
    for (double drive : {Lower, Upper}) {
        for (int i = 0; i < 16; ++i) {
            const std::complex<double> load(-0.6 + 0.3 * (i % 4), -0.45 + 0.3 * (i / 4));
            const std::complex<double> vout = voutAt(load, drive);
            text << load.real() << ' ' << load.imag() << ' ' << drive << ' '
                 << QString::number(vout.real(), 'g', 17) << ' '
                 << QString::number(vout.imag(), 'g', 17) << '\n';
        }
    }
}

} // namespace

// lp-host --preview as scripts run it, on the example component with linear interpolation.
class tst_PreviewCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chartsTheHeldSettings_data();
    void chartsTheHeldSettings();
    void chartsTheFirstFileThatHoldsTheFrequency();
    void saysWhyItCannotChart_data();
    void saysWhyItCannotChart();
    void complexQuantitiesInTheChosenDomain_data();
    void complexQuantitiesInTheChosenDomain();

private:
    int run(const QStringList &arguments, QByteArray *errors = nullptr);
    void writeComponent(const QString &heldValue, const QJsonObject &others = {});

    QTemporaryDir m_dir;
};

void tst_PreviewCommand::initTestCase()
{
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("data"))));
    for (const char *name : {"pa_two_frequencies.lp", "pa_upper_band.lp"})
        QVERIFY(QFile::copy(QStringLiteral(LP_EXAMPLES_DIR "/data/") + QLatin1String(name),
                            m_dir.filePath(QStringLiteral("data/")) + QLatin1String(name)));
}

void tst_PreviewCommand::writeComponent(const QString &heldValue, const QJsonObject &others)
{
    QFile example(QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QJsonObject component = QJsonDocument::fromJson(example.readAll()).object();
    QJsonObject parameters = component.value(QStringLiteral("parameters")).toObject();
    parameters.insert(QStringLiteral("InterpMode"), QJsonArray{QStringLiteral("Linear")});
    parameters.insert(QStringLiteral("IndepVarValue"), QJsonArray{heldValue});
    for (auto other = others.begin(); other != others.end(); ++other)
        parameters.insert(other.key(), other.value());
    component.insert(QStringLiteral("parameters"), parameters);
    QFile file(m_dir.filePath(QStringLiteral("component.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(component).toJson());
}

int tst_PreviewCommand::run(const QStringList &arguments, QByteArray *errors)
{
    QProcess host;
    host.start(QStringLiteral(LP_HOST_PATH),
               QStringList{m_dir.filePath(QStringLiteral("component.json"))} + arguments);
    host.waitForFinished(60000);
    if (errors)
        *errors = host.readAllStandardError();
    return host.exitStatus() == QProcess::NormalExit ? host.exitCode() : -1;
}

void tst_PreviewCommand::chartsTheHeldSettings_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("picked"); // --at
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("drive");
    QTest::newRow("measured") << "dbmtow( 18 ) "
                              << "Freq=1.8 GHz" << 1.8 << 18.0;
    QTest::newRow("between both") << "dbmtow( 24.5 ) "
                                  << "Freq=1.93 GHz" << 1.93 << 24.5;
    // Values picked are read as the chart and the design environment read them.
    QTest::newRow("picked with units glued on") << "2*x"
                                                << "Freq=1930MHz,Pin_avail=24.5dBm" << 1.93 << 24.5;
}

// The example measures the same loads at every condition, so each charted Pout is the
// bilinear blend of the four measured rows about it.
void tst_PreviewCommand::chartsTheHeldSettings()
{
    QFETCH(QString, held);
    QFETCH(QString, picked);
    QFETCH(double, frequency);
    QFETCH(double, drive);
    writeComponent(held);
    const QString out = m_dir.filePath(QStringLiteral("preview.json"));
    QCOMPARE(run({QStringLiteral("--preview"), out, QStringLiteral("--at"), picked,
                  QStringLiteral("--contour"), QStringLiteral("Pout")}),
             0);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject chart = QJsonDocument::fromJson(file.readAll()).object();
    const Rows rows = rowsOf(m_dir.filePath(QStringLiteral("data/pa_two_frequencies.lp")));
    const double frequencies[] = {1.8, 2.0}, drives[] = {10, 14, 18, 22, 26};
    const double tf = (frequency - 1.8) / 0.2;
    const int level = std::min(3, int((drive - 10) / 4));
    const double td = (drive - drives[level]) / 4;
    double weights = 0.0;
    for (const QJsonValue &between : chart.value(QStringLiteral("between")).toArray())
        weights += between.toObject().value(QStringLiteral("weight")).toDouble();
    QVERIFY(std::abs(weights - 1.0) < 1e-12);
    const QJsonArray points = chart.value(QStringLiteral("points")).toArray();
    QCOMPARE(points.size(), 25);
    for (const QJsonValue &value : points) {
        const QJsonArray point = value.toArray();
        const double re = point[0].toDouble(), im = point[1].toDouble();
        const auto at = [&](int f, int d) {
            return rows.at({frequencies[f], drives[d], re, im});
        };
        const double expected = (1 - tf) * ((1 - td) * at(0, level) + td * at(0, level + 1)) +
                                tf * ((1 - td) * at(1, level) + td * at(1, level + 1));
        QVERIFY2(
            std::abs(point[2].toDouble() - expected) < 1e-9,
            qPrintable(QStringLiteral("%1 against %2").arg(point[2].toDouble()).arg(expected)));
    }
}

void tst_PreviewCommand::chartsTheFirstFileThatHoldsTheFrequency()
{
    writeComponent(QStringLiteral("dbmtow( 18 ) "));
    const QString out = m_dir.filePath(QStringLiteral("upper.json"));
    QCOMPARE(run({QStringLiteral("--preview"), out, QStringLiteral("--at=Freq=2300 MHz")}), 0);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject condition = QJsonDocument::fromJson(file.readAll())
                                      .object()
                                      .value(QStringLiteral("condition"))
                                      .toObject();
    QCOMPARE(condition.value(QStringLiteral("file")).toString(),
             QStringLiteral("data/pa_upper_band.lp"));
    QVERIFY(condition.value(QStringLiteral("note"))
                .toString()
                .contains(QStringLiteral("Freq = 2.3 GHz lies between 2.2 GHz and 2.4 GHz")));
}

void tst_PreviewCommand::saysWhyItCannotChart_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    const QString out = QStringLiteral("--preview=out/p.png");
    QTest::newRow("a held expression") << "2*x" << QStringList{out} << 1 << "expression";
    QTest::newRow("a frequency no file holds")
        << "dbmtow( 18 ) " << QStringList{out, QStringLiteral("--at=Freq=2.1 GHz")} << 1
        << "No listed file holds 2.1 GHz";
    QTest::newRow("a quantity the file lacks")
        << "dbmtow( 18 ) " << QStringList{out, QStringLiteral("--contour=Psat")} << 1 << "Psat";
    QTest::newRow("a variable the file does not sweep")
        << "dbmtow( 18 ) " << QStringList{out, QStringLiteral("--at=Pin=20")} << 1
        << "sweeps no variable 'Pin' (it sweeps: Freq, Pin_avail)";
    QTest::newRow("a picture of another kind")
        << "dbmtow( 18 ) " << QStringList{QStringLiteral("--preview=p.gif")} << 2 << "p.gif";
    QTest::newRow("--at without a value")
        << "dbmtow( 18 ) " << QStringList{out, QStringLiteral("--at=Freq")} << 2 << "--at";
}

void tst_PreviewCommand::saysWhyItCannotChart()
{
    QFETCH(QString, held);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    writeComponent(held);
    QByteArray errors;
    QCOMPARE(run(arguments, &errors), exitCode);
    QVERIFY2(QString::fromUtf8(errors).contains(said), errors.constData());
}

void tst_PreviewCommand::complexQuantitiesInTheChosenDomain_data()
{
    QTest::addColumn<QString>("domain");
    QTest::newRow("rectangular") << "Rectangular";
    QTest::newRow("polar") << "Polar";
}

// Between the drive levels, the rectangular domain blends Vout's real and imaginary parts and
// the polar domain its magnitude: with the phase turning, their magnitudes differ.
void tst_PreviewCommand::complexQuantitiesInTheChosenDomain()
{
    QFETCH(QString, domain);
    writeRotating(m_dir.filePath(QStringLiteral("data/rotating.lp")));
    const QJsonArray one{QStringLiteral("1")};
    writeComponent(QStringLiteral("dbmtow( %1 ) ").arg(Held),
                   {{QStringLiteral("FileName"), QJsonArray{QStringLiteral("data/rotating.lp")}},
                    {QStringLiteral("InterpDom"), QJsonArray{domain}},
                    {QStringLiteral("GammaName"), QJsonArray{QStringLiteral("gamma_ld1")}},
                    {QStringLiteral("GammaDomain"), QJsonArray{QStringLiteral("Rect-Real")}},
                    {QStringLiteral("GammaHarmIndex"), one},
                    {QStringLiteral("GammaType"), QJsonArray{QStringLiteral("Load")}},
                    {QStringLiteral("GammaValue"), QJsonArray{QStringLiteral("Independent")}},
                    {QStringLiteral("PrfmParamAutoPlot"), QJsonArray{QStringLiteral("yes")}},
                    {QStringLiteral("PrfmParamName"), QJsonArray{QStringLiteral("Vout")}},
                    {QStringLiteral("PrfmParamOutput"), QJsonArray{QStringLiteral("yes")}},
                    {QStringLiteral("PrfmParamType"), QJsonArray{QStringLiteral("Complex")}}});
    const QString out = m_dir.filePath(QStringLiteral("rotating.json"));
    QCOMPARE(run({QStringLiteral("--preview"), out, QStringLiteral("--contour=Vout")}), 0);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject chart = QJsonDocument::fromJson(file.readAll()).object();
    QVERIFY(
        chart.value(QStringLiteral("condition"))
            .toObject()
            .value(QStringLiteral("note"))
            .toString()
            .contains(
                QStringLiteral("|Vout| is interpolated in the %1 domain").arg(domain.toLower())));
    const double t = (Held - Lower) / (Upper - Lower);
    const QJsonArray points = chart.value(QStringLiteral("points")).toArray();
    QCOMPARE(points.size(), 16);
    for (const QJsonValue &value : points) {
        const QJsonArray point = value.toArray();
        const std::complex<double> load(point[0].toDouble(), point[1].toDouble());
        const std::complex<double> lower = voutAt(load, Lower), upper = voutAt(load, Upper);
        const double rectangular = std::abs((1 - t) * lower + t * upper);
        const double polar = (1 - t) * std::abs(lower) + t * std::abs(upper);
        QVERIFY(polar - rectangular > 1);
        const double expected = domain == QLatin1String("Polar") ? polar : rectangular;
        QVERIFY2(
            std::abs(point[2].toDouble() - expected) < 1e-9,
            qPrintable(QStringLiteral("%1 against %2").arg(point[2].toDouble()).arg(expected)));
    }
}

QTEST_GUILESS_MAIN(tst_PreviewCommand)
#include "tst_previewcommand.moc"
