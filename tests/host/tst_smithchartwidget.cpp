#include "datafileviewer.h"
#include "smithchartrenderer.h"
#include "smithchartview.h"
#include "smithchartwidget.h"

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <memory>

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

QString example(const char *name)
{
    return QStringLiteral(LP_EXAMPLES_DIR "/data/") + QString::fromLatin1(name);
}

QComboBox *choice(const QWidget *widget, const char *name)
{
    return widget->findChild<QComboBox *>(QString::fromLatin1(name));
}

// Whether a pixel within `radius` of `at` has the colour of a point's dot (the highest value's
// included).
bool pointDrawnNear(const QImage &image, const QPointF &at, int radius)
{
    const QRgb point = SmithChartRenderer::pointColour().rgb();
    const QRgb maximum = SmithChartRenderer::maximumColour().rgb();
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = at.toPoint() + QPoint(dx, dy);
            if (image.rect().contains(p) && (image.pixel(p) == point || image.pixel(p) == maximum))
                return true;
        }
    }
    return false;
}

} // namespace

// The Smith chart as a user meets it: in the data-file viewer's second tab, with its choices,
// drawn where the mapping says.
class tst_SmithChartWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pointsLandWhereTheirReflectionIs_data();
    void pointsLandWhereTheirReflectionIs();
    void opensAtTheFirstFrequencyAndHighestDriveLevel();
    void choicesRedrawTheChart_data();
    void choicesRedrawTheChart();
    void anotherCoefficientKeepsTheOtherChoices();
    void refusedFileShowsWhy();
    void viewerShowsTheChartInItsSecondTab();

private:
    QString write(const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_SmithChartWidget::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString tst_SmithChartWidget::write(const QByteArray &contents)
{
    const QString path = m_dir->filePath("points.lp"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_SmithChartWidget::pointsLandWhereTheirReflectionIs_data()
{
    QTest::addColumn<QByteArray>("rows"); // "re im P" lines
    QTest::addColumn<double>("re");       // the point looked for
    QTest::addColumn<double>("im");
    QTest::addColumn<bool>("widened"); // beyond the unit circle

    const QByteArray star = "0 0 30\n0.5 0 31\n0 0.5 32\n-0.5 0 29\n0 -0.5 28\n";
    QTest::newRow("on the positive real axis") << star << 0.5 << 0.0 << false;
    QTest::newRow("up, an inductive load") << star << 0.0 << 0.5 << false;
    QTest::newRow("down, a capacitive load") << star << 0.0 << -0.5 << false;
    QTest::newRow("a single point") << QByteArray("-0.3 0.4 30\n") << -0.3 << 0.4 << false;
    QTest::newRow("points on one line")
        << QByteArray("0.1 0.1 30\n0.2 0.2 31\n0.3 0.3 29\n") << 0.2 << 0.2 << false;
    QTest::newRow("active load pull beyond the unit circle") << star + "1.5 0 25\n"
                                                             << 1.5 << 0.0 << true;
}

void tst_SmithChartWidget::pointsLandWhereTheirReflectionIs()
{
    QFETCH(QByteArray, rows);
    QFETCH(double, re);
    QFETCH(double, im);
    QFETCH(bool, widened);

    SmithChartWidget widget(
        write("LPDATA 1\nGAMMA=<g>\nOUT=<P>, Units=<dBm>\nRe(g) Im(g) P\n" + rows));
    widget.resize(600, 800);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QImage image = widget.grab().toImage();
    SmithChartView *view = widget.view();
    const SmithMapping mapping = view->mapping();
    // The chart lies in the view, centred across it, and takes much of it.
    QVERIFY(std::abs(mapping.centre().x() - view->width() / 2.0) < 1.0);
    const double rim = mapping.unitRadius() * view->renderer().extent();
    const int side = std::min(view->width(), view->height());
    QVERIFY2(rim > 0.25 * side && rim <= 0.5 * side,
             qPrintable(QStringLiteral("%1 in %2").arg(rim).arg(side)));
    QCOMPARE(view->renderer().extent() > 1.0, widened);

    const QPointF at = view->mapTo(&widget, mapping.toChart({re, im}).toPoint());
    QVERIFY2(pointDrawnNear(image, at, 2),
             qPrintable(QStringLiteral("no point near (%1, %2)").arg(at.x()).arg(at.y())));
    // Nothing of the points' colour where no point is.
    const QPointF empty = view->mapTo(&widget, mapping.toChart({-0.8, -0.3}).toPoint());
    QVERIFY(!pointDrawnNear(image, empty, 3));
}

void tst_SmithChartWidget::opensAtTheFirstFrequencyAndHighestDriveLevel()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QCOMPARE(choice(&widget, "coefficient")->currentText(), "gamma_ld1"_s);
    QCOMPARE(choice(&widget, "coefficient")->count(), 2);
    QCOMPARE(choice(&widget, "frequency")->currentText(), "1.8 GHz"_s);
    QComboBox *driveLevel = choice(&widget, "driveLevel");
    QCOMPARE(driveLevel->currentIndex(), driveLevel->count() - 1);
    QCOMPARE(driveLevel->currentText(), "Pin_avail = 26 dBm"_s);
    QCOMPARE(choice(&widget, "quantity")->currentText(), "Pout"_s);
    const SmithChartRenderer &chart = widget.view()->renderer();
    QCOMPARE(chart.content().title, "gamma_ld1 at Freq = 1.8 GHz, Pin_avail = 26 dBm"_s);
    QCOMPARE(int(chart.content().gammas.size()), 25);
    QVERIFY(!chart.contours().empty());
    QVERIFY(chart.maximum().has_value());
}

void tst_SmithChartWidget::choicesRedrawTheChart_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("title"); // a fragment of the new title, or empty
    QTest::addColumn<QString>("quantity");

    QTest::newRow("another frequency") << "frequency"_s
                                       << "Freq = 2 GHz"_s
                                       << "Pout"_s;
    QTest::newRow("a lower drive level") << "driveLevel"_s
                                         << "Pin_avail = 22 dBm"_s
                                         << "Pout"_s;
    QTest::newRow("another quantity") << "quantity"_s << QString() << "Gain"_s;
}

// A key in a box is what a user does; the chart follows at once.
void tst_SmithChartWidget::choicesRedrawTheChart()
{
    QFETCH(QString, box);
    QFETCH(QString, title);
    QFETCH(QString, quantity);

    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    widget.resize(500, 600);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QImage before = widget.grab().toImage();
    QComboBox *chosen = widget.findChild<QComboBox *>(box);
    chosen->setFocus();
    QTest::keyClick(chosen, box == "driveLevel"_s ? Qt::Key_Up : Qt::Key_Down);
    const SmithChartContent &content = widget.view()->renderer().content();
    if (!title.isEmpty())
        QVERIFY2(content.title.contains(title), qPrintable(content.title));
    QCOMPARE(content.quantity, quantity);
    QVERIFY(widget.grab().toImage() != before);
}

void tst_SmithChartWidget::anotherCoefficientKeepsTheOtherChoices()
{
    SmithChartWidget widget(example("pa_harmonic_load.lp2"));
    choice(&widget, "quantity")->setCurrentText("PAE"_s);
    QComboBox *coefficient = choice(&widget, "coefficient");
    coefficient->setFocus();
    QTest::keyClick(coefficient, Qt::Key_Down);
    QCOMPARE(coefficient->currentText(), "gamma_ld2"_s);
    const SmithChartContent &content = widget.view()->renderer().content();
    QVERIFY2(content.title.startsWith("gamma_ld2 at Freq = 1.8 GHz, Pin_avail = 24 dBm"_s),
             qPrintable(content.title));
    QCOMPARE(content.quantity, "PAE"_s);
    QCOMPARE(int(content.gammas.size()), 5);
}

void tst_SmithChartWidget::refusedFileShowsWhy()
{
    const QString path = write("no load-pull data\n");
    SmithChartWidget widget(path);
    QCOMPARE(widget.view()->renderer().content().message,
             "\""_s + path +
                 "\" is not a load-pull data file: it does not begin with \"LPDATA 1\"."_s);
    QCOMPARE(choice(&widget, "coefficient")->count(), 0);
}

void tst_SmithChartWidget::viewerShowsTheChartInItsSecondTab()
{
    DataFileViewer viewer(example("pa_supply_sweep.spl"));
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTabWidget *tabs = viewer.tabs();
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), "Text"_s);
    QCOMPARE(tabs->tabText(1), "Smith chart"_s);
    QVERIFY(!viewer.chart());
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QVERIFY(viewer.chart());
    QTRY_VERIFY(viewer.chart()->isVisible());
    QCOMPARE(choice(viewer.chart(), "driveLevel")->currentText(),
             "Vdd = 32 V, Pin_avail = 25 dBm"_s);
}

QTEST_MAIN(tst_SmithChartWidget)
#include "tst_smithchartwidget.moc"
