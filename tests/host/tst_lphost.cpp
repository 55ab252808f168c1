#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QStringList TabNames = {QStringLiteral("file"),        QStringLiteral("variables"),
                              QStringLiteral("performance"), QStringLiteral("interpolation"),
                              QStringLiteral("analysis"),    QStringLiteral("term")};

// How many colours an image uses: a blank or empty window uses a handful.
int colourCount(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x]);
    }
    return colours.size();
}

} // namespace

// lp-host as a user runs it: in a real X window under Xvfb, the example component opened
// and every tab shown in turn; and given files that are no component files.
class tst_LpHost : public QObject
{
    Q_OBJECT

private slots:
    void everyTabShowsItsControls();
    void refusesFilesThatAreNoComponentFiles_data();
    void refusesFilesThatAreNoComponentFiles();

private:
    QTemporaryDir m_workspace;
};

void tst_LpHost::everyTabShowsItsControls()
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    QVERIFY2(!xvfbRun.isEmpty(), "xvfb-run is missing: scripts/ensure-deps.sh installs it");
    QTemporaryDir workspace;
    QVERIFY(workspace.isValid());
    const QDir examples(QStringLiteral(LP_EXAMPLES_DIR));
    QVERIFY(QFile::copy(examples.filePath(QStringLiteral("pa_amplifier.json")),
                        workspace.filePath(QStringLiteral("pa_amplifier.json"))));
    QDir(workspace.path()).mkdir(QStringLiteral("data"));
    for (const QString &file :
         QDir(examples.filePath(QStringLiteral("data"))).entryList(QDir::Files))
        QVERIFY(QFile::copy(examples.filePath(QStringLiteral("data/") + file),
                            workspace.filePath(QStringLiteral("data/") + file)));

    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    host.setProcessEnvironment(environment);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(xvfbRun,
               {QStringLiteral("-a"), QStringLiteral("-s"),
                QStringLiteral("-screen 0 1280x1024x24"), QStringLiteral(LP_HOST_PATH),
                workspace.filePath(QStringLiteral("pa_amplifier.json")),
                QStringLiteral("--screenshot"), workspace.filePath(QStringLiteral("editor.png")),
                QStringLiteral("--each-tab")});
    QVERIFY(host.waitForFinished(60000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 0);

    QList<QImage> shots;
    for (const QString &tab : TabNames) {
        const QImage shot(workspace.filePath(QStringLiteral("editor-%1.png").arg(tab)));
        QVERIFY2(!shot.isNull(), qPrintable(tab));
        QVERIFY2(shot.width() > 300 && shot.height() > 200, qPrintable(tab));
        QVERIFY2(colourCount(shot) > 20, qPrintable(tab));
        for (const QImage &other : qAsConst(shots))
            QVERIFY2(other != shot, qPrintable(tab));
        shots.append(shot);
    }
}

void tst_LpHost::refusesFilesThatAreNoComponentFiles_data()
{
    QTest::addColumn<QString>("path");

    const QString fifo = m_workspace.filePath(QStringLiteral("component.json"));
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
        qWarning() << "Cannot make the FIFO" << fifo;
    QTest::newRow("a FIFO nobody writes to") << fifo;
    QTest::newRow("an endless device") << QStringLiteral("/dev/zero");
}

// Opening either for reading would wait for ever or read gigabytes; a deadline keeps a
// host that does so from holding up the suite.
void tst_LpHost::refusesFilesThatAreNoComponentFiles()
{
    QFETCH(QString, path);
    QVERIFY(QFileInfo::exists(path));
    QProcess host;
    host.start(QStringLiteral(LP_HOST_PATH), {path, QStringLiteral("--accept")});
    QVERIFY2(host.waitForFinished(60000), "lp-host is still reading");
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 1);
    const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
    QVERIFY2(errors.contains(path + QStringLiteral(" is not a regular file")), qPrintable(errors));
}

QTEST_GUILESS_MAIN(tst_LpHost)
#include "tst_lphost.moc"
