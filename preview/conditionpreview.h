#pragma once

#include "axisweights.h"
#include "reflectionpoints.h"
#include "smithchartcontent.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The data of one file at the editor's held settings: the editor's own estimate, not the
// simulator's. At held values between measured conditions, each bracketing condition's surface
// over gamma (linear inside the triangles between its loads) is evaluated at the loads the
// bracketing conditions measured, where all of them cover, and the values are interpolated
// along each held variable in the file's own unit: along the last declared variable first, the
// frequency last. docs/preview.md states the rule.
class ConditionPreview
{
    Q_DECLARE_TR_FUNCTIONS(ConditionPreview)

public:
    // A held variable's value as the editor holds it: a number, a name or an expression.
    struct Held
    {
        QString text;
        QString unit;
    };

    struct Settings
    {
        QMap<QString, Held> held; // by the variables' names
        AxisWeights::Method method = AxisWeights::Method::Linear;
        bool polar = false;
        bool constantExtrapolation = false;
        bool avoidOutOfRange = false;
        QStringList contoured; // quantities, at most two are drawn
    };

    // A measured condition that the chart weighs in: one of those about the held values (the
    // nearest below and above along each variable, or the one measured there), whose loads are
    // charted, or one farther off that a cubic method weighs in as well.
    struct Weighted
    {
        std::vector<SmithChartContent::Setting> at; // the frequency first, when there is one
        double weight = 0.0;
        bool bracketing = true;
    };

    struct Chart
    {
        SmithChartContent content; // its message says why, when nothing can be charted
        QStringList condition;     // the notes: each held value and where it lies
        std::vector<SmithChartContent::Setting> at; // the values charted
        std::vector<Weighted> between;
    };

    // Reads the points of the file's first measured reflection coefficient. False, with the
    // library's reason in `error`, when it refuses the file.
    bool load(const QString &path, QString *error);
    // Ascending; in the file's unit of frequency.
    std::vector<double> frequencies() const;
    QString frequencyUnit() const;
    // Whether the frequency lies within the file's measured frequencies.
    bool holdsFrequency(double frequency) const;
    QStringList quantities() const;
    bool hasFrequency() const { return !m_points.frequency.name.empty(); }
    // The swept variables a value can be held for: the frequency's (first) and the others', in
    // the file's order.
    QStringList sweptNames() const;
    // Those of the names that are quantities of the file, in the file's order, each as
    // quantities() writes it.
    QStringList inFileOrder(const QStringList &names) const;
    // A frequency typed as a number and a unit (none: the file's), in the file's unit; nothing
    // when the text is no frequency or its unit does not convert.
    std::optional<double> frequencyOf(const QString &text) const;

    // At `frequency` (none: the lowest measured).
    Chart chart(const Settings &settings, std::optional<double> frequency) const;

private:
    struct Axis;
    using Group = Corvane_LP::ReflectionPoints::Group;
    struct Term
    {
        const Group *group = nullptr;
        double weight = 0.0;
        bool bracketing = true;
    };

    std::optional<std::vector<Axis>> axesOf(const Settings &settings, double frequency,
                                            QStringList *notes, QString *why) const;
    std::optional<Axis> heldAxis(std::size_t variable, const Settings &settings, QStringList *notes,
                                 QString *why) const;
    std::vector<const Group *> groupsAtFirstPlaces(QStringList *notes) const;
    bool weigh(const std::vector<const Group *> &groups, const std::vector<Axis> &axes,
               std::size_t axis, const Term &term, const Settings &settings,
               std::vector<Term> &weighted, QStringList *notes, QString *why) const;
    std::optional<std::vector<double>> weightsAlong(const Axis &axis,
                                                    const std::vector<double> &nodes,
                                                    const Settings &settings, QStringList *notes,
                                                    QString *why) const;
    static std::vector<double> edgeWeights(const std::vector<double> &nodes, std::size_t node);
    std::vector<double> methodWeights(const Axis &axis, const std::vector<double> &nodes,
                                      AxisWeights::Method method, const QString &range,
                                      QStringList *notes) const;
    void describe(const std::vector<Axis> &axes, const std::vector<Term> &weighted,
                  Chart &chart) const;
    void evaluate(const std::vector<Term> &weighted, const std::vector<int> &columns, bool polar,
                  SmithChartContent &content) const;
    std::vector<int> columnsOf(const Settings &settings, QStringList *notes) const;
    // Whether each quantity is interpolated by its real and imaginary parts: a complex one in
    // the rectangular domain.
    std::vector<bool> byParts(const std::vector<int> &columns, bool polar) const;
    QString valueText(const Axis &axis, double value) const;

    QString m_path;
    Corvane_LP::ReflectionPoints m_points;
};
