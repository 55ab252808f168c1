#pragma once

#include <QRectF>
#include <cmath>

#include <complex>
#include <vector>

// Points sorted into square cells of a grid over their bounding box, about one point to a
// cell, so that the point nearest to any place is found by looking at a few cells about it.
class PointGrid
{
public:
    struct Nearest
    {
        int index = -1; // none when the grid holds no other point
        double distance = INFINITY;
    };

    // The points must be finite.
    explicit PointGrid(const std::vector<std::complex<double>> &points);

    // The least rectangle that holds the points (x the real part, y the imaginary); empty for
    // none.
    static QRectF boundsOf(const std::vector<std::complex<double>> &points);

    // The point nearest to `place`, but `skipped`; of two as near, the first.
    Nearest nearest(std::complex<double> place, int skipped = -1) const;
    // The points nearer to `place` than `distance`.
    std::vector<int> near(std::complex<double> place, double distance) const;

private:
    int cellOf(double coordinate, double low) const;
    double clearance(std::complex<double> place, int column, int row, int ring) const;
    void searchCell(int column, int row, std::complex<double> place, int skipped,
                    Nearest &best) const;

    const std::vector<std::complex<double>> &m_points;
    double m_left = 0.0;
    double m_bottom = 0.0;
    double m_cellSize = 1.0;
    int m_side = 1;                // cells along each axis
    std::vector<int> m_cellStarts; // into m_cellPoints, one past the end for each cell
    std::vector<int> m_cellPoints; // the points' indices, cell by cell
};
