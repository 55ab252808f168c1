#include "lpquery.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <utime.h>

namespace {

// Both versions have the same size; x's highest value tells which one a query read.
const QByteArray oldContents = "LPDATA 1\nVAR=<x>\nx\n1\n2\n";
const QByteArray newContents = "LPDATA 1\nVAR=<x>\nx\n1\n7\n";
constexpr time_t someTime = 1700000000;

bool setModificationTime(const QString &path, time_t time)
{
    const utimbuf times{time, time};
    return utime(QFile::encodeName(path).constData(), &times) == 0;
}

double highestX(const QString &path)
{
    const LpQuery query({path});
    return query.ok() ? query.find("x"_s)->highest : -1.0;
}

} // namespace

class TestLpSimCoreCache : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aRewrittenFileIsReadAgainOnlyWhenItLooksChanged_data();
    void aRewrittenFileIsReadAgainOnlyWhenItLooksChanged();
    void anotherSpellingOfThePathSharesTheCache();
    void aDeletedFileIsMissingEvenWhenCached();

private:
    std::unique_ptr<QTemporaryDir> m_dir; // fresh for every test and every row
};

void TestLpSimCoreCache::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    closeDataBasedLoadpullUI();
}

void TestLpSimCoreCache::aRewrittenFileIsReadAgainOnlyWhenItLooksChanged_data()
{
    QTest::addColumn<QByteArray>("rewritten");
    QTest::addColumn<time_t>("newTime");
    QTest::addColumn<bool>("closeFirst");
    QTest::addColumn<double>("highest");

    QTest::newRow("same size and modification time give the cached answer")
        << newContents << someTime << false << 2.0;
    QTest::newRow("a new modification time gives the new answer")
        << newContents << someTime + 10 << false << 7.0;
    QTest::newRow("a new size gives the new answer") << newContents + "7\n"
                                                     << someTime << false << 7.0;
    QTest::newRow("closing the library's cache gives the new answer")
        << newContents << someTime << true << 7.0;
}

void TestLpSimCoreCache::aRewrittenFileIsReadAgainOnlyWhenItLooksChanged()
{
    QFETCH(QByteArray, rewritten);
    QFETCH(time_t, newTime);
    QFETCH(bool, closeFirst);

    const QString path = writeFile(m_dir->path(), "data.lp"_s, oldContents);
    QVERIFY(setModificationTime(path, someTime));
    QCOMPARE(highestX(path), 2.0);

    writeFile(m_dir->path(), "data.lp"_s, rewritten);
    QVERIFY(setModificationTime(path, newTime));
    if (closeFirst)
        closeDataBasedLoadpullUI();
    QTEST(highestX(path), "highest");
}

void TestLpSimCoreCache::anotherSpellingOfThePathSharesTheCache()
{
    const QString path = writeFile(m_dir->path(), "data.lp"_s, oldContents);
    QVERIFY(setModificationTime(path, someTime));
    QCOMPARE(highestX(path), 2.0);

    writeFile(m_dir->path(), "data.lp"_s, newContents);
    QVERIFY(setModificationTime(path, someTime));
    QCOMPARE(highestX(m_dir->path() + "/./data.lp"_s), 2.0);
}

void TestLpSimCoreCache::aDeletedFileIsMissingEvenWhenCached()
{
    const QString path = writeFile(m_dir->path(), "data.lp"_s, oldContents);
    QCOMPARE(highestX(path), 2.0);
    QVERIFY(QFile::remove(path));

    const LpQuery query({path});
    QVERIFY(!query.ok());
    QVERIFY2(query.errorText().contains("does not exist"_s), qPrintable(query.errorText()));
}

QTEST_GUILESS_MAIN(TestLpSimCoreCache)
#include "tst_lpsimcorecache.moc"
