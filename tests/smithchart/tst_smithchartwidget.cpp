#include "exactpredicates.h"
#include "smithchartdata.h"
#include "smithchartjson.h"
#include "smithchartrenderer.h"
#include "smithchartview.h"
#include "smithchartwidget.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <map>
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
    void init();
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
    void noneDrawsThePointsAlone();
    void longDriveLevelListsAreSpread();
    void compressionFollowsEachLoadsDriveSweep();
    void compressionNeedsADriveSweepAndAGain();
    void loadsThatNeverCompressAreHollow();
    void valuesBetweenPointsAreLinear();
    void readoutFollowsThePointerAndTheArrowKeys();
    void jsonHoldsTheChart();

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
    QTest::addColumn<QString>("quantity");

    QTest::newRow("another frequency") << "frequency"_s << Qt::Key_Down << "Freq = 2 GHz"_s
                                       << "Pout"_s;
    QTest::newRow("gain compression")
        << "driveLevel"_s << Qt::Key_Down << "Freq = 1.8 GHz, 1 dB compression"_s
        << "Pout"_s;
    QTest::newRow("another quantity") << "quantity"_s << Qt::Key_Down << QString() << "Gain"_s;
}

// A key in a box is what a user does; the chart follows at once.
void tst_SmithChartWidget::choicesRedrawTheChart()
{
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);
    QFETCH(QString, title);
    QFETCH(QString, quantity);

    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    widget.resize(500, 600);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QImage before = widget.grab().toImage();
    QComboBox *chosen = widget.findChild<QComboBox *>(box);
    chosen->setFocus();
    QTest::keyClick(chosen, key);
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
    Values ramp;
    for (const std::complex<double> &gamma : gridGammas(5))
        ramp.push_back(34 + 5 * gamma.real());
    QTest::newRow("a step of a quantity in dBm is in dB")
        << contentOf(gridGammas(5), ramp) << "P contours every 1 dB; highest 38.5 dBm"_s
        << "25 measured points"_s << true;
    SmithChartContent fixed = contentOf({{-0.6, -0.28}}, {30});
    fixed.fixed = true;
    QTest::newRow("a coefficient held at a fixed value")
        << fixed << "P is 30 dBm at every point"_s
        << "A fixed value, not measured"_s << false;
    SmithChartContent compressed = contentOf(gridGammas(5), ramp);
    compressed.compression = 1.0;
    compressed.uncompressed = {{0.95, 0}, {0.1, 0.05}, {3, 0}};
    QTest::newRow("loads at compression, some never compressing, one beyond |gamma| = 2")
        << compressed << "P contours every 1 dB"_s
        << "25 loads at 1 dB compression; 2 never reach it (hollow); 1 beyond |gamma| = 2 not "
           "shown"_s
        << true;
    SmithChartContent none = contentOf({}, {});
    none.compression = 3.0;
    none.uncompressed = {{0.1, 0.1}};
    QTest::newRow("no load compressing") << none << "No load reaches 3 dB compression"_s
                                         << "0 loads at 3 dB compression; 1 never reaches it "
                                            "(hollow)"_s
                                         << false;
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

// Charts with their highest value anywhere, by the rim and by the grid's labels, and the
// README's own: no label covers another or the highest value's mark; contour labels stay inside
// the chart's circle, and the highest value's label clear of the grid's.
void tst_SmithChartWidget::labelsKeepClearInsideTheChart()
{
    QRandomGenerator random(39);
    std::vector<SmithChartContent> contents;
    SmithChartData readme;
    QString error;
    QVERIFY2(readme.load(example("pa_two_frequencies.lp"), {}, &error), qPrintable(error));
    contents.push_back(readme.content(0, readme.defaultCondition(), 0));
    for (int round = 0; round < 40; ++round) {
        const std::complex<double> peak(random.generateDouble() * 1.8 - 0.9,
                                        random.generateDouble() * 0.4 - 0.2);
        const double slope = 2 + 20 * random.generateDouble();
        Values values;
        for (const std::complex<double> &gamma : gridGammas(13))
            values.push_back(40 - slope * std::abs(gamma - peak));
        contents.push_back(contentOf(gridGammas(13), values, round % 2 ? "dB" : "%"));
    }
    const QRectF area(0, 0, 800, 800);
    const QFontMetricsF metrics((QFont()));
    for (const SmithChartContent &content : contents) {
        const SmithChartRenderer chart(content);
        const SmithMapping mapping = chart.mappingFor(area, metrics);
        const std::vector<SmithChartRenderer::Label> grid = chart.gridLabels(area, metrics);
        const SmithChartRenderer::Label maximum = *chart.maximumLabel(area, metrics);
        const QRectF mark = *chart.maximumMark(area, metrics);
        std::vector<SmithChartRenderer::Label> labels = chart.contourLabels(area, metrics);
        QVERIFY(!labels.empty());
        for (const SmithChartRenderer::Label &label : labels) {
            for (const QPointF &corner : {label.rect.topLeft(), label.rect.topRight(),
                                          label.rect.bottomLeft(), label.rect.bottomRight()})
                QVERIFY2(std::abs(mapping.toGamma(corner)) <= chart.extent(),
                         qPrintable(label.text));
            QVERIFY2(!label.rect.intersects(mark), qPrintable(label.text));
        }
        for (const SmithChartRenderer::Label &label : grid)
            QVERIFY2(!maximum.rect.intersects(label.rect), qPrintable(label.text));
        labels.insert(labels.end(), grid.begin(), grid.end());
        labels.push_back(maximum);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            QVERIFY2(area.contains(labels[i].rect), qPrintable(labels[i].text));
            for (std::size_t j = i + 1; j < labels.size(); ++j)
                QVERIFY2(!labels[i].rect.intersects(labels[j].rect),
                         qPrintable(labels[i].text + " and "_s + labels[j].text));
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
    const SmithMapping mapping = chart.mappingFor(image.rect(), QFontMetricsF(QFont()));
    const QLineF &segment = chart.contours().front().segments.front();
    const QPoint at = mapping.toChart({segment.center().x(), segment.center().y()}).toPoint();
    QVERIFY(!pointDrawnNear(image, at, 0));
}

void tst_SmithChartWidget::noneDrawsThePointsAlone()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    QComboBox *quantity = choice(&widget, "quantity");
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

// For every load of the example files, at each frequency and each compression offered: the
// gain at compression lies that many dB below the highest gain the load reached at lower drive,
// and the first drive level that falls so far lies past it; a load whose gain never falls so
// far is drawn apart. Worked out here from the measured drive levels alone.
void tst_SmithChartWidget::compressionFollowsEachLoadsDriveSweep()
{
    for (const char *file : {"pa_two_frequencies.lp", "pa_supply_sweep.spl"}) {
        SmithChartData data;
        QString error;
        QVERIFY2(data.load(example(file), {}, &error), qPrintable(error));
        const int gain = int(data.quantities().indexOf("Gain"_s));
        const QStringList conditions = data.conditions();
        for (int frequency = 0; frequency < data.frequencies().size(); ++frequency) {
            for (int condition = 0; condition < conditions.size(); ++condition) {
                const QStringList parts = conditions[condition].split(", "_s);
                if (!parts.last().endsWith(" dB compression"_s))
                    continue;
                const double decibels = parts.last().split(QLatin1Char(' ')).at(1).toDouble();
                // The measured drive levels at the same other values, rising.
                std::map<std::pair<double, double>, Values> sweeps;
                for (int measured = 0; measured <= data.defaultCondition(); ++measured) {
                    if (conditions[measured].startsWith(
                            parts.mid(0, parts.size() - 1).join(", "_s))) {
                        const SmithChartContent at = data.content(frequency, measured, gain);
                        for (std::size_t i = 0; i < at.gammas.size(); ++i)
                            sweeps[{at.gammas[i].real(), at.gammas[i].imag()}].push_back(
                                at.values[i]);
                    }
                }
                const SmithChartContent compressed = data.content(frequency, condition, gain);
                QCOMPARE(compressed.gammas.size() + compressed.uncompressed.size(), sweeps.size());
                std::map<std::pair<double, double>, double> gainAt;
                for (std::size_t i = 0; i < compressed.gammas.size(); ++i)
                    gainAt[{compressed.gammas[i].real(), compressed.gammas[i].imag()}] =
                        compressed.values[i];
                for (const auto &[load, gains] : sweeps) {
                    double highest = gains.front();
                    std::size_t falls = 1;
                    while (falls < gains.size() && gains[falls] > highest - decibels)
                        highest = std::max(highest, gains[falls++]);
                    QCOMPARE(gainAt.count(load), std::size_t(falls < gains.size()));
                    if (falls < gains.size())
                        QVERIFY(std::abs(gainAt[load] - (highest - decibels)) < 1e-9);
                }
            }
        }
    }
}

void tst_SmithChartWidget::compressionNeedsADriveSweepAndAGain()
{
    SmithChartWidget noGain(write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\n"
                                  "OUT=<P>, Units=<dBm>\nRe(g) Im(g) Pin P\n0 0 10 20\n"
                                  "0 0 20 27\n0.1 0 10 21\n"));
    QComboBox *driveLevel = choice(&noGain, "driveLevel");
    driveLevel->setCurrentText("at 2 dB compression"_s);
    QVERIFY2(noGain.view()->renderer().content().message.endsWith(
                 "holds no gain: contours at compression need a performance quantity in dB "
                 "with \"gain\" in its name, such as Gain."_s),
             qPrintable(noGain.view()->renderer().content().message));
    SmithChartWidget noDrive(write("LPDATA 1\nVAR=<Vdd>, Units=<V>\nGAMMA=<g>\n"
                                   "OUT=<Gain>, Units=<dB>\nRe(g) Im(g) Vdd Gain\n0 0 28 20\n"
                                   "0 0 32 17\n"));
    QCOMPARE(choice(&noDrive, "driveLevel")->count(), 2);
}

void tst_SmithChartWidget::loadsThatNeverCompressAreHollow()
{
    SmithChartWidget widget(write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\n"
                                  "OUT=<Gain>, Units=<dB>\nRe(g) Im(g) Pin Gain\n"
                                  "0 0 10 20\n0 0 20 18\n0.5 0 10 20\n0.5 0 20 19.5\n"));
    widget.resize(600, 700);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    choice(&widget, "driveLevel")->setCurrentText("at 1 dB compression"_s);
    SmithChartView *view = widget.view();
    QCOMPARE(view->renderer().pointNote(),
             "1 load at 1 dB compression; 1 never reaches it (hollow)"_s);
    const QImage image = view->grab().toImage();
    const QPointF solid = view->mapping().toChart(0.0);
    const QPointF hollow = view->mapping().toChart(0.5);
    const double radius = view->renderer().pointRadius();
    QCOMPARE(image.pixel(solid.toPoint()), SmithChartRenderer::pointColour().rgb());
    // A ring: light inside (white, or a grid line's grey), dark round it.
    const auto darkest = [&image](const QPointF &at) {
        int gray = 255;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy)
                gray = std::min(gray, qGray(image.pixel(at.toPoint() + QPoint(dx, dy))));
        }
        return gray;
    };
    QVERIFY(qGray(image.pixel(hollow.toPoint())) > 150);
    QVERIFY(darkest(hollow + QPointF(radius, 0)) < 128);
    QVERIFY(darkest(hollow - QPointF(0, radius)) < 128);
}

// A quantity linear in gamma is read back exactly anywhere between the points, and nowhere
// outside them.
void tst_SmithChartWidget::valuesBetweenPointsAreLinear()
{
    QRandomGenerator random(5);
    Gammas gammas;
    for (int i = 0; i < 60; ++i)
        gammas.emplace_back(random.generateDouble() - 0.5, random.generateDouble() - 0.5);
    gammas.insert(gammas.end(), {{-0.5, -0.5}, {0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}});
    const auto plane = [](std::complex<double> g) {
        return 30 + 3 * g.real() - 7 * g.imag();
    };
    Values values;
    for (const std::complex<double> &gamma : gammas)
        values.push_back(plane(gamma));
    const SmithChartRenderer chart(contentOf(gammas, values));
    for (int i = 0; i < 500; ++i) {
        const std::complex<double> at(random.generateDouble() * 1.2 - 0.6,
                                      random.generateDouble() * 1.2 - 0.6);
        const std::optional<double> value = chart.valueAt(at);
        QCOMPARE(value.has_value(), std::abs(at.real()) <= 0.5 && std::abs(at.imag()) <= 0.5);
        QVERIFY(!value || std::abs(*value - plane(at)) < 1e-9);
    }
}

void tst_SmithChartWidget::readoutFollowsThePointerAndTheArrowKeys()
{
    SmithChartWidget widget(example("pa_two_frequencies.lp"));
    widget.resize(700, 800);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
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

// The JSON reads back as the chart: every point and value to the last bit, triangles by their
// points counter-clockwise, the levels, the contours' segments, the highest value and the note;
// a value that is not finite is null.
void tst_SmithChartWidget::jsonHoldsTheChart()
{
    Values values;
    for (const std::complex<double> &gamma : gridGammas(6))
        values.push_back(30 + std::sin(3 * gamma.real()) / 3 + gamma.imag());
    values[7] = std::numeric_limits<double>::quiet_NaN();
    SmithChartContent content = contentOf(gridGammas(6), values);
    content.coefficient = "gamma_ld1"_s;
    content.frequency = SmithChartContent::Setting{"Freq"_s, 1.8, "GHz"_s};
    content.held = {{"Vdd"_s, 28, "V"_s}};
    content.compression = 2.0;
    content.uncompressed = {{0.95, 0.1}};
    const SmithChartRenderer chart(content);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(SmithChartJson::of(chart), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    QCOMPARE(json["gamma"_s].toString(), "gamma_ld1"_s);
    QCOMPARE(json["frequency"_s].toObject()["value"_s].toDouble(), 1.8);
    QCOMPARE(json["drive"_s].toObject()["held"_s].toArray().at(0).toObject()["name"_s].toString(),
             "Vdd"_s);
    QCOMPARE(json["drive"_s].toObject()["compression"_s].toDouble(), 2.0);
    QCOMPARE(json["quantity"_s].toString(), "P"_s);
    QCOMPARE(json["unit"_s].toString(), "dBm"_s);
    const QJsonArray points = json["points"_s].toArray();
    QCOMPARE(points.size(), int(content.gammas.size()));
    std::vector<QPointF> plane;
    for (int i = 0; i < points.size(); ++i) {
        const QJsonArray point = points[i].toArray();
        QCOMPARE(point[0].toDouble(), content.gammas[i].real());
        QCOMPARE(point[1].toDouble(), content.gammas[i].imag());
        QVERIFY(i == 7 ? point[2].isNull() : point[2].toDouble() == values[i]);
        plane.emplace_back(point[0].toDouble(), point[1].toDouble());
    }
    QCOMPARE(json["uncompressed"_s].toArray().at(0).toArray().at(0).toDouble(), 0.95);
    const QJsonArray triangles = json["triangles"_s].toArray();
    QCOMPARE(triangles.size(), int(chart.triangles().size()));
    for (const QJsonValue &triangle : triangles) {
        const QJsonArray corners = triangle.toArray();
        QVERIFY(corners[0].toInt() != 7 && corners[1].toInt() != 7 && corners[2].toInt() != 7);
        QCOMPARE(ExactPredicates::orientation(plane[corners[0].toInt()], plane[corners[1].toInt()],
                                              plane[corners[2].toInt()]),
                 1);
    }
    QCOMPARE(json["levels"_s].toArray().size(), int(chart.levels().size()));
    const QJsonArray contours = json["contours"_s].toArray();
    QCOMPARE(contours.size(), int(chart.contours().size()));
    for (int i = 0; i < contours.size(); ++i) {
        const QJsonObject contour = contours[i].toObject();
        QCOMPARE(contour["level"_s].toDouble(), chart.contours()[i].level);
        const QJsonArray segments = contour["segments"_s].toArray();
        QCOMPARE(segments.size(), int(chart.contours()[i].segments.size()));
        QCOMPARE(segments[0].toArray()[3].toDouble(), chart.contours()[i].segments[0].y2());
    }
    QCOMPARE(json["maximum"_s].toArray()[2].toDouble(), values[*chart.maximum()]);
    QCOMPARE(json["note"_s].toString(),
             chart.contourNote() + QLatin1Char('\n') + chart.pointNote());
}

QTEST_MAIN(tst_SmithChartWidget)
#include "tst_smithchartwidget.moc"
