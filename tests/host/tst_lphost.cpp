#include "testtexts.h"

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

const QStringList TabNames = {"file"_s,          "variables"_s, "performance"_s,
                              "interpolation"_s, "analysis"_s,  "term"_s};

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
    QVERIFY(workspace.mkdir("data"_s));
    for (const QString &file : QDir(examples.filePath("data"_s)).entryList(QDir::Files))
        QVERIFY(
            QFile::copy(examples.filePath("data/"_s + file), workspace.filePath("data/"_s + file)));
    QFile example(examples.filePath("pa_amplifier.json"_s));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray component = example.readAll();
    const QByteArray missing =
        QByteArray(component).replace("data/pa_upper_band.lp", "data/gone.lp");
    // What lp-host holds and the editor does not: a parameter of another plug-in, a data file
    // named by its absolute path, a parameter left to its default.
    const QByteArray held =
        QByteArray(component)
            .replace("data/pa_upper_band.lp",
                     QFile::encodeName(workspace.filePath("data/pa_upper_band.lp"_s)))
            .replace("\"FileType\"", "\"Unknown\": [\"x\"],\n        \"FileType\"")
            .replace("\"Weight\": [\"100\"],", "");
    const QList<QPair<QString, QByteArray>> files = {
        {"component.json"_s, component},
        {"held.json"_s, held},
        {"greek.json"_s, QByteArray(component).replace("dbmtow( 18 ) ", "\u03a9")},
        {"greekfile.json"_s, QByteArray(component).replace("pa_upper_band.lp", "pa_\u0393.lp")},
        {"missing.json"_s, missing},
        {"malformed.lp"_s, "LPDATA 1\nVAR=<x\n"},
        {"nogain.lp"_s, "LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                        "Re(g) Im(g) Pin P\n0 0 10 20\n0 0 20 27\n"}};
    for (const auto &file : files) {
        QFile written(workspace.filePath(file.first));
        QVERIFY(written.open(QIODevice::WriteOnly) &&
                written.write(file.second) == file.second.size());
    }
    QVERIFY(::mkfifo(QFile::encodeName(workspace.filePath("fifo.json"_s)).constData(), 0600) == 0);
}

void tst_LpHost::everyTabShowsItsControls()
{
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run"_s);
    QVERIFY2(!xvfbRun.isEmpty(), "xvfb-run is missing: scripts/ensure-deps.sh installs it");
    QProcess host;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM"_s);
    host.setProcessEnvironment(environment);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(xvfbRun, {"-a"_s, "-s"_s, "-screen 0 1280x1024x24"_s, QStringLiteral(LP_HOST_PATH),
                         m_workspace.filePath("component.json"_s), "--screenshot"_s,
                         m_workspace.filePath("editor.png"_s), "--each-tab"_s});
    QVERIFY(host.waitForFinished(60000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 0);

    QList<QImage> shots;
    for (const QString &tab : TabNames) {
        const QImage shot(m_workspace.filePath("editor-%1.png"_s.arg(tab)));
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

    const QString none = "none"_s;
    const QString offscreen = "offscreen"_s;
    const QString component = "%W/component.json"_s;
    const QString fallback = "no display found: rendering offscreen"_s;
    const QString printed = "\"instance\": \"DBLP1\""_s;
    const auto row = [](const char *name, const QStringList &arguments, const QString &display,
                        int exitCode, const QString &standardError,
                        const QString &standardOutput = {}, const QStringList &written = {},
                        const QSize &pictureSize = {}) {
        QTest::newRow(name) << arguments << display << exitCode << standardError << standardOutput
                            << written << pictureSize;
    };

    row("--help needs no display", QStringList{"--help"_s}, none, 0, {}, "--plugin <path>"_s);
    row("--help-all gives the same help", QStringList{"--help-all"_s}, none, 0, {},
        "--plugin <path>"_s);
    row("--version names the program and the plug-in", QStringList{"--version"_s}, none, 0, {},
        "library version 100"_s);
    row("no component", {}, none, 2, "no component file given"_s);
    row("an unknown option", QStringList{"--frobnicate"_s, "%W/component.json"_s}, none, 2,
        "Unknown option 'frobnicate'"_s);
    row("--accept without a display falls back to offscreen", {component, "--accept"_s}, none, 0,
        fallback, printed);
    row("--accept with a platform named prints the component alone", {component, "--accept"_s},
        offscreen, 0, {}, printed);
    row("--plugin=PATH is the plug-in loaded", {component, "--accept"_s, "--plugin=%P"_s},
        offscreen, 0, {}, printed);
    row("--plugin PATH that does not exist",
        {component, "--accept"_s, "--plugin"_s, "/nowhere.so"_s}, offscreen, 1, "/nowhere.so"_s);
    row("--plugin=PATH that does not exist", {component, "--accept"_s, "--plugin=/nowhere.so"_s},
        offscreen, 1, "/nowhere.so"_s);
    row("--screenshot FILE", {component, "--screenshot"_s, "%W/shot.png"_s}, none, 0, fallback,
        "Screenshot %W/shot.png"_s, {"%W/shot.png"_s});
    row("--screenshot=FILE --each-tab",
        {component, "--screenshot=%W/tabs/shot.png"_s, "--each-tab"_s}, offscreen, 0, {},
        "Screenshot %W/tabs/shot-term.png"_s,
        {"%W/tabs/shot-file.png"_s, "%W/tabs/shot-analysis.png"_s});
    row("--screenshot into a folder that cannot be made",
        {component, "--screenshot"_s, "%W/component.json/shot.png"_s}, offscreen, 1,
        "cannot write the screenshot %W/component.json/shot.png"_s);
    row("--accept --summary with screenshots",
        {component, "--accept"_s, "--summary"_s, "--screenshot"_s, "%W/sum/shot.png"_s,
         "--each-tab"_s},
        offscreen, 0, {}, "Screenshots in %W/sum: 6\nAccepted: no parameter changed"_s);
    row("--accept --summary keeps what the editor does not know, as written",
        {"%W/held.json"_s, "--accept"_s, "--summary"_s}, offscreen, 0, {},
        "Accepted: no parameter changed"_s);
    row("a value beyond Latin-1 refuses the component", {"%W/greek.json"_s, "--accept"_s},
        offscreen, 1, "%W/greek.json: not a component (parameter IndepVarValue holds \""_s, {});
    row("a data file named beyond Latin-1 refuses the component",
        {"%W/greekfile.json"_s, "--accept"_s, "--summary"_s}, offscreen, 1,
        "%W/greekfile.json: not a component (parameter FileName holds "_s, {});
    row("--accept with a data file that cannot be read ends with 3",
        {"%W/missing.json"_s, "--accept"_s}, offscreen, 3,
        "Message: These load pull files could not be read"_s, "data/gone.lp"_s);
    row("an interactive run without a display", {component}, none, 2,
        "no display to show the editor on"_s);
    row("--inspect reports the data alone", {"--inspect"_s, "%W/data/pa_two_frequencies.lp"_s},
        none, 0, {}, "Performance quantities (5)"_s);
    row("--inspect --verbose adds the vocabulary",
        {"--inspect"_s, "--verbose"_s, "%W/data/pa_two_frequencies.lp"_s}, none, 0,
        "Vocabulary CmdOp"_s, "Variables ("_s);
    row("--inspect of a malformed data file", {"--inspect"_s, "%W/malformed.lp"_s}, none, 1,
        "\"%W/malformed.lp\", line 2"_s);
    // The Smith chart's picture has the size that --help and docs/lp-host.md give.
    const QSize chart(800, 800);
    const QString twoFrequencies = "%W/data/pa_two_frequencies.lp"_s;
    const QString harmonic = "%W/data/pa_harmonic_load.lp2"_s;
    row("--plot FILE without a display falls back to offscreen",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/chart.png"_s}, none, 0, fallback,
        "Smith chart %W/chart.png"_s, {"%W/chart.png"_s}, chart);
    row("--plot FILE --gamma NAME --contour QUANTITY into a new folder, made as for --screenshot",
        {"--inspect"_s, harmonic, "--plot"_s, "%W/plots/h2.png"_s, "--gamma"_s, "gamma_ld2"_s,
         "--contour"_s, "PAE"_s},
        offscreen, 0, {}, "Smith chart %W/plots/h2.png"_s, {"%W/plots/h2.png"_s}, chart);
    row("--plot FILE.svg draws the chart as SVG",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/chart.svg"_s}, offscreen, 0, {},
        "Smith chart %W/chart.svg"_s, {"%W/chart.svg"_s});
    row("--plot FILE.PDF, a suffix in capitals, draws the chart as PDF",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/chart.PDF"_s}, offscreen, 0, {},
        "Smith chart %W/chart.PDF"_s, {"%W/chart.PDF"_s});
    row("--plot FILE.json --compression 2 --contour A,B --target writes the chart as data",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/chart.json"_s, "--compression"_s, "2"_s,
         "--contour"_s, "Pout,PAE"_s, "--target=Pout>=39,PAE>=45"_s},
        offscreen, 0, {}, "Smith chart %W/chart.json"_s, {"%W/chart.json"_s});
    row("--compression finer than the file gives the gain",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.json"_s, "--compression"_s, "1e-300"_s},
        offscreen, 1, "--compression 1e-300 dB is finer than the gain of"_s);
    row("--contour of three quantities",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.png"_s, "--contour=Pout,PAE,Id"_s}, none,
        2, "--contour takes one or two quantities, not 'Pout,PAE,Id'"_s);
    row("--plot --compression of a file without a gain",
        {"--inspect"_s, "%W/nogain.lp"_s, "--plot"_s, "%W/x.png"_s, "--compression=1"_s}, offscreen,
        1, "holds no gain: contours at compression need"_s);
    row("--plot into a file of another suffix",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.gif"_s}, none, 2,
        "--plot writes a file whose name ends in .png, .svg, .pdf, .json, not"_s);
    row("--compression that is no number of dB above 0",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.png"_s, "--compression"_s, "-1"_s}, none,
        2, "--compression takes a number of dB above 0, not '-1'"_s);
    row("--z0 that is no resistance above 0",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.json"_s, "--z0"_s, "0"_s}, none, 2,
        "--z0 takes a resistance in Ohm above 0, not '0'"_s);
    row("--plot --contour none --view full draws the points alone on the whole chart",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/points.png"_s, "--contour"_s, "none"_s,
         "--view"_s, "full"_s},
        offscreen, 0, {}, "Smith chart %W/points.png"_s, {"%W/points.png"_s}, chart);
    row("--view of neither data nor full",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.png"_s, "--view=all"_s}, none, 2,
        "--view takes data or full, not 'all'"_s);
    row("--gamma NAME that the file does not declare",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.png"_s, "--gamma"_s, "gamma_ld9"_s},
        offscreen, 1, "declares no reflection coefficient 'gamma_ld9'"_s);
    row("--contour=QUANTITY that the file does not hold",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/x.png"_s, "--contour=Noise"_s}, offscreen,
        1, "holds no performance quantity 'Noise'"_s);
    row("--plot into a folder that cannot be made",
        {"--inspect"_s, twoFrequencies, "--plot"_s, "%W/component.json/chart.png"_s}, offscreen, 1,
        "cannot write the Smith chart %W/component.json/chart.png"_s);
    row("--plot of two files", {"--inspect"_s, twoFrequencies, harmonic, "--plot=%W/x.png"_s}, none,
        2, "--plot draws one data file, not 2"_s);
    row("--plot without --inspect", {twoFrequencies, "--plot"_s, "%W/x.png"_s}, none, 2,
        "--plot goes with --inspect"_s);
    row("--target without --plot", {"--inspect"_s, twoFrequencies, "--target"_s, "Pout>=1"_s}, none,
        2,
        "--gamma, --contour, --compression, --target, --at, --z0, --readout, --levels, --step, "
        "--admittance and --view go with"_s);
    row("a component file that does not exist", {"%W/gone.json"_s, "--accept"_s}, offscreen, 1,
        "%W/gone.json"_s);
    row("a FIFO nobody writes to", {"%W/fifo.json"_s, "--accept"_s}, offscreen, 1,
        "%W/fifo.json is not a regular file"_s);
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
        return text.replace("%W"_s, m_workspace.path())
            .replace("%P"_s, QStringLiteral(LP_PLUGIN_PATH));
    };
    QFile component(m_workspace.filePath("component.json"_s));
    QVERIFY(component.open(QIODevice::ReadOnly));
    const QByteArray componentBefore = component.readAll();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    if (display == QLatin1String("offscreen"))
        environment.insert("QT_QPA_PLATFORM"_s, display);
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
    static const QRegularExpression ownLine("^(lp-host:|Message:|Vocabulary)"_s,
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
            QVERIFY(QJsonDocument::fromJson(content).object().contains("points"_s));
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
