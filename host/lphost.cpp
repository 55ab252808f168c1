// lp-host: the reference host. It loads the editor plug-in as the design environment
// does, opens the editor of a DataBasedLoadPull component kept in a JSON file, and
// writes the edited parameters back when the user accepts.

#include "charttext.h"
#include "componentdialog.h"
#include "componentfile.h"
#include "datareport.h"
#include "hostparameterlists.h"
#include "pluginloader.h"
#include "previewcommand.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"
#include "smithchartexport.h"
#include "smithchartplot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The exit codes, as the README documents them.
enum ExitCode { Success = 0, Failure = 1, UsageError = 2, AcceptedWithMessages = 3 };

const char *const TabFileNames[] = {"file",          "variables", "performance",
                                    "interpolation", "analysis",  "term"};

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void setApplicationNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("lp-host"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LP_VERSION));
}

// Qt's warnings about the platform ("XDG_RUNTIME_DIR not set", what the offscreen platform
// cannot do) mean nothing to a user of lp-host: they are shown with --verbose only.
void keepQtQuiet(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        err() << text << Qt::endl;
}

QStringList commandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void defineOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Reference host for the DataBasedLoadPull editor plug-in: opens the editor of a "
        "component kept in a JSON file and writes the parameters back on OK.\n\n"
        "Exit codes: 0 done; 1 an error; 2 a wrong command line, or no display for an "
        "interactive run; 3 done, but the editor showed messages (printed on standard "
        "error)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("plugin"),
         QStringLiteral("The plug-in shared object to load (default: the one installed with "
                        "lp-host, or else the one built beside it)."),
         QStringLiteral("path")},
        {QStringLiteral("accept"),
         QStringLiteral("Accept the editor at once and print the component with its new "
                        "parameters (nothing is written).")},
        {QStringLiteral("summary"),
         QStringLiteral("With --accept, print a short summary (screenshots written, "
                        "parameters changed) instead of the component.")},
        {QStringLiteral("screenshot"), QStringLiteral("Write a PNG of the dialog."),
         QStringLiteral("file")},
        {QStringLiteral("each-tab"),
         QStringLiteral("With --screenshot, write one PNG per tab (file-<tab>.png).")},
        {QStringLiteral("inspect"),
         QStringLiteral("Report what the load-pull data library finds in the given data "
                        "files instead of opening a component.")},
        {QStringLiteral("plot"),
         QStringLiteral("With --inspect of one data file, also write its Smith chart, by the "
                        "file's suffix: .png, a PNG of 800 x 800 pixels; .svg or .pdf, a "
                        "drawing of the same chart; .json, the chart as data. It shows the "
                        "measured points of a reflection coefficient at the lowest frequency "
                        "and the highest drive level, with contours of a performance "
                        "quantity, fitted to the measured region."),
         QStringLiteral("file")},
        {QStringLiteral("gamma"),
         QStringLiteral("With --plot, the reflection coefficient to show (default: the first "
                        "measured one)."),
         QStringLiteral("name")},
        {QStringLiteral("contour"),
         QStringLiteral("With --plot, the performance quantity to draw contours of, or two "
                        "separated by a comma, such as Pout,PAE (default: the first; none: the "
                        "points alone)."),
         QStringLiteral("quantities")},
        {QStringLiteral("compression"),
         QStringLiteral("With --plot, show each load where its gain has compressed by this "
                        "many dB along its drive sweep, with the quantities there."),
         QStringLiteral("dB")},
        {QStringLiteral("target"),
         QStringLiteral("With --plot, shade the measured region where every bound holds, such "
                        "as Pout>=39,PAE>=55 (numbers with a decimal point)."),
         QStringLiteral("bounds")},
        {QStringLiteral("at"),
         QStringLiteral("With --plot, chart the condition named instead, the nearest measured: "
                        "the frequency, drive level and other swept variables, and places of "
                        "the other reflection coefficients, such as \"Freq=2 GHz,Pin_avail=18\" "
                        "or \"gamma_ld2=-0.9+j0.05\" (with --compression, the drive level comes "
                        "from the compression). With --preview, values for the preview alone, "
                        "such as \"Freq=1.9 GHz,Pin_avail=20\" (default: the lowest measured "
                        "frequency and the held values)."),
         QStringLiteral("settings")},
        {QStringLiteral("z0"),
         QStringLiteral("With --plot, the reference impedance at which impedances are read, "
                        "such as the optima's in the chart as data (default: 50)."),
         QStringLiteral("ohms")},
        {QStringLiteral("levels"),
         QStringLiteral("With --plot, the first quantity's contour levels, such as 38,39,40."),
         QStringLiteral("values")},
        {QStringLiteral("step"),
         QStringLiteral("With --plot, the step between the first quantity's contour levels "
                        "(default: suited to its unit, never finer than its values are "
                        "written)."),
         QStringLiteral("step")},
        {QStringLiteral("admittance"),
         QStringLiteral("With --plot, also draw the admittance grid (dotted, unlabelled).")},
        {QStringLiteral("readout"),
         QStringLiteral("With --plot, also print each contoured quantity (and, with "
                        "--compression, the drive level) at this load, such as 0.2+j0.1, as "
                        "lines such as 'Pout = 39.71 dBm'."),
         QStringLiteral("gamma")},
        {QStringLiteral("view"),
         QStringLiteral("With --plot, show the measured region with a margin (data, the "
                        "default) or the whole chart (full)."),
         QStringLiteral("data|full")},
        {QStringLiteral("verbose"),
         QStringLiteral("Also print the script vocabulary the plug-in registers.")},
    });
    parser.addOptions(PreviewCommand::options());
    parser.addPositionalArgument(QStringLiteral("component"),
                                 QStringLiteral("The component's JSON file (or, with --inspect, "
                                                "load-pull data files)."));
}

// Whether Qt can open a window: a platform the user names is taken at its word; otherwise a
// Wayland socket, or an X display whose local socket exists (another host's is trusted).
bool displayReachable()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty() &&
        QFileInfo::exists(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(wayland)))
        return true;
    const QString display = qEnvironmentVariable("DISPLAY");
    static const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const QRegularExpressionMatch match = local.match(display);
    if (!match.hasMatch())
        return !display.isEmpty();
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + match.captured(1));
}

void renderOffscreen()
{
    err() << "lp-host: no display found: rendering offscreen." << Qt::endl;
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

void describeVocabularies(const ReferenceTvlInterface &tvl)
{
    for (const ReferenceTvlInterface::Registration &registration : tvl.registrations()) {
        const VocabularyDescriptor *vocabulary = registration.descriptor;
        err() << "Vocabulary " << vocabulary->name << " (" << vocabulary->language << "):";
        for (intptr_t i = 0; i < vocabulary->count; ++i)
            err() << ' ' << vocabulary->entries[i].name;
        err() << Qt::endl;
    }
}

// Without a person at the screen, a modal box the plug-in shows would wait for ever:
// each one is reported, counted and closed with its default answer.
void answerMessageBoxes(QTimer &timer, int &boxesShown)
{
    QObject::connect(&timer, &QTimer::timeout, [&boxesShown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        ++boxesShown;
        err() << "Message: " << box->text() << Qt::endl;
        if (QPushButton *button = box->defaultButton())
            button->click();
        else
            box->reject();
    });
    timer.start(50);
}

// The widgets held by the list the plug-in handed out.
QList<QWidget *> widgetsOf(ReferenceTvlInterface &tvl, TvlValue *list)
{
    QList<QWidget *> widgets;
    for (int i = 0; TvlValue *element = tvl.GetListElement(list, i); ++i) {
        auto *stored = static_cast<QWidget **>(tvl.GetValueData(element));
        widgets.append(stored ? *stored : nullptr);
    }
    return widgets;
}

QString screenshotPath(const QString &path, int tab)
{
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + QLatin1Char('-') +
                               QLatin1String(TabFileNames[tab]) + QStringLiteral(".png"));
}

bool saveScreenshots(ComponentDialog &dialog, const QString &path, bool eachTab,
                     QStringList *written)
{
    dialog.show();
    QApplication::processEvents();
    const int tabCount = eachTab ? dialog.tabs()->count() : 1;
    for (int tab = 0; tab < tabCount; ++tab) {
        dialog.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString file = eachTab ? screenshotPath(path, tab) : path;
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (!dialog.grab().save(file, "PNG")) {
            err() << "lp-host: cannot write the screenshot " << file << Qt::endl;
            return false;
        }
        written->append(file);
    }
    return true;
}

// The editor's state as the component's parameters.
std::optional<ComponentFile::Parameters> editorParameters(ReferenceTvlInterface &tvl,
                                                          TvlValue *widgetList)
{
    TvlValue *parameters = tvl.call("load_pull_getDBLPState", {widgetList});
    if (!parameters) {
        err() << "lp-host: the plug-in returned no parameters." << Qt::endl;
        return std::nullopt;
    }
    return HostParameterLists::read(tvl, parameters);
}

// The editor's state, taken into the component; `opened` is what the editor gave right after
// opening, which tells the defaults of the parameters the component lacks.
bool acceptEditor(ReferenceTvlInterface &tvl, TvlValue *widgetList, ComponentFile &component,
                  const ComponentFile::Parameters &opened)
{
    const std::optional<ComponentFile::Parameters> parameters = editorParameters(tvl, widgetList);
    if (parameters)
        component.setHostParameters(*parameters, opened);
    return bool(parameters);
}

QString changeText(const ComponentFile &before, const ComponentFile &after)
{
    const QStringList changed = ComponentFile::changedParameters(before, after);
    return changed.isEmpty() ? QStringLiteral("no parameter changed")
                             : QStringLiteral("changed: ") + changed.join(QStringLiteral(", "));
}

void printSummary(const QStringList &screenshots, const ComponentFile &before,
                  const ComponentFile &after)
{
    QTextStream out(stdout);
    if (!screenshots.isEmpty())
        out << "Screenshots in " << QFileInfo(screenshots.first()).absolutePath() << ": "
            << screenshots.size() << '\n';
    out << "Accepted: " << changeText(before, after) << '\n';
}

// OK in the dialog: the file is written only when a parameter changed.
int saveAccepted(ReferenceTvlInterface &tvl, TvlValue *widgetList, ComponentFile &component,
                 const ComponentFile::Parameters &opened, const QString &path)
{
    const ComponentFile given = component;
    QString error;
    if (!acceptEditor(tvl, widgetList, component, opened))
        return Failure;
    if (ComponentFile::changedParameters(given, component).isEmpty()) {
        QTextStream(stdout) << path << ": " << changeText(given, component) << '\n';
        return Success;
    }
    if (!component.write(path, &error)) {
        err() << "lp-host: " << error << Qt::endl;
        return Failure;
    }
    QTextStream(stdout) << "Saved " << path << ": " << changeText(given, component) << '\n';
    return Success;
}

// The editor's run from its parameters to the dialog, and back to the component.
int runEditor(ReferenceTvlInterface &tvl, const QCommandLineParser &parser)
{
    // Paths on the command line are taken before the working folder changes.
    const QString componentPath =
        QFileInfo(parser.positionalArguments().value(0)).absoluteFilePath();
    const QString screenshot =
        QFileInfo(parser.value(QStringLiteral("screenshot"))).absoluteFilePath();
    const bool accept = parser.isSet(QStringLiteral("accept"));
    const bool shoot = parser.isSet(QStringLiteral("screenshot"));
    const bool summary = parser.isSet(QStringLiteral("summary"));
    ComponentFile component;
    QString error;
    if (!component.read(componentPath, &error)) {
        err() << "lp-host: " << error << Qt::endl;
        return Failure;
    }
    QTimer boxAnswerer;
    int boxesShown = 0;
    if (accept || shoot)
        answerMessageBoxes(boxAnswerer, boxesShown);
    // A design environment opens components from its workspace folder.
    QDir::setCurrent(component.folder().path());
    tvl.setInstanceName(component.instanceName().toStdString());

    TvlValue *widgetList = tvl.call(
        "load_pull_getAllTabWidgets",
        {HostParameterLists::make(tvl, component.hostParameters(), component.instanceName())});
    const QList<QWidget *> widgets = widgetsOf(tvl, widgetList);
    if (widgets.size() != 9 || widgets.contains(nullptr)) {
        err() << "lp-host: the plug-in refused the component's parameters." << Qt::endl;
        return Failure;
    }

    const std::optional<ComponentFile::Parameters> opened = editorParameters(tvl, widgetList);
    int status = opened ? Success : Failure;
    {
        ComponentDialog dialog(widgets);
        for (const ReferenceTvlInterface::Command &command : tvl.commands())
            dialog.runCommand(command.target, command.text);
        tvl.setCommandListener([&dialog](const ReferenceTvlInterface::Command &command) {
            dialog.runCommand(command.target, command.text);
        });
        dialog.setChangesCheck([&tvl, widgetList, &component, &opened] {
            ComponentFile edited = component;
            return acceptEditor(tvl, widgetList, edited, *opened) &&
                   !ComponentFile::changedParameters(component, edited).isEmpty();
        });

        QStringList screenshots;
        if (status == Success && shoot &&
            !saveScreenshots(dialog, screenshot, parser.isSet(QStringLiteral("each-tab")),
                             &screenshots))
            status = Failure;
        if (status == Success && accept) {
            const ComponentFile given = component;
            if (!acceptEditor(tvl, widgetList, component, *opened))
                status = Failure;
            else if (summary)
                printSummary(screenshots, given, component);
            else
                QTextStream(stdout) << component.toJson();
        } else if (status == Success && shoot) {
            for (const QString &file : qAsConst(screenshots))
                QTextStream(stdout) << "Screenshot " << file << '\n';
        } else if (status == Success && dialog.exec() == QDialog::Accepted) {
            status = saveAccepted(tvl, widgetList, component, *opened, componentPath);
        }
        tvl.setCommandListener({});
    }
    tvl.call("load_pull_closeDataBasedLoadpullUI", {});
    return status == Success && boxesShown > 0 ? AcceptedWithMessages : status;
}

// Without --plugin: the plug-in installed with lp-host, or else the one built beside it.
QString pluginPath(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("plugin")))
        return parser.value(QStringLiteral("plugin"));
    return PluginLoader::locate(
        QCoreApplication::applicationDirPath(),
        {QStringLiteral(LP_INSTALLED_PLUGIN), QStringLiteral(LP_BUILT_PLUGIN)});
}

// Loads the plug-in and lets it register its vocabulary, as the design environment does.
bool loadPlugin(PluginLoader &loader, ReferenceTvlInterface &tvl, ReferenceHostServices &host,
                bool verbose)
{
    if (!loader.load()) {
        err() << "lp-host: " << loader.errorString() << Qt::endl;
        return false;
    }
    const bool registered = loader.registerContents(&host);
    for (const std::string &error : host.errors())
        err() << "lp-host: error reported by the plug-in: " << QString::fromStdString(error)
              << Qt::endl;
    if (registered && verbose)
        describeVocabularies(tvl);
    return registered;
}

int printVersion(const QCommandLineParser &parser)
{
    QTextStream(stdout) << "lp-host " << QCoreApplication::applicationVersion() << " (Qt "
                        << qVersion() << ")\n";
    const QString plugin = pluginPath(parser);
    PluginLoader loader(plugin);
    if (!loader.load()) {
        err() << "lp-host: " << loader.errorString() << Qt::endl;
        return Failure;
    }
    QTextStream(stdout) << "plug-in " << plugin << ", library version " << loader.libraryVersion()
                        << '\n';
    return Success;
}

int inspect(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("verbose"))) {
        PluginLoader loader(pluginPath(parser));
        ReferenceTvlInterface tvl;
        ReferenceHostServices host(&tvl);
        if (!loadPlugin(loader, tvl, host, true))
            return Failure;
    }
    QString report;
    QString error;
    if (!DataReport::describe(parser.positionalArguments(), &report, &error)) {
        err() << "lp-host: " << error << Qt::endl;
        return Failure;
    }
    QTextStream(stdout) << report;
    return Success;
}

// Finite numbers in the C locale separated by commas, in rising order; none for an empty text,
// nothing for another.
std::optional<std::vector<double>> levelsOf(const QString &text)
{
    std::vector<double> levels;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool number = false;
        levels.push_back(QLocale::c().toDouble(part.trimmed(), &number));
        if (!number || !std::isfinite(levels.back()))
            return std::nullopt;
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    return levels;
}

// A finite number above 0 in the C locale; nothing for another text.
std::optional<double> positiveNumberOf(const QString &text)
{
    bool number = false;
    const double value = QLocale::c().toDouble(text, &number);
    if (!number || !(value > 0.0) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Painting needs a platform, though no window opens: offscreen when no display is reachable.
int inspectAndPlot(int argc, char *argv[], const QCommandLineParser &parser)
{
    if (!displayReachable())
        renderOffscreen();
    QGuiApplication app(argc, argv);
    setApplicationNames();
    // The picture first: a file that cannot be drawn prints no report.
    QString error;
    const QString picture = parser.value(QStringLiteral("plot"));
    SmithChartPlot::Options options;
    options.coefficient = parser.value(QStringLiteral("gamma"));
    options.contoured = parser.value(QStringLiteral("contour"));
    if (parser.isSet(QStringLiteral("compression")))
        options.compression = *positiveNumberOf(parser.value(QStringLiteral("compression")));
    options.target = parser.value(QStringLiteral("target"));
    options.at = parser.value(QStringLiteral("at"));
    options.readout = ChartText::complexFrom(parser.value(QStringLiteral("readout")));
    options.levels.named = *levelsOf(parser.value(QStringLiteral("levels")));
    options.levels.step = positiveNumberOf(parser.value(QStringLiteral("step"))).value_or(0.0);
    options.admittanceGrid = parser.isSet(QStringLiteral("admittance"));
    if (parser.isSet(QStringLiteral("z0")))
        options.referenceImpedance = *positiveNumberOf(parser.value(QStringLiteral("z0")));
    if (parser.value(QStringLiteral("view")) == QLatin1String("full"))
        options.view = SmithChartRenderer::View::Full;
    QStringList readout;
    if (!SmithChartPlot::write(parser.positionalArguments().constFirst(), options, picture, &error,
                               &readout)) {
        err() << "lp-host: " << error << Qt::endl;
        return Failure;
    }
    const int status = inspect(parser);
    if (status == Success) {
        QTextStream out(stdout);
        out << "Smith chart " << picture << '\n';
        for (const QString &line : readout)
            out << line << '\n';
    }
    return status;
}

// Options that only go with others, or values they cannot take; an empty text when the
// command line is consistent.
QString misplacedOption(const QCommandLineParser &parser)
{
    const bool plotting = parser.isSet(QStringLiteral("plot"));
    const QStringList chartOptions{
        QStringLiteral("gamma"),      QStringLiteral("contour"), QStringLiteral("compression"),
        QStringLiteral("target"),     QStringLiteral("at"),      QStringLiteral("z0"),
        QStringLiteral("readout"),    QStringLiteral("levels"),  QStringLiteral("step"),
        QStringLiteral("admittance"), QStringLiteral("view")};
    if (!plotting && std::any_of(chartOptions.begin(), chartOptions.end(),
                                 [&](const QString &option) { return parser.isSet(option); }))
        return QStringLiteral("--gamma, --contour, --compression, --target, --at, --z0, --readout, "
                              "--levels, --step, --admittance and --view go with --plot.");
    if (!plotting)
        return {};
    if (!parser.isSet(QStringLiteral("inspect")))
        return QStringLiteral("--plot goes with --inspect.");
    if (parser.positionalArguments().size() != 1)
        return QStringLiteral("--plot draws one data file, not %1.")
            .arg(parser.positionalArguments().size());
    const QString picture = parser.value(QStringLiteral("plot"));
    if (!SmithChartExport::knowsSuffixOf(picture))
        return QStringLiteral("--plot writes a file whose name ends in .%1, not '%2'.")
            .arg(SmithChartExport::suffixes().join(QStringLiteral(", .")), picture);
    const QList<std::pair<QString, QString>> positive = {
        {QStringLiteral("compression"), QStringLiteral("a number of dB above 0")},
        {QStringLiteral("z0"), QStringLiteral("a resistance in Ohm above 0")},
        {QStringLiteral("step"), QStringLiteral("a number above 0")}};
    for (const auto &[option, what] : positive) {
        const QString value = parser.value(option);
        if (parser.isSet(option) && !positiveNumberOf(value))
            return QStringLiteral("--%1 takes %2, not '%3'.").arg(option, what, value);
    }
    const QString levels = parser.value(QStringLiteral("levels"));
    if (!levelsOf(levels))
        return QStringLiteral("--levels takes numbers separated by commas, not '%1'.").arg(levels);
    if (parser.isSet(QStringLiteral("levels")) && parser.isSet(QStringLiteral("step")))
        return QStringLiteral("--levels and --step name the levels twice.");
    const QString load = parser.value(QStringLiteral("readout"));
    if (parser.isSet(QStringLiteral("readout")) && !ChartText::complexFrom(load))
        return QStringLiteral("--readout takes a reflection coefficient such as 0.2+j0.1, not "
                              "'%1'.")
            .arg(load);
    const QString contoured = parser.value(QStringLiteral("contour"));
    if (contoured.count(QLatin1Char(',')) > 1)
        return QStringLiteral("--contour takes one or two quantities, not '%1'.").arg(contoured);
    const QString view = parser.value(QStringLiteral("view"));
    if (parser.isSet(QStringLiteral("view")) && view != QLatin1String("data") &&
        view != QLatin1String("full"))
        return QStringLiteral("--view takes data or full, not '%1'.").arg(view);
    return {};
}

// Runs the editor on a screen, or offscreen where a run needs none.
int openEditor(int argc, char *argv[], const QCommandLineParser &parser)
{
    const bool headless =
        parser.isSet(QStringLiteral("accept")) || parser.isSet(QStringLiteral("screenshot"));
    if (!displayReachable()) {
        if (!headless) {
            err() << "lp-host: no display to show the editor on; run with --accept or "
                     "--screenshot to use it without one."
                  << Qt::endl;
            return UsageError;
        }
        renderOffscreen();
    }
    QApplication app(argc, argv);
    setApplicationNames();
    PluginLoader loader(pluginPath(parser));
    ReferenceTvlInterface tvl;
    ReferenceHostServices host(&tvl);
    if (!loadPlugin(loader, tvl, host, parser.isSet(QStringLiteral("verbose"))))
        return Failure;
    return runEditor(tvl, parser);
}

} // namespace

int main(int argc, char *argv[])
{
    QCommandLineParser parser;
    defineOptions(parser);
    // Parsed before any application object exists, which would take Qt's own options
    // (-plugin, -platform, -style ...) out of the arguments first; the application object
    // then sees the program's name alone.
    if (!parser.parse(commandLine(argc, argv))) {
        err() << "lp-host: " << parser.errorText() << "\nTry 'lp-host --help'." << Qt::endl;
        return UsageError;
    }
    if (!parser.isSet(QStringLiteral("verbose")))
        qInstallMessageHandler(keepQtQuiet);
    int qtArgc = 1;
    // --help-all, which the parser offers beside --help, gives the same help.
    const bool help =
        parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    if (help || parser.isSet(QStringLiteral("version"))) {
        QCoreApplication app(qtArgc, argv);
        setApplicationNames();
        if (help)
            parser.showHelp(Success);
        return printVersion(parser);
    }
    if (parser.positionalArguments().isEmpty()) {
        err() << "lp-host: no component file given.\nTry 'lp-host --help'." << Qt::endl;
        return UsageError;
    }
    if (const QString misplaced = PreviewCommand::misplaced(parser); !misplaced.isEmpty()) {
        err() << "lp-host: " << misplaced << "\nTry 'lp-host --help'." << Qt::endl;
        return UsageError;
    }
    if (PreviewCommand::requested(parser)) {
        if (!displayReachable())
            renderOffscreen();
        QGuiApplication app(qtArgc, argv);
        setApplicationNames();
        return PreviewCommand::run(parser);
    }
    if (const QString misplaced = misplacedOption(parser); !misplaced.isEmpty()) {
        err() << "lp-host: " << misplaced << "\nTry 'lp-host --help'." << Qt::endl;
        return UsageError;
    }
    if (parser.isSet(QStringLiteral("plot")))
        return inspectAndPlot(qtArgc, argv, parser);
    if (parser.isSet(QStringLiteral("inspect"))) {
        QCoreApplication app(qtArgc, argv);
        setApplicationNames();
        return inspect(parser);
    }
    return openEditor(qtArgc, argv, parser);
}
