#pragma once

#include <QSize>
#include <QWidget>

class LineNumberedTextEdit;
class QLabel;
class QTabWidget;
class SmithChartWidget;

// A window that shows a data file as it is, read-only: in a fixed-pitch font, lines never
// wrapped, with their numbers beside them and the cursor's line and column below. A file
// that cannot be shown gives the reason in place of its text. A second tab shows the file's
// measured reflection coefficients on a Smith chart, read when the tab is first opened.
// Close, Escape and Ctrl+W close the window.
class DataFileViewer final : public QWidget
{
    Q_OBJECT

public:
    // Data files run to tens of megabytes; a larger file would take more memory to show
    // than a look at it is worth.
    static constexpr qint64 MaximumSize = 128 * 1024 * 1024;
    static constexpr QSize TextSize{700, 500};
    static constexpr QSize ChartSize{900, 860};

    explicit DataFileViewer(const QString &path, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    // Null until the chart's tab has been opened.
    SmithChartWidget *chart() const { return m_chart; }

private:
    void showCursorPosition();
    void showTab(int index);
    void growForTheChart();

    QString m_path;
    QTabWidget *m_tabs;
    LineNumberedTextEdit *m_text;
    QWidget *m_chartPage;
    SmithChartWidget *m_chart = nullptr;
    QLabel *m_position;
};
