// lp-host: the reference host. It loads the editor plug-in as the design
// environment does, registers it, and reports what it finds.

#include "datareport.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

void describeRegistration(QTextStream &out, const ReferenceTvlInterface &tvl,
                          const ReferenceHostServices &host)
{
    for (const std::string &error : host.errors())
        out << "Error reported by the plug-in: " << QString::fromStdString(error) << '\n';
    for (const ReferenceTvlInterface::Registration &registration : tvl.registrations()) {
        const VocabularyDescriptor *vocabulary = registration.descriptor;
        out << "Vocabulary " << vocabulary->name << " (" << vocabulary->language << "):\n";
        for (intptr_t i = 0; i < vocabulary->count; ++i) {
            const VocabularyEntry &entry = vocabulary->entries[i];
            out << "  " << entry.name
                << (entry.kind == 2 ? QStringLiteral(" = %1").arg(entry.value)
                                    : QStringLiteral("()"))
                << '\n';
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lp-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reference host for the DataBasedLoadPull editor plug-in."));
    parser.addHelpOption();
    const QCommandLineOption pluginOption(
        QStringLiteral("plugin"), QStringLiteral("The plug-in shared object to load."),
        QStringLiteral("path"), QStringLiteral(LP_DEFAULT_PLUGIN_PATH));
    const QCommandLineOption inspectOption(
        QStringLiteral("inspect"),
        QStringLiteral("Report what the load-pull data library finds in the given files."));
    parser.addOption(pluginOption);
    parser.addOption(inspectOption);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Load-pull data files."));
    parser.process(app);

    QTextStream out(stdout);
    PluginLoader loader(parser.value(pluginOption));
    if (!loader.load()) {
        QTextStream(stderr) << loader.errorString() << '\n';
        return 1;
    }
    ReferenceTvlInterface tvl;
    ReferenceHostServices host(&tvl);
    out << "Plug-in " << parser.value(pluginOption) << ", library version "
        << loader.libraryVersion() << '\n';
    const bool registered = loader.registerContents(&host);
    out << "Registration " << (registered ? "succeeded" : "failed") << '\n';
    describeRegistration(out, tvl, host);
    if (!registered)
        return 1;

    if (parser.isSet(inspectOption))
        out << DataReport::describe(parser.positionalArguments());
    return 0;
}
