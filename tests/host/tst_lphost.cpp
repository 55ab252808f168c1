#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>

namespace {

QString operator""_a(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

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
// and every tab shown in turn; and as scripts run it, from every command line it documents.
class tst_LpHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTabShowsItsControls();
    void commandLines_data();
    void commandLines();

private:
    QTemporaryDir m_workspace;
};

// The example component with its data files, and files that are not what a run expects.
void tst_LpHost::initTestCase()
{
    QVERIFY(m_workspace.isValid());
    const QDir examples(QStringLiteral(LP_EXAMPLES_DIR));
    QDir workspace(m_workspace.path());
    QVERIFY(workspace.mkdir(QStringLiteral("data")));
    for (const QString &file :
         QDir(examples.filePath(QStringLiteral("data"))).entryList(QDir::Files))
        QVERIFY(QFile::copy(examples.filePath(QStringLiteral("data/") + file),
                            workspace.filePath(QStringLiteral("data/") + file)));
    QFile example(examples.filePath(QStringLiteral("pa_amplifier.json")));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray component = example.readAll();
    const QByteArray missing =
        QByteArray(component).replace("data/pa_upper_band.lp", "data/gone.lp");
    // What lp-host holds and the editor does not: a parameter of another plug-in, a data file
    // named by its absolute path, a parameter left to its default.
    const QByteArray held =
        QByteArray(component)
            .replace("data/pa_upper_band.lp",
                     QFile::encodeName(workspace.filePath(QStringLiteral("data/pa_upper_band.lp"))))
            .replace("\"FileType\"", "\"Unknown\": [\"x\"],\n        \"FileType\"")
            .replace("\"Weight\": [\"100\"],", "");
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("component.json"), component},
        {QStringLiteral("held.json"), held},
        {QStringLiteral("greek.json"), QByteArray(component).replace("dbmtow( 18 ) ", "\u03a9")},
        {QStringLiteral("greekfile.json"),
         QByteArray(component).replace("pa_upper_band.lp", "pa_\u0393.lp")},
        {QStringLiteral("missing.json"), missing},
        {QStringLiteral("malformed.lp"), "LPDATA 1\nVAR=<x\n"},
        {QStringLiteral("nogain.lp"), "LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                                      "Re(g) Im(g) Pin P\n0 0 10 20\n0 0 20 27\n"}};
    for (const auto &file : files) {
        QFile written(workspace.filePath(file.first));
        QVERIFY(written.open(QIODevice::WriteOnly) &&
                written.write(file.second) == file.second.size());
    }
    QVERIFY(::mkfifo(QFile::encodeName(workspace.filePath(QStringLiteral("fifo.json"))).constData(),
                     0600) == 0);
}

void tst_LpHost::everyTabShowsItsControls()
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    QVERIFY2(!xvfbRun.isEmpty(), "xvfb-run is missing: scripts/ensure-deps.sh installs it");
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    host.setProcessEnvironment(environment);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(xvfbRun,
               {QStringLiteral("-a"), QStringLiteral("-s"),
                QStringLiteral("-screen 0 1280x1024x24"), QStringLiteral(LP_HOST_PATH),
                m_workspace.filePath(QStringLiteral("component.json")),
                QStringLiteral("--screenshot"), m_workspace.filePath(QStringLiteral("editor.png")),
                QStringLiteral("--each-tab")});
    QVERIFY(host.waitForFinished(60000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 0);

    QList<QImage> shots;
    for (const QString &tab : TabNames) {
        const QImage shot(m_workspace.filePath(QStringLiteral("editor-%1.png").arg(tab)));
        QVERIFY2(!shot.isNull(), qPrintable(tab));
        QVERIFY2(shot.width() > 300 && shot.height() > 200, qPrintable(tab));
        QVERIFY2(colourCount(shot) > 20, qPrintable(tab));
        for (const QImage &other : qAsConst(shots))
            QVERIFY2(other != shot, qPrintable(tab));
        shots.append(shot);
    }
}

void tst_LpHost::commandLines_data()
{
    QTest::addColumn<QStringList>("arguments"); // "%W": the workspace, "%P": the plug-in
    QTest::addColumn<QString>("display");       // "none", or "offscreen" for QT_QPA_PLATFORM
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardError");  // a fragment, or empty for none at all
    QTest::addColumn<QString>("standardOutput"); // a fragment, or empty for none at all
    QTest::addColumn<QStringList>("written");    // charts that must exist afterwards, of the form
                                                 // their suffix names
    QTest::addColumn<QSize>("pictureSize");      // a PNG's, when valid

    const QString none = QStringLiteral("none");
    const QString offscreen = QStringLiteral("offscreen");
    const QString component = QStringLiteral("%W/component.json");
    const QString fallback = QStringLiteral("no display found: rendering offscreen");
    const QString printed = QStringLiteral("\"instance\": \"DBLP1\"");
    const auto row = [](const char *name, const QStringList &arguments, const QString &display,
                        int exitCode, const QString &standardError, const QString &standardOutput,
                        const QStringList &written = {}, const QSize &pictureSize = {}) {
        QTest::newRow(name) << arguments << display << exitCode << standardError << standardOutput
                            << written << pictureSize;
    };

    row("--help needs no display", QStringList{"--help"_a}, none, 0, {},
        QStringLiteral("--plugin <path>"));
    row("--version names the program and the plug-in", QStringList{"--version"_a}, none, 0, {},
        QStringLiteral("library version 100"));
    row("no component", {}, none, 2, QStringLiteral("no component file given"), {});
    row("an unknown option", QStringList{"--frobnicate"_a, "%W/component.json"_a}, none, 2,
        QStringLiteral("Unknown option 'frobnicate'"), {});
    row("--accept without a display falls back to offscreen", {component, "--accept"_a}, none, 0,
        fallback, printed);
    row("--accept with a platform named prints the component alone", {component, "--accept"_a},
        offscreen, 0, {}, printed);
    row("--plugin=PATH is the plug-in loaded", {component, "--accept"_a, "--plugin=%P"_a},
        offscreen, 0, {}, printed);
    row("--plugin PATH that does not exist",
        {component, "--accept"_a, "--plugin"_a, "/nowhere.so"_a}, offscreen, 1,
        QStringLiteral("/nowhere.so"), {});
    row("--plugin=PATH that does not exist", {component, "--accept"_a, "--plugin=/nowhere.so"_a},
        offscreen, 1, QStringLiteral("/nowhere.so"), {});
    row("--screenshot FILE", {component, "--screenshot"_a, "%W/shot.png"_a}, none, 0, fallback,
        QStringLiteral("Screenshot %W/shot.png"), {QStringLiteral("%W/shot.png")});
    row("--screenshot=FILE --each-tab",
        {component, "--screenshot=%W/tabs/shot.png"_a, "--each-tab"_a}, offscreen, 0, {},
        QStringLiteral("Screenshot %W/tabs/shot-term.png"),
        {QStringLiteral("%W/tabs/shot-file.png"), QStringLiteral("%W/tabs/shot-analysis.png")});
    row("--screenshot into a folder that cannot be made",
        {component, "--screenshot"_a, "%W/component.json/shot.png"_a}, offscreen, 1,
        QStringLiteral("cannot write the screenshot %W/component.json/shot.png"), {});
    row("--accept --summary with screenshots",
        {component, "--accept"_a, "--summary"_a, "--screenshot"_a, "%W/sum/shot.png"_a,
         "--each-tab"_a},
        offscreen, 0, {},
        QStringLiteral("Screenshots in %W/sum: 6\nAccepted: no parameter changed"));
    row("--accept --summary keeps what the editor does not know, as written",
        {"%W/held.json"_a, "--accept"_a, "--summary"_a}, offscreen, 0, {},
        QStringLiteral("Accepted: no parameter changed"));
    row("a value beyond Latin-1 refuses the component", {"%W/greek.json"_a, "--accept"_a},
        offscreen, 1,
        QStringLiteral("%W/greek.json: not a component (parameter IndepVarValue holds \""), {});
    row("a data file named beyond Latin-1 refuses the component",
        {"%W/greekfile.json"_a, "--accept"_a, "--summary"_a}, offscreen, 1,
        QStringLiteral("%W/greekfile.json: not a component (parameter FileName holds "), {});
    row("--accept with a data file that cannot be read ends with 3",
        {"%W/missing.json"_a, "--accept"_a}, offscreen, 3,
        QStringLiteral("Message: These load pull files could not be read"),
        QStringLiteral("data/gone.lp"));
    row("an interactive run without a display", {component}, none, 2,
        QStringLiteral("no display to show the editor on"), {});
    row("--inspect reports the data alone", {"--inspect"_a, "%W/data/pa_two_frequencies.lp"_a},
        none, 0, {}, QStringLiteral("Performance quantities (5)"));
    row("--inspect --verbose adds the vocabulary",
        {"--inspect"_a, "--verbose"_a, "%W/data/pa_two_frequencies.lp"_a}, none, 0,
        QStringLiteral("Vocabulary CmdOp"), QStringLiteral("Variables ("));
    row("--inspect of a malformed data file", {"--inspect"_a, "%W/malformed.lp"_a}, none, 1,
        QStringLiteral("\"%W/malformed.lp\", line 2"), {});
    // The Smith chart's picture has the size that --help and the README give.
    const QSize chart(800, 800);
    const QString twoFrequencies = QStringLiteral("%W/data/pa_two_frequencies.lp");
    const QString harmonic = QStringLiteral("%W/data/pa_harmonic_load.lp2");
    row("--plot FILE without a display falls back to offscreen",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/chart.png"_a}, none, 0, fallback,
        QStringLiteral("Smith chart %W/chart.png"), {QStringLiteral("%W/chart.png")}, chart);
    row("--plot FILE --gamma NAME --contour QUANTITY into a new folder, made as for --screenshot",
        {"--inspect"_a, harmonic, "--plot"_a, "%W/plots/h2.png"_a, "--gamma"_a, "gamma_ld2"_a,
         "--contour"_a, "PAE"_a},
        offscreen, 0, {}, QStringLiteral("Smith chart %W/plots/h2.png"),
        {QStringLiteral("%W/plots/h2.png")}, chart);
    row("--plot FILE.svg draws the chart as SVG",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/chart.svg"_a}, offscreen, 0, {},
        QStringLiteral("Smith chart %W/chart.svg"), {QStringLiteral("%W/chart.svg")});
    row("--plot FILE.PDF, a suffix in capitals, draws the chart as PDF",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/chart.PDF"_a}, offscreen, 0, {},
        QStringLiteral("Smith chart %W/chart.PDF"), {QStringLiteral("%W/chart.PDF")});
    row("--plot FILE.json --compression 2 --contour A,B --target writes the chart as data",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/chart.json"_a, "--compression"_a, "2"_a,
         "--contour"_a, "Pout,PAE"_a, "--target=Pout>=39,PAE>=45"_a},
        offscreen, 0, {}, QStringLiteral("Smith chart %W/chart.json"),
        {QStringLiteral("%W/chart.json")});
    row("--compression finer than the file gives the gain",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.json"_a, "--compression"_a, "1e-300"_a},
        offscreen, 1, QStringLiteral("--compression 1e-300 dB is finer than the gain of"), {});
    row("--contour of three quantities",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.png"_a, "--contour=Pout,PAE,Id"_a}, none,
        2, QStringLiteral("--contour takes one or two quantities, not 'Pout,PAE,Id'"), {});
    row("--plot --compression of a file without a gain",
        {"--inspect"_a, "%W/nogain.lp"_a, "--plot"_a, "%W/x.png"_a, "--compression=1"_a}, offscreen,
        1, QStringLiteral("holds no gain: contours at compression need"), {});
    row("--plot into a file of another suffix",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.gif"_a}, none, 2,
        QStringLiteral("--plot writes a file whose name ends in .png, .svg, .pdf, .json, not"), {});
    row("--compression that is no number of dB above 0",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.png"_a, "--compression"_a, "-1"_a}, none,
        2, QStringLiteral("--compression takes a number of dB above 0, not '-1'"), {});
    row("--plot --contour none --view full draws the points alone on the whole chart",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/points.png"_a, "--contour"_a, "none"_a,
         "--view"_a, "full"_a},
        offscreen, 0, {}, QStringLiteral("Smith chart %W/points.png"),
        {QStringLiteral("%W/points.png")}, chart);
    row("--view of neither data nor full",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.png"_a, "--view=all"_a}, none, 2,
        QStringLiteral("--view takes data or full, not 'all'"), {});
    row("--gamma NAME that the file does not declare",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.png"_a, "--gamma"_a, "gamma_ld9"_a},
        offscreen, 1, QStringLiteral("declares no reflection coefficient 'gamma_ld9'"), {});
    row("--contour=QUANTITY that the file does not hold",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/x.png"_a, "--contour=Noise"_a}, offscreen,
        1, QStringLiteral("holds no performance quantity 'Noise'"), {});
    row("--plot into a folder that cannot be made",
        {"--inspect"_a, twoFrequencies, "--plot"_a, "%W/component.json/chart.png"_a}, offscreen, 1,
        QStringLiteral("cannot write the Smith chart %W/component.json/chart.png"), {});
    row("--plot of two files", {"--inspect"_a, twoFrequencies, harmonic, "--plot=%W/x.png"_a}, none,
        2, QStringLiteral("--plot draws one data file, not 2"), {});
    row("--plot without --inspect", {twoFrequencies, "--plot"_a, "%W/x.png"_a}, none, 2,
        QStringLiteral("--plot goes with --inspect"), {});
    row("--target without --plot", {"--inspect"_a, twoFrequencies, "--target"_a, "Pout>=1"_a}, none,
        2, QStringLiteral("--gamma, --contour, --compression, --target and --view go with"), {});
    row("a component file that does not exist", {"%W/gone.json"_a, "--accept"_a}, offscreen, 1,
        QStringLiteral("%W/gone.json"), {});
    row("a FIFO nobody writes to", {"%W/fifo.json"_a, "--accept"_a}, offscreen, 1,
        QStringLiteral("%W/fifo.json is not a regular file"), {});
}

// lp-host run as a script runs it. Opening a FIFO or a device for reading would wait for
// ever or read gigabytes: a deadline keeps a host that does so from holding up the suite.
void tst_LpHost::commandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QString, standardError);
    QFETCH(QString, standardOutput);
    QFETCH(QStringList, written);
    QFETCH(QSize, pictureSize);
    const auto filled = [this](QString text) {
        return text.replace(QStringLiteral("%W"), m_workspace.path())
            .replace(QStringLiteral("%P"), QStringLiteral(LP_PLUGIN_PATH));
    };
    QFile component(m_workspace.filePath(QStringLiteral("component.json")));
    QVERIFY(component.open(QIODevice::ReadOnly));
    const QByteArray componentBefore = component.readAll();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    if (display == QLatin1String("offscreen"))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), display);
    QProcess host;
    host.setProcessEnvironment(environment);
    QStringList filledArguments;
    for (const QString &argument : qAsConst(arguments))
        filledArguments << filled(argument);
    host.start(QStringLiteral(LP_HOST_PATH), filledArguments);
    QVERIFY2(host.waitForFinished(60000), "lp-host is still running");

    const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
    const QString output = QString::fromLocal8Bit(host.readAllStandardOutput());
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QVERIFY2(host.exitCode() == exitCode, qPrintable(errors));
    // Qt may add warnings of its platform to standard error; lp-host's own lines are known.
    static const QRegularExpression ownLine(QStringLiteral("^(lp-host:|Message:|Vocabulary)"),
                                            QRegularExpression::MultilineOption);
    QVERIFY2(standardError.isEmpty() ? !errors.contains(ownLine)
                                     : errors.contains(filled(standardError)),
             qPrintable(errors));
    QVERIFY2(standardOutput.isEmpty() ? output.isEmpty() : output.contains(filled(standardOutput)),
             qPrintable(output));
    for (const QString &file : qAsConst(written)) {
        QFile chart(filled(file));
        QVERIFY2(chart.open(QIODevice::ReadOnly), qPrintable(chart.fileName()));
        const QByteArray content = chart.readAll();
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QLatin1String("svg"))
            QVERIFY(content.startsWith("<?xml") && content.contains("<svg"));
        else if (suffix == QLatin1String("pdf"))
            QVERIFY(content.startsWith("%PDF-"));
        else if (suffix == QLatin1String("json"))
            QVERIFY(QJsonDocument::fromJson(content).object().contains(QStringLiteral("points")));
        else
            QVERIFY2(QImage::fromData(content).width() > 300, qPrintable(chart.fileName()));
        QVERIFY2(!pictureSize.isValid() || QImage::fromData(content).size() == pictureSize,
                 qPrintable(chart.fileName()));
    }
    // Nothing but OK in the dialog writes the component.
    component.seek(0);
    QCOMPARE(component.readAll(), componentBefore);
}

QTEST_GUILESS_MAIN(tst_LpHost)
#include "tst_lphost.moc"
