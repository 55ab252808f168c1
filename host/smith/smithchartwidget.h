#pragma once

#include "smithchartdata.h"

#include <QWidget>

class QComboBox;
class QLabel;
class SmithChartView;

// The Smith chart of a data file with its choices above it: the reflection coefficient, the
// frequency, the drive level (the values of the other swept variables) and the quantity to draw
// contours of, or none. It opens at the first frequency, the highest drive level and the first
// quantity; a file the data library refuses shows the library's reason in place of the chart.
// A long list of drive levels offers some of them, evenly spread, and says so beside them.
class SmithChartWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit SmithChartWidget(const QString &path, QWidget *parent = nullptr);

    SmithChartView *view() const { return m_view; }

private:
    void loadCoefficient(const QString &coefficient);
    void showChart();

    QString m_path;
    SmithChartData m_data;
    QComboBox *m_coefficients;
    QComboBox *m_frequencies;
    QComboBox *m_conditions;
    QComboBox *m_quantities;
    QLabel *m_conditionNote;
    SmithChartView *m_view;
};
