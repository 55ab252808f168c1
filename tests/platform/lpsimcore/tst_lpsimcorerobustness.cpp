#include "lpquery.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

QByteArray repeated(const QByteArray &piece, int times)
{
    return piece.repeated(times);
}

QByteArray manyDeclaredColumns(int count)
{
    QByteArrayList declarations;
    QByteArrayList names;
    for (int index = 0; index < count; ++index) {
        names << "v" + QByteArray::number(index);
        declarations << "VAR=<" + names.last() + ">";
    }
    return "LPDATA 1\n" + declarations.join('\n') + '\n' + names.join(' ') + '\n' +
           repeated("1 ", count) + '\n';
}

// Either read, or refused with a text that names the file and no variables.
bool answeredCleanly(const LpQuery &query, const QString &path)
{
    if (query.ok())
        return query.errorText().isEmpty();
    return query.errorText().contains(path) && query.ui().variables.empty() &&
           query.ui().performanceVariables.empty();
}

} // namespace

class TestLpSimCoreRobustness : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void oddInputsAreAnsweredCleanly_data();
    void oddInputsAreAnsweredCleanly();
    void everyTruncationIsAnsweredCleanly();
    void randomDamageIsAnsweredCleanly();

private:
    QString writeNewFile(const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> m_dir; // fresh for every test and every row
    int m_files = 0;
};

void TestLpSimCoreRobustness::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// A new name for every file: the cache cannot answer for it, and creating a file is much faster
// here than truncating one.
QString TestLpSimCoreRobustness::writeNewFile(const QByteArray &contents)
{
    return writeFile(m_dir->path(), QString::number(++m_files) + ".lp"_s, contents);
}

void TestLpSimCoreRobustness::oddInputsAreAnsweredCleanly_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("readable");

    const QByteArray x = "LPDATA 1\nVAR=<x>\nx\n";
    const QByteArray longName(1 << 20, 'n');
    QTest::newRow("random bytes") << randomBytes(1, 1 << 16) << false;
    QTest::newRow("random bytes after the signature")
        << "LPDATA 1\n" + randomBytes(2, 1 << 16) << false;
    QTest::newRow("one line of 8 MB") << QByteArray(1 << 23, 'a') << false;
    QTest::newRow("a declaration of 4 MB without data")
        << "LPDATA 1\nVAR=<" + QByteArray(1 << 22, 'x') + ">\n"
        << false;
    QTest::newRow("a name of 1 MB") << "LPDATA 1\nVAR=<" + longName + ">\n" + longName + "\n1\n"
                                    << true;
    QTest::newRow("a row of a million values") << x + repeated("1 ", 1000000) << false;
    QTest::newRow("a million undeclared columns")
        << "LPDATA 1\n" + repeated("c ", 1000000) << false;
    QTest::newRow("50000 declared columns") << manyDeclaredColumns(50000) << true;
    QTest::newRow("a million blank lines after the columns")
        << x + repeated("\n", 1000000) << false;
    QTest::newRow("a million comment lines before the signature")
        << repeated("! note\n", 1000000) + x + "1\n"
        << true;
    QTest::newRow("a zero byte in a row") << x + QByteArray("1\0 2\n", 5) << false;
    QTest::newRow("unbalanced angle brackets") << QByteArray("LPDATA 1\nVAR=<<<<x\n") << false;
    QTest::newRow("empty Re and Im columns")
        << QByteArray("LPDATA 1\nGAMMA=<g>\nRe() Im()\n1 2\n") << false;
    QTest::newRow("carriage returns and a byte order mark")
        << QByteArray("\xEF\xBB\xBFLPDATA 1\r\nVAR=<x>\r\nx\r\n1\r\n") << true;
    QTest::newRow("no newline at the end") << x + "1" << true;
    QTest::newRow("a tiny number") << x + "1e-99999\n" << false;
}

void TestLpSimCoreRobustness::oddInputsAreAnsweredCleanly()
{
    QFETCH(QByteArray, contents);

    const QString path = writeNewFile(contents);
    const LpQuery query({path});
    QVERIFY2(answeredCleanly(query, path), qPrintable(query.errorText()));
    QTEST(query.ok(), "readable");
}

void TestLpSimCoreRobustness::everyTruncationIsAnsweredCleanly()
{
    QFile example(exampleFile("pa_source_pull.lp3"_s));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray contents = example.readAll();

    for (int length = 0; length <= contents.size(); length += 11) {
        const QString path = writeNewFile(contents.left(length));
        const LpQuery query({path});
        QVERIFY2(answeredCleanly(query, path), qPrintable(query.errorText()));
    }
}

void TestLpSimCoreRobustness::randomDamageIsAnsweredCleanly()
{
    QFile example(exampleFile("pa_harmonic_load.lp2"_s));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray contents = example.readAll();
    const QByteArray characters("0123456789.-+eE \t\r\n!<>=,()_xRIm\0\xff", 34);
    QRandomGenerator generator(2024);

    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = contents;
        for (int change = 0; change < 3; ++change) {
            const int at = generator.bounded(damaged.size());
            damaged[at] = characters.at(generator.bounded(characters.size()));
        }
        const QString path = writeNewFile(damaged);
        const LpQuery query({path});
        QVERIFY2(answeredCleanly(query, path), qPrintable(query.errorText()));
    }
}

QTEST_GUILESS_MAIN(TestLpSimCoreRobustness)
#include "tst_lpsimcorerobustness.moc"
