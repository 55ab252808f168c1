#include "datafileviewer.h"
#include "smithchartdata.h"
#include "smithchartrenderer.h"
#include "smithchartview.h"
#include "smithchartwidget.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
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

using Gammas = std::vector<std::complex<double>>;
using Values = std::vector<double>;

// Points on a square grid in the unit circle, from -0.9 to 0.9 on either axis.
Gammas gridGammas(int side)
{
    Gammas gammas;
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j)
            gammas.emplace_back(-0.9 + 1.8 * i / (side - 1), -0.9 + 1.8 * j / (side - 1));
    }
    return gammas;
}

SmithChartContent contentOf(const Gammas &gammas, const Values &values, const char *unit = "dBm")
{
    SmithChartContent content;
    content.title = QStringLiteral("g");
    content.quantity = QStringLiteral("P");
    content.unit = QString::fromLatin1(unit);
    content.gammas = gammas;
    content.values = values;
    return content;
}

} // namespace

Q_DECLARE_METATYPE(SmithChartContent)

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
    void notesSayWhatTheChartShows_data();
    void notesSayWhatTheChartShows();
    void contoursHaveLength();
    void labelsStayApartAndInsideThePicture();
    void manyPointsDrawSmallerDots();
    void noneDrawsThePointsAlone();
    void longDriveLevelListsAreSpread();
    void viewerGivesTheChartRoom();

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

void tst_SmithChartWidget::notesSayWhatTheChartShows_data()
{
    QTest::addColumn<SmithChartContent>("content");
    QTest::addColumn<QString>("contourNote"); // a fragment
    QTest::addColumn<QString>("pointNote");
    QTest::addColumn<bool>("marked"); // a highest value is marked

    const Gammas square{{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}};
    QTest::newRow("a quantity constant everywhere")
        << contentOf(square, {30, 30, 30, 30}) << "P is 30 dBm at every point: no contours"_s
        << "4 measured points"_s << false;
    QTest::newRow("a span beyond a double")
        << contentOf(square, {-1e308, 1e308, 0, 1}) << "P spans too wide a range for contours"_s
        << "4 measured points"_s << true;
    QTest::newRow("points on one line")
        << contentOf({{0.1, 0.1}, {0.2, 0.2}, {0.3, 0.3}}, {30, 31, 29})
        << "P: too few points off one line for contours; highest 31 dBm at 0.2 + j0.2"_s
        << "3 measured points"_s << true;
    QTest::newRow("a step of a quantity in dBm is in dB")
        << contentOf(gridGammas(5), {30, 31, 32, 33, 34, 35, 36, 37, 38, 30, 31, 32, 33,
                                     34, 35, 36, 37, 38, 30, 31, 32, 33, 34, 35, 36})
        << "P contours every 1 dB; highest 38 dBm"_s
        << "25 measured points"_s << true;
    SmithChartContent fixed = contentOf({{-0.6, -0.28}}, {30});
    fixed.fixed = true;
    QTest::newRow("a coefficient held at a fixed value")
        << fixed << "P is 30 dBm at every point"_s
        << "A fixed value, not measured"_s << false;
}

void tst_SmithChartWidget::notesSayWhatTheChartShows()
{
    QFETCH(SmithChartContent, content);
    QFETCH(QString, contourNote);
    QFETCH(QString, pointNote);
    QFETCH(bool, marked);

    const SmithChartRenderer chart(content);
    QVERIFY2(chart.contourNote().contains(contourNote), qPrintable(chart.contourNote()));
    QCOMPARE(chart.pointNote(), pointNote);
    QCOMPARE(chart.maximum().has_value(), marked);
    QCOMPARE(bool(chart.maximumLabel(QRectF(0, 0, 800, 800), QFontMetricsF(QFont()))), marked);
}

// The highest value on a level touches its triangles at one corner only: no line, no label.
void tst_SmithChartWidget::contoursHaveLength()
{
    Values values;
    for (const std::complex<double> &gamma : gridGammas(5))
        values.push_back(30 + 2 * (2 - std::abs(gamma.real() * 2.5 / 0.9 - 0)));
    const SmithChartRenderer chart(contentOf(gridGammas(5), values));
    QVERIFY(!chart.contours().empty());
    QCOMPARE(chart.contours().back().level, 34.0);
    for (const SmithChartRenderer::Contour &contour : chart.contours()) {
        for (const QLineF &segment : contour.segments)
            QVERIFY2(segment.length() > 1e-9, qPrintable(QString::number(contour.level)));
    }
}

// Twenty levels across many points, the highest beside the rim on the right: no label covers
// another or a grid label, and none leaves the picture.
void tst_SmithChartWidget::labelsStayApartAndInsideThePicture()
{
    Gammas gammas = gridGammas(21);
    Values values;
    for (const std::complex<double> &gamma : gammas)
        values.push_back(30 + 9 * gamma.real() + 0.5 * gamma.imag());
    gammas.emplace_back(0.995, 0.0);
    values.push_back(40.0);
    const SmithChartRenderer chart(contentOf(gammas, values, "dB"));
    QVERIFY(chart.contours().size() >= 15);
    const QRectF area(0, 0, 800, 800);
    const QFontMetricsF metrics((QFont()));
    std::vector<SmithChartRenderer::Label> labels = chart.gridLabels(area, metrics);
    const std::vector<SmithChartRenderer::Label> contourLabels = chart.contourLabels(area, metrics);
    QVERIFY(contourLabels.size() >= 5);
    labels.insert(labels.end(), contourLabels.begin(), contourLabels.end());
    labels.push_back(*chart.maximumLabel(area, metrics));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        QVERIFY2(area.contains(labels[i].rect), qPrintable(labels[i].text));
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            QVERIFY2(!labels[i].rect.intersects(labels[j].rect),
                     qPrintable(labels[i].text + " and "_s + labels[j].text));
    }
}

void tst_SmithChartWidget::manyPointsDrawSmallerDots()
{
    const SmithChartRenderer few(contentOf(gridGammas(5), Values(25, 30.0)));
    const SmithChartRenderer many(contentOf(gridGammas(80), Values(6400, 30.0)));
    QVERIFY(many.pointRadius() < few.pointRadius());
    // Dense dots leave the contours visible: they are drawn over the dots.
    Values values;
    for (const std::complex<double> &gamma : gridGammas(80))
        values.push_back(30 + 10 * gamma.real());
    const SmithChartRenderer chart(contentOf(gridGammas(80), values));
    QImage image(800, 800, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        chart.paint(painter, image.rect());
    }
    const SmithMapping mapping = chart.mappingFor(image.rect(), QFontMetricsF(QFont()));
    const QLineF &segment = chart.contours().front().segments.front();
    const QPoint at = mapping.toChart({segment.center().x(), segment.center().y()}).toPoint();
    QVERIFY(!pointDrawnNear(image, at, 0));
}

void tst_SmithChartWidget::noneDrawsThePointsAlone()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QComboBox *quantity = choice(&widget, "quantity");
    QCOMPARE(quantity->itemText(quantity->count() - 1), "none"_s);
    quantity->setFocus();
    QTest::keyClick(quantity, Qt::Key_End);
    const SmithChartRenderer &chart = widget.view()->renderer();
    QVERIFY(chart.content().quantity.isEmpty());
    QVERIFY(chart.contours().empty());
    QCOMPARE(chart.contourNote(), "Measured points only"_s);
    QCOMPARE(int(chart.content().gammas.size()), 25);
}

void tst_SmithChartWidget::longDriveLevelListsAreSpread()
{
    QByteArray rows;
    for (int level = 0; level < 1500; ++level)
        rows += QByteArray::number(level) + " 0.1 0.2 30\n";
    SmithChartWidget widget(write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                                  "Pin Re(g) Im(g) P\n" +
                                  rows));
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QComboBox *driveLevel = choice(&widget, "driveLevel");
    QCOMPARE(driveLevel->count(), SmithChartData::MostConditions);
    QCOMPARE(driveLevel->itemText(0), "Pin = 0 dBm"_s);
    QCOMPARE(driveLevel->currentText(), "Pin = 1499 dBm"_s);
    auto *note = widget.findChild<QLabel *>("driveLevelNote"_s);
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), "1000 of 1500, evenly spread"_s);
    QTest::keyClick(driveLevel, Qt::Key_Up);
    QVERIFY2(widget.view()->renderer().content().title.endsWith("Pin = 1497 dBm"_s),
             qPrintable(widget.view()->renderer().content().title));
}

// Opened at its size for text, the viewer grows for the chart, whose circle takes much of it;
// a long drive-level text shows whole.
void tst_SmithChartWidget::viewerGivesTheChartRoom()
{
    DataFileViewer viewer(write("LPDATA 1\nVAR=<Supply_voltage_of_the_drain>, Units=<V>\n"
                                "VAR=<Available_input_power>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                                "Re(g) Im(g) Supply_voltage_of_the_drain Available_input_power P\n"
                                "0 0 32 25 1\n0.5 0 32 25 2\n0 0.5 32 25 3\n"));
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QCOMPARE(viewer.size(), DataFileViewer::TextSize);
    viewer.tabs()->setCurrentIndex(1);
    QTRY_VERIFY(viewer.chart() && viewer.chart()->isVisible());
    QTRY_VERIFY(viewer.size() != DataFileViewer::TextSize);
    QVERIFY(viewer.width() >= DataFileViewer::TextSize.width());
    QVERIFY(viewer.height() >= DataFileViewer::TextSize.height());
    SmithChartView *view = viewer.chart()->view();
    QTRY_VERIFY(view->height() > 0);
    const double radius = view->mapping().unitRadius();
    const int side = std::min(viewer.width(), viewer.height());
    QVERIFY2(radius > 0.25 * side, qPrintable(QStringLiteral("%1 in %2").arg(radius).arg(side)));
    QComboBox *driveLevel = choice(viewer.chart(), "driveLevel");
    QCOMPARE(driveLevel->currentText(),
             "Supply_voltage_of_the_drain = 32 V, Available_input_power = 25 dBm"_s);
    QVERIFY(driveLevel->fontMetrics().horizontalAdvance(driveLevel->currentText()) <
            driveLevel->width() - 20);
}

QTEST_MAIN(tst_SmithChartWidget)
#include "tst_smithchartwidget.moc"
