#include "datafilewriter.h"
#include "exampledatasets.h"
#include "lpquery.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestLpDataGen : public QObject
{
    Q_OBJECT

private slots:
    void examplesRegenerateByteForByte_data();
    void examplesRegenerateByteForByte();
    void examplesCoverEveryExtensionAndStaySmall();
    void largeFilesComeCloseToTheRequestedSize_data();
    void largeFilesComeCloseToTheRequestedSize();
};

void TestLpDataGen::examplesRegenerateByteForByte_data()
{
    QTest::addColumn<int>("index");

    const auto examples = LpDataGen::exampleFiles();
    for (std::size_t index = 0; index < examples.size(); ++index) {
        const std::string name = examples[index].fileName + " regenerates byte for byte";
        QTest::newRow(name.c_str()) << static_cast<int>(index);
    }
}

void TestLpDataGen::examplesRegenerateByteForByte()
{
    QFETCH(int, index);

    const LpDataGen::ExampleFile example =
        LpDataGen::exampleFiles().at(static_cast<std::size_t>(index));
    QFile committed(exampleFile(fromStd(example.fileName)));
    QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(committed.fileName()));
    const std::string generated = LpDataGen::generateDataFile(example.plan);
    QVERIFY2(committed.readAll().toStdString() == generated,
             "regenerate the samples with the target lp_regenerate_examples");
}

void TestLpDataGen::examplesCoverEveryExtensionAndStaySmall()
{
    QSet<QString> suffixes;
    for (const LpDataGen::ExampleFile &example : LpDataGen::exampleFiles()) {
        const QFileInfo file(exampleFile(fromStd(example.fileName)));
        suffixes << file.suffix();
        QVERIFY2(file.size() < 40 * 1000, qPrintable(file.fileName()));
    }
    QCOMPARE(suffixes, (QSet<QString>{"lp"_s, "lp2"_s, "lp3"_s, "spl"_s}));
}

void TestLpDataGen::largeFilesComeCloseToTheRequestedSize_data()
{
    QTest::addColumn<int>("bytes");

    QTest::newRow("one megabyte") << 1000 * 1000;
    QTest::newRow("three megabytes") << 3 * 1000 * 1000;
}

void TestLpDataGen::largeFilesComeCloseToTheRequestedSize()
{
    QFETCH(int, bytes);

    const LpDataGen::MeasurementPlan plan =
        LpDataGen::largeFilePlan(static_cast<std::size_t>(bytes));
    const std::string text = LpDataGen::generateDataFile(plan);
    QVERIFY2(std::abs(static_cast<double>(text.size()) / bytes - 1.0) < 0.2,
             qPrintable(QString::number(text.size())));

    QTemporaryDir dir;
    const QString path = writeFile(dir.path(), "large.lp"_s, QByteArray::fromStdString(text));
    const LpQuery query({path});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.variableNames(),
             (QStringList{"Freq"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_ld2"_s, "gamma_src1"_s}));
    QCOMPARE(query.find("Freq"_s)->maxNumPoints(), static_cast<int>(plan.frequenciesGHz.size()));
}

QTEST_GUILESS_MAIN(TestLpDataGen)
#include "tst_lpdatagen.moc"
