#pragma once

#include "smithchartrenderer.h"

#include <QString>
#include <QStringList>

#include <complex>

#include <optional>

// The Smith chart of a data file written as a picture (PNG), a drawing (SVG, PDF) or data
// (JSON), by the file's suffix, as the viewer's chart shows it when opened (the lowest
// frequency, the highest drive level) or at the condition named; or, given a compression, the
// loads at that gain compression.
class SmithChartPlot
{
public:
    // What lp-host's options ask for.
    struct Options
    {
        QString coefficient; // empty: the file's first measured one
        // One or two quantities, separated by a comma; empty: the first of the file; "none":
        // the points alone.
        QString contoured;
        std::optional<double> compression; // in dB
        QString target;                    // as TargetBound reads it
        QString at; // the condition, as SmithChartData::choose reads it; empty: the default
        double referenceImpedance = 50.0; // Ohm, at which impedances are read
        SmithChartContent::Levels levels; // of the first contoured quantity
        bool admittanceGrid = false;
        // The load at which to read out each contoured quantity (and, at compression, the drive
        // level) into the lines `write` gives.
        std::optional<std::complex<double>> readout;
        SmithChartRenderer::View view = SmithChartRenderer::View::Data;
    };

    // Missing folders of the picture are made. False, with the reason in `error`, when the file
    // is refused, lacks the coefficient or a quantity, holds nothing to find a compression with
    // or gives the gain too coarsely for it, the target cannot be read, or the picture cannot be
    // written.
    static bool write(const QString &dataFile, const Options &options, const QString &pictureFile,
                      QString *error, QStringList *readout = nullptr);

    // The read-out at `gamma`: "Pout = 39.71 dBm" for each contoured quantity and, at
    // compression, the drive level, or that the place lies outside the measured region.
    static QStringList readoutAt(const SmithChartRenderer &chart, std::complex<double> gamma);
};
