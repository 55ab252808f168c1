#include "lpsimcore.h"
#include "reflectionpoints.h"
#include "testtexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Corvane_LP::ReflectionPoints;

namespace {

struct Reading
{
    Reading(const QString &path, const QString &coefficient = {})
        : ok(Corvane_LP::readReflectionPoints(QFile::encodeName(path).toStdString(),
                                              coefficient.toStdString(), points, errorText))
        , error(QString::fromStdString(errorText))
    {}

    ReflectionPoints points;
    std::string errorText;
    bool ok;
    QString error;
};

QStringList namesOf(const std::vector<ReflectionPoints::Variable> &variables)
{
    QStringList names;
    for (const ReflectionPoints::Variable &variable : variables)
        names << QString::fromStdString(variable.name) +
                     (variable.unit.empty() ? QString()
                                            : " "_s + QString::fromStdString(variable.unit)) +
                     (variable.complex ? " complex"_s : QString());
    return names;
}

QStringList namesOf(const std::vector<std::string> &names)
{
    QStringList result;
    for (const std::string &name : names)
        result << QString::fromStdString(name);
    return result;
}

// "frequency held...: re,im values... | ..." for every group, to compare with a table.
QStringList groupsOf(const ReflectionPoints &points)
{
    QStringList groups;
    for (const ReflectionPoints::Group &group : points.groups) {
        QStringList held{QString::number(group.frequency)};
        for (double value : group.held)
            held << QString::number(value);
        QStringList measured;
        for (const ReflectionPoints::Point &point : group.points) {
            QStringList values{QString::number(point.re) + u',' + QString::number(point.im)};
            for (double value : point.values)
                values << QString::number(value);
            for (const std::complex<double> &value : point.complexValues)
                values << QString::number(value.real()) + u',' + QString::number(value.imag());
            measured << values.join(u' ');
        }
        groups << held.join(u' ') + ": "_s + measured.join(" | "_s);
    }
    return groups;
}

} // namespace

// The points of a reflection coefficient, as a chart of the data needs them: grouped by
// frequency and the other swept variables, with the performance values at each point.
class TestReflectionPoints : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pointsAreGroupedAndValued_data();
    void pointsAreGroupedAndValued();
    void coefficientsThatAreNotDeclared_data();
    void coefficientsThatAreNotDeclared();

private:
    QString write(const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_files = 0;
};

void TestReflectionPoints::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    closeDataBasedLoadpullUI();
}

QString TestReflectionPoints::write(const QByteArray &contents)
{
    QFile file(m_dir->filePath(QString::number(++m_files) + ".lp"_s));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write the test file %s", qPrintable(file.fileName()));
    return file.fileName();
}

void TestReflectionPoints::pointsAreGroupedAndValued_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QStringList>("quantities");
    QTest::addColumn<QStringList>("groups"); // as groupsOf writes them

    const QByteArray sig = "LPDATA 1\n";
    QTest::newRow("no frequency, no other variable: one group in file order")
        << sig + "GAMMA=<g>\nOUT=<P>, Units=<dBm>\nRe(g) Im(g) P\n0.5 0 30\n0 -0.5 31\n"
        << QString() << QStringList{"g"_s} << QStringList{"P dBm"_s}
        << QStringList{"0: 0.5,0 30 | 0,-0.5 31"_s};
    QTest::newRow("by frequency, then drive level; a frequency's blocks merge")
        << sig + "VAR=<F>, Units=<GHz>\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                 "Pin Re(g) Im(g) P\nF = 2\n20 0.1 0 1\n10 0.1 0 2\nF = 1\n20 0.2 0 3\n"
                 "F = 2\n20 0.3 0 4\n"
        << QString() << QStringList{"g"_s} << QStringList{"P None"_s}
        << QStringList{"1 20: 0.2,0 3"_s, "2 10: 0.1,0 2"_s, "2 20: 0.1,0 1 | 0.3,0 4"_s};
    QTest::newRow("a point measured again keeps its first values")
        << sig + "GAMMA=<g>\nOUT=<P>\nRe(g) Im(g) P\n0.1 0.2 5\n0.3 0 6\n0.1 0.2 7\n"
        << QString() << QStringList{"g"_s} << QStringList{"P None"_s}
        << QStringList{"0: 0.1,0.2 5 | 0.3,0 6"_s};
    QTest::newRow("polar domains still read real and imaginary columns")
        << sig + "GAMMA=<gm>, Domain=<Polar-Mag>\nGAMMA=<gp>, Domain=<Polar-Phase>\n"
                 "OUT=<P>\nRe(gm) Im(gm) Re(gp) Im(gp) P\n-0.6 0.8 0 0.9 1\n-0.6 0.8 -0.5 0 2\n"
        << "gp"_s << QStringList{"gm"_s, "gp"_s} << QStringList{"P None"_s}
        << QStringList{"0 -0.6 0.8: 0,0.9 1 | -0.5,0 2"_s};
    QTest::newRow("a fixed coefficient is one point, at its value")
        << sig + "GAMMA=<gs>, Value=<0.3, -0.4>\nGAMMA=<gl>\nOUT=<P>\n"
                 "Re(gl) Im(gl) P\n0.1 0 1\n0.2 0 2\n0.1 0 3\n"
        << "gs"_s << QStringList{"gs"_s, "gl"_s} << QStringList{"P None"_s}
        << QStringList{"0 0.1 0: 0.3,-0.4 1"_s, "0 0.2 0: 0.3,-0.4 2"_s};
    QTest::newRow("without a name, the first measured coefficient")
        << sig + "GAMMA=<gs>, Value=<0.3, -0.4>\nGAMMA=<gl>\nOUT=<P>\nRe(gl) Im(gl) P\n0.1 0 1\n"
        << QString() << QStringList{"gs"_s, "gl"_s} << QStringList{"P None"_s}
        << QStringList{"0: 0.1,0 1"_s};
    QTest::newRow("a complex quantity by its magnitude, in declaration order")
        << sig + "OUT=<V>, Complex=<yes>, Units=<V>\nGAMMA=<g>\nOUT=<P>\n"
                 "P Re(g) Im(g) Re(V) Im(V)\n1 0 0 3 -4\n"
        << QString() << QStringList{"g"_s} << QStringList{"V V complex"_s, "P None"_s}
        << QStringList{"0: 0,0 5 1 3,-4"_s};
}

void TestReflectionPoints::pointsAreGroupedAndValued()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, coefficient);
    QFETCH(QStringList, coefficients);
    QFETCH(QStringList, quantities);
    QFETCH(QStringList, groups);

    const Reading reading(write(contents), coefficient);
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QCOMPARE(namesOf(reading.points.coefficients), coefficients);
    QCOMPARE(namesOf(reading.points.quantities), quantities);
    QCOMPARE(groupsOf(reading.points), groups);
}

void TestReflectionPoints::coefficientsThatAreNotDeclared_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("after"); // what follows the quoted path

    const QByteArray file = "LPDATA 1\nVAR=<x>\nGAMMA=<g>\nRe(g) Im(g) x\n0 0 1\n";
    QTest::newRow("a swept variable") << file << "x"_s
                                      << " declares no reflection coefficient 'x'."_s;
    QTest::newRow("letter case counts") << file << "G"_s
                                        << " declares no reflection coefficient 'G'."_s;
    QTest::newRow("none at all") << QByteArray("LPDATA 1\nVAR=<x>\nx\n1\n") << QString()
                                 << " declares no reflection coefficient."_s;
}

// A file the query refuses is refused in the query's words: see TestLpSimCore::errorsNameTheFile.
void TestReflectionPoints::coefficientsThatAreNotDeclared()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, coefficient);
    QFETCH(QString, after);

    const QString path = write(contents);
    const Reading reading(path, coefficient);
    QVERIFY(!reading.ok);
    QCOMPARE(reading.error, "Load-pull data file \""_s + path + u'"' + after);
    QVERIFY(reading.points.groups.empty());
}

QTEST_GUILESS_MAIN(TestReflectionPoints)
#include "tst_reflectionpoints.moc"
