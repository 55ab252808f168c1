// Parse rate of the load-pull data library on a generated file of about 100 MB (set
// LP_BENCH_MEGABYTES for another size), beside `wc -l`, beside reading the file with QFile and
// beside a bare loop that only converts every number with std::from_chars; the time of a
// query that the cache answers; a file whose values were chosen to share one slot of the
// distinct-value counter's table beside one of ordinary values; the peak memory of a query
// of a file that holds nothing but declarations; and a query of 50 files that share their
// variables or have their own.

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
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <malloc.h>

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

// One contender of a comparison: its work and its best time so far.
struct Contender
{
    const char *name;
    std::function<bool()> work;
    qint64 best = std::numeric_limits<qint64>::max();
};

// The contenders take turns, round after round, so that a busy spell of the machine hits them
// alike; each keeps its best round.
bool runInTurns(std::vector<Contender> &contenders)
{
    for (int round = 0; round < rounds; ++round) {
        for (Contender &contender : contenders) {
            QElapsedTimer timer;
            timer.start();
            if (!contender.work()) {
                qWarning("%s failed", contender.name);
                return false;
            }
            contender.best = std::min(contender.best, timer.nsecsElapsed());
        }
    }
    return true;
}

bool writeFile(const QString &path, const std::string &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
}

// The rows "x p" of one swept variable x, a row per value, each value written as short as it
// reads back exactly.
std::string sweepOf(const std::vector<double> &values)
{
    std::string text = "LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n";
    char number[32];
    for (double value : values) {
        const char *end = std::to_chars(number, number + sizeof number, value).ptr;
        text.append(number, static_cast<std::size_t>(end - number)).append(" 1\n");
    }
    return text;
}

bool isNormal(std::uint64_t bits)
{
    const std::uint64_t exponent = (bits >> 52) & 0x7ff;
    return exponent != 0 && exponent != 0x7ff;
}

double doubleOf(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The multiplicative inverse of an odd number modulo 2^64, by Newton's iteration.
std::uint64_t inverseOf(std::uint64_t odd)
{
    std::uint64_t inverse = odd;
    for (int step = 0; step < 5; ++step)
        inverse *= 2 - odd * inverse;
    return inverse;
}

// Values that all share home slot 0 of every table of up to 2^24 slots under the fixed hash
// that the distinct-value counter once used: mix = (b ^ b >> 31) * K, hash = mix ^ mix >> 32.
// Each step inverts, so the bits of a value follow from the hash it should have.
std::vector<double> valuesAimedAtOneSlot(std::size_t count)
{
    const std::uint64_t inverse = inverseOf(0xbf58476d1ce4e5b9ULL);
    std::vector<double> values;
    for (std::uint64_t index = 1; values.size() < count; ++index) {
        const std::uint64_t hash = index << 24;
        const std::uint64_t folded = (hash ^ (hash >> 32)) * inverse;
        const std::uint64_t bits = folded ^ (folded >> 31) ^ (folded >> 62);
        if (isNormal(bits))
            values.push_back(doubleOf(bits));
    }
    return values;
}

// Values of the same kind with random bits: as many digits, nothing aimed.
std::vector<double> ordinaryValues(std::size_t count)
{
    std::mt19937_64 generator(2024);
    std::vector<double> values;
    while (values.size() < count) {
        const std::uint64_t bits = generator();
        if (isNormal(bits))
            values.push_back(doubleOf(bits));
    }
    return values;
}

// Resident memory in kB from /proc/self/status: VmRSS now, VmHWM the peak since the last reset.
long long statusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stoll(line.substr(field.size() + 1));
    }
    return -1;
}

// How much the resident memory grows at its peak while `work` runs. Freed memory that the
// process still holds is given back first, so that the work cannot reuse it unseen.
long long peakGrowthKiB(const std::function<void()> &work)
{
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5"; // resets VmHWM to VmRSS
    const long long before = statusKiB("VmRSS");
    work();
    return statusKiB("VmHWM") - before;
}

} // namespace

class BenchLpSimCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parseRateBesideWcAndTheBareLoop();
    void queryAnsweredByTheCache();
    void valuesAimedAtOneSlotBesideOrdinaryValues();
    void peakMemoryOfADeclarationsOnlyFile();
    void queryTimeGrowsWithTheDeclarations();
    void queryOfManyFiles_data();
    void queryOfManyFiles();
    void memoryKeptAfterAQuery();
    void aGigabyteOfZeroBytes();

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
    QVERIFY(writeFile(m_path, m_text));
    qInfo("file: %.1f MB", m_text.size() / 1e6);
}

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

    QVERIFY(runInTurns(contenders));
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

// 400,000 distinct values make about 10 MB. Under a hash that a file can aim at, every value
// lands in one slot and counting them grows with the square of their number.
void BenchLpSimCore::valuesAimedAtOneSlotBesideOrdinaryValues()
{
    constexpr std::size_t count = 400000;
    const std::string aimed = sweepOf(valuesAimedAtOneSlot(count));
    const std::string ordinary = sweepOf(ordinaryValues(count));
    const QString aimedPath = m_dir.filePath(QStringLiteral("aimed.lp"));
    const QString ordinaryPath = m_dir.filePath(QStringLiteral("ordinary.lp"));
    QVERIFY(writeFile(aimedPath, aimed) && writeFile(ordinaryPath, ordinary));
    const auto countsAll = [](const QString &path) {
        closeDataBasedLoadpullUI();
        Corvane_LP::LoadpullUI ui;
        return queryLoadpullFile({QFile::encodeName(path).toStdString()}, {}, 1, ui) &&
               ui.variables.front()->maxNumPoints() == static_cast<int>(count);
    };
    std::vector<Contender> contenders = {{"values aimed at one slot",
                                          [&] {
                                              return countsAll(aimedPath);
                                          }},
                                         {"ordinary values", [&] {
                                              return countsAll(ordinaryPath);
                                          }}};
    QVERIFY(runInTurns(contenders));
    qInfo("aimed: %.1f MB, %.3f s; ordinary: %.1f MB, %.3f s; aimed / ordinary: %.2f",
          aimed.size() / 1e6, contenders[0].best / 1e9, ordinary.size() / 1e6,
          contenders[1].best / 1e9, double(contenders[0].best) / double(contenders[1].best));
}

// A million and a half declarations "VAR=<v123>", and nothing else: the query fails at the end
// of the file, after every declaration has been read and checked.
void BenchLpSimCore::peakMemoryOfADeclarationsOnlyFile()
{
    std::string text = "LPDATA 1\n";
    for (int index = 0; index < 1500000; ++index)
        text += "VAR=<v" + std::to_string(index) + ">\n";
    const QString path = m_dir.filePath(QStringLiteral("declarations.lp"));
    QVERIFY(writeFile(path, text));
    closeDataBasedLoadpullUI();
    std::string error;
    const long long growth = peakGrowthKiB([&] {
        Corvane_LP::LoadpullUI ui;
        queryLoadpullFile({QFile::encodeName(path).toStdString()}, {}, 1, ui);
        error = ui.errorText;
    });
    QVERIFY2(error.find("holds no data rows") != std::string::npos, error.c_str());
    qInfo("declarations only: %.1f MB file, the query's peak adds %.1f MB, %.1f times the file",
          text.size() / 1e6, growth * 1024 / 1e6, growth * 1024.0 / text.size());
}

// A file of `quantities` performance quantities named prefix0, prefix1, ..., each a column,
// and 16 rows.
std::string wideFile(int quantities, const std::string &prefix = "q")
{
    std::string text = "LPDATA 1\nVAR=<x>\n";
    std::string columns = "x";
    for (int q = 0; q < quantities; ++q) {
        text += "OUT=<" + prefix + std::to_string(q) + ">, Units=<dBm>\n";
        columns += ' ' + prefix + std::to_string(q);
    }
    text += columns + '\n';
    for (int row = 0; row < 16; ++row) {
        text += std::to_string(row);
        for (int q = 0; q < quantities; ++q)
            text += ' ' + std::to_string(20 + (row * 7 + q) % 500);
        text += '\n';
    }
    return text;
}

// Declarations and columns cost the same per item whatever their number: ten times as many
// take about ten times as long.
void BenchLpSimCore::queryTimeGrowsWithTheDeclarations()
{
    std::vector<QString> paths;
    for (int quantities : {1000, 10000}) {
        paths.push_back(m_dir.filePath(QStringLiteral("wide%1.lp").arg(quantities)));
        QVERIFY(writeFile(paths.back(), wideFile(quantities)));
    }
    const auto cold = [](const QString &path) {
        closeDataBasedLoadpullUI();
        return query(QFile::encodeName(path).toStdString());
    };
    std::vector<Contender> contenders = {{"1,000 declarations",
                                          [&] {
                                              return cold(paths[0]);
                                          }},
                                         {"10,000 declarations", [&] {
                                              return cold(paths[1]);
                                          }}};
    QVERIFY(runInTurns(contenders));
    qInfo("1,000 declarations: %.2f ms; 10,000: %.2f ms; ratio %.1f", contenders[0].best / 1e6,
          contenders[1].best / 1e6, double(contenders[1].best) / double(contenders[0].best));
}

void BenchLpSimCore::queryOfManyFiles_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("shared"); // else each file has 40 quantities of its own
    QTest::addColumn<bool>("cold");   // else the cache answers

    for (const bool cold : {true, false}) {
        const char *cache = cold ? "cold" : "warm";
        QTest::addRow("50 files, 40 quantities of their own each, %s", cache)
            << 50 << false << cold;
        QTest::addRow("100 files, 40 quantities of their own each, %s", cache)
            << 100 << false << cold;
        QTest::addRow("50 files sharing 40 quantities, %s", cache) << 50 << true << cold;
    }
}

// Combining the files costs as much per variable whether the files share their variables or
// not, and grows with files plus variables; a warning names each variable that some file lacks
// at most once.
void BenchLpSimCore::queryOfManyFiles()
{
    QFETCH(int, files);
    QFETCH(bool, shared);
    QFETCH(bool, cold);

    std::vector<std::string> paths;
    for (int file = 0; file < files; ++file) {
        const QString path =
            m_dir.filePath(QStringLiteral("%1%2.lp")
                               .arg(shared ? QStringLiteral("shared") : QStringLiteral("own"))
                               .arg(file));
        QVERIFY(writeFile(path, wideFile(40, shared ? "q" : 'q' + std::to_string(file) + '_')));
        paths.push_back(QFile::encodeName(path).toStdString());
    }
    Corvane_LP::LoadpullUI first;
    QVERIFY(queryLoadpullFile({}, paths, 1, first));
    // QtTest runs the function again until the time is measurable; the size is told once.
    static std::set<std::string> told;
    if (told.insert(QTest::currentDataTag()).second)
        qInfo("warning: %zu bytes", first.warningText.size());
    QBENCHMARK
    {
        if (cold)
            closeDataBasedLoadpullUI();
        Corvane_LP::LoadpullUI ui;
        QVERIFY(queryLoadpullFile({}, paths, 1, ui));
    }
}

// What the cache keeps of the large file once the query has returned: its summary, not the
// file. Counted by the allocator (bytes handed out) and by the kernel (resident pages).
void BenchLpSimCore::memoryKeptAfterAQuery()
{
    closeDataBasedLoadpullUI();
    ::malloc_trim(0);
    const long long residentBefore = statusKiB("VmRSS");
    const std::size_t allocatedBefore = ::mallinfo2().uordblks + ::mallinfo2().hblkhd;
    QVERIFY(query(m_encodedPath));
    ::malloc_trim(0);
    const long long resident = statusKiB("VmRSS") - residentBefore;
    const long long allocated =
        static_cast<long long>(::mallinfo2().uordblks + ::mallinfo2().hblkhd) -
        static_cast<long long>(allocatedBefore);
    qInfo("after a query of the %.1f MB file the cache keeps %.1f KB allocated, %lld KB resident",
          m_text.size() / 1e6, allocated / 1e3, resident);
}

// A file that is no load-pull data file, sparse, so that it takes no room on disk: its time to
// be refused and the memory that takes.
void BenchLpSimCore::aGigabyteOfZeroBytes()
{
    const QString path = m_dir.filePath(QStringLiteral("zeros.lp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30));
    const std::string encodedPath = QFile::encodeName(path).toStdString();
    std::vector<Contender> contenders = {{"a gigabyte of zero bytes", [&] {
                                              closeDataBasedLoadpullUI();
                                              return !query(encodedPath);
                                          }}};
    QVERIFY(runInTurns(contenders));
    closeDataBasedLoadpullUI();
    const long long growth = peakGrowthKiB([&] { query(encodedPath); });
    qInfo("a gigabyte of zero bytes: refused in %.3f ms, the query's peak adds %.1f MB",
          contenders[0].best / 1e6, growth * 1024 / 1e6);
}

double BenchLpSimCore::megabytesPerSecond(qint64 nanoseconds) const
{
    return m_text.size() / 1e6 / (nanoseconds / 1e9);
}

QTEST_GUILESS_MAIN(BenchLpSimCore)
#include "bench_lpsimcore.moc"
