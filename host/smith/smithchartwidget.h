#pragma once

#include "smithchartdata.h"

#include <QWidget>

class QComboBox;
class SmithChartView;

// The Smith chart of a data file with its choices above it: the reflection coefficient, the
// frequency, the drive level (the values of the other swept variables) and the quantity to draw
// contours of. It opens at the first frequency, the highest drive level and the first
// quantity; a file the data library refuses shows the library's reason in place of the chart.
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
    SmithChartView *m_view;
};
