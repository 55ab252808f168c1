#include "smithchartexport.h"

#include "smithchartjson.h"
#include "smithchartrenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// The resolution of a picture on the screen, so that texts come out as large in every form.
constexpr int Resolution = 96;

QString suffixOf(const QString &file)
{
    return QFileInfo(file).suffix().toLower();
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SmithChartExport", text);
}

bool paintInto(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
               QPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    renderer.paint(painter, QRectF(QPointF(), SmithChartExport::Size), window);
    return painter.end();
}

// Quality 80 compresses the dots of many points faster than the default, and no larger.
constexpr int PictureQuality = 80;

bool writePicture(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
                  const QString &file)
{
    QImage picture(SmithChartExport::Size, QImage::Format_RGB32);
    return paintInto(renderer, window, picture) && picture.save(file, "PNG", PictureQuality);
}

bool writeSvg(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
              const QString &file)
{
    QSvgGenerator drawing;
    drawing.setFileName(file);
    drawing.setSize(SmithChartExport::Size);
    drawing.setViewBox(QRect(QPoint(), SmithChartExport::Size));
    drawing.setResolution(Resolution);
    drawing.setTitle(renderer.content().title);
    return paintInto(renderer, window, drawing);
}

bool writePdf(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
              const QString &file)
{
    QPdfWriter drawing(file);
    drawing.setResolution(Resolution);
    drawing.setPageSize(QPageSize(QSizeF(SmithChartExport::Size) * 72.0 / Resolution,
                                  QPageSize::Point, {}, QPageSize::ExactMatch));
    drawing.setPageMargins({});
    drawing.setTitle(renderer.content().title);
    drawing.setCreator(QCoreApplication::applicationName());
    return paintInto(renderer, window, drawing);
}

bool writeJson(const SmithChartRenderer &renderer, const QString &file)
{
    QSaveFile data(file);
    if (!data.open(QIODevice::WriteOnly))
        return false;
    data.write(SmithChartJson::of(renderer));
    return data.commit();
}

} // namespace

QStringList SmithChartExport::suffixes()
{
    return {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf"),
            QStringLiteral("json")};
}

bool SmithChartExport::knowsSuffixOf(const QString &file)
{
    return suffixes().contains(suffixOf(file));
}

bool SmithChartExport::write(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
                             const QString &file, QString *error)
{
    if (!knowsSuffixOf(file)) {
        *error = tr("cannot write a Smith chart as %1: its name must end in .%2")
                     .arg(file, suffixes().join(QStringLiteral(", .")));
        return false;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QString suffix = suffixOf(file);
    const bool written = suffix == QLatin1String("svg")    ? writeSvg(renderer, window, file)
                         : suffix == QLatin1String("pdf")  ? writePdf(renderer, window, file)
                         : suffix == QLatin1String("json") ? writeJson(renderer, file)
                                                           : writePicture(renderer, window, file);
    if (!written)
        *error = tr("cannot write the Smith chart %1").arg(file);
    return written;
}
