#include "modaldialoganswerer.h"
#include "pluginsession.h"
#include "testtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

using Parameters = PluginSession::Parameters;

#ifdef LP_RANDOM_SESSIONS
constexpr int RandomSessions = LP_RANDOM_SESSIONS;
#else
constexpr int RandomSessions = 120;
#endif

namespace {

QStringList words(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

// --- The data files --------------------------------------------------------------------

// A swept variable of a data file: its name, unit and values.
struct Swept
{
    const char *name;
    const char *unit;
    QList<double> values;
};

// A small data file over two frequencies (in GHz unless given): the swept variables, one
// reflection coefficient measured at two points, and the quantities, each in dB.
QByteArray dataFile(const QList<Swept> &swept, const QByteArray &gamma,
                    const QList<QByteArray> &quantities,
                    const Swept &frequency = {"Freq", "GHz", {1.8, 2}})
{
    QByteArray text = "LPDATA 1\nVAR=<" + QByteArray(frequency.name) + ">, Units=<" +
                      frequency.unit + ">, Type=<Frequency>\n";
    QByteArray columns;
    for (const Swept &variable : swept) {
        text += "VAR=<" + QByteArray(variable.name) + ">, Units=<" + variable.unit + ">\n";
        columns += QByteArray(variable.name) + ' ';
    }
    const QByteArray gammaName = gamma.left(gamma.indexOf('>')).mid(gamma.indexOf('<') + 1);
    text += "GAMMA=" + gamma + '\n';
    columns += "Re(" + gammaName + ") Im(" + gammaName + ')';
    for (const QByteArray &quantity : quantities) {
        text += "OUT=<" + quantity + ">, Units=<dB>\n";
        columns += ' ' + quantity;
    }
    text += columns + '\n';
    QList<QByteArray> rows = {QByteArray()};
    for (const Swept &variable : swept) {
        QList<QByteArray> longer;
        for (const QByteArray &row : qAsConst(rows))
            for (double value : variable.values)
                longer.append(row + QByteArray::number(value) + ' ');
        rows = longer;
    }
    for (double value : frequency.values) {
        text += QByteArray(frequency.name) + " = " + QByteArray::number(value) + ' ' +
                frequency.unit + '\n';
        for (const QByteArray &row : qAsConst(rows))
            for (const char *point : {"0.2 0.1", "0.4 -0.1"}) {
                text += row + point;
                for (int q = 0; q < quantities.size(); ++q)
                    text += ' ' + QByteArray::number(10 + q);
                text += '\n';
            }
    }
    return text;
}

// Files that differ in their variables, units, ranges and declarations: Vdd is in V in a.lp
// and x.lp, in mV in b.lp, and x.lp reaches a single supply; x.lp reports its load by
// magnitude; g.lp brings a gate bias and a source coefficient of its own; w.lp gives Vdd a
// unit with a blank; u.lp sweeps its
// frequency as F, holds its load at one value, and has a bias without a unit and a complex
// quantity.
const QMap<QString, QByteArray> &dataFiles()
{
    static const QMap<QString, QByteArray> files = {
        {"a.lp"_s, dataFile({{"Pin_avail", "dBm", {10, 14, 18}}, {"Vdd", "V", {24, 28, 32}}},
                            "<gamma_ld1>", {"Gain", "Pout"})},
        {"b.lp"_s, dataFile({{"Vdd", "mV", {24000, 32000}}}, "<gamma_ld1>", {"Pout"})},
        {"x.lp"_s,
         dataFile({{"Vdd", "V", {30}}}, "<gamma_ld1>, Domain=<Polar-Mag>", {"PAE", "Pout"})},
        {"g.lp"_s, dataFile({{"Vgg", "V", {-3, -2.5, -2}}}, "<gamma_src1>", {"Id"})},
        {"w.lp"_s, dataFile({{"Vdd", "V dc", {26, 30}}}, "<gamma_ld1>", {"Pout"})},
        {"u.lp"_s, "LPDATA 1\nVAR=<F>, Units=<GHz>, Type=<Frequency>\nVAR=<Bias>, Units=<>\n"
                   "GAMMA=<gamma_ld1>, Value=<0.1, 0.2>\nOUT=<Vout>, Units=<V>, Complex=<yes>\n"
                   "OUT=<Eff>\nBias Re(Vout) Im(Vout) Eff\nF = 1 GHz\n0 1 0.5 40\n1 2 0.5 45\n"},
        {"m.lp"_s, dataFile({{"Vdd", "mV", {20000, 28000}}}, "<gamma_ld1>", {"Pout"},
                            {"Freq", "MHz", {1900, 2200}})},
        {"d.lp"_s, dataFile({{"X", "V", {1, 3}}}, "<gamma_ld1>", {"Pout"})},
        {"e.lp"_s, dataFile({}, "<gamma_ld1>", {"X", "Pout"})},
    };
    return files;
}

// --- The component's parameters ---------------------------------------------------------

// A name without the quotes a host may put around it.
QString unquoted(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

QStringList unquoted(QStringList texts)
{
    for (QString &text : texts)
        text = unquoted(text);
    return texts;
}

const QStringList ChoiceParameters = words("InterpMode InterpDom ExtrapMode"_s);
const QStringList FlagParameters = words("UseFrequencyRangeFromDataFiles CalcGamma "
                                         "CalcAdmittance CalcImpedance AllowNonlinearDevices "
                                         "AvoidOutOfRangeData"_s);
const QStringList FieldParameters = words("NUM StatusLevel Weight"_s);
// The per-variable parameters, the first of each naming the variables.
const QList<QStringList> Groups = {
    words("IndepVarName IndepVarValue IndepVarUnitType"_s),
    words("GammaName GammaType GammaHarmIndex GammaDomain GammaValue"_s),
    words("PrfmParamName PrfmParamOutput PrfmParamAutoPlot PrfmParamType"_s)};

// What the data files declare of a variable: it follows the data, not the user.
const QStringList Declarations = words("FreqVarName IndepVarUnitType GammaType GammaDomain "
                                       "GammaHarmIndex PrfmParamType"_s);

// The per-variable parameters `parameter` belongs to, or null for a single parameter.
const QStringList *groupOf(const QString &parameter)
{
    for (const QStringList &group : Groups)
        if (group.contains(parameter))
            return &group;
    return nullptr;
}

// --- What the editor shows, read from its controls by the parameter names they carry -------

struct Shown
{
    QStringList files; // as absolute paths
    int readableFiles = 0;
    // What each control and cell shows, by entry ("Z", "FreqVarName", "GammaDomain/gamma_ld1"):
    // a value with its unit and mark, a row's name under the parameter naming the variables.
    QMap<QString, QString> entries;
    QString notes;

    // What the controls show, the notes aside: they speak of how the component was stored.
    QMap<QString, QString> controls() const
    {
        QMap<QString, QString> all = entries;
        all.insert("FileName"_s, files.join(u'|'));
        return all;
    }
};

QString checkText(Qt::CheckState state)
{
    return state == Qt::Checked ? "yes"_s : state == Qt::Unchecked ? "no"_s : "neither"_s;
}

QString checkText(const QTableWidgetItem *item)
{
    return checkText(item->checkState());
}

// The control that shows parameter `name`, on whichever tab.
QWidget *findControl(PluginSession &session, TvlValue *widgets, const QString &name)
{
    for (int i = 0; QWidget *tab = session.widget(widgets, i); ++i)
        if (auto *found = tab->findChild<QWidget *>(name))
            return found;
    return nullptr;
}

// The cells of each row by column header, keyed by the row's name.
QMap<QString, QMap<QString, const QTableWidgetItem *>> tableRows(const QTableWidget *table)
{
    QMap<QString, QMap<QString, const QTableWidgetItem *>> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QMap<QString, const QTableWidgetItem *> cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.insert(table->horizontalHeaderItem(column)->text().trimmed(),
                         table->item(row, column));
        rows.insert(cells.value("Name"_s)->text().section(" ( "_s, 0, 0), cells);
    }
    return rows;
}

Shown read(PluginSession &session, TvlValue *widgets)
{
    const auto find = [&](const QString &name) {
        return findControl(session, widgets, name);
    };
    Shown shown;
    const auto *files = static_cast<QListWidget *>(find("FileName"_s));
    for (int row = 0; row < files->count(); ++row) {
        shown.files << QDir::cleanPath(QDir("data"_s).absoluteFilePath(files->item(row)->text()));
        shown.readableFiles += files->item(row)->icon().isNull() ? 1 : 0;
    }
    // Each cell by the parameter it shows; a value's with its unit and mark.
    const QStringList columns =
        "Name,Value,Unit type,Name,Type,Harm,Domain,Value,Name,Output,Auto Display\nin GRF,Type"_s
            .split(u',');
    shown.entries.insert("FreqVarName"_s, QString());
    for (int g = 0, column = 0; g < Groups.size(); column += int(Groups.at(g++).size())) {
        const auto rows = tableRows(static_cast<QTableWidget *>(find(Groups.at(g).first())));
        for (auto row = rows.cbegin(); row != rows.cend(); ++row) {
            if (g == 0 && row->value("Value"_s)->text() == "freq"_s) {
                shown.entries.insert("FreqVarName"_s, row.key());
                continue;
            }
            for (int i = 0; i < Groups.at(g).size(); ++i) {
                const QTableWidgetItem *cell = row->value(columns.at(column + i));
                QString text = g == 2 && (i == 1 || i == 2) ? checkText(cell) : cell->text();
                if (g == 0 && i == 1)
                    text += u'|' + row->value("Unit"_s)->text() + u'|' + cell->toolTip();
                shown.entries.insert(Groups.at(g).at(i) + u'/' + row.key(), text);
            }
        }
    }
    for (const QString &parameter : ChoiceParameters)
        shown.entries.insert(parameter, static_cast<QComboBox *>(find(parameter))->currentText());
    for (const QString &parameter : FlagParameters) {
        const auto *group = qobject_cast<QGroupBox *>(find(parameter));
        shown.entries.insert(
            parameter, !group ? checkText(static_cast<QCheckBox *>(find(parameter))->checkState())
                       : group->property("partlyChecked").toBool() ? "neither"_s
                       : group->isChecked()                        ? "yes"_s
                                                                   : "no"_s);
    }
    shown.entries.insert("NUM"_s, static_cast<QLineEdit *>(find("NUM"_s))->text());
    shown.entries.insert("StatusLevel"_s, static_cast<QLineEdit *>(find("StatusLevel"_s))->text());
    shown.entries.insert("Weight"_s, static_cast<QLabel *>(find("Weight"_s))->text());
    shown.entries.insert("Z"_s, static_cast<QLineEdit *>(find("Z"_s))->text() + u'|' +
                                    static_cast<QComboBox *>(find("Z unit"_s))->currentText());
    QStringList notes;
    for (int i = 0; QWidget *tab = session.widget(widgets, i); ++i)
        for (const QLabel *label : tab->findChildren<QLabel *>())
            if (label->inherits("NoteLabel") && !label->isHidden())
                notes << label->text();
    shown.notes = notes.join(u'\n');
    return shown;
}

// What an editor opened beside the session's shows and writes, the file type left out.
struct Opening
{
    Shown shown;
    Parameters written;
};

// --- What an independent host checks -----------------------------------------------------

// A row no readable file reports is held, and its note says so.
bool isHeld(const Shown &shown, const QString &name)
{
    return shown.notes.contains(name + ": no data file is listed"_s) ||
           shown.notes.contains(name + ": no listed data file that can be read reports it"_s);
}

// Whether a note around the control says an entry was refused.
bool refused(const QWidget *around)
{
    for (const QLabel *label : around->window()->findChildren<QLabel *>())
        if (label->inherits("NoteLabel") && !label->isHidden() &&
            label->text().contains("was not taken"_s))
            return true;
    return false;
}

// The tab around the control on the screen and active, as the host's dialog has it.
void showWindow(QWidget *control)
{
    QWidget *window = control->window();
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// Answers each modal message box with OK as it shows: polling would wait for each of many.
class PromptAnswerer : public QObject
{
public:
    PromptAnswerer() { qApp->installEventFilter(this); }
    ~PromptAnswerer() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show && box->isModal())
            QTimer::singleShot(0, box, [box] { clickMessageBoxButton(box, QMessageBox::Ok); });
        return false;
    }
};

QString listed(const QStringList &texts)
{
    return u'[' + texts.join(u'|') + u']';
}

// Every text a single parameter stores beyond its first is named in a note that says whether
// OK writes it back.
QString extraTextsShown(const Parameters &stored, const Parameters &written, const Shown &shown)
{
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (it.key() == "FileName"_s || groupOf(it.key()) || it->size() < 2)
            continue;
        QStringList extra;
        for (const QString &text : it->mid(1))
            extra << u'"' + unquoted(text) + u'"';
        const QString says =
            "Also stored: "_s + extra.join(", "_s) +
            (written.value(it.key()) == *it ? "; OK keeps them"_s : "; OK leaves them out"_s);
        if (!shown.notes.contains(says))
            return it.key() + " is written "_s + listed(written.value(it.key())) +
                   ", and no note says "_s + says;
    }
    return QString();
}

// A frequency variable written otherwise than stored is said, with what OK writes.
QString frequencyChangeSaid(const Parameters &stored, const Parameters &written, const Shown &shown)
{
    const QString before = unquoted(stored.value("FreqVarName"_s).value(0));
    const QString after = unquoted(written.value("FreqVarName"_s).value(0));
    const QString says = after.isEmpty() ? "OK leaves it out"_s : "OK writes "_s + after;
    if (before.isEmpty() || before == after || shown.notes.contains(says))
        return QString();
    return "FreqVarName "_s + before + " is written as "_s + after + ", and no note says "_s + says;
}

// Every stored file name OK leaves out but the user did not remove (another spelling of a
// listed file, an empty name) is named in a note.
QString fileNamesKept(const Parameters &stored, const Parameters &written, const Shown &shown,
                      const QSet<QString> &touched)
{
    for (const QString &name : stored.value("FileName"_s)) {
        if (written.value("FileName"_s).contains(name) ||
            touched.contains("FileName/"_s + QFileInfo(name).fileName()))
            continue;
        const bool named = unquoted(name).trimmed().isEmpty()
                               ? shown.notes.contains("empty"_s)
                               : shown.notes.contains(unquoted(name));
        if (!named)
            return "FileName "_s + name + " is left out, and no note names it"_s;
    }
    return QString();
}

// The written parameters with each per-variable parameter keyed by its variables, so that two
// lists that hold the same entries in another order compare equal.
QMap<QString, QString> byVariable(const Parameters &written)
{
    QMap<QString, QString> entries;
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        entries.insert(it.key(), listed(*it));
    for (const QStringList &group : Groups) {
        const QStringList names = written.value(group.first());
        for (const QString &list : group) {
            entries.remove(list);
            // The last entry of a name given twice counts, none where the list ends before.
            for (int i = 0; i < names.size(); ++i) {
                const QString key = list + u'/' + unquoted(names.at(i));
                if (i < written.value(list).size())
                    entries.insert(key, written.value(list).at(i));
                else
                    entries.remove(key);
            }
        }
    }
    return entries;
}

// What the editor shows of an entry; "(no row)" where no row shows its variable.
QString shownOf(const Shown &shown, const QString &key)
{
    return shown.entries.value(key, "(no row)"_s);
}

// Every entry written is as the user left it: a setting nobody touched keeps its stored text,
// a held row keeps its declarations, and a stored variable not written is named in a note. An
// untouched entry the data or a rule changed goes into `keptIfSaid` with its stored texts.
QString storedTextsKept(const Parameters &stored, const Parameters &written, const Shown &shown,
                        const QSet<QString> &touched, const QMap<QString, QString> &fromData,
                        QMap<QString, QStringList> &keptIfSaid)
{
    for (const QString &unsaid :
         {fileNamesKept(stored, written, shown, touched), extraTextsShown(stored, written, shown),
          frequencyChangeSaid(stored, written, shown)})
        if (!unsaid.isEmpty())
            return unsaid;
    QStringList keys;
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        keys << (groupOf(it.key()) || it.key() == "FileName"_s ? QStringList()
                                                               : QStringList{it.key()});
    for (const QStringList &group : Groups)
        for (const QString &name : unquoted(written.value(group.first())))
            for (const QString &list : group.mid(1))
                keys << list + u'/' + name;
    // With no readable file to tell it, the frequency variable is the component's.
    const bool holding = shown.readableFiles < shown.files.size() || shown.files.isEmpty();
    const auto storedTexts = byVariable(stored), writtenTexts = byVariable(written);
    for (const QString &key : qAsConst(keys)) {
        const QString list = key.section(u'/', 0, 0), name = key.section(u'/', 1);
        const QString storedText = storedTexts.value(key), text = writtenTexts.value(key);
        if (storedText.isNull())
            continue;
        // A held row declares what the data last declared in the session, else what the
        // component stores; a fresh opening of what OK writes shows the same.
        if (Declarations.contains(list) && isHeld(shown, name) && fromData.contains(key)) {
            if (shownOf(shown, key) != fromData.value(key))
                return key + " is held and shows "_s + shownOf(shown, key) +
                       ", not what its data last declared, "_s + fromData.value(key);
            continue;
        }
        const QString notAsStored = key + (touched.contains(key) ? " was "_s : " was not "_s) +
                                    "touched, stored as "_s + storedText + ", and is written "_s +
                                    text;
        if (text == storedText)
            continue;
        // A setting not written as stored is written as one text.
        if (!groupOf(list) && written.value(list).size() != 1)
            return notAsStored + ", not as one text"_s;
        if (touched.contains(key))
            continue;
        // Output off takes the plot off, and plot on takes output on.
        const bool changedByRule =
            list != "PrfmParamType"_s && (touched.contains("PrfmParamOutput/"_s + name) ||
                                          touched.contains("PrfmParamAutoPlot/"_s + name));
        const bool declared =
            Declarations.contains(list) &&
            (name.isEmpty() ? !holding || !shownOf(shown, key).isEmpty() : !isHeld(shown, name));
        // A value without text takes the data's; any other text is kept, an empty one too.
        const bool value = list == "IndepVarValue"_s || list == "GammaValue"_s;
        if (declared || changedByRule)
            keptIfSaid.insert(key, name.isEmpty() ? stored.value(list) : QStringList{storedText});
        else if (!value || !unquoted(storedText).trimmed().isEmpty())
            return notAsStored;
    }
    for (const QStringList &group : Groups) {
        const QStringList names = written.value(group.first());
        for (const QString &name : unquoted(stored.value(group.first()))) {
            // Only data that can be read make a variable the frequency, whose row is not written.
            const bool sweptAsFrequency = shown.readableFiles > 0 &&
                                          unquoted(written.value("FreqVarName"_s).value(0)) == name;
            const bool isWritten = names.contains(name) || sweptAsFrequency;
            if (!name.isEmpty() && !isWritten && !shown.notes.contains(name))
                return name + " of "_s + group.first() + " is left out, and no note names it"_s;
        }
    }
    return QString();
}

// Where a component names a variable in a per-variable parameter, appended when it lacks it.
// An entry the lists lack before it takes what `written` has for its variable.
void setEntry(Parameters &component, const QStringList &group, const QString &name,
              const Parameters &written)
{
    QStringList &names = component[group.first()];
    int index = int(names.lastIndexOf(name));
    if (index < 0) {
        index = int(names.size());
        names.append(name);
    }
    const auto textOf = [&](const QString &list, const QString &variable) {
        return written.value(list).value(int(written.value(group.first()).indexOf(variable)));
    };
    for (int list = 1; list < group.size(); ++list) {
        QStringList &entries = component[group.at(list)];
        while (entries.size() <= index)
            entries.append(textOf(group.at(list), names.at(int(entries.size()))));
        entries[index] = textOf(group.at(list), name);
    }
}

} // namespace

// Whole editing sessions through the plug-in, checked as a host checks them, by fresh openings
// of its own: after every step, what OK writes opens as the session shows it and writes itself,
// an entry left alone keeps its stored text where that says what is shown, a touched one is in
// the editor's own form, and a stored variable left out is named; at the end a fresh opening
// of the files and settings the session ended with shows and writes the same.
class tst_EditorSessions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void sessions_data();
    void sessions();
    void randomSessions();
    void unitlessValuesAndFixedCoefficients();
    void aLinkNamedInLatin1IsWrittenBackAsStored();

private:
    QString mismatchIn(const Parameters &given, const QStringList &steps,
                       const QString &expected = QString());
    QString play(TvlValue *widgets, const QString &step, QSet<QString> &touched);
    void setAsShown(TvlValue *widgets, const Shown &shown, const QStringList &entries,
                    QSet<QString> &touched);
    QString keptWhereSaid(const Parameters &written, const Shown &shown,
                          const QMap<QString, QStringList> &storedTexts);
    QString touchedInEditorForm(const Parameters &written, const Shown &shown,
                                const QSet<QString> &touched);
    Opening openAside(Parameters component, const std::function<void(TvlValue *)> &act = {});
    QString summary(TvlValue *widgets);
    QWidget *control(TvlValue *widgets, const QString &name);
    Parameters randomComponent(QRandomGenerator &random) const;
    QStringList randomSteps(QRandomGenerator &random, const Parameters &given) const;
    void resetDataFiles();

    QTemporaryDir m_workspace;
    std::unique_ptr<PluginSession> m_session;
    // The checks fresh openings passed in this session, by all they were given.
    std::set<QString> m_confirmed;
};

void tst_EditorSessions::initTestCase()
{
    QVERIFY(m_workspace.isValid());
    QVERIFY(QDir(m_workspace.path()).mkdir("data"_s));
    QVERIFY(QDir::setCurrent(m_workspace.path()));
    m_session = std::make_unique<PluginSession>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(m_session->error().isEmpty(), qPrintable(m_session->error()));
    resetDataFiles();
}

void tst_EditorSessions::cleanup()
{
    m_session->close();
    resetDataFiles();
}

void tst_EditorSessions::resetDataFiles()
{
    for (auto it = dataFiles().cbegin(); it != dataFiles().cend(); ++it) {
        QFile file("data/"_s + it.key());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(it.value()) == it.value().size());
    }
}

namespace {

// Writes the contents of data file `from` into data file `name`.
QString writeDataFile(const QString &name, const QString &from)
{
    QFile file("data/"_s + name);
    const QByteArray contents = dataFiles().value(from);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()
               ? QString()
               : "cannot write "_s + name;
}

} // namespace

QWidget *tst_EditorSessions::control(TvlValue *widgets, const QString &name)
{
    return findControl(*m_session, widgets, name);
}

// The variables shown, briefly: each independent variable with its value and range, each
// reflection coefficient with its domain, each quantity, marked "-" when it is not output.
QString tst_EditorSessions::summary(TvlValue *widgets)
{
    QStringList independent, gammas, quantities;
    const auto rows = [&](const char *table) {
        return tableRows(static_cast<QTableWidget *>(control(widgets, QString::fromUtf8(table))));
    };
    for (const auto &cells : rows("IndepVarName"))
        independent << "%1=%2@%3..%4"_s.arg(
            cells.value("Name"_s)->text(), cells.value("Value"_s)->text(),
            cells.value("Min"_s)->text(), cells.value("Max"_s)->text());
    for (const auto &cells : rows("GammaName"))
        gammas << cells.value("Name"_s)->text() + u':' + cells.value("Domain"_s)->text();
    const auto quantityRows = rows("PrfmParamName");
    for (auto it = quantityRows.cbegin(); it != quantityRows.cend(); ++it)
        quantities << it.key() + (checkText(it->value("Output"_s)) == "yes"_s ? QString() : "-"_s);
    return independent.join("; "_s) + " | "_s + gammas.join(u' ') + " | "_s + quantities.join(u' ');
}

// One step of a session, as a user takes it: "@" passes the focus through every field; "+F" adds
// data file F as Add... does, "-F" removes it as Remove... does; "~F" deletes F on disk and "^F"
// writes it back, ">F=G" writes G's contents into F, each noticed at the next addition or removal;
// "V=T" enters T in the value cell of variable V ("V=" enters what the cell shows); "!Q" and "?Q"
// click the output and plot boxes of quantity Q; "#P=k" chooses item k of the box of parameter P;
// "*P" clicks the box of flag P; "P:T" types T into the field of parameter P and presses Return
// ("P:" the text it shows); "Weight:T" gives T in the weight dialog; "&B" clicks button B
// ("&Output_All"). The touched entries are added to `touched`. Gives why the step could not be
// taken.
QString tst_EditorSessions::play(TvlValue *widgets, const QString &step, QSet<QString> &touched)
{
    QWidget *fileTab = m_session->widget(widgets, PluginSession::File);
    const QString rest = step.mid(1);
    switch (step.front().unicode()) {
    case '@':
        // Focus passing through every field, as a user tabbing through the editor, ends no edit.
        for (int i = 0; QWidget *tab = m_session->widget(widgets, i); ++i)
            for (QLineEdit *edit : tab->findChildren<QLineEdit *>()) {
                showWindow(edit);
                edit->setFocus();
                edit->clearFocus();
            }
        return QString();
    case '+':
        QMetaObject::invokeMethod(fileTab, "appendLoadPullFiles", Qt::DirectConnection,
                                  Q_ARG(QStringList, {"data/"_s + rest}));
        QMetaObject::invokeMethod(fileTab, "updateView", Qt::DirectConnection);
        return QString();
    case '-': {
        auto *rows = fileTab->findChild<QListWidget *>();
        const QList<QListWidgetItem *> found = rows->findItems(rest, Qt::MatchEndsWith);
        if (found.isEmpty())
            return QString(); // nothing to remove: the file was refused or never found
        if (found.size() != 1)
            return "no single row lists "_s + rest;
        rows->setCurrentItem(found.first());
        QMetaObject::invokeMethod(rows, "deleteSelectedRow");
        touched << "FileName/"_s + rest;
        return QString();
    }
    case '~':
        return QFile::remove("data/"_s + rest) ? QString() : "cannot delete "_s + rest;
    case '^':
        return writeDataFile(rest, rest);
    case '>':
        return writeDataFile(rest.section(u'=', 0, 0), rest.section(u'=', 1));
    case '!':
    case '?': {
        auto *table = static_cast<QTableWidget *>(control(widgets, "PrfmParamName"_s));
        const auto rows = tableRows(table);
        if (!rows.contains(rest))
            return QString(); // nothing to click: no file has it
        const bool output = step.front() == u'!';
        const QStringList before = {checkText(rows[rest]["Output"_s]),
                                    checkText(rows[rest]["Auto Display\nin GRF"_s])};
        QTableWidgetItem *cell = const_cast<QTableWidgetItem *>(
            rows[rest][output ? "Output"_s : "Auto Display\nin GRF"_s]);
        showWindow(table);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(cell).center());
        const auto after = tableRows(table).value(rest);
        touched << (output ? "PrfmParamOutput/"_s : "PrfmParamAutoPlot/"_s) + rest;
        if (checkText(after["Output"_s]) != before.at(0))
            touched << "PrfmParamOutput/"_s + rest;
        if (checkText(after["Auto Display\nin GRF"_s]) != before.at(1))
            touched << "PrfmParamAutoPlot/"_s + rest;
        return QString();
    }
    case '#': {
        auto *box = qobject_cast<QComboBox *>(control(widgets, rest.section(u'=', 0, 0)));
        if (!box)
            return "no box shows "_s + rest;
        const int index = rest.section(u'=', 1).toInt() % box->count();
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        touched << rest.section(u'=', 0, 0).section(u' ', 0, 0);
        return QString();
    }
    case '*': {
        QWidget *box = control(widgets, rest);
        if (auto *check = qobject_cast<QCheckBox *>(box))
            check->click();
        else
            QTest::keyClick(box, Qt::Key_Space);
        touched << rest;
        return QString();
    }
    case '&': {
        QWidget *performance = m_session->widget(widgets, PluginSession::Performance);
        const QString text = QString(rest).replace(u'_', u' ');
        for (auto *button : performance->findChildren<QPushButton *>())
            if (button->text() == text)
                button->click();
        const auto rows =
            tableRows(static_cast<QTableWidget *>(control(widgets, "PrfmParamName"_s)));
        for (const QString &name : rows.keys()) {
            if (text.startsWith("Output"_s) || text == "Display All"_s)
                touched << "PrfmParamOutput/"_s + name;
            if (text.startsWith("Display"_s) || text == "Output None"_s)
                touched << "PrfmParamAutoPlot/"_s + name;
        }
        return QString();
    }
    default:
        break;
    }
    const QString name = step.section(QRegularExpression("[=:]"_s), 0, 0);
    QString text = step.section(QRegularExpression("[=:]"_s), 1);
    if (step.contains(u':') && name == "Weight"_s) {
        // A refused weight keeps the dialog open: the user gives it up.
        bool taken = false;
        ModalDialogAnswerer answer([&text, &taken](QWidget *dialog) {
            if (auto *input = qobject_cast<QInputDialog *>(dialog)) {
                input->setTextValue(text);
                input->accept();
                taken = !input->isVisible();
                if (!taken)
                    input->reject();
            }
        });
        QWidget *tab = m_session->widget(widgets, PluginSession::Optimization);
        QMetaObject::invokeMethod(tab, "weightFactorButtonClicked");
        if (taken)
            touched << name;
        return QString();
    }
    if (step.contains(u':')) {
        auto *edit = qobject_cast<QLineEdit *>(control(widgets, name));
        if (text.isEmpty())
            text = edit->text();
        showWindow(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        // Nothing typed is no edit.
        if (!text.isEmpty() && !refused(edit->window()))
            touched << name;
        return QString();
    }
    auto *table = static_cast<QTableWidget *>(control(widgets, "IndepVarName"_s));
    int row = 0;
    while (row < table->rowCount() && table->item(row, 0)->text() != name)
        ++row;
    if (row == table->rowCount() || !(table->item(row, 1)->flags() & Qt::ItemIsEditable))
        return QString(); // nothing to set: no file has it, or it is frozen
    showWindow(table);
    table->editItem(table->item(row, 1)); // as a double-click does
    const QPointer<QLineEdit> editor = table->viewport()->findChild<QLineEdit *>();
    if (!editor)
        return "no cell editor for "_s + name;
    if (text.isEmpty())
        text = editor->text();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QSignalSpy refusals(table->itemDelegateForColumn(1), SIGNAL(entryRefused(QString)));
    QTest::keyClick(editor, Qt::Key_Return);
    // A refused entry stays in its edit: the user gives it up.
    if (!refusals.isEmpty()) {
        QTest::keyClick(editor, Qt::Key_Escape);
        return QString();
    }
    // The table takes the entry once control is back in the event loop.
    if (!QTest::qWaitFor([&editor] { return !editor || !editor->isVisible(); }))
        return "the cell editor of "_s + name + " stays open"_s;
    touched << "IndepVarValue/"_s + name;
    return QString();
}

// Opens the component beside the session's, lets `act` on it, and gives what it shows and
// writes; the file type, which no control shows, is left out: another asks about itself.
Opening tst_EditorSessions::openAside(Parameters component,
                                      const std::function<void(TvlValue *)> &act)
{
    component.remove("FileType"_s);
    TvlValue *widgets = m_session->open(component);
    if (!widgets)
        return {};
    if (act)
        act(widgets);
    Opening opening{read(*m_session, widgets), m_session->accept(widgets)};
    opening.written.remove("FileType"_s);
    QList<QPointer<QWidget>> opened;
    for (int i = 0; QWidget *widget = m_session->widget(widgets, i); ++i)
        opened << widget;
    for (const QPointer<QWidget> &widget : qAsConst(opened))
        delete widget.data();
    return opening;
}

namespace {

QString joined(const QMap<QString, QString> &entries)
{
    return QStringList(entries.keys() + entries.values()).join(u'\n');
}

// The first entry two maps of entries hold otherwise, or empty.
QString firstDifference(const QMap<QString, QString> &a, const QMap<QString, QString> &b,
                        const QString &aSays, const QString &bSays)
{
    for (const QString &key : a.keys() + b.keys())
        if (a.value(key, "nothing"_s) != b.value(key, "nothing"_s))
            return "%1 %2 %3 where %4 %5"_s.arg(aSays, key, a.value(key, "nothing"_s), bSays,
                                                b.value(key, "nothing"_s));
    return QString();
}

// The first difference between what an opening shows and writes and what the session does,
// the entries `unknown` aside.
QString differenceFrom(const Opening &again, const Shown &shown, Parameters written,
                       const QString &opening, const QStringList &unknown = {})
{
    written.remove("FileType"_s);
    const auto known = [&unknown](QMap<QString, QString> entries) {
        for (const QString &key : unknown)
            entries.remove(key);
        return entries;
    };
    if (const QString difference =
            firstDifference(known(again.shown.controls()), known(shown.controls()),
                            opening + " shows"_s, "the session shows"_s);
        !difference.isEmpty())
        return difference;
    return firstDifference(known(byVariable(again.written)), known(byVariable(written)),
                           opening + " writes"_s, "the session writes"_s);
}

} // namespace

// What the data declare is written as shown, and an entry the data or a rule changed is written
// as stored where its stored texts say what is shown: with no data file listed, every row is
// held and shows its texts as read, but a quantity's type as it stands, checked only where OK
// leaves its stored text out.
QString tst_EditorSessions::keptWhereSaid(const Parameters &written, const Shown &shown,
                                          const QMap<QString, QStringList> &storedTexts)
{
    Parameters restored = written;
    restored.remove("FileName"_s);
    for (auto it = storedTexts.cbegin(); it != storedTexts.cend(); ++it) {
        const QString parameter = it.key().section(u'/', 0, 0);
        if (const QStringList *group = groupOf(parameter))
            restored[parameter][int(
                unquoted(written.value(group->first())).lastIndexOf(it.key().section(u'/', 1)))] =
                it->value(0);
        else
            restored.insert(parameter, *it);
    }
    // A declaration written as its cell shows it says what is shown.
    const auto texts = byVariable(written), restoredTexts = byVariable(restored);
    QStringList keys = storedTexts.keys();
    for (auto it = shown.entries.cbegin(); it != shown.entries.cend(); ++it) {
        const QString name = it.key().section(u'/', 1);
        if (Declarations.contains(it.key().section(u'/', 0, 0)) && !it.value().isEmpty() &&
            texts.value(it.key()) != (name.isEmpty() ? listed({it.value()}) : it.value()) &&
            !it.key().startsWith("PrfmParamType"_s) && (name.isEmpty() || !isHeld(shown, name)) &&
            !keys.contains(it.key()))
            keys << it.key();
    }
    QString check;
    for (const QString &key : qAsConst(keys))
        check += key + u'=' + restoredTexts.value(key) + u'|' + shownOf(shown, key) + u'\n';
    if (keys.isEmpty() || !m_confirmed.insert(check).second)
        return QString();
    const Opening again = openAside(restored);
    for (const QString &key : qAsConst(keys)) {
        const bool same = shownOf(again.shown, key) == shownOf(shown, key);
        if (storedTexts.contains(key) && same)
            return "%1 was not touched and is written %2, though its stored %3 shows %4 as "
                   "well"_s.arg(key, texts.value(key), restoredTexts.value(key),
                                shownOf(shown, key));
        if (!storedTexts.contains(key) && !same)
            return "%1 is written %2, which shows as %3 without data, not as %4"_s.arg(
                key, texts.value(key), shownOf(again.shown, key), shownOf(shown, key));
    }
    return QString();
}

// A touched entry is written in the editor's own form: as an editor writes it whose control is
// set to what the session shows, with no text stored for the entry or its row.
QString tst_EditorSessions::touchedInEditorForm(const Parameters &written, const Shown &shown,
                                                const QSet<QString> &touched)
{
    Parameters bare = written;
    const auto texts = byVariable(written);
    QStringList entries;
    for (const QString &key : touched) {
        const QString parameter = key.section(u'/', 0, 0);
        if (parameter == "FileName"_s || texts.value(key).isNull() ||
            !m_confirmed.insert(key + texts.value(key) + shownOf(shown, key)).second)
            continue;
        entries << key;
        const QStringList *group = groupOf(parameter);
        const int index =
            group ? int(unquoted(bare.value(group->first())).lastIndexOf(key.section(u'/', 1)))
                  : -1;
        if (!group)
            bare.remove(parameter);
        for (const QString &list : index >= 0 ? *group : QStringList())
            if (index < bare.value(list).size())
                bare[list].removeAt(index);
    }
    if (entries.isEmpty())
        return QString();
    entries.sort();
    QSet<QString> retouched;
    const Opening again =
        openAside(bare, [&](TvlValue *widgets) { setAsShown(widgets, shown, entries, retouched); });
    const auto rewritten = byVariable(again.written);
    for (const QString &key : qAsConst(entries))
        if (retouched.contains(key) && shownOf(again.shown, key) == shownOf(shown, key) &&
            rewritten.value(key) != texts.value(key))
            return "%1 was touched, shows %2 and is written %3, but the editor writes %4 for "
                   "it"_s.arg(key, shownOf(shown, key), texts.value(key), rewritten.value(key));
    return QString();
}

// Sets the entries' controls to what `shown` shows, as a user does; adds those taken to `touched`.
void tst_EditorSessions::setAsShown(TvlValue *widgets, const Shown &shown,
                                    const QStringList &entries, QSet<QString> &touched)
{
    for (const QString &key : entries) {
        const QString parameter = key.section(u'/', 0, 0);
        const QString name = key.section(u'/', 1);
        const QString target = shownOf(shown, key);
        if (parameter == "IndepVarValue"_s) {
            play(widgets, name + u'=' + target.section(u'|', 0, 0), touched);
        } else if (parameter.startsWith("PrfmParam"_s) || FlagParameters.contains(parameter)) {
            // Each box is clicked once, then the first that does not show what the session
            // shows, until all do: a click may change another box by a rule.
            const QStringList steps = name.isEmpty() ? QStringList{u'*' + parameter}
                                                     : QStringList{u'!' + name, u'?' + name};
            const auto boxes = [&](const Shown &in) {
                const QString row = "PrfmParamName/"_s + name;
                return name.isEmpty() ? QStringList{in.entries.value(parameter)}
                       : !in.entries.contains(row)
                           ? QStringList()
                           : QStringList{shownOf(in, "PrfmParamOutput/"_s + name),
                                         shownOf(in, "PrfmParamAutoPlot/"_s + name)};
            };
            for (int i = 0; i < 6; ++i) {
                const QStringList now = boxes(read(*m_session, widgets));
                if (now.isEmpty() || (i >= steps.size() && now == boxes(shown)))
                    break;
                const int first = now.at(0) == boxes(shown).at(0) ? 1 : 0;
                play(widgets, steps.value(i < steps.size() ? i : first), touched);
            }
        } else if (ChoiceParameters.contains(parameter) || parameter == "Z"_s) {
            // The unit first: the impedance typed takes parentheses as a unit follows it.
            const QString boxName = parameter == "Z"_s ? "Z unit"_s : parameter;
            const int index = qobject_cast<QComboBox *>(control(widgets, boxName))
                                  ->findText(target.section(u'|', -1));
            if (index >= 0)
                play(widgets, u'#' + boxName + u'=' + QString::number(index), touched);
            if (parameter == "Z"_s)
                play(widgets, "Z:"_s + target.section(u'|', 0, -2), touched);
        } else {
            play(widgets, parameter + u':' + target, touched);
        }
    }
}

// Plays the steps on the component, checking after each against fresh openings; then checks
// one of the component with the session's files and settings. Gives the first difference
// found, or why a step could not be taken.
QString tst_EditorSessions::mismatchIn(const Parameters &given, const QStringList &steps,
                                       const QString &expected)
{
    const PromptAnswerer prompt;
    ModalDialogAnswerer boxes(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    const auto closeAll = qScopeGuard([this] {
        m_session->close();
        resetDataFiles();
    });
    m_confirmed.clear();
    // A change on disk is seen at the next addition or removal; before that, the session and
    // a fresh opening cannot agree.
    const int lastDiskChange = int(steps.lastIndexOf(QRegularExpression("^[~^>].*"_s)));
    if (lastDiskChange >= 0 &&
        QStringList(steps.mid(lastDiskChange)).indexOf(QRegularExpression("^[-+].*"_s)) < 0)
        return "could not play "_s + steps.at(lastDiskChange) + ": no step notices it"_s;
    TvlValue *session = m_session->open(given);
    if (!session)
        return "the component did not open"_s;
    QSet<QString> touched;
    QMap<QString, QString> fromData;
    Parameters written;
    Shown shown;
    bool unnoticedDiskChange = false;
    for (const QString &step : QStringList{QString()} + steps) {
        if (!step.isEmpty()) {
            if (const QString refused = play(session, step, touched); !refused.isEmpty())
                return "could not play "_s + step + ": "_s + refused;
            QCoreApplication::processEvents(); // as the host's event loop runs between steps
            if ("~^>"_s.contains(step.front())) {
                unnoticedDiskChange = true;
                m_confirmed.clear();
            } else if ("+-"_s.contains(step.front()))
                unnoticedDiskChange = false;
        }
        written = m_session->accept(session);
        shown = read(*m_session, session);
        QMap<QString, QStringList> keptIfSaid;
        QString mismatch = storedTextsKept(given, written, shown, touched, fromData, keptIfSaid);
        // A fresh opening sees a change on disk that the session has yet to notice. What OK
        // writes opens, in an editor of its own, as the session shows it, and writes itself.
        if (mismatch.isEmpty() && !unnoticedDiskChange) {
            if (m_confirmed.insert(joined(byVariable(written)) + joined(shown.controls())).second)
                mismatch =
                    differenceFrom(openAside(written), shown, written, "OK's texts, opened,"_s);
            if (mismatch.isEmpty())
                mismatch = keptWhereSaid(written, shown, keptIfSaid);
            if (mismatch.isEmpty())
                mismatch = touchedInEditorForm(written, shown, touched);
        }
        // What the data declared of each variable the last time a readable file reported it.
        for (auto it = shown.entries.cbegin(); it != shown.entries.cend(); ++it)
            if (it.key().contains(u'/') && Declarations.contains(it.key().section(u'/', 0, 0)) &&
                !isHeld(shown, it.key().section(u'/', 1)))
                fromData.insert(it.key(), it.value());
        if (!mismatch.isEmpty())
            return (step.isEmpty() ? "on opening"_s : "after "_s + step) + ": "_s + mismatch;
    }
    if (!expected.isNull() && summary(session) != expected)
        return "the session shows\n%1\nnot\n%2"_s.arg(summary(session), expected);

    Parameters fresh = given;
    fresh.insert("FileName"_s, written.value("FileName"_s));
    for (const QString &key : qAsConst(touched)) {
        const QString parameter = key.section(u'/', 0, 0);
        const QStringList *group = groupOf(parameter);
        if (!group)
            fresh.insert(parameter, written.value(parameter));
        else if (written.value(group->first()).contains(key.section(u'/', 1)))
            setEntry(fresh, *group, key.section(u'/', 1), written);
    }
    // A held row declares what the session's data declared, which a fresh opening cannot know.
    QStringList unknown;
    for (const QString &key : fromData.keys())
        if (isHeld(shown, key.section(u'/', 1)))
            unknown << key;
    return differenceFrom(openAside(fresh), shown, written,
                          "a fresh opening of the session's files and settings"_s, unknown);
}

// The component of a session: its files, and each parameter given as "NAME=a|b|c".
Parameters component(const QStringList &files, const QStringList &parameters)
{
    Parameters given = {{"FileType"_s, {"Maury"_s}}};
    for (const QString &file : files)
        given["FileName"_s].append(file.contains(u'/') ? file : "data/"_s + file);
    for (const QString &parameter : parameters)
        given.insert(parameter.section(u'=', 0, 0), parameter.section(u'=', 1).split(u'|'));
    return given;
}

void tst_EditorSessions::sessions_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("parameters"); // "NAME=a|b", "@" for a blank
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected"); // as summary() gives it; empty: no expectation

    const auto row = [](const char *name, const char *files, const char *parameters,
                        const char *steps, const char *expected = nullptr) {
        QStringList given = words(QString::fromUtf8(parameters));
        given.replaceInStrings("@"_s, " "_s);
        QTest::newRow(name) << words(QString::fromUtf8(files)) << given
                            << words(QString::fromUtf8(steps))
                            << (expected ? QString::fromUtf8(expected) : QString());
    };
    const char *const fromA = "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=%1@24..32 | "
                              "gamma_ld1:Rect-Real | Gain Pout";
    const auto withVdd = [fromA](const char *value) {
        static QByteArray text;
        text = QString::fromUtf8(fromA).arg(QString::fromUtf8(value)).toUtf8();
        return text.constData();
    };
    // Which variables the files and settings give, whatever the order of the steps.
    row("a file lost, then another removed: the variables are held", "a.lp g.lp",
        "IndepVarName=Vgg IndepVarValue=-3@V", "~g.lp -a.lp", "Vgg=-3@.. |  | ");
    row("units that change across files: the value keeps its unit", "a.lp",
        "IndepVarName=Vdd IndepVarValue=28@V", "+b.lp -a.lp",
        "Freq=freq@1.8..2; Vdd=28 V@24000..32000 | gamma_ld1:Rect-Real | Pout");
    row("a range that shrinks below the value", "a.lp x.lp", "IndepVarName=Vdd IndepVarValue=32@V",
        "-a.lp", "Freq=freq@1.8..2; Vdd=32@30..30 | gamma_ld1:Polar-Mag | PAE Pout");
    row("a value set, its file removed and added back", "a.lp", "", "Vdd=32 -a.lp +a.lp",
        withVdd("32"));
    row("the list emptied and a file added", "a.lp x.lp", "IndepVarName=Vdd IndepVarValue=32@V",
        "-a.lp -x.lp +a.lp", withVdd("32"));
    row("a lost file found again", "a.lp g.lp", "", "~g.lp +x.lp ^g.lp -x.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32; Vgg=-3@-3..-2 | "
        "gamma_ld1:Rect-Real gamma_src1:Rect-Real | Gain Id Pout");
    row("an output choice survives its quantity's absence", "a.lp x.lp", "", "!PAE -x.lp +x.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32 | gamma_ld1:Rect-Real | "
        "Gain PAE- Pout");
    row("a component without files keeps its settings for the files added", "",
        "IndepVarName=Vdd IndepVarValue=30000@mV", "+x.lp",
        "Freq=freq@1.8..2; Vdd=30000 mV@30..30 | gamma_ld1:Polar-Mag | PAE Pout");
    // What the component stores that the files do not report, or declare otherwise.
    row("a stored variable no readable file reports is left out, and named", "a.lp",
        "IndepVarName=Vgg IndepVarValue=-2.5@V", "", withVdd("24"));
    row("the same, reached by removing its file", "a.lp g.lp",
        "IndepVarName=Vgg IndepVarValue=-2.5@V", "-g.lp", withVdd("24"));
    row("stale declarations follow the data", "a.lp",
        "GammaName=gamma_ld1 GammaType=Source GammaDomain=Polar-Phase GammaHarmIndex=2 "
        "IndepVarName=Pin_avail IndepVarUnitType=Voltage PrfmParamName=Gain PrfmParamType=Complex",
        "-a.lp +a.lp");
    row("a variable without a unit, and a load at one value", "u.lp", "", "Bias=1 Bias=0.5");
    // Texts the controls cannot show as one of their values, and touches back to the shown.
    row("choices the boxes do not offer", "a.lp",
        "InterpMode=cubic@spline InterpDom=Polar@ ExtrapMode=Constant",
        "#InterpMode=2 #InterpMode=0 #InterpDom=2");
    row("flags neither yes nor no", "a.lp",
        "CalcImpedance=1 CalcAdmittance=true AvoidOutOfRangeData=1 "
        "UseFrequencyRangeFromDataFiles=0",
        "*CalcImpedance *CalcImpedance *AvoidOutOfRangeData");
    row("fields the editor would not take as typed", "a.lp", "NUM=7 Z=@ StatusLevel=5 Weight=-1",
        "NUM:3 NUM:7 StatusLevel:");
    row("values touched are written in the editor's form, whatever their stored spelling", "a.lp",
        "IndepVarName=Pin_avail|Vdd IndepVarValue=dbmtow(12)|28V", "Pin_avail=12 Vdd=");
    row("values typed in the stored forms and other units", "a.lp", "",
        "Pin_avail=dbmtow(@12@) Vdd=28@V Vdd=0.1@W",
        "Freq=freq@1.8..2; Pin_avail=12@10..18; Vdd=28@24..32 | gamma_ld1:Rect-Real | Gain Pout");
    // Files that meet: units of one type, a name in two roles, files read again.
    row("ranges in other units of one type cover every file, in the first file's unit", "a.lp", "",
        "+m.lp",
        "Freq=freq@1.8..2.2; Pin_avail=10@10..18; Vdd=20@20..32 | gamma_ld1:Rect-Real | "
        "Gain Pout");
    row("the same files the other way round", "m.lp", "", "+a.lp",
        "Freq=freq@1800..2200; Pin_avail=10@10..18; Vdd=20000@20000..32000 | "
        "gamma_ld1:Rect-Real | Gain Pout");
    row("a name in two roles is refused, and its setting survives", "d.lp", "",
        "X=2 +e.lp -d.lp +d.lp", "Freq=freq@1.8..2; X=2@1..3 | gamma_ld1:Rect-Real | Pout");
    row("a component listing a name in two roles holds the later file", "d.lp e.lp",
        "IndepVarName=X IndepVarValue=2@V PrfmParamName=X", "",
        "Freq=freq@1.8..2; X=2@1..3 | gamma_ld1:Rect-Real | Pout X");
    row("a listed file changed on disk is read again when added again", "a.lp", "",
        ">a.lp=x.lp +a.lp", "Freq=freq@1.8..2; Vdd=30@30..30 | gamma_ld1:Polar-Mag | PAE Pout");
    row("spellings of one listed file and empty names are left out and named", "",
        "FileName=data/a.lp|./data/a.lp|", "", withVdd("24"));
    // Texts beyond the first, empty texts, and typed entries the host would misread.
    row("texts a single parameter stores beyond its first are shown and kept", "a.lp",
        "InterpMode=Linear|Cubic NUM=1|2 FreqVarName=Freq|Pin_avail CalcGamma=yes|no "
        "Z=50@Ohm|75@Ohm",
        "");
    row("a choice chosen again leaves the texts beyond its first out, and says so", "",
        "InterpMode=Linear|75@Ohm", "#InterpMode=0");
    row("empty texts of flags and choices are kept and marked", "",
        "InterpMode= CalcGamma= AllowNonlinearDevices= FileType= PrfmParamName=G "
        "PrfmParamOutput=",
        "");
    row("a unit glued to a number and a decimal comma are refused where typed", "a.lp", "",
        "Z:50Ohm Z:50,5 Vdd=26,5 Weight:0,5", withVdd("24"));
    // Held rows keep every declaration, stored or last given by the data.
    row("held quantity types stay as stored", "",
        "PrfmParamName=A|B|C|D|E PrfmParamType=Real|real|REAL@|Cplx|Complex@", "");
    row("a held quantity keeps the type its data gave", "u.lp gone.lp", "PrfmParamName=Vout",
        "-u.lp");
    row("a held coefficient keeps the domain its data gave", "a.lp x.lp",
        "GammaName=gamma_ld1 GammaDomain=Rect-Imag", "~x.lp -a.lp");
    row("without a readable file the stored frequency variable keeps its row and value", "",
        "FreqVarName=Pin_avail IndepVarName=Pin_avail IndepVarValue=dbmtow(18)", "",
        "Pin_avail=18@.. |  | ");
    row("a coefficient at Independent is held beside a file that cannot be read", "a.lp gone.lp",
        "GammaName=gamma_src1 GammaValue=Independent", "",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32 | gamma_ld1:Rect-Real "
        "gamma_src1: | Gain Pout");
}

void tst_EditorSessions::sessions()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, parameters);
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    for (QString &step : steps)
        if (step != "@"_s)
            step.replace(u'@', u' ');
    const QString mismatch =
        mismatchIn(component(files, parameters), steps, expected.isEmpty() ? QString() : expected);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

// A component as a person, an older version or a script may have left it: files listed or
// missing, variables the files hold or lack, given twice, in lists too short or too long, with
// values in every form, stale declarations, and texts a control cannot show.
Parameters tst_EditorSessions::randomComponent(QRandomGenerator &random) const
{
    const auto pick = [&random](const QStringList &choices) {
        return choices.at(int(random.bounded(quint32(choices.size()))));
    };
    const auto some = [&](const QString &choices, int most) {
        QStringList picked;
        for (int i = int(random.bounded(quint32(most + 1))); i > 0; --i)
            picked << pick(choices.split(u','));
        return picked;
    };
    const QStringList names = some("Pin_avail,Vdd,Vgg,Freq,Bias,Vxx,X"_s, 3);
    const QStringList gammas = some("gamma_ld1,gamma_src1,gamma_xx"_s, 2);
    const QStringList quantities = some("Gain,Pout,PAE,Id,Vout,Qq,X"_s, 3);
    const auto along = [&](const QString &choices, const QStringList &keys) {
        return some(choices, int(keys.size()) + 1);
    };
    const QString flags = "yes,no,YES,No,1,true,\"yes\""_s;
    Parameters given = {
        {"FileType"_s, {pick("Maury,Maury,maury"_s.split(u','))}},
        {"FileName"_s,
         some("data/a.lp,./data/x.lp,data/g.lp,data/u.lp,data/w.lp,data/gone.lp,data/m.lp,"
              "data/d.lp,data/e.lp,./data/a.lp,"_s,
              3)},
        {"FreqVarName"_s, {pick("Freq,Freq,F,Pin_avail,"_s.split(u','))}},
        {"IndepVarName"_s, names},
        {"IndepVarValue"_s,
         along("dbmtow( 14 ) ,dbmtow(Pdrive),Pavs - 3,18 W,28 mV,28 V,28V,"
               "18,Pdrive,dbmtow( 18 dBm ) ,1e400 V, 12.5 ,\"28 V\",28 V dc,dbmtow (10),"
               "50 %,e V,dbmtow( E5 ) ,2*x V,- 3 V,1e V,dbmtowRef V,Eb  V/m2 "_s,
               names)},
        {"IndepVarUnitType"_s, along("Power,Voltage,power"_s, names)},
        {"GammaName"_s, gammas},
        {"GammaType"_s, along("Load,Source,load"_s, gammas)},
        {"GammaDomain"_s, along("Rect-Real,Polar-Mag,polar,Rect-Imag"_s, gammas)},
        {"GammaValue"_s, along("Independent,0.3*Gopt"_s, gammas)},
        {"GammaHarmIndex"_s, along("1,2,h"_s, gammas)},
        {"PrfmParamName"_s, quantities},
        {"PrfmParamOutput"_s, along(flags, quantities)},
        {"PrfmParamAutoPlot"_s, along(flags, quantities)},
        {"PrfmParamType"_s, along("Real,Complex,real,Cplx,REAL ,Complex "_s, quantities)},
        {"InterpMode"_s, {pick("Linear,Cubic Spline,cubic,Spline"_s.split(u','))}},
        {"InterpDom"_s, {pick("Rectangular,Polar,Polar "_s.split(u','))}},
        {"ExtrapMode"_s, {pick("Interpolation Mode,Constant"_s.split(u','))}},
        {"NUM"_s, {pick("1,2,0,1.5,Nport,-3,\"7\""_s.split(u','))}},
        {"Z"_s,
         {pick("50.0 + j* 0.0 Ohm,50 Ohm,(Rload + j*Xm) kOhm,75,50 ohm,,j*,  75   MOhm "_s.split(
             u','))}},
        {"StatusLevel"_s, {pick("2,4,5,lvl,2.5"_s.split(u','))}},
        {"Weight"_s, {pick("100,0,-1,nan,wgt"_s.split(u','))}},
    };
    for (const QString &flag : FlagParameters)
        given.insert(flag, {pick(flags.split(u','))});
    // A single parameter may hold no text, an empty one, or texts beyond its first.
    for (auto it = given.begin(); it != given.end(); ++it) {
        const bool single = it.key() != "FileName"_s && !groupOf(it.key());
        switch (single ? random.bounded(12) : 0) {
        case 1:
            *it = QStringList();
            break;
        case 2:
            *it = QStringList{QString()};
            break;
        case 3:
            it->append(pick({"Linear"_s, "no"_s, "75 Ohm"_s, "\"2\""_s}));
            break;
        default:
            break;
        }
    }
    // A parameter may be missing altogether.
    given.remove(given.keys().at(int(random.bounded(quint32(given.size())))));
    return given;
}

QStringList tst_EditorSessions::randomSteps(QRandomGenerator &random, const Parameters &given) const
{
    const auto pick = [&random](const QStringList &choices) {
        return choices.at(int(random.bounded(quint32(choices.size()))));
    };
    QStringList listed, onDisk = dataFiles().keys(), steps;
    for (const QString &file : given.value("FileName"_s))
        listed << QFileInfo(file).fileName();
    for (int n = int(random.bounded(1, 6)); n > 0; --n) {
        const QString file = pick(dataFiles().keys());
        switch (random.bounded(9)) {
        case 0:
            if (listed.contains(file))
                steps << "-"_s + file;
            else if (onDisk.contains(file))
                steps << "+"_s + file;
            listed.removeAll(file);
            if (steps.last() == "+"_s + file)
                listed << file;
            break;
        case 1:
            // A change on disk is noticed at the next addition or removal, which follows.
            if (onDisk.removeAll(file) > 0)
                steps << "~"_s + file;
            else
                steps << "^"_s + file, onDisk << file;
            steps << (listed.contains("a.lp"_s) ? "-a.lp"_s : "+a.lp"_s);
            if (steps.last() == "-a.lp"_s)
                listed.removeAll("a.lp"_s);
            else
                listed << "a.lp"_s;
            break;
        case 2:
            steps << pick(words("Vdd=30 Vdd=26 Vdd=Vsupply Vdd= Pin_avail=12 Pin_avail= Vgg=-2 "
                                "Bias=1 Vdd=0.1@W Vdd=26,5 Pin_avail=12dBm"_s))
                         .replace(u'@', u' ');
            break;
        case 3:
            steps << pick(words("!Pout ?Pout !PAE ?Gain !Id &Output_All &Output_None "
                                "&Display_All &Display_None"_s));
            break;
        case 4:
            steps << "#"_s + pick(ChoiceParameters + QStringList{"Z unit"_s}) + u'=' +
                         QString::number(random.bounded(4));
            break;
        case 5:
            steps << "*"_s + pick(FlagParameters);
            break;
        case 6:
            steps << pick(words("NUM:3 NUM: NUM:1.5 StatusLevel:4 StatusLevel: Z:75 Z:50+j*10 Z: "
                                "Z:50Ohm Z:50,5 Z:0.1kOhm Weight:250 Weight:-3 Weight:0,5 @"_s));
            break;
        case 7:
            // A file changed on disk and added again is read again.
            if (onDisk.contains(file)) {
                steps << ">"_s + file + u'=' + pick(dataFiles().keys()) << "+"_s + file;
                if (!listed.contains(file))
                    listed << file;
            }
            break;
        default:
            break;
        }
    }
    return steps;
}

// Random components and sessions; a failing one is shrunk to the fewest steps and parameters
// that still fail, which then belongs in the rows above.
void tst_EditorSessions::randomSessions()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < RandomSessions; ++round) {
        Parameters given = randomComponent(random);
        QStringList steps = randomSteps(random, given);
        QString mismatch = mismatchIn(given, steps);
        if (mismatch.isEmpty())
            continue;
        for (int i = int(steps.size()) - 1; i >= 0; --i) {
            QStringList fewer = steps;
            fewer.removeAt(i);
            if (const QString still = mismatchIn(given, fewer);
                !still.isEmpty() && !still.startsWith("could not play"_s)) {
                steps = fewer;
                mismatch = still;
            }
        }
        for (const QString &parameter : given.keys()) {
            Parameters smaller = given;
            smaller.remove(parameter);
            if (const QString still = mismatchIn(smaller, steps);
                !still.isEmpty() && !still.startsWith("could not play"_s)) {
                given = smaller;
                mismatch = still;
            }
        }
        QStringList parameters;
        for (auto it = given.cbegin(); it != given.cend(); ++it)
            parameters << it.key() + u'=' + it->join(u'|');
        QFAIL(qPrintable("component %1\nsteps %2:\n%3"_s.arg(parameters.join(u' '),
                                                             steps.join(u' '), mismatch)));
    }
}

// A variable the data declare without a unit takes a bare number as its value, unmarked, the
// reflection coefficient the data hold at one value shows one point and says so, and a
// quantity without a unit shows its name alone. Values stored blank take the data's, marked.
void tst_EditorSessions::unitlessValuesAndFixedCoefficients()
{
    ModalDialogAnswerer boxes(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    TvlValue *widgets =
        m_session->open(component({"u.lp"_s}, {"IndepVarName=Bias"_s, "IndepVarValue= "_s,
                                               "GammaName=gamma_ld1"_s, "GammaValue="_s}));
    for (const QString &name : {"Bias"_s, "gamma_ld1"_s})
        QVERIFY(
            read(*m_session, widgets).notes.contains(name + ": the component stores no value"_s));
    QSet<QString> touched;
    QCOMPARE(play(widgets, "Bias=1"_s, touched), QString());
    const Shown shown = read(*m_session, widgets);
    QCOMPARE(shown.entries.value("IndepVarValue/Bias"_s), "1|None|"_s);
    QCOMPARE(shown.entries.value("IndepVarUnitType/Bias"_s), "Unitless"_s);
    QCOMPARE(m_session->accept(widgets).value("IndepVarValue"_s), QStringList{"1 "_s});
    const auto gammas = tableRows(static_cast<QTableWidget *>(control(widgets, "GammaName"_s)));
    QCOMPARE(gammas.value("gamma_ld1"_s).value("Points"_s)->text(), "1"_s);
    // A quantity without a unit shows its bare name.
    const auto quantities =
        tableRows(static_cast<QTableWidget *>(control(widgets, "PrfmParamName"_s)));
    QCOMPARE(quantities.value("Eff"_s).value("Name"_s)->text(), "Eff"_s);
    QVERIFY(shown.notes.contains("gamma_ld1: the data files hold it at one value"_s));
}

// A stored name that leads through a link to a file whose own name the host could not keep
// is the name the component uses: it is written back as stored, after edits too.
void tst_EditorSessions::aLinkNamedInLatin1IsWrittenBackAsStored()
{
    const QString target = "data/\u0434\u0430\u043d\u043d\u044b\u0435.lp"_s;
    QVERIFY(QFile::copy("data/a.lp"_s, target));
    QVERIFY(QFile::link(QFileInfo(target).fileName(), "data/link.lp"_s));
    const auto removeLink = qScopeGuard([&] {
        QFile::remove("data/link.lp"_s);
        QFile::remove(target);
    });
    ModalDialogAnswerer boxes(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    TvlValue *widgets = m_session->open(component({"data/link.lp"_s}, {}));
    QCOMPARE(m_session->accept(widgets).value("FileName"_s), QStringList{"data/link.lp"_s});
    QSet<QString> touched;
    QCOMPARE(play(widgets, "+x.lp"_s, touched), QString());
    QCOMPARE(m_session->accept(widgets).value("FileName"_s),
             QStringList({"data/link.lp"_s, QDir::current().absoluteFilePath("data/x.lp"_s)}));
}

QTEST_MAIN(tst_EditorSessions)
#include "tst_editorsessions.moc"
