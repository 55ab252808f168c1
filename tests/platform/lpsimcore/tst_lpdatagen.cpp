#include "datafilewriter.h"
#include "exampledatasets.h"
#include "lpsimcore.h"
#include "testtexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestLpDataGen : public QObject
{
    Q_OBJECT

private slots:
    void theSamplesRegenerateByteForByte();
    void largeFilesComeCloseToTheRequestedSizeAndRead();
    void filesAreWrittenIntoFoldersMadeForThem_data();
    void filesAreWrittenIntoFoldersMadeForThem();
};

void TestLpDataGen::theSamplesRegenerateByteForByte()
{
    const QDir data(QStringLiteral(LP_EXAMPLE_DATA_DIR));
    QStringList generated;
    for (const LpDataGen::ExampleFile &example : LpDataGen::exampleFiles()) {
        generated << QString::fromStdString(example.fileName);
        QFile file(data.filePath(generated.last()));
        QVERIFY2(
            file.open(QIODevice::ReadOnly) &&
                file.readAll().toStdString() == LpDataGen::generateDataFile(example.plan),
            qPrintable(file.fileName() + " differs: build the target lp_regenerate_examples"_s));
    }
    generated.sort();
    QCOMPARE(data.entryList(QDir::Files), generated); // no sample without its plan
}

void TestLpDataGen::largeFilesComeCloseToTheRequestedSizeAndRead()
{
    const LpDataGen::MeasurementPlan plan = LpDataGen::largeFilePlan(1000 * 1000);
    const QByteArray text = QByteArray::fromStdString(LpDataGen::generateDataFile(plan));
    QVERIFY2(std::abs(text.size() - 1000 * 1000) < 200 * 1000, QByteArray::number(text.size()));

    QTemporaryDir dir;
    QFile file(dir.filePath("large.lp"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    Corvane_LP::LoadpullUI ui;
    QVERIFY2(queryLoadpullFile({QFile::encodeName(file.fileName()).toStdString()}, {}, 1, ui),
             ui.errorText.c_str());
    QCOMPARE(ui.variables.size(), 5u); // Freq, Pin_avail, two loads, a source
    QCOMPARE(ui.variables.front()->maxNumPoints(), static_cast<int>(plan.frequenciesGHz.size()));
}

void TestLpDataGen::filesAreWrittenIntoFoldersMadeForThem_data()
{
    QTest::addColumn<QStringList>("arguments"); // "%1" is a folder that does not exist yet
    QTest::addColumn<QString>("written");

    QTest::newRow("the samples") << QStringList{"examples"_s, "%1"_s}
                                 << "%1/pa_two_frequencies.lp"_s;
    QTest::newRow("a large file") << QStringList{"large"_s, "%1/large.lp"_s, "1"_s}
                                  << "%1/large.lp"_s;
}

void TestLpDataGen::filesAreWrittenIntoFoldersMadeForThem()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString folder = dir.filePath("new/folder"_s);

    QProcess generator;
    generator.start(QStringLiteral(LP_DATAGEN_PATH), arguments.replaceInStrings("%1"_s, folder));
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitCode(), 0);
    QVERIFY(QFileInfo(written.replace("%1"_s, folder)).size() > 0);
}

QTEST_GUILESS_MAIN(TestLpDataGen)
#include "tst_lpdatagen.moc"
