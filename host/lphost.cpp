// lp-host: the reference host. It loads the editor plug-in as the design environment
// does, opens the editor of a DataBasedLoadPull component kept in a JSON file, and
// writes the edited parameters back when the user accepts.

#include "componentdialog.h"
#include "componentfile.h"
#include "datareport.h"
#include "hostparameterlists.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

const char *const TabFileNames[] = {"file",          "variables", "performance",
                                    "interpolation", "analysis",  "term"};

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void describeVocabularies(const ReferenceTvlInterface &tvl)
{
    QTextStream out(stdout);
    for (const ReferenceTvlInterface::Registration &registration : tvl.registrations()) {
        const VocabularyDescriptor *vocabulary = registration.descriptor;
        out << "Vocabulary " << vocabulary->name << " (" << vocabulary->language << "):";
        for (intptr_t i = 0; i < vocabulary->count; ++i)
            out << ' ' << vocabulary->entries[i].name;
        out << '\n';
    }
}

// Without a person at the screen, a modal box the plug-in shows would wait for ever:
// each one is reported and closed with its default answer.
void answerMessageBoxes(QTimer &timer)
{
    QObject::connect(&timer, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        err() << "Message: " << box->text() << '\n';
        err().flush();
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

bool saveScreenshots(ComponentDialog &dialog, const QString &path, bool eachTab)
{
    dialog.show();
    QApplication::processEvents();
    const int tabCount = eachTab ? dialog.tabs()->count() : 1;
    for (int tab = 0; tab < tabCount; ++tab) {
        dialog.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString file = eachTab ? screenshotPath(path, tab) : path;
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (!dialog.grab().save(file)) {
            err() << "Cannot write " << file << '\n';
            return false;
        }
        QTextStream(stdout) << "Screenshot " << file << '\n';
    }
    return true;
}

// The editor's state as the component's parameters, taken into the component.
bool acceptEditor(ReferenceTvlInterface &tvl, TvlValue *widgetList, ComponentFile &component)
{
    TvlValue *parameters = tvl.call("load_pull_getDBLPState", {widgetList});
    if (!parameters) {
        err() << "The plug-in returned no parameters.\n";
        return false;
    }
    component.setHostParameters(HostParameterLists::read(tvl, parameters));
    return true;
}

int runEditor(ReferenceTvlInterface &tvl, const QCommandLineParser &parser)
{
    // Paths on the command line are taken before the working folder changes.
    const QString componentPath =
        QFileInfo(parser.positionalArguments().value(0)).absoluteFilePath();
    const QString screenshot =
        QFileInfo(parser.value(QStringLiteral("screenshot"))).absoluteFilePath();
    ComponentFile component;
    QString error;
    if (!component.read(componentPath, &error)) {
        err() << error << '\n';
        return 1;
    }
    QTimer boxAnswerer;
    if (parser.isSet(QStringLiteral("accept")) || parser.isSet(QStringLiteral("screenshot")))
        answerMessageBoxes(boxAnswerer);
    // A design environment opens components from its workspace folder.
    QDir::setCurrent(component.folder().path());
    tvl.setInstanceName(component.instanceName().toStdString());

    TvlValue *widgetList = tvl.call(
        "load_pull_getAllTabWidgets",
        {HostParameterLists::make(tvl, component.hostParameters(), component.instanceName())});
    const QList<QWidget *> widgets = widgetsOf(tvl, widgetList);
    if (widgets.size() != 9 || widgets.contains(nullptr)) {
        err() << "The plug-in refused the component's parameters.\n";
        return 1;
    }

    int status = 0;
    {
        ComponentDialog dialog(widgets);
        for (const ReferenceTvlInterface::Command &command : tvl.commands())
            dialog.runCommand(command.target, command.text);
        tvl.setCommandListener([&dialog](const ReferenceTvlInterface::Command &command) {
            dialog.runCommand(command.target, command.text);
        });

        if (parser.isSet(QStringLiteral("screenshot")) &&
            !saveScreenshots(dialog, screenshot, parser.isSet(QStringLiteral("each-tab"))))
            status = 1;
        if (status == 0 && parser.isSet(QStringLiteral("accept"))) {
            if (acceptEditor(tvl, widgetList, component))
                QTextStream(stdout) << component.toJson();
            else
                status = 1;
        } else if (status == 0 && !parser.isSet(QStringLiteral("screenshot")) &&
                   dialog.exec() == QDialog::Accepted) {
            if (!acceptEditor(tvl, widgetList, component) ||
                !component.write(componentPath, &error))
                status = 1;
        }
        tvl.setCommandListener({});
    }
    tvl.call("load_pull_closeDataBasedLoadpullUI", {});
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lp-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reference host for the DataBasedLoadPull editor plug-in: opens the editor of a "
        "component kept in a JSON file and writes the parameters back on OK."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("plugin"), QStringLiteral("The plug-in shared object to load."),
         QStringLiteral("path"), QStringLiteral(LP_DEFAULT_PLUGIN_PATH)},
        {QStringLiteral("accept"),
         QStringLiteral("Accept the editor at once and print the component with its new "
                        "parameters.")},
        {QStringLiteral("screenshot"), QStringLiteral("Write a PNG of the dialog."),
         QStringLiteral("file")},
        {QStringLiteral("each-tab"),
         QStringLiteral("With --screenshot, write one PNG per tab (file-<tab>.png).")},
        {QStringLiteral("inspect"),
         QStringLiteral("Report what the load-pull data library finds in the given data "
                        "files instead of opening a component.")},
    });
    parser.addPositionalArgument(QStringLiteral("component"),
                                 QStringLiteral("The component's JSON file (or, with --inspect, "
                                                "load-pull data files)."));
    parser.process(app);
    if (parser.positionalArguments().isEmpty())
        parser.showHelp(1);

    PluginLoader loader(parser.value(QStringLiteral("plugin")));
    if (!loader.load()) {
        err() << loader.errorString() << '\n';
        return 1;
    }
    ReferenceTvlInterface tvl;
    ReferenceHostServices host(&tvl);
    const bool registered = loader.registerContents(&host);
    for (const std::string &error : host.errors())
        err() << "Error reported by the plug-in: " << QString::fromStdString(error) << '\n';
    if (!registered)
        return 1;

    if (parser.isSet(QStringLiteral("inspect"))) {
        describeVocabularies(tvl);
        QTextStream(stdout) << DataReport::describe(parser.positionalArguments());
        return 0;
    }
    return runEditor(tvl, parser);
}
