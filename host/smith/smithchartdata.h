#pragma once

#include "reflectionpoints.h"
#include "smithchartcontent.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The points of one reflection coefficient of one data file, as the data library reads them,
// sorted into what a chart offers to choose: the frequency, the values at which the other swept
// variables stood (the drive level, mostly), and the quantity to draw contours of.
class SmithChartData
{
    Q_DECLARE_TR_FUNCTIONS(SmithChartData)

public:
    // A list of drive levels longer than this offers this many, evenly spread: a file of a
    // finely stepped sweep would fill a pull-down beyond use, and take seconds to.
    static constexpr int MostConditions = 1000;

    // Reads the points of `coefficient` (empty: the file's first measured one). False, with the
    // library's reason in `error`, when it refuses the file or the file has no such coefficient.
    bool load(const QString &path, const QString &coefficient, QString *error);

    QStringList coefficients() const;
    QString coefficient() const;
    QStringList frequencies() const;
    // The held values, e.g. "Pin_avail = 20 dBm", in ascending order; at most MostConditions.
    QStringList conditions() const;
    // When conditions() offers only some of them, how many, e.g. "1000 of 200000, evenly spread".
    QString conditionNote() const;
    QStringList quantities() const;
    // The highest drive level, where a power amplifier's trade-offs show most.
    int defaultCondition() const { return int(m_conditions.size()) - 1; }

    // The chart at the given positions of the lists above; a quantity of -1 draws none.
    SmithChartContent content(int frequency, int condition, int quantity) const;

private:
    QStringList heldParts(const std::vector<double> &held) const;
    QString conditionText(const std::vector<double> &held) const;

    Corvane_LP::ReflectionPoints m_points;
    std::vector<double> m_frequencies;
    std::vector<std::vector<double>> m_conditions; // those offered
    int m_conditionCount = 0;
};
