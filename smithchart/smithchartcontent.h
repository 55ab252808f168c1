#pragma once

#include "targetbound.h"

#include <QString>

#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

// What one Smith chart shows: reflection coefficients, measured or, at gain compression,
// interpolated, with the values there of the quantities contoured and of those the target
// region bounds; or a message in place of the chart.
struct SmithChartContent
{
    // A swept variable at one of its values.
    struct Setting
    {
        QString name;
        double value = 0.0;
        QString unit;
    };

    // A performance quantity (a complex one as its magnitude, "|Vout|") at the gammas.
    struct Quantity
    {
        QString name;
        QString unit;
        std::vector<double> values;
    };

    // The contour levels chosen: those named, or else every step, or else (none named, step 0)
    // a step suited to the quantity's unit and values.
    struct Levels
    {
        std::vector<double> named;
        double step = 0.0;
    };

    // A bound of the target region on a quantity's values.
    struct Target
    {
        Quantity quantity;
        TargetBound bound;
    };

    QString title;
    QString coefficient;
    // What was charted: the frequency, the other swept variables and coefficients, e.g.
    // "Freq = 2 GHz, Pin_avail = 18 dBm".
    QString condition;
    QString remark; // a last line of the notes, such as that the condition asked was not measured
    // The data files name no reference impedance: impedances are read at this one, in Ohm.
    double referenceImpedance = 50.0;
    std::optional<Setting> frequency; // none when the file has no frequency variable
    // The values at which the other swept variables stood (the drive level, mostly); at
    // compression, all but the drive level. The other measured reflection coefficients too.
    std::vector<Setting> held;
    std::optional<double> compression; // in dB, when the points are at gain compression
    bool fixed = false;                // the coefficient is held at one value, not measured
    std::vector<std::complex<double>> gammas;
    // Rows left out because their load was measured before at the same condition (at compression,
    // at any of the drive levels): the first row of each load is kept.
    std::size_t duplicates = 0;
    std::vector<Quantity> contoured; // none: points only; at most two
    std::vector<Target> targets;     // every bound holds in the target region
    // At compression, the loads whose gain never falls as far, and those that could not be
    // followed from one drive level to the next, where their sweeps were last seen.
    std::vector<std::complex<double>> uncompressed;
    std::vector<std::complex<double>> unfollowed;
    // At compression, the drive level (its name and unit) at which each load of the gammas
    // compresses.
    Quantity drive;
    Levels levels; // of the first contoured quantity
    // Also the admittance grid (circles of constant conductance and arcs of constant
    // susceptance), unlabelled, as matching networks are worked out on it.
    bool admittanceGrid = false;
    QString message; // shown instead of a chart when not empty
};
