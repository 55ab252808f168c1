#pragma once

#include "smithchartdata.h"

#include <QWidget>

class QComboBox;
class QLabel;
class SmithChartView;

// The Smith chart of a data file with its choices above it: the reflection coefficient, the
// frequency, the drive level (the values of the other swept variables, or a gain compression)
// and the quantity to draw contours of, or none; below it, the read-out where the pointer is.
// It opens at the lowest frequency, the highest drive level and the first quantity; a file the
// data library refuses shows the library's reason in place of the chart. A long list of drive
// levels offers some of them, evenly spread, and says so beside them.
class SmithChartWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit SmithChartWidget(const QString &path, QWidget *parent = nullptr);

    SmithChartView *view() const { return m_view; }

private:
    void loadCoefficient(const QString &coefficient);
    void showChart();
    void showReadout(const QString &readout);

    QString m_path;
    SmithChartData m_data;
    QComboBox *m_coefficients;
    QComboBox *m_frequencies;
    QComboBox *m_conditions;
    QComboBox *m_quantities;
    QLabel *m_conditionNote;
    SmithChartView *m_view;
    QLabel *m_readout;
};
