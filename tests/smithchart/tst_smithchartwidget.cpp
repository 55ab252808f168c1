#include "charttext.h"
#include "contourtracer.h"
#include "exactpredicates.h"
#include "smithchartdata.h"
#include "smithchartjson.h"
#include "smithchartplot.h"
#include "smithchartrenderer.h"
#include "smithchartview.h"
#include "smithchartwidget.h"
#include "testtexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>
#include <complex>

namespace {

QString example(const char *name)
{
    return QStringLiteral(LP_EXAMPLES_DIR "/data/") + QString::fromLatin1(name);
}

// Shows the widget, at the size given, and waits until it is on the screen.
bool shown(QWidget &widget, const QSize &size = {})
{
    if (size.isValid())
        widget.resize(size);
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

QComboBox *choice(const QWidget *widget, const char *name)
{
    return widget->findChild<QComboBox *>(QString::fromLatin1(name));
}

// Whether a pixel within `radius` of `at` has the colour of a point's dot (or of the highest
// value's mark).
bool pointDrawnNear(const QImage &image, const QPointF &at, int radius)
{
    const QRgb point = SmithChartRenderer::pointColour().rgb();
    const QRgb maximum = SmithChartRenderer::quantityColour(0).rgb();
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = at.toPoint() + QPoint(dx, dy);
            if (image.rect().contains(p) && (image.pixel(p) == point || image.pixel(p) == maximum))
                return true;
        }
    }
    return false;
}

// The grey of the darkest pixel within `radius` of `at`.
int darkestNear(const QImage &image, const QPointF &at, int radius = 1)
{
    int gray = 255;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx)
            gray = std::min(gray, qGray(image.pixel(at.toPoint() + QPoint(dx, dy))));
    }
    return gray;
}

// How far apart two colours are: the sum of their channels' differences.
int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
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
    content.title = "g"_s;
    content.gammas = gammas;
    content.contoured = {{"P"_s, QString::fromLatin1(unit), values}};
    return content;
}

SmithChartRenderer::Layout layoutOf(const SmithChartRenderer &chart, const QRectF &area,
                                    SmithChartRenderer::View view = SmithChartRenderer::View::Data)
{
    return chart.layout(area, QFontMetricsF(QFont()), chart.window(view));
}

QImage pictureOf(const SmithChartRenderer &chart, const QSize &size, const QFont &font = QFont())
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font);
    chart.paint(painter, image.rect());
    return image;
}

} // namespace

Q_DECLARE_METATYPE(SmithChartContent)

// The Smith chart as a user meets it: in the data-file viewer's second tab, with its choices
// and its read-out, drawn where the mapping says; and as data for scripts.
class tst_SmithChartWidget : public QObject
{
    Q_OBJECT

private slots:
    void pointsLandWhereTheirReflectionIs_data();
    void pointsLandWhereTheirReflectionIs();
    void opensAtTheLowestFrequencyAndHighestDriveLevel();
    void choicesRedrawTheChart_data();
    void choicesRedrawTheChart();
    void anotherCoefficientKeepsTheOtherChoices();
    void refusedFileShowsWhy();
    void notesSayWhatTheChartShows_data();
    void notesSayWhatTheChartShows();
    void labelsKeepClearInsideTheChart();
    void titleKeepsItsUnderscores();
    void manyPointsDrawSmallerDots();
    void longDriveLevelListsAreSpread();
    void compressionNeedsADriveSweep();
    void loadsThatNeverCompressAreHollow();
    void readoutFollowsThePointerAndTheArrowKeys();
    void jsonHoldsTheChart();
    void readoutGivesEachQuantityAtALoad();
    void quantitiesStayApartInGreyAndForRedGreenBlindness();
    void secondQuantityStaysDashedWhereNoiseBreaksItsContours();
    void targetShowsAboveDensePoints();
    void longNotesWrapInsideThePicture();
    void admittanceGridIsTheImpedanceGridTurned();
    void targetAndSecondQuantityFromTheChoices();
    void wheelZoomsAboutThePointer();
    void focusedChartIsFramed();
    void chartOpensFittedToTheMeasuredRegion();

private:
    QString write(const QByteArray &contents);

    QTemporaryDir m_dir;
};

QString tst_SmithChartWidget::write(const QByteArray &contents)
{
    const QString path = m_dir.filePath("points.lp"_s);
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
    QTest::newRow("a capacitive load among others") << star << 0.0 << -0.5 << false;
    QTest::newRow("a single point") << QByteArray("-0.3 0.4 30\n") << -0.3 << 0.4 << false;
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
    QVERIFY(shown(widget, {600, 800}));
    const QImage image = widget.grab().toImage();
    SmithChartView *view = widget.view();
    const SmithMapping mapping = view->mapping();
    QCOMPARE(view->renderer().extent() > 1.0, widened);
    const QPointF at = view->mapTo(&widget, mapping.toChart({re, im}).toPoint());
    QVERIFY2(pointDrawnNear(image, at, 2),
             qPrintable("no point near (%1, %2)"_s.arg(at.x()).arg(at.y())));
    // Nothing of the points' colour where no point is.
    const QPointF empty = view->mapTo(&widget, mapping.toChart({re + 0.2, im - 0.25}).toPoint());
    QVERIFY(!pointDrawnNear(image, empty, 3));
}

// Blocks of a file need not come in order of frequency: the chart opens at the lowest.
void tst_SmithChartWidget::opensAtTheLowestFrequencyAndHighestDriveLevel()
{
    SmithChartWidget widget(write("LPDATA 1\nVAR=<F>, Units=<GHz>\nVAR=<Pin>, Units=<dBm>\n"
                                  "GAMMA=<g>\nOUT=<P>, Units=<dBm>\nOUT=<Gain>, Units=<dB>\n"
                                  "Re(g) Im(g) Pin P Gain\nF = 2\n0 0 10 20 10\n"
                                  "F = 1\n0 0 10 21 11\n0 0 20 28 8\n"));
    QCOMPARE(choice(&widget, "frequency")->currentText(), "1 GHz"_s);
    QCOMPARE(choice(&widget, "driveLevel")->currentText(), "Pin = 20 dBm"_s);
    QCOMPARE(choice(&widget, "quantity")->currentText(), "P"_s);
    QCOMPARE(widget.view()->renderer().content().title, "g at F = 1 GHz, Pin = 20 dBm"_s);
}

void tst_SmithChartWidget::choicesRedrawTheChart_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("title"); // a fragment of the new title, or empty
    QTest::addColumn<QStringList>("quantities");

    const QStringList pout{"Pout"_s};
    QTest::newRow("another frequency") << "frequency"_s << Qt::Key_Down << "Freq = 2 GHz"_s << pout;
    QTest::newRow("gain compression")
        << "driveLevel"_s << Qt::Key_Down << "Freq = 1.8 GHz, 1 dB compression"_s << pout;
    QTest::newRow("another quantity")
        << "quantity"_s << Qt::Key_Down << QString() << QStringList{"Gain"_s};
    QTest::newRow("a second quantity")
        << "secondQuantity"_s << Qt::Key_End << QString() << QStringList{"Pout"_s, "|Vout|"_s};
    QTest::newRow("none: the points alone")
        << "quantity"_s << Qt::Key_End << QString() << QStringList();
}

// A key in a box is what a user does; the chart follows at once.
void tst_SmithChartWidget::choicesRedrawTheChart()
{
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(QString, title);
    QFETCH(QStringList, quantities);

    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QVERIFY(shown(widget, {500, 600}));
    const QImage before = widget.grab().toImage();
    QComboBox *chosen = widget.findChild<QComboBox *>(box);
    chosen->setFocus();
    QTest::keyClick(chosen, key);
    const SmithChartContent &content = widget.view()->renderer().content();
    if (!title.isEmpty())
        QVERIFY2(content.title.contains(title), qPrintable(content.title));
    QStringList contoured;
    for (const SmithChartContent::Quantity &quantity : content.contoured)
        contoured << quantity.name;
    QCOMPARE(contoured, quantities);
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
    QCOMPARE(content.contoured.at(0).name, "PAE"_s);
    QComboBox *others = choice(&widget, "otherCoefficients");
    QVERIFY(others->isVisibleTo(&widget));
    QVERIFY2(content.title.endsWith(others->currentText()), qPrintable(content.title));
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

void tst_SmithChartWidget::notesSayWhatTheChartShows_data()
{
    QTest::addColumn<SmithChartContent>("content");
    QTest::addColumn<QString>("notes"); // a fragment
    QTest::addColumn<QString>("pointNote");
    QTest::addColumn<int>("marks"); // how many highest values are marked

    const Gammas square{{0, 0}, {0.5, 0}, {0.5, 0.5}, {0, 0.5}};
    QTest::newRow("a quantity constant everywhere")
        << contentOf(square, {30, 30, 30, 30}) << "P is 30 dBm at every point: no contours"_s
        << "4 measured points"_s << 0;
    QTest::newRow("a span beyond a double")
        << contentOf(square, {-1e308, 1e308, 0, 1}) << "P spans too wide a range for contours"_s
        << "4 measured points"_s << 1;
    Gammas line;
    Values along;
    for (int k = 0; k < 20; ++k) {
        line.emplace_back(-0.5 + 0.05 * k,
                          std::round(100 * (0.37 * (-0.5 + 0.05 * k) + 0.1)) / 100);
        along.push_back(30 + k % 7);
    }
    QTest::newRow("points on a line, written with two decimals")
        << contentOf(line, along)
        << "P: too few points off one line for contours; highest 36 dBm at 0.15 + j0.16"_s
        << "20 measured points"_s << 1;
    Values ramp, bowl;
    for (const std::complex<double> &gamma : gridGammas(5)) {
        ramp.push_back(34 + 5 * gamma.real());
        bowl.push_back(50 - 20 * std::norm(gamma));
    }
    SmithChartContent two = contentOf(gridGammas(5), ramp);
    two.contoured.push_back({"E"_s, "%"_s, bowl});
    QTest::newRow("two quantities, each with its step and highest value")
        << two
        << "P contours every 1 dB; highest 38.5 dBm at 0.9 + j0.9\nE contours every 5 %; "
           "highest 50 % at 0 + j0"_s
        << "25 measured points"_s << 2;
    SmithChartContent named = contentOf(gridGammas(5), ramp);
    named.levels.named = {35, 36.5};
    QTest::newRow("levels named") << named << "P contours at 35, 36.5 dBm; highest 38.5 dBm"_s
                                  << "25 measured points"_s << 1;
    SmithChartContent stepped = contentOf(gridGammas(5), ramp);
    stepped.levels.step = 2.5;
    QTest::newRow("a step chosen") << stepped << "P contours every 2.5 dB; highest 38.5 dBm"_s
                                   << "25 measured points"_s << 1;
    QTest::newRow("values of one decimal, never stepped finer")
        << contentOf(square, {30.0, 30.1, 30.2, 30.3}, "")
        << "P contours every 0.1; highest 30.3 at 0 + j0.5"_s
        << "4 measured points"_s << 1;
    SmithChartContent points = contentOf(square, {});
    points.contoured.clear();
    QTest::newRow("no quantity") << points << "Measured points only"_s
                                 << "4 measured points"_s << 0;
    SmithChartContent fixed = contentOf({{-0.6, -0.28}}, {30});
    fixed.fixed = true;
    QTest::newRow("a coefficient held at a fixed value") << fixed << "P is 30 dBm at every point"_s
                                                         << "A fixed value, not measured"_s << 0;
    SmithChartContent target = contentOf(gridGammas(5), ramp);
    target.targets = {{target.contoured[0], {0, true, 40}}};
    QTest::newRow("a target met nowhere")
        << target << "Target P >= 40 dBm: met nowhere in the measured region"_s
        << "25 measured points"_s << 1;
    SmithChartContent compressed = contentOf(gridGammas(5), ramp);
    compressed.compression = 1.0;
    compressed.uncompressed = {{0.95, 0}, {0.1, 0.05}, {3, 0}};
    compressed.unfollowed = {{0.2, 0.3}, {0.3, 0.3}};
    QTest::newRow("loads at compression, some never compressing, some not followed, one far")
        << compressed << "P contours every 1 dB"_s
        << "25 loads at 1 dB compression; 2 never reach it (hollow); 2 loads could not be "
           "followed across drive levels (x); 1 beyond |gamma| = 2 not shown"_s
        << 1;
    SmithChartContent none = contentOf({}, {});
    none.compression = 3.0;
    none.uncompressed = {{0.1, 0.1}};
    none.unfollowed = {{0.2, 0.1}};
    QTest::newRow("no load followed to compression")
        << none << "No load followed to 3 dB compression"_s
        << "0 loads at 3 dB compression; 1 never reaches it (hollow); 1 load could not be "
           "followed across drive levels (x)"_s
        << 0;
}

void tst_SmithChartWidget::notesSayWhatTheChartShows()
{
    QFETCH(SmithChartContent, content);
    QFETCH(QString, notes);
    QFETCH(QString, pointNote);
    QFETCH(int, marks);

    const SmithChartRenderer chart(content);
    QVERIFY2(chart.noteText().contains(notes), qPrintable(chart.noteText()));
    QCOMPARE(chart.pointNote(), pointNote);
    const SmithChartRenderer::Layout layout = layoutOf(chart, QRectF(0, 0, 800, 800));
    QCOMPARE(int(layout.marks.size()), marks);
    // Each highest value's label gives its load as an impedance, Z = 50 (1 + Γ)/(1 - Γ).
    for (const SmithChartRenderer::Label &label : layout.maxima) {
        const std::complex<double> gamma =
            content.gammas[*chart.quantities()[label.quantity].maximum()];
        QVERIFY2(label.text.endsWith(ChartText::complex(50.0 * (1.0 + gamma) / (1.0 - gamma), 3) +
                                     " "_s + QChar(0x03A9)),
                 qPrintable(label.text));
    }
}

// Charts of one or two quantities with their highest values anywhere, by the rim and by the
// grid's labels, and that of docs/lp-host.md, on the measured region and on the whole chart: no
// label covers another or a mark, every label lies inside the plot, and those of the contours and
// the highest values inside the chart's circle. On that chart no label covers a point.
void tst_SmithChartWidget::labelsKeepClearInsideTheChart()
{
    QRandomGenerator random(39);
    std::vector<SmithChartContent> contents;
    SmithChartData readme;
    QString error;
    QVERIFY2(readme.load(example("pa_two_frequencies.lp"), {}, &error), qPrintable(error));
    SmithChartData::Choice choice;
    choice.condition = readme.defaultCondition();
    choice.contoured = {0, 2};
    contents.push_back(readme.content(choice));
    for (int round = 0; round < 30; ++round) {
        Values values[2];
        for (Values &quantity : values) {
            const std::complex<double> peak(random.generateDouble() * 1.8 - 0.9,
                                            random.generateDouble() * 0.4 - 0.2);
            const double slope = 2 + 20 * random.generateDouble();
            for (const std::complex<double> &gamma : gridGammas(13))
                quantity.push_back(40 - slope * std::abs(gamma - peak));
        }
        contents.push_back(contentOf(gridGammas(13), values[0], round % 2 ? "dB" : "%"));
        if (round % 3)
            contents.back().contoured.push_back({"E"_s, "%"_s, values[1]});
    }
    const QRectF area(0, 0, 800, 800);
    for (const SmithChartContent &content : contents) {
        const SmithChartRenderer chart(content);
        for (const auto view : {SmithChartRenderer::View::Data, SmithChartRenderer::View::Full}) {
            const SmithChartRenderer::Layout layout = layoutOf(chart, area, view);
            const double rim = chart.extent() * layout.mapping.unitRadius();
            std::vector<SmithChartRenderer::Label> labels = layout.contours;
            labels.insert(labels.end(), layout.maxima.begin(), layout.maxima.end());
            QVERIFY(!layout.contours.empty());
            QCOMPARE(layout.maxima.size(), layout.marks.size());
            for (const SmithChartRenderer::Label &label : labels) {
                for (const QPointF &corner : {label.rect.topLeft(), label.rect.topRight(),
                                              label.rect.bottomLeft(), label.rect.bottomRight()})
                    QVERIFY2(QLineF(corner, layout.mapping.centre()).length() <= rim,
                             qPrintable(label.text));
            }
            labels.insert(labels.end(), layout.grid.begin(), layout.grid.end());
            labels.insert(labels.end(), layout.marks.begin(), layout.marks.end());
            for (std::size_t i = 0; i < labels.size(); ++i) {
                QVERIFY2(layout.plot.contains(labels[i].rect), qPrintable(labels[i].text));
                for (std::size_t j = i + 1; j < labels.size(); ++j)
                    QVERIFY2(!labels[i].rect.intersects(labels[j].rect),
                             qPrintable(labels[i].text + " and "_s + labels[j].text));
                if (&content == &contents.front() && !labels[i].text.isEmpty()) {
                    for (int point : chart.shown())
                        QVERIFY2(
                            !labels[i].rect.contains(layout.mapping.toChart(content.gammas[point])),
                            qPrintable(labels[i].text));
                }
            }
        }
    }
}

// At any font size the title shows whole, underscores and all: as dark as the same text drawn
// where nothing clips it.
void tst_SmithChartWidget::titleKeepsItsUnderscores()
{
    SmithChartContent content = contentOf(gridGammas(3), Values(9, 30));
    content.title = "gamma_ld1 at Pin_avail = 26 dBm"_s;
    const SmithChartRenderer chart(content);
    const auto darkPixels = [](const QImage &image, int height) {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) < 128;
        }
        return count;
    };
    for (int pixels = 8; pixels <= 24; ++pixels) {
        QFont font;
        font.setPixelSize(pixels);
        const QImage image = pictureOf(chart, QSize(700, 500), font);
        const double top = 0.3 * QFontMetricsF(font).lineSpacing();
        font.setBold(true);
        QImage unclipped(image.size(), QImage::Format_RGB32);
        unclipped.fill(Qt::white);
        QPainter painter(&unclipped);
        painter.setFont(font);
        painter.drawText(QRectF(4, top, image.width() - 8, image.height()),
                         Qt::AlignHCenter | Qt::AlignTop, content.title);
        const int band = int(top + QFontMetricsF(font).lineSpacing()) + 1;
        QCOMPARE(darkPixels(image, band), darkPixels(unclipped, band));
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
    const QImage image = pictureOf(chart, QSize(800, 800));
    const SmithMapping mapping = layoutOf(chart, image.rect()).mapping;
    const QLineF &segment = chart.quantities()[0].contours().front().segments.front();
    const QPoint at = mapping.toChart({segment.center().x(), segment.center().y()}).toPoint();
    QVERIFY(!pointDrawnNear(image, at, 0));
}

void tst_SmithChartWidget::longDriveLevelListsAreSpread()
{
    QByteArray rows;
    for (int level = 0; level < 1500; ++level)
        rows += QByteArray::number(level) + " 0.1 0.2 30\n";
    SmithChartWidget widget(write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>\n"
                                  "Pin Re(g) Im(g) P\n" +
                                  rows));
    QVERIFY(shown(widget));
    QComboBox *driveLevel = choice(&widget, "driveLevel");
    QCOMPARE(driveLevel->count(), SmithChartData::MostConditions + 3);
    QCOMPARE(driveLevel->itemText(0), "Pin = 0 dBm"_s);
    QCOMPARE(driveLevel->currentText(), "Pin = 1499 dBm"_s);
    auto *note = widget.findChild<QLabel *>("driveLevelNote"_s);
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), "1000 of 1500, evenly spread"_s);
    QTest::keyClick(driveLevel, Qt::Key_Up);
    QVERIFY2(widget.view()->renderer().content().title.endsWith("Pin = 1497 dBm"_s),
             qPrintable(widget.view()->renderer().content().title));
}

// Only a file that sweeps a drive level offers its compressions.
void tst_SmithChartWidget::compressionNeedsADriveSweep()
{
    SmithChartWidget widget(write("LPDATA 1\nVAR=<Vdd>, Units=<V>\nGAMMA=<g>\n"
                                  "OUT=<Gain>, Units=<dB>\nRe(g) Im(g) Vdd Gain\n0 0 28 20\n"
                                  "0 0 32 17\n"));
    QCOMPARE(choice(&widget, "driveLevel")->count(), 2);
}

void tst_SmithChartWidget::loadsThatNeverCompressAreHollow()
{
    SmithChartWidget widget(write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\n"
                                  "OUT=<Gain>, Units=<dB>\nRe(g) Im(g) Pin Gain\n"
                                  "0 0 10 20\n0 0 20 18\n0.5 0 10 20\n0.5 0 20 19.5\n"));
    QVERIFY(shown(widget, {600, 700}));
    choice(&widget, "driveLevel")->setCurrentText("at 1 dB compression"_s);
    SmithChartView *view = widget.view();
    QCOMPARE(view->renderer().pointNote(),
             "1 load at 1 dB compression; 1 never reaches it (hollow)"_s);
    const QImage image = view->grab().toImage();
    const QPointF solid = view->mapping().toChart(0.0);
    const QPointF hollow = view->mapping().toChart(0.5);
    const double radius = view->renderer().pointRadius();
    QVERIFY(qGray(image.pixel(solid.toPoint())) < 80);
    // A ring: light inside (white, or a grid line's grey), dark round it.
    QVERIFY(qGray(image.pixel(hollow.toPoint())) > 150);
    QVERIFY(darkestNear(image, hollow + QPointF(radius, 0)) < 128);
    QVERIFY(darkestNear(image, hollow - QPointF(0, radius)) < 128);
}

void tst_SmithChartWidget::readoutFollowsThePointerAndTheArrowKeys()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QVERIFY(shown(widget, {700, 800}));
    SmithChartView *view = widget.view();
    auto *readout = widget.findChild<QLabel *>("readout"_s);
    QVERIFY(readout->text().startsWith("Point at the chart"_s));
    const std::complex<double> measured(-0.55, 0.12);
    QTest::mouseMove(view, view->mapping().toChart(measured).toPoint());
    QTRY_VERIFY(view->pointed().has_value());
    QVERIFY(std::abs(*view->pointed() - measured) < 2 / view->mapping().unitRadius());
    QCOMPARE(readout->text(), view->renderer().readout(*view->pointed()));
    QVERIFY2(readout->text().contains("; Pout = 39.8"_s), qPrintable(readout->text()));

    view->setFocus();
    const std::complex<double> before = *view->pointed();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(std::abs(*view->pointed() - (before + std::complex<double>(0.01, -0.09))) < 1e-12);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY2(readout->text().endsWith("; Pout: outside the measured region"_s),
             qPrintable(readout->text()));

    // At the centre of the chart: 50 Ohm.
    QCOMPARE(view->renderer().readout(0.0),
             QString(QChar(0x0393)) + " = 0 + j0 (0 "_s + QChar(0x2220) + " 0"_s + QChar(0x00B0) +
                 "); Z = 50 + j0 "_s + QChar(0x03A9) + "; Pout: outside the measured region"_s);
}

// The JSON reads back as the chart: every point and both values to the last bit, triangles by
// their points counter-clockwise, each quantity's levels, contours and highest value, the note;
// a value that is not finite is null. The target's points agree with the bounds worked out here
// from the JSON alone; its region is the chart's, which targetRegionIsWhereEveryBoundHolds
// (tst_smithgeometry) holds to the bounds.
void tst_SmithChartWidget::jsonHoldsTheChart()
{
    Values values, second;
    for (const std::complex<double> &gamma : gridGammas(6)) {
        values.push_back(30 + std::sin(3 * gamma.real()) / 3 + gamma.imag());
        second.push_back(40 - 30 * std::norm(gamma - std::complex<double>(0.3, 0.05)));
    }
    values[7] = std::numeric_limits<double>::quiet_NaN();
    SmithChartContent content = contentOf(gridGammas(6), values);
    content.contoured.push_back({"PAE"_s, "%"_s, second});
    content.targets = {{content.contoured[0], {0, true, 30.2}},
                       {content.contoured[1], {1, false, 35}}};
    content.coefficient = "gamma_ld1"_s;
    content.frequency = SmithChartContent::Setting{"Freq"_s, 1.8, "GHz"_s};
    content.held = {{"Vdd"_s, 28, "V"_s}};
    content.compression = 2.0;
    content.uncompressed = {{0.95, 0.1}};
    content.unfollowed = {{0.9, 0.2}};
    content.referenceImpedance = 25.0;
    content.drive = {"Pin"_s, "dBm"_s, second};
    const SmithChartRenderer chart(content);
    const QJsonObject json = QJsonDocument::fromJson(SmithChartJson::of(chart)).object();

    QCOMPARE(json["gamma"_s].toString(), "gamma_ld1"_s);
    QCOMPARE(json["z0"_s].toDouble(), 25.0);
    QCOMPARE(json["frequency"_s].toObject()["value"_s].toDouble(), 1.8);
    QCOMPARE(json["drive"_s].toObject()["held"_s].toArray().at(0).toObject()["name"_s].toString(),
             "Vdd"_s);
    QCOMPARE(json["drive"_s].toObject()["compression"_s].toDouble(), 2.0);
    QCOMPARE(json["quantity"_s].toString(), "P"_s);
    QCOMPARE(json["unit"_s].toString(), "dBm"_s);
    const QJsonArray points = json["points"_s].toArray();
    QCOMPARE(points.size(), int(content.gammas.size()));
    for (int i = 0; i < points.size(); ++i) {
        const QJsonArray point = points[i].toArray();
        QCOMPARE(point[0].toDouble(), content.gammas[i].real());
        QCOMPARE(point[1].toDouble(), content.gammas[i].imag());
        QVERIFY(i == 7 ? point[2].isNull() : point[2].toDouble() == values[i]);
        QCOMPARE(point[3].toDouble(), second[i]);
    }
    QCOMPARE(json["uncompressed"_s].toArray().at(0).toArray().at(0).toDouble(), 0.95);
    QCOMPARE(json["unfollowed"_s].toArray().at(0).toArray().at(1).toDouble(), 0.2);
    const QJsonArray loads = json["loads"_s].toArray();
    QCOMPARE(loads.size(), points.size());
    for (int i = 0; i < loads.size(); ++i) {
        const QJsonObject load = loads[i].toObject();
        QCOMPARE(load["gamma"_s].toArray(), QJsonArray({points[i][0], points[i][1]}));
        QCOMPARE(load["Pin"_s].toDouble(), second[i]);
        QCOMPARE(load["P"_s], points[i][2]);
        QCOMPARE(load["PAE"_s], points[i][3]);
    }
    const auto trianglesOf = [&](const QJsonObject &object) {
        std::vector<std::array<int, 3>> triangles;
        for (const QJsonValue &triangle : object["triangles"_s].toArray()) {
            const QJsonArray c = triangle.toArray();
            triangles.push_back({c[0].toInt(), c[1].toInt(), c[2].toInt()});
            const auto at = [&](int corner) {
                return QPointF(points[c[corner].toInt()][0].toDouble(),
                               points[c[corner].toInt()][1].toDouble());
            };
            if (ExactPredicates::orientation(at(0), at(1), at(2)) != 1)
                return decltype(triangles)();
        }
        return triangles;
    };
    const QJsonObject secondJson = json["second"_s].toObject();
    for (int q = 0; q < 2; ++q) {
        const QJsonObject quantity = q == 0 ? json : secondJson;
        const QuantityContours &contours = chart.quantities()[q];
        const auto triangles = trianglesOf(quantity);
        QCOMPARE(triangles.size(), contours.mesh().triangles().size());
        QVERIFY(std::none_of(triangles.begin(), triangles.end(), [q](const auto &t) {
            return q == 0 && (t[0] == 7 || t[1] == 7 || t[2] == 7);
        }));
        const QJsonArray contoursJson = quantity["contours"_s].toArray();
        QCOMPARE(contoursJson.size(), int(contours.contours().size()));
        for (int i = 0; i < contoursJson.size(); ++i) {
            const QJsonObject contour = contoursJson[i].toObject();
            QCOMPARE(contour["level"_s].toDouble(), contours.contours()[i].level);
            const QJsonArray segments = contour["segments"_s].toArray();
            QCOMPARE(segments.size(), int(contours.contours()[i].segments.size()));
            QCOMPARE(segments[0].toArray()[3].toDouble(), contours.contours()[i].segments[0].y2());
        }
        QCOMPARE(quantity["levels"_s].toArray().size(), int(contours.levels().size()));
        QCOMPARE(quantity["maximum"_s].toArray()[2].toDouble(), contours.maximumValue());
        // The optimum, worked out from the values: the highest, its Γ and Z = z0 (1 + Γ)/(1 - Γ).
        const Values &of = q == 0 ? values : second;
        std::size_t best = q == 0 ? 0 : 1;
        for (std::size_t i = 0; i < of.size(); ++i)
            best = of[i] > of[best] ? i : best;
        const std::complex<double> gamma = content.gammas[best];
        const std::complex<double> impedance = 25.0 * (1.0 + gamma) / (1.0 - gamma);
        const QJsonObject optimum = quantity["optimum"_s].toObject();
        QCOMPARE(optimum["gamma"_s].toArray(), QJsonArray({gamma.real(), gamma.imag()}));
        QCOMPARE(optimum["impedance"_s].toArray(),
                 QJsonArray({impedance.real(), impedance.imag()}));
        QCOMPARE(optimum["value"_s].toDouble(), of[best]);
    }
    QCOMPARE(secondJson["quantity"_s].toString(), "PAE"_s);

    // The target's points, worked out from the JSON: where P >= 30.2 and PAE <= 35.
    const QJsonObject target = json["target"_s].toObject();
    const QJsonArray bounds = target["bounds"_s].toArray();
    QCOMPARE(bounds[1].toObject()["relation"_s].toString(), "<="_s);
    const QJsonArray p = bounds[0].toObject()["values"_s].toArray();
    const QJsonArray pae = bounds[1].toObject()["values"_s].toArray();
    QJsonArray met;
    for (int i = 0; i < points.size(); ++i) {
        if (!p[i].isNull() && p[i].toDouble() >= 30.2 && pae[i].toDouble() <= 35)
            met.append(i);
    }
    QCOMPARE(target["points"_s].toArray(), met);
    const TargetRegion &region = *chart.target();
    QCOMPARE(trianglesOf(target).size(), region.mesh().triangles().size());
    QJsonArray polygons;
    for (const QPolygonF &polygon : region.polygons()) {
        QJsonArray corners;
        for (const QPointF &corner : polygon)
            corners.append(QJsonArray{corner.x(), corner.y()});
        polygons.append(corners);
    }
    QVERIFY(!polygons.isEmpty());
    QCOMPARE(target["region"_s].toArray(), polygons);
    QCOMPARE(target["area"_s].toDouble(), region.area());
    QCOMPARE(target["empty"_s].toBool(), false);
    QCOMPARE(json["note"_s].toString(), chart.noteText());
}

// A target typed and entered shades its region, which the notes and the read-out report with
// both quantities; a target that cannot be read says why and bounds nothing.
void tst_SmithChartWidget::targetAndSecondQuantityFromTheChoices()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QVERIFY(shown(widget));
    choice(&widget, "secondQuantity")->setCurrentText("PAE"_s);
    auto *target = widget.findChild<QLineEdit *>("target"_s);
    auto *targetNote = widget.findChild<QLabel *>("targetNote"_s);
    QTest::keyClicks(target, "Pout>=39.7, PAE>=46"_s);
    QTest::keyClick(target, Qt::Key_Return);
    const SmithChartRenderer &chart = widget.view()->renderer();
    QVERIFY(chart.target() && !chart.target()->empty());
    QVERIFY(!targetNote->isVisible());
    QVERIFY2(chart.noteText().contains(
                 "Target Pout >= 39.7 dBm, PAE >= 46 %: met in the shaded region, at 8 of 25 "
                 "points"_s),
             qPrintable(chart.noteText()));
    const QString readout = chart.readout({-0.55, 0.12});
    QVERIFY2(readout.endsWith("; Pout = 39.86 dBm; PAE = 48.67 %; in the target region"_s),
             qPrintable(readout));
    target->clear();
    QTest::keyClicks(target, "Pout=>39"_s);
    QTest::keyClick(target, Qt::Key_Return);
    QVERIFY(!widget.view()->renderer().target());
    QVERIFY(targetNote->isVisible());
    QCOMPARE(targetNote->text(), "'Pout=>39' is no target: a target is a quantity, >= or <= and "
                                 "a number, such as Pout>=39"_s);
}

// The chart opens at the measured region; the wheel zooms in and out about the place under the
// pointer, which stays there; "Whole chart" shows the whole unit circle.
void tst_SmithChartWidget::wheelZoomsAboutThePointer()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QVERIFY(shown(widget, {600, 700}));
    SmithChartView *view = widget.view();
    const QPointF pointer(view->width() * 0.3, view->height() * 0.6);
    const SmithMapping before = view->mapping();
    for (int steps : {1, 2, -3}) {
        const SmithMapping from = view->mapping();
        QWheelEvent wheel(pointer, QPointF(view->mapToGlobal(pointer.toPoint())), {},
                          QPoint(0, 120 * steps), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(view, &wheel);
        const SmithMapping to = view->mapping();
        QVERIFY(std::abs(to.unitRadius() / from.unitRadius() -
                         std::pow(SmithChartView::WheelZoom, steps)) < 1e-9);
        QVERIFY(std::abs(to.toGamma(pointer) - from.toGamma(pointer)) < 1e-9);
    }
    QVERIFY(std::abs(view->mapping().unitRadius() - before.unitRadius()) < 1e-6);
    const QRectF inside = QRectF(view->rect());
    QVERIFY(!inside.contains(view->mapping().toChart(1.0)));
    widget.findChild<QCheckBox *>("wholeChart"_s)->click();
    for (const std::complex<double> &edge : {std::complex<double>(1, 0), {-1, 0}, {0, 1}, {0, -1}})
        QVERIFY(inside.contains(view->mapping().toChart(edge)));
}

void tst_SmithChartWidget::focusedChartIsFramed()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QVERIFY(shown(widget));
    SmithChartView *view = widget.view();
    const QPoint edge(0, view->height() / 2);
    const QRgb highlight = view->palette().color(QPalette::Highlight).rgb();
    QVERIFY(view->grab().toImage().pixel(edge) != highlight);
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    QCOMPARE(view->grab().toImage().pixel(edge), highlight);
}

// As --plot writes it by default, the chart of docs/lp-host.md fills the picture with its points;
// the whole chart shows the whole unit circle.
void tst_SmithChartWidget::chartOpensFittedToTheMeasuredRegion()
{
    const QString picture = m_dir.filePath("chart.png"_s);
    const auto pointsSpan = [&](SmithChartRenderer::View view) {
        QString error;
        SmithChartPlot::Options options;
        options.view = view;
        if (!SmithChartPlot::write(example("pa_two_frequencies.lp"), options, picture, &error))
            qFatal("%s", qPrintable(error));
        const QImage image(picture);
        QRect span;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == SmithChartRenderer::pointColour().rgb())
                    span |= QRect(x, y, 1, 1);
            }
        }
        return span;
    };
    const QRect data = pointsSpan(SmithChartRenderer::View::Data);
    QVERIFY2(data.width() > 500 && data.height() > 400,
             qPrintable("%1 x %2"_s.arg(data.width()).arg(data.height())));
    const QRect whole = pointsSpan(SmithChartRenderer::View::Full);
    QVERIFY(whole.width() < 200 && whole.height() < 200);
}

// lp-host's --readout: on planes, where linear interpolation is exact, each contoured quantity
// and the drive level at compression are the plane's values; outside the points, none.
void tst_SmithChartWidget::readoutGivesEachQuantityAtALoad()
{
    Values ramp, drive;
    for (const std::complex<double> &gamma : gridGammas(5)) {
        ramp.push_back(34 + 5 * gamma.real());
        drive.push_back(20 + 2 * gamma.imag());
    }
    SmithChartContent content = contentOf(gridGammas(5), ramp);
    content.compression = 1.0;
    content.drive = {"Pin"_s, "dBm"_s, drive};
    const SmithChartRenderer chart(content);
    QCOMPARE(SmithChartPlot::readoutAt(chart, {0.3, 0.1}),
             texts({"P = 35.5 dBm", "Pin = 20.2 dBm"}));
    QCOMPARE(SmithChartPlot::readoutAt(chart, {1.5, 0.0}),
             texts({"P: outside the measured region", "Pin: outside the measured region"}));
}

// The two quantities' colours, printed in grey, differ by a fifth of the scale at least; and
// seen without telling red from green (Viénot, Brettel and Mollon's deuteranope projection),
// they still differ as much.
void tst_SmithChartWidget::quantitiesStayApartInGreyAndForRedGreenBlindness()
{
    const QColor first = SmithChartRenderer::quantityColour(0);
    const QColor second = SmithChartRenderer::quantityColour(1);
    QVERIFY(std::abs(qGray(first.rgb()) - qGray(second.rgb())) >= 51);
    const auto deuteranope = [](const QColor &c) {
        const double redGreen = 0.29275 * c.red() + 0.70725 * c.green();
        return std::array<double, 2>{redGreen, c.blue() - 0.02234 * (c.red() - c.green())};
    };
    const auto [a, b] = std::pair(deuteranope(first), deuteranope(second));
    QVERIFY(std::hypot(a[0] - b[0], a[1] - b[1]) >= 51);
}

// From 5,000 noisy points a level breaks into many lines shorter than a dash: along them the
// picture still shows the second quantity's colour, with gaps, dashed rather than solid.
void tst_SmithChartWidget::secondQuantityStaysDashedWhereNoiseBreaksItsContours()
{
    QRandomGenerator random(7);
    Gammas gammas;
    Values flat, noisy;
    while (gammas.size() < 5000) {
        const std::complex<double> gamma(random.bounded(1.8) - 0.9, random.bounded(1.8) - 0.9);
        if (std::abs(gamma) > 0.9)
            continue;
        gammas.push_back(gamma);
        flat.push_back(30);
        noisy.push_back(50 - 40 * std::norm(gamma - std::complex<double>(0.3, 0.2)) +
                        random.bounded(30.0) - 15);
    }
    SmithChartContent content = contentOf(gammas, flat);
    content.contoured.push_back({"E"_s, "%"_s, noisy});
    const SmithChartRenderer chart(content);
    const QImage image = pictureOf(chart, QSize(800, 800));
    const SmithMapping mapping = layoutOf(chart, image.rect()).mapping;
    const QColor second = SmithChartRenderer::quantityColour(1);
    const auto onChart = [&mapping](const QPointF &point) {
        return mapping.toChart({point.x(), point.y()});
    };
    // Along the lines shorter than a dash and its gap, how often the second colour shows.
    int along = 0, drawn = 0;
    for (const QuantityContours::Contour &contour : chart.quantities()[1].contours()) {
        for (const QPolygonF &line : ContourTracer::joined(contour.segments)) {
            double length = 0;
            for (int i = 1; i < line.size(); ++i)
                length += QLineF(onChart(line[i - 1]), onChart(line[i])).length();
            if (length >= 9.6)
                continue;
            for (int i = 1; i < line.size(); ++i) {
                const QLineF piece(onChart(line[i - 1]), onChart(line[i]));
                for (double t = 0; t < piece.length(); t += 1.0) {
                    ++along;
                    drawn += distance(image.pixelColor(piece.pointAt(t / piece.length()).toPoint()),
                                      second) < 90;
                }
            }
        }
    }
    // Dashes three fifths of the way: solid bits, or each line starting with a dash, show more.
    QVERIFY(along > 1000);
    const double shown = double(drawn) / along;
    QVERIFY2(shown > 0.4 && shown < 0.75, qPrintable(QString::number(shown)));
}

// At 100,000 points the dots cover the plot: inside the target region the picture shows the
// shade, nearer to it than to the same chart without a target, almost everywhere.
void tst_SmithChartWidget::targetShowsAboveDensePoints()
{
    QRandomGenerator random(11);
    Gammas gammas;
    Values values;
    while (gammas.size() < 100000) {
        const std::complex<double> gamma(random.bounded(2.0) - 1, random.bounded(2.0) - 1);
        if (std::abs(gamma) <= 1) {
            gammas.push_back(gamma);
            values.push_back(30 + 5 * gamma.real());
        }
    }
    SmithChartContent plain = contentOf(gammas, values);
    SmithChartContent targeted = plain;
    targeted.targets = {{targeted.contoured[0], {0, true, 33}}};
    const SmithChartRenderer chart(targeted);
    const QImage without = pictureOf(SmithChartRenderer(plain), QSize(800, 800));
    const QImage with = pictureOf(chart, QSize(800, 800));
    const SmithMapping mapping = layoutOf(chart, with.rect()).mapping;
    QPainterPath region;
    for (const QPolygonF &polygon : chart.target()->outline()) {
        QPolygonF onChart;
        for (const QPointF &corner : polygon)
            onChart << mapping.toChart({corner.x(), corner.y()});
        region.addPolygon(onChart);
    }
    const QColor shade = SmithChartRenderer::targetColour();
    int inside = 0, shaded = 0;
    const QRect bounds = region.boundingRect().toRect();
    for (int y = bounds.top(); y <= bounds.bottom(); y += 3) {
        for (int x = bounds.left(); x <= bounds.right(); x += 3) {
            if (!region.contains(QPointF(x + 0.5, y + 0.5)))
                continue;
            ++inside;
            shaded += distance(with.pixelColor(x, y), shade) <
                      distance(with.pixelColor(x, y), without.pixelColor(x, y));
        }
    }
    QVERIFY(inside > 1000);
    QVERIFY2(shaded > 0.9 * inside, qPrintable("%1 of %2"_s.arg(shaded).arg(inside)));
}

// A note longer than the picture is wide takes more lines, which the plot makes room for, and
// no text reaches the picture's right edge.
void tst_SmithChartWidget::longNotesWrapInsideThePicture()
{
    SmithChartContent content = contentOf(gridGammas(5), Values(25, 30.0));
    const SmithChartRenderer brief(content);
    content.remark = QStringLiteral("Not measured at %1: the nearest measured is charted")
                         .arg(QString("Pin_avail=18, "_s).repeated(40));
    const SmithChartRenderer wordy(content);
    const QSize size(400, 400);
    const QRectF plot = layoutOf(wordy, QRectF(QPointF(), size)).plot;
    QVERIFY(plot.bottom() < layoutOf(brief, QRectF(QPointF(), size)).plot.bottom() - 40);
    const QImage image = pictureOf(wordy, size);
    for (int y = int(plot.bottom()) + 2; y < size.height(); ++y) {
        for (int x = size.width() - 6; x < size.width(); ++x)
            QVERIFY2(qGray(image.pixel(x, y)) > 200, qPrintable("text at %1, %2"_s.arg(x).arg(y)));
    }
}

// With the admittance grid, the circle of unit conductance (through Γ = 0 and -1) shows at
// -0.75 + j0.433, where no impedance line of the whole chart passes; without it, nothing does.
void tst_SmithChartWidget::admittanceGridIsTheImpedanceGridTurned()
{
    SmithChartContent content = contentOf({{0.3, -0.3}}, {30});
    const auto darkNear = [&](bool admittance) {
        content.admittanceGrid = admittance;
        const SmithChartRenderer chart(content);
        const QRectF area(0, 0, 600, 600);
        QImage image(area.size().toSize(), QImage::Format_RGB32);
        QPainter painter(&image);
        const SmithMapping::Window whole = chart.window(SmithChartRenderer::View::Full);
        chart.paint(painter, area, whole);
        const SmithMapping mapping = chart.mappingFor(area, QFontMetricsF(painter.font()), whole);
        return darkestNear(image, mapping.toChart({-0.75, 0.5 * std::sqrt(0.75)})) < 235;
    };
    QVERIFY(!darkNear(false));
    QVERIFY(darkNear(true));
}

QTEST_MAIN(tst_SmithChartWidget)
#include "tst_smithchartwidget.moc"
