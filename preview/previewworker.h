#pragma once

#include "previewcharter.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class SmithChartRenderer;

// Makes the preview's charts on a thread of its own, so that a file of many points never
// stops the editor: reading the file, the rule between conditions, the triangles and contours,
// and painting them.
// Of the requests waiting, only the latest is made.
class PreviewWorker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PreviewWorker)

public:
    struct Outcome
    {
        PreviewCharter::Result result;
        std::shared_ptr<const SmithChartRenderer> renderer;
        QStringList optimum; // each contoured quantity's highest value, where and at what load
        QImage picture;      // the chart painted at the size asked for
    };

    // `latest`: the number of the latest request, which the window counts up.
    explicit PreviewWorker(std::shared_ptr<const std::atomic<int>> latest);

public slots:
    // The chart, painted into a picture of `size` pixels at `ratio` device pixels to each.
    void chart(int number, const PreviewCharter::Request &request, const QSize &size, qreal ratio);
    // A chart made before, painted again at another size.
    void paint(std::shared_ptr<const SmithChartRenderer> renderer, const QSize &size, qreal ratio);

signals:
    void charted(int number, const PreviewWorker::Outcome &outcome);
    void painted(std::shared_ptr<const SmithChartRenderer> renderer, const QImage &picture);

private:
    Outcome outcomeOf(const PreviewCharter::Request &request, const QSize &size, qreal ratio);

    PreviewCharter m_charter;
    std::shared_ptr<const std::atomic<int>> m_latest;
};

Q_DECLARE_METATYPE(PreviewWorker::Outcome)
Q_DECLARE_METATYPE(std::shared_ptr<const SmithChartRenderer>)
