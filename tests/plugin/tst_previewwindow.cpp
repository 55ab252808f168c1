#include "componentfile.h"
#include "pluginsession.h"
#include "testtexts.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

using Parameters = PluginSession::Parameters;

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

} // namespace

// The preview inside the real plug-in, as a host shows it: opened from the Variables tab, it
// follows the editor and its own choices, stays open on every tab and closes with the editor;
// OK writes what it wrote without it.
class tst_PreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_session.reset(); }

    void followsTheEditor_data();
    void followsTheEditor();
    void staysBesideTheEditorOnEveryTab();
    void leavesTheEditorFreeWithALargeFile();

private:
    enum Edit { HoldPower, ChooseMethod, RemoveFile, TypeFrequency, PickValue };

    // The example at 1.8 GHz, Pin_avail held at 18 dBm, interpolated linearly.
    void open(const QString &dataFile = QStringLiteral(LP_EXAMPLES_DIR
                                                       "/data/pa_two_frequencies.lp"));
    QWidget *widget(PluginSession::Index index) { return m_session->widget(m_widgets, index); }
    QWidget *openPreview();
    static QString noteOf(QWidget *preview);
    void edit(Edit edit, const QString &value, QWidget *preview);

    std::unique_ptr<PluginSession> m_session;
    TvlValue *m_widgets = nullptr;
};

void tst_PreviewWindow::init()
{
    m_session = std::make_unique<PluginSession>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(m_session->error().isEmpty(), qPrintable(m_session->error()));
}

void tst_PreviewWindow::open(const QString &dataFile)
{
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json"), &error),
             qPrintable(error));
    Parameters parameters = component.hostParameters();
    parameters.insert("FileName"_s, {dataFile});
    parameters.insert("InterpMode"_s, {"Linear"_s});
    m_widgets = m_session->open(parameters);
    QVERIFY(m_widgets);
    widget(PluginSession::Details)->show();
}

// From the keyboard, as a user without a mouse reaches it; once it shows its first chart.
QWidget *tst_PreviewWindow::openPreview()
{
    auto *button = widget(PluginSession::Details)->findChild<QPushButton *>("Preview"_s);
    if (!button || button->focusPolicy() == Qt::NoFocus)
        return nullptr;
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    auto *preview = widget(PluginSession::Details)->findChild<QWidget *>("PreviewWindow"_s);
    QSignalSpy shown(preview, SIGNAL(chartShown()));
    while (preview && noteOf(preview).isEmpty() && shown.wait(5000))
        ;
    return preview;
}

QString tst_PreviewWindow::noteOf(QWidget *preview)
{
    return preview->findChild<QLabel *>("PreviewNote"_s)->text();
}

// What the engineer does, in the editor or in the preview itself.
void tst_PreviewWindow::edit(Edit edit, const QString &value, QWidget *preview)
{
    auto *frequency = preview->findChild<QComboBox *>("PreviewFrequency"_s);
    auto *files = widget(PluginSession::File)->findChild<QListWidget *>("FileName"_s);
    switch (edit) {
    case HoldPower:
        for (auto *table : widget(PluginSession::Details)->findChildren<QTableWidget *>()) {
            for (int row = 0; row < table->rowCount(); ++row) {
                if (table->item(row, 0)->text() == "Pin_avail"_s)
                    table->item(row, 1)->setText(value); // as a committed cell editor does
            }
        }
        break;
    case ChooseMethod:
        this->edit(HoldPower, "20"_s, preview);
        widget(PluginSession::Interpolation)
            ->findChild<QComboBox *>("InterpMode"_s)
            ->setCurrentText(value);
        break;
    case RemoveFile:
        files->setCurrentRow(0);
        QTest::keyClick(files, Qt::Key_Delete);
        break;
    case PickValue:
        this->edit(HoldPower, "pin"_s, preview);
        preview->findChild<QLineEdit *>("PreviewPicked"_s)->setText(value);
        QTest::keyClick(preview->findChild<QLineEdit *>("PreviewPicked"_s), Qt::Key_Return);
        break;
    case TypeFrequency:
        frequency->lineEdit()->setFocus();
        frequency->lineEdit()->selectAll();
        QTest::keyClicks(frequency->lineEdit(), value);
        QTest::keyClick(frequency->lineEdit(), Qt::Key_Return);
        break;
    }
}

void tst_PreviewWindow::followsTheEditor_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("said");
    QTest::newRow("a drive level held between")
        << int(HoldPower) << "20"
        << "Pin_avail = 20 dBm lies between 18 dBm and 22 dBm";
    QTest::newRow("a design variable held") << int(HoldPower) << "pin"
                                            << "held as the variable 'pin'";
    QTest::newRow("another interpolation") << int(ChooseMethod) << "Cubic"
                                           << "and 22 dBm: cubic from";
    QTest::newRow("a value picked for the preview alone")
        << int(PickValue) << "Pin_avail=20"
        << "Pin_avail = 20 dBm lies between 18 dBm and 22 dBm";
    QTest::newRow("the file removed") << int(RemoveFile) << ""
                                      << "No data file is listed.";
    QTest::newRow("a frequency typed in the preview")
        << int(TypeFrequency) << "1.9 GHz"
        << "Freq = 1.9 GHz lies between 1.8 GHz and 2 GHz";
}

void tst_PreviewWindow::followsTheEditor()
{
    QFETCH(int, edit);
    QFETCH(QString, value);
    QFETCH(QString, said);
    open();
    const Parameters written = m_session->accept(m_widgets);
    QWidget *preview = openPreview();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QVERIFY2(noteOf(preview).contains("Pin_avail = 18 dBm, measured"_s),
             qPrintable(noteOf(preview)));
    QCOMPARE(preview->findChild<QComboBox *>("PreviewFrequency"_s)->currentText(), "1.8 GHz"_s);
    QCOMPARE(m_session->accept(m_widgets), written);
    QSignalSpy shown(preview, SIGNAL(chartShown()));
    QElapsedTimer updating;
    updating.start();
    this->edit(Edit(edit), value, preview);
    while (!noteOf(preview).contains(said))
        QVERIFY2(shown.wait(5000), qPrintable(noteOf(preview)));
    qInfo("The preview followed in %lld ms", updating.elapsed());
}

// The engineer goes on to the other tabs with the preview open; it closes with the dialog.
void tst_PreviewWindow::staysBesideTheEditorOnEveryTab()
{
    open();
    QTabWidget dialog;
    dialog.addTab(widget(PluginSession::Details), "Variables"_s);
    dialog.addTab(widget(PluginSession::Interpolation), "Interpolation"_s);
    dialog.show();
    QWidget *preview = openPreview();
    QVERIFY(preview);
    QVERIFY(preview->isWindow() && !preview->isModal());
    QVERIFY(preview->geometry().left() > dialog.frameGeometry().right());
    const QRect chart = preview->findChild<QWidget *>("PreviewChart"_s)->geometry();
    QVERIFY(chart.width() >= 240 && chart.height() >= 240);
    QVERIFY(chart.bottom() < preview->findChild<QLabel *>("PreviewNote"_s)->geometry().top());
    dialog.setCurrentIndex(1);
    QVERIFY(preview->isVisible());
    dialog.hide();
    QVERIFY(!preview->isVisible());
}

// While a chart of 100,000 points is made, the editor's events keep coming: made on the
// editor's thread, it would hold them up for about as long as the chart takes. Measured
// against the chart's own time, so that a loaded machine or a sanitizer's build slows both.
void tst_PreviewWindow::leavesTheEditorFreeWithALargeFile()
{
    QTemporaryDir folder;
    open(largeFile(folder));
    QWidget *preview = openPreview();
    QVERIFY(preview);
    QSignalSpy shown(preview, SIGNAL(chartShown()));
    QElapsedTimer charting, sinceTick;
    qint64 longestGap = 0;
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this,
            [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    ticks.start(5);
    charting.start();
    sinceTick.start();
    edit(HoldPower, "20"_s, preview);
    while (!noteOf(preview).contains("Pin_avail = 20 dBm lies between"_s))
        QVERIFY2(shown.wait(20000), qPrintable(noteOf(preview)));
    longestGap = std::max(longestGap, sinceTick.elapsed());
    qInfo("100,000 points charted in %lld ms; the editor's longest wait %lld ms",
          charting.elapsed(), longestGap);
    QVERIFY2(longestGap * 4 < charting.elapsed(),
             qPrintable("%1 ms of %2"_s.arg(longestGap).arg(charting.elapsed())));
}

QTEST_MAIN(tst_PreviewWindow)
#include "tst_previewwindow.moc"
