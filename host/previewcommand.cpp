#include "previewcommand.h"

#include "componentfile.h"
#include "pickedvalues.h"
#include "previewcharter.h"
#include "previewjson.h"
#include "smithchartexport.h"
#include "smithchartrenderer.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QString PreviewOption = QStringLiteral("preview");
const QString AtOption = QStringLiteral("at");

bool writeChart(const PreviewCharter::Result &result, const QString &out, QString *error)
{
    const SmithChartRenderer renderer(result.chart.content);
    if (QFileInfo(out).suffix().toLower() != QLatin1String("json"))
        return SmithChartExport::write(renderer, renderer.window(SmithChartRenderer::View::Data),
                                       out, error);
    QDir().mkpath(QFileInfo(out).absolutePath());
    QSaveFile file(out);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(PreviewJson::of(renderer, result.chart, result.file)) >= 0 &&
                         file.commit();
    if (!written)
        *error = QStringLiteral("cannot write the preview %1").arg(out);
    return written;
}

} // namespace

QList<QCommandLineOption> PreviewCommand::options()
{
    return {
        {PreviewOption,
         QStringLiteral("Write the chart of the component's data at its held settings, by the "
                        "file's suffix as --plot does; its JSON adds the condition and the "
                        "measured conditions weighed in."),
         QStringLiteral("file")},
    };
}

bool PreviewCommand::requested(const QCommandLineParser &parser)
{
    return parser.isSet(PreviewOption);
}

QString PreviewCommand::misplaced(const QCommandLineParser &parser)
{
    // --plot may take --at as well: that is for its own checks to judge.
    if (!requested(parser))
        return parser.isSet(AtOption) && !parser.isSet(QStringLiteral("plot"))
                   ? QStringLiteral("--at goes with --plot or --preview.")
                   : QString();
    for (const char *other :
         {"inspect", "plot", "gamma", "compression", "target", "view", "accept", "screenshot"}) {
        if (parser.isSet(QLatin1String(other)))
            return QStringLiteral("--preview does not go with --%1.").arg(QLatin1String(other));
    }
    if (parser.positionalArguments().size() != 1)
        return QStringLiteral("--preview charts one component.");
    const QString out = parser.value(PreviewOption);
    if (!SmithChartExport::knowsSuffixOf(out))
        return QStringLiteral("--preview writes a file whose name ends in .%1, not '%2'.")
            .arg(SmithChartExport::suffixes().join(QStringLiteral(", .")), out);
    if (parser.value(QStringLiteral("contour")).count(QLatin1Char(',')) > 1)
        return QStringLiteral("--contour takes one or two quantities, not '%1'.")
            .arg(parser.value(QStringLiteral("contour")));
    if (!PickedValues::readable(parser.value(AtOption)))
        return QStringLiteral("--at takes name=value pairs separated by commas, not '%1'.")
            .arg(parser.value(AtOption));
    return {};
}

int PreviewCommand::run(const QCommandLineParser &parser)
{
    QTextStream err(stderr);
    ComponentFile component;
    QString error;
    if (!component.read(parser.positionalArguments().constFirst(), &error)) {
        err << "lp-host: " << error << Qt::endl;
        return 1;
    }
    PreviewCharter::Request request;
    request.settings = PreviewSettings::fromParameters(component.hostParameters());
    request.folder = component.folder();
    PickedValues::apply(parser.value(AtOption), request);
    for (const QString &name : parser.value(QStringLiteral("contour")).split(QLatin1Char(','))) {
        if (!name.trimmed().isEmpty())
            request.contoured << name.trimmed();
    }
    const PreviewCharter::Result result = PreviewCharter().chart(request);
    const QString out = parser.value(PreviewOption);
    if (!result.chart.content.message.isEmpty()) {
        err << "lp-host: " << result.chart.content.message << Qt::endl;
        return 1;
    }
    if (!writeChart(result, out, &error)) {
        err << "lp-host: " << error << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Preview " << out << " of " << result.file << '\n';
    return 0;
}
