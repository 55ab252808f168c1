#include "labelplacer.h"

#include <algorithm>
#include <cmath>

namespace {

bool inside(const QRectF &rect, const LabelPlacer::Circle &circle)
{
    const QPointF corners[] = {rect.topLeft(), rect.topRight(), rect.bottomLeft(),
                               rect.bottomRight()};
    return std::all_of(std::begin(corners), std::end(corners), [&](const QPointF &corner) {
        const QPointF d = corner - circle.centre;
        return QPointF::dotProduct(d, d) <= circle.radius * circle.radius;
    });
}

} // namespace

LabelPlacer::LabelPlacer(const QRectF &bounds, const std::vector<QPointF> &dots, double dotRadius)
    : m_bounds(bounds)
    , m_columns(std::max(1, int(std::ceil(bounds.width() / CellSize))))
    , m_rows(std::max(1, int(std::ceil(bounds.height() / CellSize))))
    , m_dotted(std::size_t(m_columns) * m_rows, false)
{
    for (const QPointF &dot : dots) {
        if (!m_bounds.adjusted(-dotRadius, -dotRadius, dotRadius, dotRadius).contains(dot))
            continue;
        const int left = cellIndex(dot.x() - dotRadius - m_bounds.left(), m_columns);
        const int right = cellIndex(dot.x() + dotRadius - m_bounds.left(), m_columns);
        const int top = cellIndex(dot.y() - dotRadius - m_bounds.top(), m_rows);
        const int bottom = cellIndex(dot.y() + dotRadius - m_bounds.top(), m_rows);
        for (int row = top; row <= bottom; ++row) {
            for (int column = left; column <= right; ++column)
                m_dotted[std::size_t(row) * m_columns + column] = true;
        }
    }
}

int LabelPlacer::cellIndex(double offset, int count) const
{
    return std::clamp(int(std::floor(offset / CellSize)), 0, count - 1);
}

bool LabelPlacer::coversDots(const QRectF &rect) const
{
    const int left = cellIndex(rect.left() - m_bounds.left(), m_columns);
    const int right = cellIndex(rect.right() - m_bounds.left(), m_columns);
    const int top = cellIndex(rect.top() - m_bounds.top(), m_rows);
    const int bottom = cellIndex(rect.bottom() - m_bounds.top(), m_rows);
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (m_dotted[std::size_t(row) * m_columns + column])
                return true;
        }
    }
    return false;
}

bool LabelPlacer::free(const QRectF &rect, const std::optional<Circle> &within, bool overDots) const
{
    return m_bounds.contains(rect) && (!within || inside(rect, *within)) &&
           std::none_of(m_taken.begin(), m_taken.end(),
                        [&](const QRectF &taken) { return taken.intersects(rect); }) &&
           (overDots || !coversDots(rect));
}

std::optional<QRectF> LabelPlacer::place(const std::vector<QRectF> &candidates,
                                         const std::optional<Circle> &within, bool overDots)
{
    for (const QRectF &candidate : candidates) {
        if (free(candidate, within, overDots)) {
            take(candidate);
            return candidate;
        }
    }
    return std::nullopt;
}
