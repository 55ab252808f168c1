#include "previewworker.h"

#include "charttext.h"
#include "smithchartrenderer.h"

#include <QPainter>

#include <exception>

namespace {

QStringList optimumOf(const SmithChartRenderer &renderer)
{
    QStringList lines;
    const std::vector<std::complex<double>> &gammas = renderer.content().gammas;
    for (const QuantityContours &quantity : renderer.quantities()) {
        if (!quantity.maximum())
            continue;
        const std::complex<double> gamma = gammas[*quantity.maximum()];
        const std::complex<double> impedance =
            SmithMapping::impedanceOf(gamma, renderer.content().referenceImpedance);
        lines << PreviewWorker::tr("Optimum %1 = %2 at %3 (Z = %4 %5 at %6 %5)")
                     .arg(quantity.name(),
                          ChartText::withUnit(quantity.maximumValue(), quantity.unit()),
                          QString(QChar(0x0393)) + QStringLiteral(" = ") +
                              ChartText::complex(gamma),
                          ChartText::complex(impedance), QString(QChar(0x03A9)),
                          ChartText::number(renderer.content().referenceImpedance));
    }
    return lines;
}

// A picture may be painted on any thread, unlike a widget.
QImage pictureOf(const SmithChartRenderer &renderer, const QSize &size, qreal ratio)
{
    QImage picture(size * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    renderer.paint(painter, QRectF(QPointF(), QSizeF(size)));
    return picture;
}

} // namespace

PreviewWorker::PreviewWorker(std::shared_ptr<const std::atomic<int>> latest)
    : m_latest(std::move(latest))
{}

void PreviewWorker::chart(int number, const PreviewCharter::Request &request, const QSize &size,
                          qreal ratio)
{
    if (number != m_latest->load())
        return;
    emit charted(number, outcomeOf(request, size, ratio));
}

void PreviewWorker::paint(std::shared_ptr<const SmithChartRenderer> renderer, const QSize &size,
                          qreal ratio)
{
    emit painted(renderer, pictureOf(*renderer, size, ratio));
}

// Nothing thrown may leave the thread (a file too large for the memory): it is said instead. A
// chart that cannot be made shows why in its place.
PreviewWorker::Outcome PreviewWorker::outcomeOf(const PreviewCharter::Request &request,
                                                const QSize &size, qreal ratio)
{
    Outcome outcome;
    try {
        outcome.result = m_charter.chart(request);
    } catch (const std::exception &) {
        outcome = {};
        outcome.result.chart.content.message = tr("The data are too large to preview here.");
    }
    auto renderer = std::make_shared<SmithChartRenderer>(outcome.result.chart.content);
    outcome.optimum = optimumOf(*renderer);
    outcome.picture = pictureOf(*renderer, size, ratio);
    outcome.renderer = std::move(renderer);
    return outcome;
}
