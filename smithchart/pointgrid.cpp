#include "pointgrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

PointGrid::PointGrid(const std::vector<std::complex<double>> &points)
    : m_points(points)
{
    const QRectF bounds = boundsOf(points);
    m_left = bounds.left();
    m_bottom = bounds.top();
    const double span = std::max(bounds.width(), bounds.height());
    // Points spread wider than a double holds stay in one cell: found, if slowly.
    if (std::isfinite(span) && span > 0.0) {
        m_side = std::max(1, int(std::sqrt(double(points.size()))));
        m_cellSize = span / m_side;
    }
    std::vector<int> cells(points.size());
    m_cellStarts.assign(std::size_t(m_side) * m_side + 1, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        cells[i] = cellOf(points[i].imag(), m_bottom) * m_side + cellOf(points[i].real(), m_left);
        ++m_cellStarts[cells[i] + 1];
    }
    std::partial_sum(m_cellStarts.begin(), m_cellStarts.end(), m_cellStarts.begin());
    m_cellPoints.resize(points.size());
    std::vector<int> filled(m_cellStarts.begin(), m_cellStarts.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        m_cellPoints[filled[cells[i]]++] = int(i);
}

QRectF PointGrid::boundsOf(const std::vector<std::complex<double>> &points)
{
    if (points.empty())
        return {};
    double left = points.front().real(), right = left;
    double bottom = points.front().imag(), top = bottom;
    for (const std::complex<double> &p : points) {
        left = std::min(left, p.real());
        right = std::max(right, p.real());
        bottom = std::min(bottom, p.imag());
        top = std::max(top, p.imag());
    }
    return {left, bottom, right - left, top - bottom};
}

int PointGrid::cellOf(double coordinate, double low) const
{
    const double cell = std::floor((coordinate - low) / m_cellSize);
    return cell >= m_side ? m_side - 1 : (cell > 0.0 ? int(cell) : 0);
}

namespace {

double squaredDistance(std::complex<double> p, std::complex<double> q)
{
    const double dx = p.real() - q.real(), dy = p.imag() - q.imag();
    return dx * dx + dy * dy;
}

} // namespace

void PointGrid::searchCell(int column, int row, std::complex<double> place, int skipped,
                           Nearest &best) const
{
    if (column < 0 || row < 0 || column >= m_side || row >= m_side)
        return;
    const int cell = row * m_side + column;
    for (int k = m_cellStarts[cell]; k < m_cellStarts[cell + 1]; ++k) {
        const int i = m_cellPoints[k];
        const double squared = squaredDistance(m_points[i], place);
        if (i != skipped &&
            (squared < best.distance || (squared == best.distance && i < best.index)))
            best = {i, squared};
    }
}

// How far the place lies inside the square of cells `ring` cells about its own: no point outside
// it lies nearer. Beyond the grid's sides there are no points at all.
double PointGrid::clearance(std::complex<double> place, int column, int row, int ring) const
{
    const auto side = [&](int low, int high, double coordinate, double origin) {
        const double below = low <= 0 ? INFINITY : coordinate - (origin + low * m_cellSize);
        const double above =
            high >= m_side - 1 ? INFINITY : origin + (high + 1) * m_cellSize - coordinate;
        return std::min(below, above);
    };
    // Rounding may put a point on a cell's edge into its neighbour.
    const double slack = 1e-12 * m_cellSize * m_side;
    return std::min(side(column - ring, column + ring, place.real(), m_left),
                    side(row - ring, row + ring, place.imag(), m_bottom)) -
           slack;
}

// Ring by ring about the place's cell (or the nearest cell to it), until no cell farther out
// can hold a nearer point. Squared distances until the end.
PointGrid::Nearest PointGrid::nearest(std::complex<double> place, int skipped) const
{
    Nearest best;
    if (m_points.empty())
        return best;
    const int column = cellOf(place.real(), m_left), row = cellOf(place.imag(), m_bottom);
    for (int ring = 0; ring < m_side; ++ring) {
        for (int d = -ring; d <= ring; ++d) {
            searchCell(column + d, row - ring, place, skipped, best);
            if (ring > 0)
                searchCell(column + d, row + ring, place, skipped, best);
        }
        for (int d = -ring + 1; d < ring; ++d) {
            searchCell(column - ring, row + d, place, skipped, best);
            searchCell(column + ring, row + d, place, skipped, best);
        }
        const double clear = clearance(place, column, row, ring);
        if (best.index >= 0 && clear > 0.0 && best.distance < clear * clear)
            break;
    }
    best.distance = std::sqrt(best.distance);
    return best;
}

std::vector<int> PointGrid::near(std::complex<double> place, double distance) const
{
    std::vector<int> found;
    if (m_points.empty())
        return found;
    const int left = cellOf(place.real() - distance, m_left);
    const int right = cellOf(place.real() + distance, m_left);
    const int bottom = cellOf(place.imag() - distance, m_bottom);
    const int top = cellOf(place.imag() + distance, m_bottom);
    for (int row = bottom; row <= top; ++row) {
        for (int column = left; column <= right; ++column) {
            const int cell = row * m_side + column;
            for (int k = m_cellStarts[cell]; k < m_cellStarts[cell + 1]; ++k) {
                if (squaredDistance(m_points[m_cellPoints[k]], place) < distance * distance)
                    found.push_back(m_cellPoints[k]);
            }
        }
    }
    return found;
}
