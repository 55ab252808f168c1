#include "alltabswidget.h"
#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "filetabwidget.h"
#include "indepvardetailstablewidget.h"
#include "interfaceholder.h"
#include "interpolationtabwidget.h"
#include "metatypes.h"
#include "parametermapping.h"
#include "performancetabwidget.h"
#include "previewchartview.h"
#include "previewwindow.h"
#include "referencetvlinterface.h"
#include "termtabwidget.h"
#include "testtexts.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

// A load pull of 20,000 loads at five drive levels, each load a little off its place at each.
QString largeFile(const QTemporaryDir &folder)
{
    const QString path = folder.filePath("large.lp"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QTextStream text(&file);
    text << "LPDATA 1\nVAR=<Freq>, Units=<GHz>, Type=<Frequency>\n"
            "VAR=<Pin_avail>, Units=<dBm>, Type=<Power>\nGAMMA=<gamma_ld1>\n"
            "OUT=<Pout>, Units=<dBm>\nRe(gamma_ld1) Im(gamma_ld1) Pin_avail Pout\nFreq = 2 GHz\n";
    QRandomGenerator random(1);
    for (int load = 0; load < 20000; ++load) {
        const double re = random.generateDouble() - 0.7, im = random.generateDouble() - 0.5;
        for (int drive = 10; drive <= 26; drive += 4)
            text << re + 1e-3 * random.generateDouble() << ' ' << im << ' ' << drive << ' '
                 << drive + 18 - 3 * (re * re + im * im) << '\n';
    }
    return path;
}

// The example's load pull, Pin_avail held at 18 dBm, interpolated linearly.
DBLPCState exampleComponent(const QString &file = QStringLiteral(LP_EXAMPLE_DATA_DIR
                                                                 "/pa_two_frequencies.lp"))
{
    DBLPCState state(false);
    FileTabState files;
    files.setFileType(MauryFileType);
    files.setFileNames({file});
    state.setFileTabState(files);
    IndepVarInfo power;
    power.setName("Pin_avail"_s);
    power.setValue("18"_s);
    power.setUnit("dBm"_s);
    IndepVariablesState independent;
    independent.addVariable(power, false);
    independent.setFrequencyVariable("Freq"_s);
    VariableDetailsTabState details;
    details.setIndependentVariables(independent);
    state.setDetailsTabState(details);
    return state;
}

} // namespace

// The preview beside the editor: opened from the Variables tab, it follows the held values and
// closes with the editor, and OK writes what it wrote without it.
class tst_PreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void cleanup();

    void followsAHeldValue_data();
    void followsAHeldValue();
    void followsTheInterpolationChoice();
    void followsTheFileList();
    void followsItsOwnChoices();
    void staysBesideTheEditorOnEveryTab();
    void closesWithTheEditor();
    void leavesTheEditorFreeWithALargeFile();

private:
    PreviewWindow *openPreview();
    void holdPower(const QString &value);

    std::unique_ptr<ReferenceTvlInterface> m_tvl;
    std::unique_ptr<AllTabsWidget> m_editor;
    std::vector<QPointer<QWidget>> m_tabs;
};

void tst_PreviewWindow::init()
{
    m_tvl = std::make_unique<ReferenceTvlInterface>();
    InterfaceHolder::instance().store(m_tvl.get());
    InterfaceHolder::instance().accept();
    m_editor = std::make_unique<AllTabsWidget>(exampleComponent());
    m_tabs = {m_editor->fileTabWidget(),
              m_editor->detailsTabWidget(),
              m_editor->performanceParametersTabWidget(),
              m_editor->interpolationTabWidget(),
              m_editor->analysisFrequencyRangeSyncWidget(),
              m_editor->analysisParametersTabWidget(),
              m_editor->analysisOptimizationTabWidget(),
              m_editor->termTabWidget()};
    m_editor->detailsTabWidget()->show();
}

void tst_PreviewWindow::cleanup()
{
    m_editor.reset();
    for (const QPointer<QWidget> &tab : m_tabs)
        delete tab;
    InterfaceHolder::instance().store(nullptr);
    m_tvl.reset();
}

// From the keyboard, as a user without a mouse reaches it.
PreviewWindow *tst_PreviewWindow::openPreview()
{
    auto *button = m_editor->detailsTabWidget()->findChild<QPushButton *>("Preview"_s);
    if (!button || button->focusPolicy() == Qt::NoFocus)
        return nullptr;
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    auto *preview = m_editor->detailsTabWidget()->findChild<PreviewWindow *>();
    if (preview && preview->chartsShown() == 0)
        QSignalSpy(preview, &PreviewWindow::chartShown).wait(5000);
    return preview;
}

// As a committed cell editor does.
void tst_PreviewWindow::holdPower(const QString &value)
{
    auto *table = m_editor->detailsTabWidget()->findChild<IndepVarDetailsTableWidget *>();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == "Pin_avail"_s)
            table->item(row, 1)->setText(value);
    }
}

void tst_PreviewWindow::followsAHeldValue_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("said");
    QTest::newRow("a measured drive level") << "22"
                                            << "Pin_avail = 22 dBm, measured";
    QTest::newRow("between drive levels") << "20"
                                          << "Pin_avail = 20 dBm lies between 18 dBm and 22 dBm";
    QTest::newRow("a design variable") << "pin"
                                       << "held as the variable 'pin'";
}

void tst_PreviewWindow::followsAHeldValue()
{
    QFETCH(QString, held);
    QFETCH(QString, said);
    const ParameterMap written = toParameterMap(m_editor->state());
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY2(preview->note().contains("Pin_avail = 18 dBm, measured"_s),
             qPrintable(preview->note()));
    QCOMPARE(toParameterMap(m_editor->state()), written);
    QSignalSpy shown(preview, &PreviewWindow::chartShown);
    QElapsedTimer updating;
    updating.start();
    holdPower(held);
    while (!preview->note().contains(said))
        QVERIFY2(shown.wait(5000), qPrintable(preview->note()));
    qInfo("The preview followed in %lld ms", updating.elapsed());
}

void tst_PreviewWindow::followsTheInterpolationChoice()
{
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PreviewWindow::chartShown);
    holdPower("20"_s);
    auto *method = m_editor->interpolationTabWidget()->findChild<QComboBox *>("InterpMode"_s);
    QVERIFY(method);
    method->setCurrentText("Cubic Spline"_s);
    while (!preview->note().contains("dBm: cubic spline from"_s))
        QVERIFY2(shown.wait(5000), qPrintable(preview->note()));
}

void tst_PreviewWindow::followsTheFileList()
{
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PreviewWindow::chartShown);
    m_editor->fileTabWidget()->removeLoadPullFileInfo(0); // as Remove does
    while (preview->note() != "No data file is listed."_s)
        QVERIFY2(shown.wait(5000), qPrintable(preview->note()));
    QVERIFY(!preview->chartView()->renderer());
}

void tst_PreviewWindow::followsItsOwnChoices()
{
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PreviewWindow::chartShown);
    auto *frequency = preview->findChild<QComboBox *>("PreviewFrequency"_s);
    QCOMPARE(frequency->currentText(), "1.8 GHz"_s);
    frequency->lineEdit()->setFocus();
    frequency->lineEdit()->selectAll();
    QTest::keyClicks(frequency->lineEdit(), "1.9 GHz"_s);
    QTest::keyClick(frequency->lineEdit(), Qt::Key_Return);
    while (!preview->note().contains("Freq = 1.9 GHz lies between 1.8 GHz and 2 GHz"_s))
        QVERIFY2(shown.wait(5000), qPrintable(preview->note()));
}

// The engineer goes on to the other tabs with the preview open.
void tst_PreviewWindow::staysBesideTheEditorOnEveryTab()
{
    QTabWidget dialog;
    dialog.addTab(m_editor->detailsTabWidget(), "Variables"_s);
    dialog.addTab(m_editor->interpolationTabWidget(), "Interpolation"_s);
    dialog.show();
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    dialog.setCurrentIndex(1);
    QVERIFY(preview->isVisible());
    dialog.hide();
    QVERIFY(!preview->isVisible());
}

void tst_PreviewWindow::closesWithTheEditor()
{
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    m_editor->detailsTabWidget()->hide();
    QVERIFY(!preview->isVisible());
}

// While a chart of 100,000 points is made, the editor's events keep coming every few
// milliseconds: made on the editor's thread, it would hold them up for about 60 ms here.
void tst_PreviewWindow::leavesTheEditorFreeWithALargeFile()
{
    QTemporaryDir folder;
    m_editor->fileTabWidget()->setState(exampleComponent(largeFile(folder)).fileTabState());
    PreviewWindow *preview = openPreview();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PreviewWindow::chartShown);
    QElapsedTimer charting, sinceTick;
    qint64 longestGap = 0;
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this,
            [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    ticks.start(5);
    charting.start();
    sinceTick.start();
    holdPower("20"_s);
    while (!preview->note().contains("Pin_avail = 20 dBm lies between"_s))
        QVERIFY2(shown.wait(20000), qPrintable(preview->note()));
    qInfo("100,000 points charted in %lld ms; the editor's longest wait %lld ms",
          charting.elapsed(), longestGap);
    QVERIFY(longestGap < 40);
}

QTEST_MAIN(tst_PreviewWindow)
#include "tst_previewwindow.moc"
