#pragma once

#include "reflectionpoints.h"
#include "smithchartcontent.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// The points of one reflection coefficient of one data file, as the data library reads them,
// sorted into what a chart offers to choose: the frequency, the values at which the other swept
// variables stood (the drive level, mostly) or a gain compression, and the quantity to draw
// contours of.
class SmithChartData
{
    Q_DECLARE_TR_FUNCTIONS(SmithChartData)

public:
    // A list of drive levels longer than this offers this many, evenly spread: a file of a
    // finely stepped sweep would fill a pull-down beyond use, and take seconds to.
    static constexpr int MostConditions = 1000;
    // The gain compressions offered beside the measured drive levels, in dB.
    static constexpr double Compressions[] = {1.0, 2.0, 3.0};

    // Reads the points of `coefficient` (empty: the file's first measured one). False, with the
    // library's reason in `error`, when it refuses the file or the file has no such coefficient.
    bool load(const QString &path, const QString &coefficient, QString *error);

    QStringList coefficients() const;
    QString coefficient() const;
    // In ascending order: the chart opens at the lowest.
    QStringList frequencies() const;
    // The held values, e.g. "Pin_avail = 20 dBm", in ascending order, at most MostConditions;
    // then, when the file sweeps a drive level (a variable of unit type Power), each of the
    // Compressions at each setting of the other held variables, e.g. "at 1 dB compression".
    QStringList conditions() const;
    // When conditions() offers only some drive levels, how many, e.g. "1000 of 200000, evenly
    // spread".
    QString conditionNote() const;
    QStringList quantities() const;
    // The highest drive level, where a power amplifier's trade-offs show most.
    int defaultCondition() const { return m_measuredCount - 1; }

    // The chart at the given positions of the lists above; a quantity of -1 draws none.
    SmithChartContent content(int frequency, int condition, int quantity) const;
    // The chart at `decibels` of gain compression, the other held variables standing as at the
    // measured condition given; a message says why when the file sweeps no drive level or
    // holds no gain.
    SmithChartContent compressed(int frequency, int condition, int quantity, double decibels) const;

private:
    struct Condition
    {
        std::vector<double> held;          // at compression, the drive level's is not used
        std::optional<double> compression; // in dB
    };

    void offerConditions(std::vector<std::vector<double>> held);
    bool offered(int frequency, int condition, int conditions) const;
    static SmithChartContent nothingToShow();
    QStringList heldParts(const Condition &condition) const;
    QString conditionText(const Condition &condition) const;
    bool sameOtherValues(const std::vector<double> &held, const std::vector<double> &other) const;
    SmithChartContent framed(int frequency, const Condition &condition, int quantity) const;
    SmithChartContent measured(int frequency, const Condition &condition, int quantity) const;
    SmithChartContent atCompression(int frequency, const Condition &condition, int quantity) const;

    QString m_path;
    Corvane_LP::ReflectionPoints m_points;
    std::vector<double> m_frequencies;
    std::vector<Condition> m_conditions; // those offered: measured ones, then compressions
    int m_measuredCount = 0;             // the measured ones offered
    int m_allMeasuredCount = 0;
    std::optional<std::size_t> m_drive; // among the held variables
    std::optional<std::size_t> m_gain;  // among the quantities
};
