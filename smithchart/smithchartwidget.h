#pragma once

#include "smithchartdata.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SmithChartView;

// The Smith chart of a data file with its choices above it: the reflection coefficient, the
// frequency, the drive level (the values of the other swept variables, or a gain compression),
// the places of the other measured reflection coefficients (when there are any), up to two
// quantities to draw contours of, a target region ("Pout>=39, PAE>=55") and whether to show the
// whole chart; below it, the read-out where the pointer is. It opens at the lowest frequency,
// the highest drive level, the first quantity alone and the measured region; a file the data
// library refuses shows the library's reason in place of the chart. A long list of drive levels
// offers some of them, evenly spread, and says so beside them.
class SmithChartWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit SmithChartWidget(const QString &path, QWidget *parent = nullptr);

    SmithChartView *view() const { return m_view; }

private:
    void loadCoefficient(const QString &coefficient);
    void readTarget();
    void showChart();
    void showReadout(const QString &readout);
    QLayout *choicesLayout();

    QString m_path;
    SmithChartData m_data;
    std::vector<TargetBound> m_targets;
    QComboBox *m_coefficients;
    QComboBox *m_frequencies;
    QComboBox *m_conditions;
    QComboBox *m_others;
    QComboBox *m_quantities;
    QComboBox *m_secondQuantities;
    QLineEdit *m_target;
    QCheckBox *m_wholeChart;
    QCheckBox *m_admittance;
    QLabel *m_conditionNote;
    QLabel *m_othersLabel;
    QLabel *m_targetNote;
    SmithChartView *m_view;
    QLabel *m_readout;
};
