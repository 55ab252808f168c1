#pragma once

#include "reflectionpoints.h"
#include "smithchartcontent.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// The points of one reflection coefficient of one data file, as the data library reads them,
// sorted into what a chart offers to choose: the frequency, the values at which the other swept
// variables stood (the drive level, mostly) or a gain compression, the places of the other
// measured reflection coefficients, and the quantities to draw contours of and to bound the
// target region with.
class SmithChartData
{
    Q_DECLARE_TR_FUNCTIONS(SmithChartData)

public:
    // A list of drive levels longer than this offers this many, evenly spread: a file of a
    // finely stepped sweep would fill a pull-down beyond use, and take seconds to.
    static constexpr int MostConditions = 1000;
    // The gain compressions offered beside the measured drive levels, in dB.
    static constexpr double Compressions[] = {1.0, 2.0, 3.0};
    // How many quantities one chart contours.
    static constexpr int MostContoured = 2;

    // What a chart shows: positions in the lists below.
    struct Choice
    {
        int frequency = 0;
        int condition = 0;
        int others = 0;             // in otherCoefficients(), when it offers any
        std::vector<int> contoured; // none: the points alone
        std::vector<TargetBound> targets;
    };

    // Reads the points of `coefficient` (empty: the file's first measured one). False, with the
    // library's reason in `error`, when it refuses the file or the file has no such coefficient.
    bool load(const QString &path, const QString &coefficient, QString *error);

    QStringList coefficients() const;
    QString coefficient() const;
    // In ascending order: the chart opens at the lowest.
    QStringList frequencies() const;
    // The values of the swept variables but the frequency and the reflection coefficients, e.g.
    // "Pin_avail = 20 dBm", in ascending order, at most MostConditions; then, when the file
    // sweeps a drive level (a variable of unit type Power), each of the Compressions at each
    // setting of the other swept variables, e.g. "at 1 dB compression".
    QStringList conditions() const;
    // When conditions() offers only some drive levels, how many, e.g. "1000 of 200000, evenly
    // spread".
    QString conditionNote() const;
    // The places of the other measured reflection coefficients at which the points were
    // measured, e.g. "gamma_ld2 = 0 + j0.9", at most MostConditions; none when the file
    // measures no other.
    QStringList otherCoefficients() const;
    QStringList quantities() const;
    // The quantities of the points as charts name them: a complex one by its magnitude, |Vout|.
    static QStringList quantityNames(const Corvane_LP::ReflectionPoints &points);
    // The position of a quantity named as in `quantities`, or for a complex one also without
    // its bars; -1 when there is none.
    static int indexOf(const QStringList &quantities, const QString &name);
    // The name of the reflection coefficient whose real or imaginary part a held variable is.
    static std::optional<std::string> coefficientOf(const std::string &held,
                                                    const std::vector<std::string> &coefficients);
    // The highest drive level, where a power amplifier's trade-offs show most.
    int defaultCondition() const { return m_measuredCount - 1; }
    // The finest step in which the file gives the gain, in dB (0.001 for gains written with
    // three decimals); a compression below it cannot be told from the gain's rounding. 0 when
    // the file holds no gain.
    double gainResolution() const { return m_gainResolution; }

    // The choice of the measured frequency, drive level and other swept values, and places of
    // the other coefficients nearest to those `at` names, such as "Freq=2 GHz,Pin_avail=18" or
    // "gamma_ld2=-0.9+j0.05" (numbers in the C locale; a frequency in any unit of frequency,
    // another value in its variable's unit, if any); those it does not name stay. False, with
    // the reason in `error`, for a text it cannot read; `remark` says when a value named was not
    // measured, and is empty otherwise.
    bool choose(const QString &at, Choice &choice, QString *remark, QString *error) const;

    SmithChartContent content(const Choice &choice) const;
    // The chart at `decibels` of gain compression, the other swept variables standing as at the
    // measured condition chosen; a message says why when the file sweeps no drive level or
    // holds no gain.
    SmithChartContent compressed(const Choice &choice, double decibels) const;

private:
    struct Condition
    {
        std::vector<double> swept;         // at compression, the drive level's is not used
        std::optional<double> compression; // in dB
    };

    void sortHeld();
    void groupOtherPlaces();
    std::vector<std::pair<double, double>> largestCondition() const;
    void mergeEqualGroups();
    void offerConditions();
    void findGainResolution();
    bool offered(const Choice &choice, int conditions) const;
    static SmithChartContent nothingToShow();
    std::vector<double> heldOf(const Condition &condition, int others) const;
    QStringList heldParts(const Condition &condition) const;
    QString conditionText(const Condition &condition) const;
    QString othersText(int others) const;
    // The choice as the settings named so far narrow it: the measured conditions and places of
    // the other coefficients left.
    struct Narrowing
    {
        Choice &choice;
        std::vector<int> conditions;
        std::vector<int> others;
    };
    bool measuresAny(QString *error) const;
    bool chooseNamed(const QString &name, const QString &value, Narrowing &narrowing, bool *exact,
                     QString *error) const;
    bool chooseFrequency(const QString &value, Choice &choice, bool *exact, QString *error) const;
    bool chooseSwept(std::size_t swept, const QString &value, std::vector<int> &conditions,
                     bool *exact, QString *error) const;
    bool chooseOther(std::size_t part, const QString &value, std::vector<int> &others, bool *exact,
                     QString *error) const;
    bool sameButDrive(const std::vector<double> &held, const std::vector<double> &other) const;
    std::vector<int> contouredOf(const Choice &choice) const;
    std::vector<int> columnsOf(const Choice &choice) const;
    SmithChartContent framed(const Choice &choice, const Condition &condition) const;
    SmithChartContent measured(const Choice &choice, const Condition &condition) const;
    SmithChartContent atCompression(const Choice &choice, const Condition &condition) const;
    std::vector<const Corvane_LP::ReflectionPoints::Group *>
    driveSweep(const Choice &choice, const Condition &condition) const;

    QString m_path;
    Corvane_LP::ReflectionPoints m_points;
    std::vector<double> m_frequencies;
    std::vector<std::size_t> m_swept;    // the held variables that conditions() offers
    std::vector<std::size_t> m_parts;    // the held parts of the other reflection coefficients
    std::vector<Condition> m_conditions; // those offered: measured ones, then compressions
    std::vector<std::vector<double>> m_others; // the parts' values offered
    int m_measuredCount = 0;                   // the measured conditions offered
    int m_allMeasuredCount = 0;
    std::optional<std::size_t> m_drive; // among the swept variables
    std::optional<std::size_t> m_gain;  // among the quantities
    double m_gainResolution = 0.0;
};
