#include "lpsimcore.h"
#include "reflectionpoints.h"
#include "testtexts.h"
#include "textscan.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <numeric>

#include <sys/stat.h>
#include <utime.h>

using Corvane_LP::VarInfoUI;

namespace {

// Allocations that fail on demand, on this thread only: armed, the allocation numbered failAt
// (0: the next one) throws std::bad_alloc, and with keepFailing every one after it too.
struct AllocationFailures
{
    long long counted = 0;
    long long failAt = -1; // -1: not armed
    bool keepFailing = false;
    bool failed = false;
};

thread_local AllocationFailures allocationFailures;

bool allocationFails()
{
    AllocationFailures &failures = allocationFailures;
    if (failures.failAt < 0)
        return false;
    const long long number = failures.counted++;
    const bool fails =
        number == failures.failAt || (failures.keepFailing && number > failures.failAt);
    failures.failed = failures.failed || fails;
    return fails;
}

// Arms the failures for its lifetime.
class FailingAllocations
{
public:
    FailingAllocations(long long failAt, bool keepFailing)
    {
        allocationFailures = AllocationFailures{0, failAt, keepFailing, false};
    }
    ~FailingAllocations() { allocationFailures.failAt = -1; }
    FailingAllocations(const FailingAllocations &) = delete;
    FailingAllocations &operator=(const FailingAllocations &) = delete;

    bool anyFailed() const { return allocationFailures.failed; }
};

} // namespace

void *operator new(std::size_t size)
{
    if (allocationFails())
        throw std::bad_alloc();
    if (void *memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void *memory) noexcept
{
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

std::vector<std::string> encoded(const QStringList &paths)
{
    std::vector<std::string> result;
    for (const QString &path : paths)
        result.push_back(QFile::encodeName(path).toStdString());
    return result;
}

struct Query
{
    Query(const QStringList &add, const QStringList &keep = {}, int mode = 1)
        : ok(queryLoadpullFile(encoded(add), encoded(keep), mode, ui))
        , error(QString::fromStdString(ui.errorText))
        , warning(QString::fromStdString(ui.warningText))
    {}

    Corvane_LP::LoadpullUI ui;
    bool ok;
    QString error;
    QString warning;
};

// "name unit/unitType [g<type>h<harmonic>d<domain>] [complex] minPoints-maxPoints[ lo..hi]"
QString describe(const VarInfoUI *v, bool withRange = true)
{
    QString text = QString::asprintf("%s %s/%s", v->getName().c_str(), v->getUnitStr().c_str(),
                                     v->getUnitTypeStr().c_str());
    if (v->isGamma())
        text += QString::asprintf(" g%dh%ud%d", v->gammaType(), v->harmonicIndex(), v->domain());
    if (v->isComplex())
        text += " complex"_s;
    text += QString::asprintf(" %d-%d", v->minNumPoints(), v->maxNumPoints());
    return withRange ? text + QString::asprintf(" %.4g..%.4g", v->lowest, v->highest) : text;
}

// Rows per block, then the variables, then the performance quantities (by default without
// their range).
QStringList reported(const Query &query, bool quantityRanges = false)
{
    QStringList lines{"rows %1-%2"_s.arg(query.ui.minNumPoints).arg(query.ui.maxNumPoints)};
    for (const VarInfoUI *variable : query.ui.variables)
        lines << describe(variable);
    for (const VarInfoUI *quantity : query.ui.performanceVariables)
        lines << "out "_s + describe(quantity, quantityRanges);
    return lines;
}

// In expected warnings, @1, @2, ... stand for the quoted paths of the files, in query order.
QString withPaths(QString text, const QStringList &paths)
{
    for (int file = paths.size(); file > 0; --file)
        text.replace(u'@' + QString::number(file), u'"' + paths.at(file - 1) + u'"');
    return text;
}

// The test's own table of units, apart from the library's: each unit's type, its size in the
// type's base unit, and whether its values are decibels above that size.
struct TestUnit
{
    const char *name;
    int type;
    double size;
    bool decibels = false;
};

constexpr TestUnit testUnits[] = {
    {"Hz", 0, 1},        {"kHz", 0, 1e3}, {"MHz", 0, 1e6}, {"GHz", 0, 1e9}, {"THz", 0, 1e12},
    {"W", 1, 1},         {"mW", 1, 1e-3}, {"uW", 1, 1e-6}, {"kW", 1, 1e3},  {"dBm", 1, 1e-3, true},
    {"dBW", 1, 1, true}, {"V", 2, 1},     {"mV", 2, 1e-3}, {"uV", 2, 1e-6}, {"kV", 2, 1e3},
    {"A", 3, 1},         {"mA", 3, 1e-3}, {"uA", 3, 1e-6}, {"Ohm", 4, 1},   {"mOhm", 4, 1e-3},
    {"kOhm", 4, 1e3},    {"MOhm", 4, 1e6}};
constexpr int frequencyType = 0, powerType = 1, unitTypes = 5;

const TestUnit &testUnit(const QString &name)
{
    return *std::find_if(std::begin(testUnits), std::end(testUnits), [&name](const TestUnit &unit) {
        return name == QLatin1String(unit.name);
    });
}

// The value in unit `to`, through the base unit.
double converted(double value, const QString &from, const QString &to)
{
    const TestUnit &a = testUnit(from), &b = testUnit(to);
    const double base = a.decibels ? a.size * std::pow(10.0, value / 10.0) : value * a.size;
    return b.decibels ? 10.0 * std::log10(base / b.size) : base / b.size;
}

// A file of the union property in the notation "mV -24 32 dBm 10 20": the unit, lowest and
// highest value of a variable v (the frequency variable in a frequency unit), then of a
// performance quantity p.
QByteArray unionFile(const QString &notation)
{
    const QStringList w = notation.split(u' ');
    const QString rows = testUnit(w.at(0)).type == frequencyType ? "p\nv = %2\n%5\nv = %3\n%6\n"_s
                                                                 : "v p\n%2 %5\n%3 %6\n"_s;
    return QString("LPDATA 1\nVAR=<v>, Units=<%1>\nOUT=<p>, Units=<%4>\n"_s + rows)
        .arg(w.at(0), w.at(1), w.at(2), w.at(3), w.at(4), w.at(5))
        .toUtf8();
}

bool nearlyEqual(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// Each range as reported beside the test's own, over all files in the first file's unit: empty
// when they agree.
QString flawOfRanges(const Query &query, const QStringList &files)
{
    if (!query.ok || !query.warning.isEmpty())
        return query.error + query.warning;
    const VarInfoUI *reported[] = {query.ui.variables.at(0), query.ui.performanceVariables.at(0)};
    for (int part = 0; part < 2; ++part) {
        const QString unit = files.front().section(u' ', 3 * part, 3 * part);
        double lowest = HUGE_VAL, highest = -HUGE_VAL;
        for (const QString &file : files) {
            const QStringList w = file.split(u' ').mid(3 * part, 3);
            lowest = std::min(lowest, converted(w.at(1).toDouble(), w.at(0), unit));
            highest = std::max(highest, converted(w.at(2).toDouble(), w.at(0), unit));
        }
        const VarInfoUI *v = reported[part];
        if (QString::fromStdString(v->getUnitStr()) != unit || !nearlyEqual(v->lowest, lowest) ||
            !nearlyEqual(v->highest, highest))
            return describe(v) + " against "_s + unit + u' ' + QString::number(lowest, 'g', 17) +
                   ".."_s + QString::number(highest, 'g', 17);
    }
    return {};
}

// A random unit of the type and a range in it, "mV -24 32": powers and frequencies positive,
// so that each has a value in decibels.
QString randomRange(QRandomGenerator &random, int type)
{
    std::vector<const TestUnit *> units;
    for (const TestUnit &unit : testUnits) {
        if (unit.type == type)
            units.push_back(&unit);
    }
    const TestUnit &unit = *units.at(random.bounded(int(units.size())));
    const auto value = [&] {
        const double base = std::pow(10.0, -6 + 16 * random.generateDouble());
        const bool negative = type > powerType && random.bounded(2);
        // The first unit of each type is its base unit.
        return converted(negative ? -base : base, QLatin1String(units.front()->name),
                         QLatin1String(unit.name));
    };
    const auto text = [](double value) {
        return QString::number(value, 'g', 6);
    };
    const double a = text(value()).toDouble(), b = text(value()).toDouble();
    return QLatin1String(unit.name) + u' ' + text(std::min(a, b)) + u' ' + text(std::max(a, b));
}

} // namespace

class TestLpSimCore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void filesOfOneUnitTypeHaveRangesInTheFirstFilesUnit_data();
    void filesOfOneUnitTypeHaveRangesInTheFirstFilesUnit();
    void filesUsedTogetherTellWhereTheyDisagree_data();
    void filesUsedTogetherTellWhereTheyDisagree();
    void aNameInTwoRolesIsRefusedInAnyOrder_data();
    void aNameInTwoRolesIsRefusedInAnyOrder();
    void theWarningGrowsWithTheVariablesNotTheFiles_data();
    void theWarningGrowsWithTheVariablesNotTheFiles();
    void declarationsThatDisagreeAreToldAttributeByAttribute_data();
    void declarationsThatDisagreeAreToldAttributeByAttribute();
    void filesReportWhatTheyDeclare_data();
    void filesReportWhatTheyDeclare();
    void numbersReadAsFromCharsReadsThem();
    void magnitudesOfPartsNearTheEndsOfTheRange_data();
    void magnitudesOfPartsNearTheEndsOfTheRange();
    void errorsNameTheFile_data();
    void errorsNameTheFile();
    void noFilesOrAnotherMode();
    void onlyFilesThatLookChangedAreReadAgain_data();
    void onlyFilesThatLookChangedAreReadAgain();
    void largeFilesThatAreNoDataAreRefusedFromTheirFirstBytes_data();
    void largeFilesThatAreNoDataAreRefusedFromTheirFirstBytes();
    void queriesThatRunOutOfMemoryFailWithAText_data();
    void queriesThatRunOutOfMemoryFailWithAText();
    void gettersThatFindNoMemoryGiveEmptyTexts();

private:
    // A new file (or the named one, rewritten) in the test's folder.
    QString write(const QByteArray &contents, const QString &name = {});
    // Sample files' names, or files' contents when they hold a line break.
    QStringList pathsOf(const QByteArrayList &entries);
    // The files queried in every order, each order beside the test's own ranges.
    QString flawOfUnion(const QStringList &files);
    QStringList shrunk(QStringList files);

    std::unique_ptr<QTemporaryDir> m_dir; // fresh for every test and every row
    int m_files = 0;
};

// Data rows are read with a short cut for plain decimals: it must give the very double, and end
// where std::from_chars ends, for every text, the ones it leaves to from_chars included.
void TestLpSimCore::numbersReadAsFromCharsReadsThem()
{
    QRandomGenerator random(20261206);
    QByteArrayList texts =
        QByteArray("0 -0 -0.0 5. .5 -.5 . - 1e 1e5 1e999 1.5e-3 2E+2 0x10 9007199254740993 "
                   "9007199254740992 0.1 0.30000000000000004 1.7976931348623157 "
                   "00000000000000000001 0.0000000000000000000001 1.5.3 1,5 inf nan +1")
            .split(' ');
    const QByteArray digits = "0123456789";
    for (int i = 0; i < 200000; ++i) {
        QByteArray text = random.bounded(4) == 0 ? "-" : "";
        const int length = 1 + int(random.bounded(22));
        const int point = int(random.bounded(length + 2)) - 1;
        for (int d = 0; d < length; ++d) {
            if (d == point)
                text += '.';
            text += digits.at(int(random.bounded(10)));
        }
        texts.append(text + QByteArray(random.bounded(2) ? " " : ""));
    }
    for (const QByteArray &text : qAsConst(texts)) {
        const char *end = text.constData() + text.size();
        double expected = 0.0;
        const auto [expectedEnd, error] = std::from_chars(text.constData(), end, expected);
        expected += 0.0;
        const bool readable = error == std::errc() && std::isfinite(expected);
        double value = -1.0;
        const char *next = Corvane_LP::readNumber(text.constData(), end, value);
        QVERIFY2((next != nullptr) == readable, text.constData());
        if (readable) {
            QVERIFY2(next == expectedEnd, text.constData());
            QVERIFY2(std::memcmp(&value, &expected, sizeof value) == 0, text.constData());
        }
    }
}

void TestLpSimCore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    closeDataBasedLoadpullUI();
}

QString TestLpSimCore::write(const QByteArray &contents, const QString &name)
{
    QFile file(m_dir->filePath(name.isEmpty() ? QString::number(++m_files) + ".lp"_s : name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write the test file %s", qPrintable(file.fileName()));
    return file.fileName();
}

QStringList TestLpSimCore::pathsOf(const QByteArrayList &entries)
{
    QStringList paths;
    for (const QByteArray &entry : entries)
        paths << (entry.contains('\n')
                      ? write(entry)
                      : QStringLiteral(LP_EXAMPLE_DATA_DIR "/") + QString::fromUtf8(entry));
    return paths;
}

QString TestLpSimCore::flawOfUnion(const QStringList &files)
{
    QStringList paths;
    for (const QString &file : files)
        paths << write(unionFile(file));
    std::vector<int> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    do {
        QStringList orderedPaths, orderedFiles;
        for (int file : order) {
            orderedPaths << paths.at(file);
            orderedFiles << files.at(file);
        }
        const QString flaw = flawOfRanges(Query(orderedPaths), orderedFiles);
        if (!flaw.isEmpty())
            return flaw;
    } while (std::next_permutation(order.begin(), order.end()));
    return {};
}

// The failing files with as many as possible left out, one at a time, while they still fail.
QStringList TestLpSimCore::shrunk(QStringList files)
{
    for (int i = files.size(); i-- > 0 && files.size() > 2;) {
        QStringList fewer = files;
        fewer.removeAt(i);
        if (!flawOfUnion(fewer).isEmpty())
            files = fewer;
    }
    return files;
}

void TestLpSimCore::filesOfOneUnitTypeHaveRangesInTheFirstFilesUnit_data()
{
    QTest::addColumn<QStringList>("files"); // as unionFile() reads them; empty: random ones

    QTest::newRow("random files") << QStringList();
    QTest::newRow("GHz beside MHz, dBm beside mW and dBW") << QStringList{
        "GHz 1.8 2 dBm 10 20"_s, "MHz 1800 2200 mW 1 1000"_s, "Hz 1e9 1e9 dBW -60 -40"_s};
}

// Two to five files give v and p in random units of one type each: whatever their order, each
// range is reported in the first file's unit and covers every file, with no warning. A failure
// is shrunk to the fewest files that still fail, for a row above.
void TestLpSimCore::filesOfOneUnitTypeHaveRangesInTheFirstFilesUnit()
{
    QFETCH(QStringList, files);

    QRandomGenerator random(20261207);
    for (int round = 0; round < (files.isEmpty() ? 100 : 1); ++round) {
        QStringList generated = files;
        const int type = int(random.bounded(unitTypes));
        for (int file = 2 + int(random.bounded(4)); files.isEmpty() && file > 0; --file)
            generated << randomRange(random, type) + u' ' + randomRange(random, powerType);
        const QString flaw = flawOfUnion(generated);
        if (!flaw.isEmpty())
            QFAIL(qPrintable(flaw + ": QStringList{\""_s + shrunk(generated).join("\", \""_s) +
                             "\"}"_s));
    }
}

void TestLpSimCore::filesUsedTogetherTellWhereTheyDisagree_data()
{
    QTest::addColumn<QByteArrayList>("files");
    QTest::addColumn<QStringList>("expected"); // as reported() gives it, with quantity ranges
    QTest::addColumn<QStringList>("warned");   // the lines after the first, @n for the paths

    const QByteArray frequency = "LPDATA 1\nVAR=<Freq>, Units=<GHz>\nOUT=<p>\np\nFreq = 1.8\n1\n";
    const QByteArray inMegahertz = "LPDATA 1\nVAR=<Freq>, Units=<MHz>\nOUT=<p>\np\nFreq = 1800\n"
                                   "1\nFreq = 2200\n1\n";
    const auto row = [](const char *name, const QByteArrayList &files, const QStringList &expected,
                        const QStringList &warned) {
        QTest::newRow(name) << files << expected << warned;
    };
    row("a frequency in GHz, then in MHz: GHz", {frequency, inMegahertz},
        {"rows 1-1"_s, "Freq GHz/Frequency 1-2 1.8..2.2"_s, "out p None/Unitless 1-1 1..1"_s}, {});
    row("a frequency in MHz, then in GHz: MHz", {inMegahertz, frequency},
        {"rows 1-1"_s, "Freq MHz/Frequency 1-2 1800..2200"_s, "out p None/Unitless 1-1 1..1"_s},
        {});
    row("0 W has no value in dBm: the range stays that of the files in dBm",
        {"LPDATA 1\nOUT=<p>, Units=<dBm>\np\n10\n20\n", "LPDATA 1\nOUT=<p>, Units=<W>\np\n0\n1\n"},
        {"rows 2-2"_s, "out p dBm/Power 2-2 10..20"_s},
        {"'p' has the unit 'dBm' in @1 but 'W' in @2."_s});
    row("1e306 kV has no finite value in V",
        {"LPDATA 1\nVAR=<v>, Units=<V>\nv\n1\n", "LPDATA 1\nVAR=<v>, Units=<kV>\nv\n1e306\n"},
        {"rows 1-1"_s, "v V/Voltage 1-1 1..1"_s}, {"'v' has the unit 'V' in @1 but 'kV' in @2."_s});
    row("a unit the table does not know and one of another type are told once",
        {"LPDATA 1\nVAR=<v>, Units=<V>\nv\n1\n", "LPDATA 1\nVAR=<v>, Units=<MV>\nv\n2\n",
         "LPDATA 1\nVAR=<v>, Units=<mA>\nv\n3\n"},
        {"rows 1-1"_s, "v V/Voltage 1-1 1..1"_s},
        {"'v' has the unit 'V' in @1 but 'MV' in @2 and 1 more file."_s,
         "'v' is declared differently in @1 and @2 and 1 more file: unit type 'Voltage' against "
         "'Unitless'."_s});
    row("a magnitude never widens the range of a real part",
        {"LPDATA 1\nOUT=<p>\np\n2\n", "LPDATA 1\nOUT=<p>, Complex=<yes>\nRe(p) Im(p)\n30 40\n"},
        {"rows 1-1"_s, "out p None/Unitless 1-1 2..2"_s},
        {"'p' is declared differently in @1 and @2: real against complex."_s});
    row("variables that files lack, by the number of files that hold them",
        {"LPDATA 1\nVAR=<a>\nVAR=<b>\nVAR=<d>\nVAR=<e>\na b d e\n1 1 1 1\n",
         "LPDATA 1\nVAR=<a>\nVAR=<c>\nVAR=<d>\nVAR=<e>\na c d e\n1 1 1 1\n",
         "LPDATA 1\nVAR=<a>\nVAR=<d>\na d\n1 1\n", "LPDATA 1\nVAR=<a>\na\n1\n"},
        {"rows 1-1"_s, "a None/Unitless 1-1 1..1"_s, "b None/Unitless 1-1 1..1"_s,
         "d None/Unitless 1-1 1..1"_s, "e None/Unitless 1-1 1..1"_s, "c None/Unitless 1-1 1..1"_s},
        {"In 1 of 4 files only: 'b', 'c'."_s, "In 2 of 4 files only: 'e'."_s,
         "In 3 of 4 files only: 'd'."_s});
}

void TestLpSimCore::filesUsedTogetherTellWhereTheyDisagree()
{
    QFETCH(QByteArrayList, files);
    QFETCH(QStringList, warned);

    const QStringList paths = pathsOf(files);
    const Query query(paths);
    QVERIFY2(query.ok, qPrintable(query.error));
    QTEST(reported(query, true), "expected");
    if (!warned.isEmpty())
        warned.prepend("The load-pull data files do not agree:"_s);
    QCOMPARE(query.warning, withPaths(warned.join(u'\n'), paths));
}

void TestLpSimCore::aNameInTwoRolesIsRefusedInAnyOrder_data()
{
    QTest::addColumn<QByteArrayList>("files"); // each gives x a role; after the signature

    const QByteArray swept = "VAR=<x>\nx\n1\n", out = "OUT=<x>\nx\n1\n";
    const QByteArray frequency = "VAR=<x>, Units=<GHz>\nOUT=<p>\np\nx = 1\n1\n";
    const QByteArray gamma = "GAMMA=<x>\nRe(x) Im(x)\n0.1 0.2\n";
    QTest::newRow("an independent variable and a performance quantity")
        << QByteArrayList{swept, out};
    QTest::newRow("a frequency and a reflection coefficient") << QByteArrayList{frequency, gamma};
    QTest::newRow("a reflection coefficient and a performance quantity")
        << QByteArrayList{gamma, out};
    QTest::newRow("a swept variable and a frequency are one role, beside a quantity")
        << QByteArrayList{swept, frequency, out, swept};
}

// Whatever the order, the query fails naming x, the first file and the first that gives x
// another role.
void TestLpSimCore::aNameInTwoRolesIsRefusedInAnyOrder()
{
    QFETCH(QByteArrayList, files);

    const auto role = [&files](int file) {
        return files.at(file).startsWith("GAMMA") ? "a reflection coefficient"_s
               : files.at(file).startsWith("OUT") ? "a performance quantity"_s
                                                  : "an independent variable"_s;
    };
    QStringList paths;
    for (const QByteArray &file : qAsConst(files))
        paths << write("LPDATA 1\n" + file);
    std::vector<int> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    do {
        QStringList ordered;
        for (int file : order)
            ordered << paths.at(file);
        const int other = *std::find_if(order.begin(), order.end(), [&](int file) {
            return role(file) != role(order.front());
        });
        const Query query({}, ordered);
        QVERIFY(!query.ok && query.ui.variables.empty() && query.ui.performanceVariables.empty());
        QCOMPARE(query.error, "'x' is %1 in \"%2\" but %3 in \"%4\": one name cannot be both in "
                              "files used together."_s.arg(role(order.front()), ordered.front(),
                                                           role(other), paths.at(other)));
    } while (std::next_permutation(order.begin(), order.end()));
}

void TestLpSimCore::theWarningGrowsWithTheVariablesNotTheFiles_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("own");         // variables of each file's own
    QTest::addColumn<int>("shared");      // in every file, in V in the first and in A in the others
    QTest::addColumn<QString>("missing"); // the warning's line of the variables of one file

    QTest::newRow("50 files of 40 variables of their own")
        << 50 << 40 << 0
        << "In 1 of 50 files only: 'v0_0', 'v0_1', 'v0_2', 'v0_3', 'v0_4', 'v0_5', 'v0_6', "
           "'v0_7', 'v0_8', 'v0_9', ... (2,000 in all)."_s;
    QTest::newRow("50 files sharing 40 variables in other units, one of their own each")
        << 50 << 1 << 40
        << "In 1 of 50 files only: 'v0_0', 'v1_0', 'v2_0', 'v3_0', 'v4_0', 'v5_0', 'v6_0', "
           "'v7_0', 'v8_0', 'v9_0', ... (50 in all)."_s;
}

// A line per number of files that lack variables, and at most two per variable.
void TestLpSimCore::theWarningGrowsWithTheVariablesNotTheFiles()
{
    QFETCH(int, files);
    QFETCH(int, own);
    QFETCH(int, shared);

    QStringList paths;
    for (int file = 0; file < files; ++file) {
        QByteArray declarations, columns, row;
        const auto declare = [&](const QByteArray &name, const char *unit) {
            declarations += "VAR=<" + name + ">, Units=<" + unit + ">\n";
            columns += name + ' ';
            row += "1 ";
        };
        for (int variable = 0; variable < own; ++variable)
            declare('v' + QByteArray::number(file) + '_' + QByteArray::number(variable), "V");
        for (int variable = 0; variable < shared; ++variable)
            declare('s' + QByteArray::number(variable), file == 0 ? "V" : "A");
        paths << write("LPDATA 1\n" + declarations + columns + '\n' + row + '\n');
    }
    const Query query(paths);
    QVERIFY2(query.ok, qPrintable(query.error));
    const QStringList lines = query.warning.split(u'\n');
    QCOMPARE(lines.size(), 2 + 2 * shared);
    QTEST(lines.back(), "missing");
    if (shared > 0)
        QCOMPARE(lines.at(1), withPaths("'s0' has the unit 'V' in @1 but 'A' in @2 and %1 more "
                                        "files."_s.arg(files - 2),
                                        paths));
}

void TestLpSimCore::declarationsThatDisagreeAreToldAttributeByAttribute_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QString>("differences");

    const auto row = [](const char *name, const QByteArray &first, const QByteArray &other,
                        const QString &differences) {
        QTest::newRow(name) << first << other << differences;
    };
    row("a unit type", "VAR=<v>, Units=<V>", "VAR=<v>, Units=<V>, Type=<Power>",
        "unit type 'Voltage' against 'Power'"_s);
    row("a domain and a harmonic", "GAMMA=<v>", "GAMMA=<v>, Domain=<Polar-Mag>, Harmonic=<2>",
        "domain Rect-Real against Polar-Mag; harmonic 1 against 2"_s);
    row("a fixed value against a swept one", "GAMMA=<v>, Value=<0.3, 0.4>", "GAMMA=<v>",
        "fixed value against swept"_s);
}

// Each file declares v and a swept x in one row; v has columns unless its value is fixed.
void TestLpSimCore::declarationsThatDisagreeAreToldAttributeByAttribute()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, other);
    QFETCH(QString, differences);

    QStringList paths;
    for (const QByteArray &declaration : {first, other}) {
        const bool pair = declaration.startsWith("GAMMA") || declaration.contains("Complex");
        const QByteArray v = declaration.contains("Value") ? "" : pair ? " Re(v) Im(v)" : " v";
        const QByteArray values = v.isEmpty() ? "" : pair ? " 0.3 0.4" : " 2";
        paths << write("LPDATA 1\nVAR=<x>\n" + declaration + "\nx" + v + "\n1" + values + '\n');
    }
    const Query query(paths);
    QVERIFY2(query.ok, qPrintable(query.error));
    QCOMPARE(query.warning,
             "The load-pull data files do not agree:\n'v' is declared differently "
             "in \"%1\" and \"%2\": %3."_s.arg(paths.at(0), paths.at(1), differences));
}

void TestLpSimCore::filesReportWhatTheyDeclare_data()
{
    QTest::addColumn<QByteArray>("contents");  // after the signature
    QTest::addColumn<QStringList>("expected"); // as reported() gives it; empty: the file is read

    // Spellings the data-file fuzzing harness does not reach in a short run; it checks every
    // declaration it makes against its own reading. The variable takes 0.3 + 0.4i, -0.6 + 0.8i.
    const auto declared = [](const char *name, const QByteArray &declaration, const QString &line) {
        const QByteArray variable = line.section(u' ', 0, 0).toUtf8();
        const QByteArray columns =
            declaration.startsWith("GAMMA")
                ? QByteArray("Re(" + variable + ") Im(" + variable + ") p\n0.3 0.4 1\n-0.6 0.8 2\n")
                : QByteArray(variable + " p\n0.3 1\n-0.6 2\n");
        QTest::newRow(name) << declaration + "\nOUT=<p>\n" + columns
                            << QStringList{"rows 2-2"_s, line, "out p None/Unitless 2-2"_s};
    };
    declared("a unit is matched in its letter case", "VAR=<q>, Units=<MW>",
             "q MW/Unitless 2-2 -0.6..0.3"_s);
    declared("keywords and attribute names are read in any letter case", "var = <q> , UNITS = <A>",
             "q A/Current 2-2 -0.6..0.3"_s);
    declared("a name holding source is a source, its last digits the harmonic",
             "GAMMA=<Source_refl3>", "Source_refl3 None/Unitless g2h3d0 2-2 -0.6..0.3"_s);
    declared("a domain is read in any letter case", "GAMMA=<g_ld>, Domain=<polar-phase>",
             "g_ld None/Unitless g1h1d3 2-2 53.13..126.9"_s);

    // Whatever the order of the rows, no range depends on the sign of a zero.
    const QString atHalfTurn = "g None/Unitless g0h1d3 1-1 180..180"_s;
    QTest::newRow("(-1, -0) before (-1, 0): one point, one phase")
        << QByteArray("GAMMA=<g>, Domain=<Polar-Phase>\nRe(g) Im(g)\n-1 -0\n-1 0\n")
        << QStringList{"rows 2-2"_s, atHalfTurn};
    QTest::newRow("a fixed value at (-1, -0)")
        << QByteArray("VAR=<x>\nGAMMA=<g>, Domain=<Polar-Phase>, Value=<-1, -0>\nx\n1\n")
        << QStringList{"rows 1-1"_s, "x None/Unitless 1-1 1..1"_s, atHalfTurn};

    const QByteArray name(1 << 20, 'n');
    QByteArray declarations, columns, row;
    for (int index = 0; index < 10000; ++index) {
        const QByteArray variable = 'v' + QByteArray::number(index);
        declarations += "VAR=<" + variable + ">\n";
        columns += variable + ' ';
        row += "1 ";
    }
    QTest::newRow("a name of a megabyte") << "VAR=<" + name + ">\n" + name + "\n1\n"
                                          << QStringList();
    QTest::newRow("10000 declared columns") << declarations + columns + '\n' + row << QStringList();
}

void TestLpSimCore::filesReportWhatTheyDeclare()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, expected);

    const Query query({write("LPDATA 1\n" + contents)});
    QVERIFY2(query.ok, qPrintable(query.error));
    if (!expected.isEmpty())
        QCOMPARE(reported(query), expected);
}

void TestLpSimCore::magnitudesOfPartsNearTheEndsOfTheRange_data()
{
    QTest::addColumn<QByteArray>("contents"); // after the signature; the variable is g
    QTest::addColumn<double>("magnitude");

    const QByteArray pair = "\nx Re(g) Im(g)\n1 ";
    QTest::newRow("a reflection coefficient below 1e-154")
        << "VAR=<x>\nGAMMA=<g>, Domain=<Polar-Mag>" + pair + "1e-200 0\n"
        << 1e-200;
    QTest::newRow("a complex quantity above 1e154")
        << "VAR=<x>\nOUT=<g>, Complex=<yes>" + pair + "3e200 -4e200\n"
        << 5e200;
    QTest::newRow("a fixed value above 1e154")
        << QByteArray("VAR=<x>\nGAMMA=<g>, Domain=<Polar-Mag>, Value=<3e200, 4e200>\nx\n1\n")
        << 5e200;
}

// Where a part's square leaves the range of a double, the magnitude still does not.
void TestLpSimCore::magnitudesOfPartsNearTheEndsOfTheRange()
{
    QFETCH(QByteArray, contents);
    QFETCH(double, magnitude);

    const Query query({write("LPDATA 1\n" + contents)});
    QVERIFY2(query.ok, qPrintable(query.error));
    const VarInfoUI *g = query.ui.variables.size() > 1 ? query.ui.variables.back()
                                                       : query.ui.performanceVariables.front();
    // As ratios: QCOMPARE takes any double within 1e-12 of 0 for 0.
    QCOMPARE(g->lowest / magnitude, 1.0);
    QCOMPARE(g->highest / magnitude, 1.0);
}

void TestLpSimCore::errorsNameTheFile_data()
{
    QTest::addColumn<QByteArray>("contents"); // or missing, directory, fifo, unreadable
    QTest::addColumn<QString>("after");       // what follows the quoted path

    const QByteArray sig = "LPDATA 1\n";
    const QByteArray xp = sig + "VAR=<x>\nOUT=<p>\nx p\n"; // rows start on line 5
    const QByteArray freq = sig + "VAR=<F>, Units=<GHz>\nOUT=<p>\n";
    const auto row = [](const char *name, const QByteArray &contents, const char *after) {
        QTest::newRow(name) << contents << QString::fromUtf8(after);
    };
    row("missing", "missing", " does not exist.");
    row("directory", "directory", " is a directory");
    row("FIFO", "fifo", " is not a regular file");
    row("unreadable", "unreadable", " cannot be read: permission denied.");
    row("empty", "", " is not a load-pull data file");
    row("signature only", "! note\n" + sig, " holds no data rows.");
    row("block line, no rows", freq + "p\nF = 1\n", " holds no data rows.");
    row("version 2, ? for control characters", "LPDATA 2\x01\n",
        ", line 1: unsupported format version '2?'");
    row("undeclared column", sig + "VAR=<x>\nx y\n", ", line 3: column 'y' is not declared");
    row("no column", sig + "VAR=<x>\nOUT=<p>\nx\n",
        ", line 4: declared variable 'p' has no column");
    row("gamma in one column", sig + "GAMMA=<g>\ng\n", ", line 3: 'g' takes a column pair");
    row("Re without Im", sig + "GAMMA=<g>\nRe(g) x\n",
        ", line 3: column 'Re(g)' must be followed by 'Im(g)'");
    row("fixed value with columns", sig + "GAMMA=<g>, Value=<0, 0>\nRe(g) Im(g)\n",
        ", line 3: 'g' is declared with a fixed value");
    row("frequency column", freq + "F p\n",
        ", line 4: frequency variable 'F' takes its values from block lines");
    row("block line first", freq + "F = 1\n", ", line 4: expected the column-name line");
    row("late declaration", xp + "1 2\nOUT=<q>\n", ", line 6: a declaration after the column");
    row("glued", xp + "1 2abc\n", ", line 5: the value in column 'p' is not a finite number");
    row("leading +", xp + "\n\n+1 2\n", ", line 7: expected a data row of 2 numbers or a block");
    row("too few", xp + "1\n", ", line 5: the row holds 1 of the 2 values");
    row("too many", xp + "1 2 3\n", ", line 5: the row holds more than the 2 values");
    row("row before block", freq + "p\n1\n", ", line 5: a data row before the first block line");
    row("other unit", freq + "p\nF = 1 MHz\n1\n", ", line 5: unit 'MHz' differs from the declared");
    row("no frequency value", freq + "p\nF = one\n", ", line 5: the value of 'F' is not a finite");
    row("empty block", freq + "p\nF = 1\nF = 2\n1\n", ", line 5: the block holds no data rows");
    row("no frequency variable", xp + "1 2\nx = 3\n",
        ", line 6: block line for 'x', but no frequency variable");
    row("not the frequency", freq + "VAR=<x>\nx p\nF = 1\n1 2\nx = 2\n",
        ", line 8: a block line names 'x', not the frequency variable 'F'");
    row("unknown attribute", sig + "VAR=<x>, Colour=<red>\n",
        ", line 2: unknown attribute 'Colour' for 'VAR'");
    row("attribute twice", sig + "VAR=<x>, Units=<V>, units=<A>\n",
        ", line 2: attribute 'units' given twice");
    row("no closing >", sig + "VAR=<x>, Units=<V\n",
        ", line 2: the value of 'Units' must stand in <...>");
    row("no name, cut at 40", sig + "VAR=<1" + QByteArray(50, 'x') + ">\n",
        ", line 2: '1xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...' is not a name");
    row("harmonic 0", sig + "GAMMA=<g>, Harmonic=<0>\n",
        ", line 2: Harmonic must be a whole number from 1 to 99, not '0'");
    row("unknown domain", sig + "GAMMA=<g>, Domain=<Smith>\n", ", line 2: unknown Domain 'Smith'");
    row("one-number value", sig + "GAMMA=<g>, Value=<0.5>\n",
        ", line 2: Value must be two finite numbers");
    row("Complex=<maybe>", sig + "OUT=<p>, Complex=<maybe>\n",
        ", line 2: Complex must be 'yes' or 'no', not 'maybe'");
    row("name twice", sig + "VAR=<x>\nOUT=<x>\n", ", line 3: variable 'x' is declared twice");
    row("second frequency", freq + "VAR=<G>, Type=<Frequency>\n",
        ", line 4: a second frequency variable 'G'");
}

// The bad file comes after a good one: the first error ends the whole query.
void TestLpSimCore::errorsNameTheFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, after);

    QString path = m_dir->filePath("bad.lp"_s);
    if (contents == "directory")
        path = m_dir->path();
    else if (contents == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (contents != "missing")
        path = write(contents == "unreadable" ? "LPDATA 1\nVAR=<x>\nx\n1\n" : contents);
    if (contents == "unreadable" &&
        (!QFile::setPermissions(path, {}) || QFile(path).open(QIODevice::ReadOnly)))
        QSKIP("This user may read any file.");

    const Query query({path}, pathsOf({"pa_two_frequencies.lp"}));
    QVERIFY(!query.ok);
    QVERIFY(query.ui.variables.empty() && query.ui.performanceVariables.empty());
    QVERIFY2(query.error.contains(QString(u'"' + path + u'"' + after)), qPrintable(query.error));
    // Reading the points of a reflection coefficient refuses the file in the query's words.
    Corvane_LP::ReflectionPoints points;
    std::string error;
    QVERIFY(!Corvane_LP::readReflectionPoints(encoded({path}).front(), {}, points, error));
    QVERIFY(points.groups.empty() && points.coefficients.empty());
    QCOMPARE(QString::fromStdString(error), Query({path}).error);
}

void TestLpSimCore::noFilesOrAnotherMode()
{
    const Query none({}, {});
    QVERIFY(none.ok && none.ui.variables.empty() && none.ui.performanceVariables.empty());
    QCOMPARE(none.ui.minNumPoints + none.ui.maxNumPoints, 0);
    QCOMPARE(none.error + none.warning, QString());
    for (int mode : {0, 2, -1}) {
        const Query query(pathsOf({"pa_two_frequencies.lp"}), {}, mode);
        QVERIFY(!query.ok && query.ui.variables.empty());
        QCOMPARE(query.error, "Unsupported load-pull query mode %1."_s.arg(mode));
    }
}

void TestLpSimCore::onlyFilesThatLookChangedAreReadAgain_data()
{
    QTest::addColumn<QByteArray>("rewritten");
    QTest::addColumn<int>("later"); // seconds added to the modification time
    QTest::addColumn<double>("highest");

    const QByteArray same = "LPDATA 1\nVAR=<x>\nx\n1\n7\n"; // the size of the first version
    QTest::newRow("a new modification time") << same << 10 << 7.0;
    QTest::newRow("a new size") << same + "7\n" << 0 << 7.0;
}

void TestLpSimCore::onlyFilesThatLookChangedAreReadAgain()
{
    QFETCH(QByteArray, rewritten);
    QFETCH(int, later);

    const QString path = write("LPDATA 1\nVAR=<x>\nx\n1\n2\n", "data.lp"_s);
    const auto touch = [&path](int seconds) {
        const utimbuf times{1700000000 + seconds, 1700000000 + seconds};
        return utime(QFile::encodeName(path).constData(), &times) == 0;
    };
    const auto highest = [&path] {
        const Query query({path});
        return query.ok ? query.ui.variables.front()->highest : -1.0;
    };
    QVERIFY(touch(0));
    QCOMPARE(highest(), 2.0);
    QVERIFY(write(rewritten, "data.lp"_s) == path && touch(later));
    QTEST(highest(), "highest");
}

void TestLpSimCore::largeFilesThatAreNoDataAreRefusedFromTheirFirstBytes_data()
{
    QTest::addColumn<QByteArray>("start"); // then zero bytes up to a terabyte

    QTest::newRow("nothing but zero bytes") << QByteArray();
    QTest::newRow("comments and blank lines, then text")
        << QByteArray("! note\n\n \t! another\r\nhello\n");
    QTest::newRow("the word glued to the version") << QByteArray("\xEF\xBB\xBFLPDATA1\n");
    QTest::newRow("half a byte order mark") << QByteArray("\xEF\xBBLPDATA 1\n");
    QTest::newRow("two byte order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFLPDATA 1\n");
}

// A terabyte, sparse: more than this machine could read into memory, so only a refusal from
// the first bytes gives the message.
void TestLpSimCore::largeFilesThatAreNoDataAreRefusedFromTheirFirstBytes()
{
    QFETCH(QByteArray, start);

    const QString path = write(start);
    if (!QFile::resize(path, qint64(1) << 40))
        QSKIP("This file system holds no sparse file of a terabyte.");
    const Query query({path});
    QVERIFY(!query.ok);
    QVERIFY2(query.error.contains(u'"' + path + "\" is not a load-pull data file"_s),
             qPrintable(query.error));
}

void TestLpSimCore::queriesThatRunOutOfMemoryFailWithAText_data()
{
    QTest::addColumn<QByteArrayList>("add");
    QTest::addColumn<QByteArrayList>("keep");
    QTest::addColumn<bool>("keepFailing"); // else one allocation fails

    const auto rows = [](const char *name, const QByteArrayList &add, const QByteArrayList &keep) {
        QTest::addRow("%s, one allocation fails", name) << add << keep << false;
        QTest::addRow("%s, every allocation from one on fails", name) << add << keep << true;
    };
    rows("two files that disagree", {"pa_source_pull.lp3"}, {"pa_supply_sweep.spl"});
    rows("a malformed file", {"LPDATA 1\nVAR=<x>\nx\n1 2\n"}, {});
    rows("no load-pull data", {"hello\n"}, {});
}

// Every allocation of the query fails in turn. The query returns false with a text, lets no
// exception out, and leaves nothing behind: asked again, it gives the answer it gives without
// failures.
void TestLpSimCore::queriesThatRunOutOfMemoryFailWithAText()
{
    QFETCH(QByteArrayList, add);
    QFETCH(QByteArrayList, keep);
    QFETCH(bool, keepFailing);

    const QStringList toAdd = pathsOf(add), toKeep = pathsOf(keep);
    const auto answer = [&] {
        const Query query(toAdd, toKeep);
        return reported(query) << query.error << query.warning;
    };
    const QStringList unfailed = answer();
    const std::vector<std::string> filesToAdd = encoded(toAdd), filesToKeep = encoded(toKeep);
    for (long long failAt = 0;; ++failAt) {
        closeDataBasedLoadpullUI();
        Corvane_LP::LoadpullUI ui;
        bool ok = false, thrown = false, failed = false;
        {
            const FailingAllocations failing(failAt, keepFailing);
            try {
                ok = queryLoadpullFile(filesToAdd, filesToKeep, 1, ui);
            } catch (...) {
                thrown = true;
            }
            failed = failing.anyFailed();
        }
        QVERIFY2(!thrown, qPrintable(QString::number(failAt)));
        if (!failed)
            break; // the query makes fewer allocations: each has failed once
        QVERIFY(!ok && ui.variables.empty() && ui.performanceVariables.empty());
        const QString error = QString::fromStdString(ui.errorText);
        QVERIFY(!error.isEmpty());
        if (!keepFailing)
            QVERIFY2(error.contains(" memory."_s), qPrintable(error));
        QCOMPARE(answer(), unfailed);
    }
}

// Texts longer than a string holds in its own room, so that each copy needs memory.
void TestLpSimCore::gettersThatFindNoMemoryGiveEmptyTexts()
{
    const QByteArray name = "a_name_longer_than_a_string_holds";
    const Query query({write("LPDATA 1\nVAR=<" + name +
                             ">, Units=<a unit longer than a string holds>, Type=<a unit type of "
                             "that length too>\n" +
                             name + "\n1\n")});
    QVERIFY2(query.ok, qPrintable(query.error));
    const VarInfoUI &variable = *query.ui.variables.front();
    for (auto getter : {&VarInfoUI::getName, &VarInfoUI::getUnitStr, &VarInfoUI::getUnitTypeStr}) {
        QVERIFY(!(variable.*getter)().empty());
        std::string text = "not called";
        bool thrown = false;
        {
            const FailingAllocations failing(0, false);
            try {
                text = (variable.*getter)();
            } catch (...) {
                thrown = true;
            }
        }
        QVERIFY(!thrown);
        QCOMPARE(text, std::string());
    }
}

QTEST_GUILESS_MAIN(TestLpSimCore)
#include "tst_lpsimcore.moc"
