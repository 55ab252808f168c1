// Parse rate of the load-pull data library on a generated file of about 100 MB (set
// LP_BENCH_MEGABYTES for another size), beside `wc -l`, beside reading the file with QFile and
// beside a bare loop that only converts every number with std::from_chars; and the time of a
// query that the cache answers.

#include "datafilewriter.h"
#include "exampledatasets.h"
#include "lpsimcore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <vector>

namespace {

constexpr int rounds = 5;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Converts every number of the text and nothing else; the sum keeps the work from vanishing.
double sumOfAllNumbers(const std::string &text)
{
    const char *at = text.data();
    const char *end = at + text.size();
    double sum = 0.0;
    while (at != end) {
        if (isSpace(*at)) {
            ++at;
            continue;
        }
        double value = 0.0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error == std::errc()) {
            sum += value;
            at = next;
            continue;
        }
        while (at != end && !isSpace(*at))
            ++at;
    }
    return sum;
}

bool query(const std::string &path)
{
    Corvane_LP::LoadpullUI ui;
    return queryLoadpullFile({path}, {}, 1, ui);
}

// One contender of the rate comparison: its work and its best time so far.
struct Contender
{
    const char *name;
    std::function<bool()> work;
    qint64 best = std::numeric_limits<qint64>::max();
};

} // namespace

class BenchLpSimCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parseRateBesideWcAndTheBareLoop();
    void queryAnsweredByTheCache();

private:
    double megabytesPerSecond(qint64 nanoseconds) const;

    QTemporaryDir m_dir;
    QString m_path;
    std::string m_encodedPath;
    std::string m_text;
};

void BenchLpSimCore::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const int megabytes = qEnvironmentVariableIsSet("LP_BENCH_MEGABYTES")
                              ? qEnvironmentVariableIntValue("LP_BENCH_MEGABYTES")
                              : 100;
    QVERIFY(megabytes > 0);
    m_text = LpDataGen::generateDataFile(
        LpDataGen::largeFilePlan(static_cast<std::size_t>(megabytes) * 1000 * 1000));
    m_path = m_dir.filePath(QStringLiteral("large.lp"));
    m_encodedPath = QFile::encodeName(m_path).toStdString();
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(m_text.data(), static_cast<qint64>(m_text.size())),
             static_cast<qint64>(m_text.size()));
    qInfo("file: %.1f MB", m_text.size() / 1e6);
}

// The contenders take turns, round after round, so that a busy spell of the machine hits them
// alike; each keeps its best round.
void BenchLpSimCore::parseRateBesideWcAndTheBareLoop()
{
    std::vector<Contender> contenders = {
        {"wc -l",
         [this] {
             QProcess wc;
             wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), m_path});
             return wc.waitForFinished(-1) && wc.exitCode() == 0;
         }},
        {"QFile::readAll",
         [this] {
             QFile file(m_path);
             return file.open(QIODevice::ReadOnly) &&
                    static_cast<std::size_t>(file.readAll().size()) == m_text.size();
         }},
        {"from_chars bare loop",
         [this] {
             return sumOfAllNumbers(m_text) != 0.0;
         }},
        {"query, uncached", [this] {
             closeDataBasedLoadpullUI();
             return query(m_encodedPath);
         }}};

    for (int round = 0; round < rounds; ++round) {
        for (Contender &contender : contenders) {
            QElapsedTimer timer;
            timer.start();
            QVERIFY2(contender.work(), contender.name);
            contender.best = std::min(contender.best, timer.nsecsElapsed());
        }
    }
    for (const Contender &contender : contenders)
        qInfo("%-22s %6.0f MB/s", contender.name, megabytesPerSecond(contender.best));
    const qint64 bareLoop = contenders[2].best;
    const qint64 parse = contenders[3].best;
    qInfo("the uncached query runs at %.0f%% of the bare loop's rate", 100.0 * bareLoop / parse);
}

// QtTest reports the time per query.
void BenchLpSimCore::queryAnsweredByTheCache()
{
    QVERIFY(query(m_encodedPath));
    QBENCHMARK
    {
        QVERIFY(query(m_encodedPath));
    }
}

double BenchLpSimCore::megabytesPerSecond(qint64 nanoseconds) const
{
    return m_text.size() / 1e6 / (nanoseconds / 1e9);
}

QTEST_GUILESS_MAIN(BenchLpSimCore)
#include "bench_lpsimcore.moc"
