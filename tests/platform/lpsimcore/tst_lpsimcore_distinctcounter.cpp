#include "distinctcounter.h"

#include <QTest>

#include <cstring>
#include <functional>
#include <set>
#include <utility>
#include <vector>

using Corvane_LP::DistinctCounter;

namespace {

using Pair = std::pair<double, double>;
using Pairs = std::vector<Pair>;
// Makes the values to count, given the counter that will count them.
using Maker = std::function<Pairs(const DistinctCounter &)>;

// Tables grow at half load, so 700 values live in tables of up to 2048 slots.
constexpr int aimedCount = 700;
constexpr std::uint64_t homeBits = 2047;

double nextUp(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    ++bits;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Values, or pairs (first, varied), that all share home slot 0 of the counter's tables under
// the seed it has now: found by trying neighbouring values one after the other.
Pairs aimedAtOneSlot(const DistinctCounter &counter, double first, bool varySecond)
{
    Pairs pairs;
    for (double varied = 1.0; static_cast<int>(pairs.size()) < aimedCount;
         varied = nextUp(varied)) {
        const Pair pair = varySecond ? Pair{first, varied} : Pair{varied, 0.0};
        if ((counter.hashOf(pair.first, pair.second) & homeBits) == 0)
            pairs.push_back(pair);
    }
    return pairs;
}

// Distinct by their values: -0 equals 0.
std::size_t distinctIn(const Pairs &pairs)
{
    std::set<Pair> distinct;
    for (const Pair &pair : pairs)
        distinct.insert({pair.first + 0.0, pair.second + 0.0});
    return distinct.size();
}

} // namespace

Q_DECLARE_METATYPE(Maker)

class TestDistinctCounter : public QObject
{
    Q_OBJECT

private slots:
    void countsDistinctValuesWithShortProbes_data();
    void countsDistinctValuesWithShortProbes();
};

void TestDistinctCounter::countsDistinctValuesWithShortProbes_data()
{
    QTest::addColumn<Maker>("make");

    QTest::newRow("pairs aimed at one slot through their second part") << Maker(
        [](const DistinctCounter &counter) { return aimedAtOneSlot(counter, 0.25, true); });
    QTest::newRow("aimed values, each given three times") << Maker([](const DistinctCounter &c) {
        const Pairs once = aimedAtOneSlot(c, 0.0, false);
        Pairs thrice = once;
        thrice.insert(thrice.end(), once.rbegin(), once.rend());
        thrice.insert(thrice.end(), once.begin(), once.end());
        return thrice;
    });
    QTest::newRow("zero and minus zero, in both parts") << Maker([](const DistinctCounter &) {
        return Pairs{{0.0, 0.0}, {-0.0, 0.0}, {0.0, -0.0}, {-0.0, -0.0}, {0.0, 1.0}, {-0.0, 1.0}};
    });
    QTest::newRow("pairs that differ in one part only") << Maker([](const DistinctCounter &) {
        Pairs pairs;
        for (int a = 0; a < 40; ++a) {
            for (int b = 0; b < 40; ++b)
                pairs.push_back({a * 0.1, b * 0.1});
        }
        return pairs;
    });
    QTest::newRow("a sweep of 100000 steps") << Maker([](const DistinctCounter &) {
        Pairs pairs;
        for (int step = 0; step < 100000; ++step)
            pairs.push_back({-50.0 + step * 1e-3, 0.0});
        return pairs;
    });
}

void TestDistinctCounter::countsDistinctValuesWithShortProbes()
{
    QFETCH(Maker, make);

    DistinctCounter counter;
    const Pairs pairs = make(counter);
    for (const Pair &pair : pairs) {
        counter.add(pair.first, pair.second);
        QVERIFY2(counter.longestProbe() <= DistinctCounter::longestProbeAllowed,
                 QByteArray::number(qulonglong(counter.longestProbe())));
    }
    QCOMPARE(counter.count(), static_cast<long long>(distinctIn(pairs)));
}

QTEST_GUILESS_MAIN(TestDistinctCounter)
#include "tst_lpsimcore_distinctcounter.moc"
