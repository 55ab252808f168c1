#include "datafileviewer.h"
#include "smithchartview.h"
#include "smithchartwidget.h"

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// The data-file viewer's Smith chart tab: read when it is first opened, with room to show it.
class tst_SmithChartViewer : public QObject
{
    Q_OBJECT

private slots:
    void viewerGivesTheChartRoom();
};

// Opened at its size for text, the viewer reads the chart when its tab is first clicked and
// grows for it; the chart takes much of it, and a long drive-level text shows whole.
void tst_SmithChartViewer::viewerGivesTheChartRoom()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("points.lp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("LPDATA 1\nVAR=<Supply_voltage_of_the_drain>, Units=<V>\n"
               "VAR=<Available_input_power>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
               "Re(g) Im(g) Supply_voltage_of_the_drain Available_input_power P\n"
               "0 0 32 25 1\n0.5 0 32 25 2\n0 0.5 32 25 3\n");
    file.close();
    DataFileViewer viewer(file.fileName());
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(viewer.size(), DataFileViewer::TextSize);
    QVERIFY(!viewer.chart());
    QTabBar *bar = viewer.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QTRY_VERIFY(viewer.chart() && viewer.chart()->isVisible());
    QTRY_VERIFY(viewer.size() != DataFileViewer::TextSize);
    QVERIFY(viewer.width() >= DataFileViewer::TextSize.width());
    QVERIFY(viewer.height() >= DataFileViewer::TextSize.height());
    SmithChartView *view = viewer.chart()->view();
    QTRY_VERIFY(view->height() > 0);
    const double radius = view->mapping().unitRadius();
    const int side = std::min(viewer.width(), viewer.height());
    QVERIFY2(radius > 0.25 * side, qPrintable(QStringLiteral("%1 in %2").arg(radius).arg(side)));
    auto *driveLevel = viewer.chart()->findChild<QComboBox *>(QStringLiteral("driveLevel"));
    QCOMPARE(driveLevel->currentText(),
             QStringLiteral("Supply_voltage_of_the_drain = 32 V, Available_input_power = 25 dBm"));
    QVERIFY(driveLevel->fontMetrics().horizontalAdvance(driveLevel->currentText()) <
            driveLevel->width() - 20);
}

QTEST_MAIN(tst_SmithChartViewer)
#include "tst_smithchartviewer.moc"
