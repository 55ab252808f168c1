#include "alltabswidget.h"
#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "filetabwidget.h"
#include "gammavardetailstablewidget.h"
#include "indepvardetailstablewidget.h"
#include "interfaceholder.h"
#include "interpolationtabwidget.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "performancetabwidget.h"
#include "referencetvlinterface.h"
#include "termtabwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace LoadPullStateUtils;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

// What shows a text. The widget kinds are read from the tab's child widgets; the dialog
// kinds from the modal dialog that a button of the tab opens.
const QString Label = "label"_s;
const QString GroupBoxTitle = "group box title"_s;
const QString CheckBox = "check box"_s;
const QString PushButton = "push button"_s;
const QString ComboBoxItem = "combo box item"_s;
const QString ColumnHeader = "column header"_s;
const QString GammaColumnHeader = "reflection-coefficient column header"_s;
const QString IndepColumnHeader = "independent-variable column header"_s;
const QString FileDialogCaption = "file dialog caption"_s;
const QString MauryFilter = "Maury file dialog filter"_s;
const QString DatasetFilter = "Dataset file dialog filter"_s;
const QString FocusFilter = "Focus file dialog filter"_s;
const QString UntypedFilter = "untyped file dialog filter"_s;
const QString WeightDialogTitle = "weight dialog title"_s;
const QString WeightDialogLabel = "weight dialog label"_s;

const QStringList WidgetKinds = {Label,      GroupBoxTitle, CheckBox,
                                 PushButton, ComboBoxItem,  ColumnHeader};

struct Row
{
    const char *sentence;
    const QString &kind;
    const char *text;
};
using Rows = std::vector<Row>;

enum class Tab {
    Container,
    File,
    Details,
    Performance,
    Interpolation,
    FrequencyRangeSync,
    AnalysisParameters,
    AnalysisOptimization,
    Term
};

const Rows ContainerTexts = {
    {"the caption before the type ends in a blank", Label, "Load pull file type: "},
    {"the type shown is Maury", Label, "Maury"},
};

const Rows FileTabTexts = {
    {"the add button opens the file dialog", PushButton, "Add..."},
    {"the remove button is labelled without a kind", PushButton, "Remove..."},
    {"the view button is labelled View", PushButton, "View..."},
    {"the file dialog asks for a load pull file", FileDialogCaption, "Select Load Pull File"},
    {"Maury files are offered by their four suffixes", MauryFilter,
     "Maury load pull files ( *.lp *.lp2 *.lp3 *.spl )"},
    {"Dataset files are offered by their suffix", DatasetFilter,
     "Dataset load pull files ( *.ds )"},
    {"Focus files are offered by their suffix", FocusFilter, "Focus load pull files ( *.lpd )"},
    {"without a file type all files are offered", UntypedFilter, " All files ( *.* )"},
};

const Rows DetailsTabTexts = {
    {"the upper box holds the reflection coefficients", GroupBoxTitle, "Reflection coefficients"},
    {"the lower box holds the other independent variables", GroupBoxTitle,
     "Other independent variables"},
    {"a reflection coefficient's name is headed Name", GammaColumnHeader, "Name"},
    {"a reflection coefficient's type is headed Type", GammaColumnHeader, "Type"},
    {"a reflection coefficient's harmonic is headed Harm", GammaColumnHeader, "Harm"},
    {"a reflection coefficient's domain is headed by Domain within uneven blanks",
     GammaColumnHeader, "   Domain  "},
    {"a reflection coefficient's lowest value is headed Min", GammaColumnHeader, "Min"},
    {"a reflection coefficient's highest value is headed Max", GammaColumnHeader, "Max"},
    {"a reflection coefficient's point count is headed Points", GammaColumnHeader, "Points"},
    {"an independent variable's name is headed Name", IndepColumnHeader, "Name"},
    {"an independent variable's value is headed Value", IndepColumnHeader, "Value"},
    {"an independent variable's unit is headed by Unit within three blanks each side",
     IndepColumnHeader, "   Unit   "},
    {"an independent variable's lowest value is headed Min", IndepColumnHeader, "Min"},
    {"an independent variable's highest value is headed Max", IndepColumnHeader, "Max"},
    {"an independent variable's point count is headed Points", IndepColumnHeader, "Points"},
};

const Rows PerformanceTabTexts = {
    {"one button outputs every quantity", PushButton, "Output All"},
    {"one button outputs no quantity", PushButton, "Output None"},
    {"one button displays every quantity", PushButton, "Display All"},
    {"one button displays no quantity", PushButton, "Display None"},
    {"a quantity's name is headed Name", ColumnHeader, "Name"},
    {"a quantity's lowest value is headed Min", ColumnHeader, "Min"},
    {"a quantity's highest value is headed Max", ColumnHeader, "Max"},
    {"the output choice is headed Output", ColumnHeader, "Output"},
    {"the display choice is headed on two lines", ColumnHeader, "Auto Display\nin GRF"},
};

const Rows InterpolationTabTexts = {
    {"the method box is labelled", Label, "Interpolation method:"},
    {"the domain box is labelled", Label, "Interpolation domain:"},
    {"the extrapolation box is labelled", Label, "Extrapolation method:"},
    {"the methods include Linear", ComboBoxItem, "Linear"},
    {"the methods include Cubic Spline", ComboBoxItem, "Cubic Spline"},
    {"the methods include Cubic", ComboBoxItem, "Cubic"},
    {"the domains include Rectangular", ComboBoxItem, "Rectangular"},
    {"the domains include Polar", ComboBoxItem, "Polar"},
    {"the extrapolations include Interpolation Mode", ComboBoxItem, "Interpolation Mode"},
    {"the extrapolations include Constant Extrapolation", ComboBoxItem, "Constant Extrapolation"},
};

const Rows FrequencyRangeSyncTexts = {
    {"the box follows the data files' frequency range", CheckBox,
     "Use frequency range from data files"},
};

const Rows AnalysisParametersTabTexts = {
    {"the group names the load and source impedances", GroupBoxTitle,
     "Calculate Load/Source Impedances"},
    {"the reflection coefficient box names the S-parameters", CheckBox,
     "Reflection coefficient ( S-Parameters )"},
    {"the impedance box names the Z-parameters", CheckBox, "Impedance ( Z-Parameters )"},
    {"the admittance box names the Y-parameters and ends in a blank", CheckBox,
     "Admittance ( Y-Parameters ) "},
    {"the nonlinear box ends in a blank", CheckBox,
     "Allow nonlinear devices in the matching network "},
    {"the status level edit is labelled", Label, "Status level"},
    {"the note tells only small-signal behaviour counts", Label,
     "( Only small-signal behavior is considered for nonlinear devices. )"},
};

const Rows AnalysisOptimizationTabTexts = {
    {"the group names the avoidance of out of range data", GroupBoxTitle,
     "Avoid using out of range data for reflection coefficients during optimization"},
    {"the weight is captioned", Label, "Weight factor for penalty goal:"},
    {"the weight starts at 100", Label, "100"},
    {"the explanation runs over three lines, the second ending in a blank", Label,
     "( Extrapolated results have a large weighting factor in the error-function.\n"
     "The optimizer will attempt to force the reflection coefficient generated by \n"
     "the matching network to be within the range of reflection coefficients in the load "
     "pull file. )"},
    {"the weight button is labelled Modify", PushButton, "Modify..."},
    {"the weight dialog is titled for the penalty goal", WeightDialogTitle,
     "Weight Factor For Penalty Goal"},
    {"the weight dialog asks for the weight factor", WeightDialogLabel, "Weight factor:"},
};

const Rows TermTabTexts = {
    {"the term number edit is labelled", Label, "Term number:"},
    {"the reference impedance edit is labelled", Label, "Reference impedance:"},
    {"the units include None", ComboBoxItem, "None"},
    {"the units include mOhm", ComboBoxItem, "mOhm"},
    {"the units include Ohm", ComboBoxItem, "Ohm"},
    {"the units include kOhm", ComboBoxItem, "kOhm"},
    {"the units include MOhm", ComboBoxItem, "MOhm"},
    {"the units include GOhm", ComboBoxItem, "GOhm"},
    {"the units include TOhm", ComboBoxItem, "TOhm"},
};

const Rows &textsOf(Tab tab)
{
    switch (tab) {
    case Tab::Container:
        return ContainerTexts;
    case Tab::File:
        return FileTabTexts;
    case Tab::Details:
        return DetailsTabTexts;
    case Tab::Performance:
        return PerformanceTabTexts;
    case Tab::Interpolation:
        return InterpolationTabTexts;
    case Tab::FrequencyRangeSync:
        return FrequencyRangeSyncTexts;
    case Tab::AnalysisParameters:
        return AnalysisParametersTabTexts;
    case Tab::AnalysisOptimization:
        return AnalysisOptimizationTabTexts;
    case Tab::Term:
        break;
    }
    return TermTabTexts;
}

void addRows(const Rows &rows)
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    for (const Row &row : rows)
        QTest::newRow(row.sentence) << row.kind << QString::fromUtf8(row.text);
}

// A header whose table is named in the kind is searched in that table alone.
QString widgetKind(const QString &kind)
{
    return kind.endsWith(ColumnHeader) ? ColumnHeader : kind;
}

LoadPullFileType fileTypeShownBy(const QString &kind)
{
    if (kind == DatasetFilter)
        return DatasetFileType;
    if (kind == FocusFilter)
        return FocusFileType;
    if (kind == UntypedFilter)
        return NoFileType;
    return MauryFileType;
}

QStringList headerTexts(const QTableWidget *table)
{
    QStringList texts;
    if (table->horizontalHeader()->isHidden())
        return texts;
    for (int column = 0; column < table->columnCount(); ++column)
        if (!table->isColumnHidden(column))
            if (const QTableWidgetItem *item = table->horizontalHeaderItem(column))
                texts << item->text();
    return texts;
}

// The texts that the widgets of one kind show inside `root`, hidden widgets left out.
QStringList shownTexts(QWidget *root, const QString &kind)
{
    QStringList texts;
    const auto shown = [root](const QWidget *widget) {
        return widget == root || widget->isVisibleTo(root);
    };
    if (kind == Label) {
        for (const QLabel *label : root->findChildren<QLabel *>())
            if (shown(label))
                texts << label->text();
    } else if (kind == GroupBoxTitle) {
        for (const QGroupBox *box : root->findChildren<QGroupBox *>())
            if (shown(box))
                texts << box->title();
    } else if (kind == CheckBox) {
        for (const QCheckBox *box : root->findChildren<QCheckBox *>())
            if (shown(box))
                texts << box->text();
    } else if (kind == PushButton) {
        for (const QPushButton *button : root->findChildren<QPushButton *>())
            if (shown(button))
                texts << button->text();
    } else if (kind == ComboBoxItem) {
        for (const QComboBox *box : root->findChildren<QComboBox *>())
            if (shown(box))
                for (int i = 0; i < box->count(); ++i)
                    texts << box->itemText(i);
    } else if (kind == ColumnHeader) {
        QList<QTableWidget *> tables = root->findChildren<QTableWidget *>();
        if (auto *table = qobject_cast<QTableWidget *>(root))
            tables.prepend(table);
        for (const QTableWidget *table : tables)
            if (shown(table))
                texts << headerTexts(table);
    }
    return texts;
}

QPushButton *buttonLabelled(const QWidget *tab, const QString &text)
{
    for (QPushButton *button : tab->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

IndepVarInfo independentVariable()
{
    IndepVarInfo info;
    info.setName("Vdd"_s);
    info.setUnitType("Voltage"_s);
    info.setUnit("V"_s);
    info.setMinValue("24"_s);
    info.setMaxValue("28"_s);
    info.setMinNumPoints(2);
    info.setMaxNumPoints(2);
    return info;
}

GammaVarInfo gammaVariable()
{
    GammaVarInfo info;
    info.setName("gamma_ld1"_s);
    info.setType("Load"_s);
    info.setHarmIndex("1"_s);
    info.setDomain("Rect-Real"_s);
    info.setValue("Independent"_s);
    info.setMinValue("-0.5"_s);
    info.setMaxValue("0.5"_s);
    info.setMinNumPoints(3);
    info.setMaxNumPoints(3);
    return info;
}

PerformanceVarBaseInfo performanceVariable()
{
    PerformanceVarBaseInfo info;
    info.setName("Pout"_s);
    info.setUnit("dBm"_s);
    info.setMinValue("20"_s);
    info.setMaxValue("31"_s);
    return info;
}

} // namespace

Q_DECLARE_METATYPE(Tab)

// Every text that the editor shows, found through the widget that shows it, exactly as
// the user reads it: a changed word, a lost blank or a vanished control fails its row.
class tst_VisibleTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void container_data() { addRows(ContainerTexts); }
    void container() { checkShown(Tab::Container); }
    void fileTab_data() { addRows(FileTabTexts); }
    void fileTab() { checkShown(Tab::File); }
    void detailsTab_data() { addRows(DetailsTabTexts); }
    void detailsTab() { checkShown(Tab::Details); }
    void performanceTab_data() { addRows(PerformanceTabTexts); }
    void performanceTab() { checkShown(Tab::Performance); }
    void interpolationTab_data() { addRows(InterpolationTabTexts); }
    void interpolationTab() { checkShown(Tab::Interpolation); }
    void frequencyRangeSyncWidget_data() { addRows(FrequencyRangeSyncTexts); }
    void frequencyRangeSyncWidget() { checkShown(Tab::FrequencyRangeSync); }
    void analysisParametersTab_data() { addRows(AnalysisParametersTabTexts); }
    void analysisParametersTab() { checkShown(Tab::AnalysisParameters); }
    void analysisOptimizationTab_data() { addRows(AnalysisOptimizationTabTexts); }
    void analysisOptimizationTab() { checkShown(Tab::AnalysisOptimization); }
    void termTab_data() { addRows(TermTabTexts); }
    void termTab() { checkShown(Tab::Term); }

    void noTabShowsAnyOtherText_data();
    void noTabShowsAnyOtherText();

private:
    QWidget *open(Tab tab, LoadPullFileType fileType = MauryFileType);
    void checkShown(Tab tab);
    void readFileDialog(const QString &kind, QStringList &texts);
    void readWeightDialog(const QString &kind, QStringList &texts);

    QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ReferenceTvlInterface> m_tvl;
    std::unique_ptr<QWidget> m_widget;
    // The host owns the container's tabs; the test plays the host and deletes them.
    std::vector<QPointer<QWidget>> m_containerTabs;
};

void tst_VisibleTexts::initTestCase()
{
    registerStateMetaTypes();
    m_startDir = QDir::currentPath();
}

// The file dialog opens in the current folder: an empty one keeps it quick and the same
// wherever the test runs.
void tst_VisibleTexts::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
    m_tvl = std::make_unique<ReferenceTvlInterface>();
    InterfaceHolder::instance().store(m_tvl.get());
    InterfaceHolder::instance().accept();
}

void tst_VisibleTexts::cleanup()
{
    m_widget.reset();
    for (const QPointer<QWidget> &tab : m_containerTabs)
        delete tab;
    m_containerTabs.clear();
    InterfaceHolder::instance().store(nullptr);
    m_tvl.reset();
    QDir::setCurrent(m_startDir);
    m_dir.reset();
}

// Each tab as the user first meets it; the variable tables are given one variable each,
// since their headers come with the first variables.
QWidget *tst_VisibleTexts::open(Tab tab, LoadPullFileType fileType)
{
    switch (tab) {
    case Tab::Container: {
        auto *container = new AllTabsWidget(DBLPCState(false));
        m_containerTabs = {container->fileTabWidget(),
                           container->detailsTabWidget(),
                           container->performanceParametersTabWidget(),
                           container->interpolationTabWidget(),
                           container->analysisFrequencyRangeSyncWidget(),
                           container->analysisParametersTabWidget(),
                           container->analysisOptimizationTabWidget(),
                           container->termTabWidget()};
        m_widget.reset(container);
        break;
    }
    case Tab::File: {
        auto *fileTab = new FileTabWidget;
        m_widget.reset(fileTab);
        FileTabState state;
        state.setFileType(fileType);
        fileTab->setState(state);
        break;
    }
    case Tab::Details: {
        auto *details = new DetailsTabWidget;
        m_widget.reset(details);
        details->variablesFound({independentVariable()}, {gammaVariable()}, 1);
        break;
    }
    case Tab::Performance: {
        auto *performance = new PerformanceTabWidget;
        m_widget.reset(performance);
        performance->variablesFound({performanceVariable()}, 1);
        break;
    }
    case Tab::Interpolation:
        m_widget = std::make_unique<InterpolationTabWidget>();
        break;
    case Tab::FrequencyRangeSync:
        m_widget = std::make_unique<AnalysisFrequencyRangeSyncWidget>();
        break;
    case Tab::AnalysisParameters:
        m_widget = std::make_unique<AnalysisParametersTabWidget>();
        break;
    case Tab::AnalysisOptimization:
        m_widget = std::make_unique<AnalysisOptimizationTabWidget>();
        break;
    case Tab::Term:
        m_widget = std::make_unique<TermTabWidget>();
        break;
    }
    return m_widget.get();
}

void tst_VisibleTexts::checkShown(Tab tab)
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);

    QWidget *widget = open(tab, fileTypeShownBy(kind));
    QStringList texts;
    if (kind == FileDialogCaption || kind.endsWith(" file dialog filter"_s)) {
        readFileDialog(kind, texts);
        // The dialog lists each filter with its white space simplified, so that is how
        // the user reads a filter, the untyped one's leading blank included.
        expected = expected.simplified();
    } else if (kind.startsWith("weight dialog"_s)) {
        readWeightDialog(kind, texts);
    } else {
        QWidget *root = widget;
        if (kind == GammaColumnHeader)
            root = widget->findChild<GammaVarDetailsTableWidget *>();
        else if (kind == IndepColumnHeader)
            root = widget->findChild<IndepVarDetailsTableWidget *>();
        QVERIFY(root);
        texts = shownTexts(root, widgetKind(kind));
    }
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(texts.contains(expected),
             qPrintable("\"%1\" is not among the %2 texts shown: \"%3\""_s.arg(
                 expected, kind, texts.join("\", \""_s))));
}

// Opens the Add dialog by its button and closes it unanswered.
void tst_VisibleTexts::readFileDialog(const QString &kind, QStringList &texts)
{
    QPushButton *add = buttonLabelled(m_widget.get(), "Add..."_s);
    QVERIFY2(add, "the file tab has no Add... button to open the dialog with");
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        if (auto *fileDialog = qobject_cast<QFileDialog *>(dialog))
            texts = kind == FileDialogCaption ? QStringList{fileDialog->windowTitle()}
                                              : fileDialog->nameFilters();
        if (auto *modal = qobject_cast<QDialog *>(dialog))
            modal->reject();
    });
    add->click();
    QCOMPARE(answerer.dialogsSeen(), 1);
    QCOMPARE(answerer.dialogsForcedClosed(), 0);
}

// Opens the weight dialog by its button and cancels it.
void tst_VisibleTexts::readWeightDialog(const QString &kind, QStringList &texts)
{
    QPushButton *modify = buttonLabelled(m_widget.get(), "Modify..."_s);
    QVERIFY2(modify, "the optimisation tab has no Modify... button to open the dialog with");
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            texts << (kind == WeightDialogTitle ? input->windowTitle() : input->labelText());
        if (auto *modal = qobject_cast<QDialog *>(dialog))
            modal->reject();
    });
    modify->click();
    QCOMPARE(answerer.dialogsSeen(), 1);
    QCOMPARE(answerer.dialogsForcedClosed(), 0);
    QCOMPARE(static_cast<AnalysisOptimizationTabWidget *>(m_widget.get())->state().weight(),
             "100"_s);
}

void tst_VisibleTexts::noTabShowsAnyOtherText_data()
{
    QTest::addColumn<Tab>("tab");
    QTest::newRow("the container shows no other text") << Tab::Container;
    QTest::newRow("the file tab shows no other text") << Tab::File;
    QTest::newRow("the details tab shows no other text") << Tab::Details;
    QTest::newRow("the performance tab shows no other text") << Tab::Performance;
    QTest::newRow("the interpolation tab shows no other text") << Tab::Interpolation;
    QTest::newRow("the frequency-range sync widget shows no other text") << Tab::FrequencyRangeSync;
    QTest::newRow("the analysis parameters tab shows no other text") << Tab::AnalysisParameters;
    QTest::newRow("the analysis optimisation tab shows no other text") << Tab::AnalysisOptimization;
    QTest::newRow("the term tab shows no other text") << Tab::Term;
}

// A label, title, button, item or header beyond those of the tab's table fails here; each
// text is written "kind: text".
void tst_VisibleTexts::noTabShowsAnyOtherText()
{
    QFETCH(Tab, tab);

    QWidget *widget = open(tab);
    QStringList shown;
    for (const QString &kind : WidgetKinds)
        for (const QString &text : shownTexts(widget, kind))
            shown << kind + ": "_s + text;
    QStringList expected;
    for (const Row &row : textsOf(tab))
        if (WidgetKinds.contains(widgetKind(row.kind)))
            expected << widgetKind(row.kind) + ": "_s + QString::fromUtf8(row.text);
    QStringList extra = shown;
    QStringList missing;
    for (const QString &text : qAsConst(expected))
        if (!extra.removeOne(text))
            missing << text;
    QVERIFY2(extra.isEmpty() && missing.isEmpty(),
             qPrintable("shown but not expected: \"%1\"; expected but not shown: \"%2\""_s.arg(
                 extra.join("\", \""_s), missing.join("\", \""_s))));
}

QTEST_MAIN(tst_VisibleTexts)

#include "tst_visibletexts.moc"
