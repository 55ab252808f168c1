#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "performancetabstate.h"
#include "pluginsession.h"
#include "variabledetailstabstate.h"

#include <QListWidget>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace LoadPullStateUtils;
using Parameters = PluginSession::Parameters;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

// A swept variable of a data file: its name, unit and values.
struct Swept
{
    const char *name;
    const char *unit;
    QList<double> values;
};

// A small data file over two frequencies: the swept variables, one reflection coefficient
// measured at two points, and the quantities, each in dB.
QByteArray dataFile(const QList<Swept> &swept, const QByteArray &gamma,
                    const QList<QByteArray> &quantities)
{
    QByteArray text = "LPDATA 1\nVAR=<Freq>, Units=<GHz>, Type=<Frequency>\n";
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
    for (const char *frequency : {"1.8", "2"}) {
        text += QByteArray("Freq = ") + frequency + " GHz\n";
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
// magnitude; g.lp brings a gate bias and a source coefficient of its own.
const QMap<QString, QByteArray> &dataFiles()
{
    static const QMap<QString, QByteArray> files = {
        {"a.lp"_s, dataFile({{"Pin_avail", "dBm", {10, 14, 18}}, {"Vdd", "V", {24, 28, 32}}},
                            "<gamma_ld1>", {"Gain", "Pout"})},
        {"b.lp"_s, dataFile({{"Vdd", "mV", {24000, 32000}}}, "<gamma_ld1>", {"Pout"})},
        {"x.lp"_s,
         dataFile({{"Vdd", "V", {30}}}, "<gamma_ld1>, Domain=<Polar-Mag>", {"PAE", "Pout"})},
        {"g.lp"_s, dataFile({{"Vgg", "V", {-3, -2.5, -2}}}, "<gamma_src1>", {"Id"})},
    };
    return files;
}

// What a user may set in a session, kept by the test itself: the value text of each variable
// the user set, as the editor writes it, and the output and plot choices of each quantity the
// user toggled.
struct Settings
{
    QMap<QString, QString> values;
    QMap<QString, std::pair<bool, bool>> choices;
};

// A tab's record, read as the host's scripts read it: through the tab's state() slot.
template<typename State> State stateOf(QWidget *tab)
{
    State state;
    const QByteArray type = QMetaType(qMetaTypeId<State>()).name();
    QMetaObject::invokeMethod(tab, "state", Qt::DirectConnection,
                              QReturnArgument<State>(type.constData(), state));
    return state;
}

// The entry of `name` in a per-variable group, appended when the lists lack it.
void setEntry(Parameters &component, const QString &key, const QString &name,
              const QMap<QString, QString> &entries)
{
    QStringList &names = component[key];
    int index = names.lastIndexOf(name);
    if (index < 0) {
        index = int(names.size());
        names.append(name);
    }
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        QStringList &texts = component[it.key()];
        while (texts.size() <= index)
            texts.append(QString());
        texts[index] = it.value();
    }
}

} // namespace

// Whole editing sessions through the plug-in: whatever the order of adding, removing, losing
// and finding files and of setting values, the editor shows, and OK writes, what the listed
// files and the user's settings decide.
class tst_EditorSessions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void filesAndSettingsDecideInAnyOrder_data();
    void filesAndSettingsDecideInAnyOrder();
    void randomSessions();
    void aLinkNamedInLatin1IsWrittenBackAsStored();

private:
    Parameters component(const QStringList &files, const QStringList &values) const;
    QString mismatchAfter(const Parameters &given, const QStringList &steps,
                          const QString &expected = QString());
    QString play(TvlValue *widgets, const QString &step, Settings &settings);
    QString shown(TvlValue *widgets);
    QString summary(TvlValue *widgets);
    void resetDataFiles();

    QTemporaryDir m_workspace;
    std::unique_ptr<PluginSession> m_session;
};

void tst_EditorSessions::initTestCase()
{
    registerStateMetaTypes();
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

// The component a session starts from: its files, and values as "name=text".
Parameters tst_EditorSessions::component(const QStringList &files, const QStringList &values) const
{
    Parameters given = {{"FileType"_s, {"Maury"_s}},
                        {"FreqVarName"_s, {"Freq"_s}},
                        {"PrfmParamName"_s, {"Pout"_s}},
                        {"PrfmParamOutput"_s, {"no"_s}},
                        {"PrfmParamAutoPlot"_s, {"no"_s}}};
    for (const QString &file : files)
        given["FileName"_s].append("data/"_s + file);
    for (const QString &value : values)
        setEntry(given, "IndepVarName"_s, value.section(u'=', 0, 0),
                 {{"IndepVarValue"_s, value.section(u'=', 1)}});
    return given;
}

// The records the details and performance tabs show, in one text.
QString tst_EditorSessions::shown(TvlValue *widgets)
{
    QStringList lines;
    const auto details =
        stateOf<VariableDetailsTabState>(m_session->widget(widgets, PluginSession::Details));
    for (const IndepVarInfo &v : details.independentVariables().variables())
        lines << "%1=%2 [%3] %4..%5 %6%7"_s.arg(v.name(), v.value(), v.unit(), v.minValue(),
                                                v.maxValue(), v.unitType(),
                                                v.isFrequency() ? " frequency"_s : QString());
    for (const GammaVarInfo &v : details.gammaVariables().variables())
        lines << "%1=%2 %3 %4 %5..%6"_s.arg(v.name(), v.value(), v.type(), v.domain(), v.minValue(),
                                            v.maxValue());
    for (const PerformanceVarInfo &v :
         stateOf<PerformanceTabState>(m_session->widget(widgets, PluginSession::Performance))
             .variables())
        lines << "%1 output %2 plot %3 [%4]"_s.arg(v.name())
                     .arg(v.output())
                     .arg(v.autoPlot())
                     .arg(v.unit());
    return lines.join(u'\n');
}

// The variables shown, briefly: each independent variable with its value and range, each
// reflection coefficient with its domain, each quantity, marked "-" when it is not output.
QString tst_EditorSessions::summary(TvlValue *widgets)
{
    const auto details =
        stateOf<VariableDetailsTabState>(m_session->widget(widgets, PluginSession::Details));
    QStringList independent, gammas, quantities;
    for (const IndepVarInfo &v : details.independentVariables().variables())
        independent << "%1=%2@%3..%4"_s.arg(v.name(), v.value(), v.minValue(), v.maxValue());
    for (const GammaVarInfo &v : details.gammaVariables().variables())
        gammas << v.name() + u':' + v.domain();
    for (const PerformanceVarInfo &v :
         stateOf<PerformanceTabState>(m_session->widget(widgets, PluginSession::Performance))
             .variables())
        quantities << v.name() + (v.output() ? QString() : "-"_s);
    return independent.join("; "_s) + " | "_s + gammas.join(u' ') + " | "_s + quantities.join(u' ');
}

// One step of a session: "+F" adds data file F as Add... does, "-F" removes it as Remove...
// does; "~F" deletes F on disk and "^F" writes it back, both noticed at the next addition or
// removal; "V=T" enters T in the value cell of variable V, and "!Q" toggles the output of
// quantity Q, when the editor shows them. Gives why a file step could not be taken; the
// settings learn what the step set.
QString tst_EditorSessions::play(TvlValue *widgets, const QString &step, Settings &settings)
{
    QWidget *fileTab = m_session->widget(widgets, PluginSession::File);
    const QString rest = step.mid(1);
    const QString path = "data/"_s + rest;
    switch (step.front().unicode()) {
    case '+':
        QMetaObject::invokeMethod(fileTab, "appendLoadPullFiles", Qt::DirectConnection,
                                  Q_ARG(QStringList, {path}));
        QMetaObject::invokeMethod(fileTab, "updateView", Qt::DirectConnection);
        return QString();
    case '-': {
        auto *rows = fileTab->findChild<QListWidget *>();
        const QList<QListWidgetItem *> found = rows->findItems(rest, Qt::MatchEndsWith);
        if (found.size() != 1)
            return "no single row lists "_s + rest;
        rows->setCurrentItem(found.first());
        QMetaObject::invokeMethod(rows, "deleteSelectedRow");
        return QString();
    }
    case '~':
        return QFile::remove(path) ? QString() : "cannot delete "_s + path;
    case '^': {
        QFile file(path);
        const QByteArray contents = dataFiles().value(rest);
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()
                   ? QString()
                   : "cannot write "_s + path;
    }
    case '!': {
        QWidget *performance = m_session->widget(widgets, PluginSession::Performance);
        auto *table = performance->findChild<QTableWidget *>();
        const int row =
            int(stateOf<PerformanceTabState>(performance).variables().keys().indexOf(rest));
        if (row < 0)
            return QString(); // nothing to toggle: no file has it

        QTableWidgetItem *output = table->item(row, 3);
        output->setCheckState(output->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        const PerformanceVarInfo chosen =
            stateOf<PerformanceTabState>(performance).variables().value(rest);
        settings.choices.insert(chosen.name(), {chosen.output(), chosen.autoPlot()});
        return QString();
    }
    default:
        break;
    }
    const QString name = step.section(u'=', 0, 0);
    const QString value = step.section(u'=', 1);
    QWidget *details = m_session->widget(widgets, PluginSession::Details);
    const auto variables = stateOf<VariableDetailsTabState>(details).independentVariables();
    const int row = int(variables.variables().keys().indexOf(name));
    QTableWidget *table = nullptr;
    for (QTableWidget *each : details->findChildren<QTableWidget *>())
        if (each->horizontalHeaderItem(1) && each->horizontalHeaderItem(1)->text() == "Value"_s)
            table = each;
    if (row < 0 || !(table->item(row, 1)->flags() & Qt::ItemIsEditable))
        return QString(); // nothing to set: no file has it, or it is frozen
    const QString before = table->item(row, 1)->text();
    table->item(row, 1)->setText(value); // as a committed editor does
    const IndepVarInfo now =
        stateOf<VariableDetailsTabState>(details).independentVariables().variableNamed(name);
    // Entering what the cell shows already changes nothing.
    if (now.value() == value && value != before) {
        const bool dbm = now.unit().compare("dBm"_s, Qt::CaseInsensitive) == 0;
        settings.values.insert(name,
                               dbm ? "dbmtow( %1 ) "_s.arg(value) : value + u' ' + now.unit());
    }
    return QString();
}

// Plays the steps on the component, then opens afresh the component the listed files and the
// user's settings make: both editors must show the same, and the session what is expected
// when given. What the session writes must open
// again to the same, and be written back unchanged. Gives the first difference found.
QString tst_EditorSessions::mismatchAfter(const Parameters &given, const QStringList &steps,
                                          const QString &expected)
{
    ModalDialogAnswerer boxes(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    const auto closeAll = qScopeGuard([this] {
        m_session->close();
        resetDataFiles();
    });
    TvlValue *session = m_session->open(given);
    if (!session)
        return "the component did not open"_s;
    Settings settings;
    for (const QString &step : steps) {
        const QString refused = play(session, step, settings);
        if (!refused.isEmpty())
            return step + ": "_s + refused;
    }
    if (!expected.isNull() && summary(session) != expected)
        return "the session shows\n%1\nnot\n%2"_s.arg(summary(session), expected);
    const Parameters written = m_session->accept(session);
    const QString shownBySession = shown(session);

    Parameters fresh = given;
    fresh.insert("FileName"_s, written.value("FileName"_s));
    for (auto it = settings.values.cbegin(); it != settings.values.cend(); ++it) {
        const int index = int(written.value("IndepVarName"_s).indexOf(it.key()));
        setEntry(fresh, "IndepVarName"_s, it.key(),
                 {{"IndepVarValue"_s, it.value()},
                  {"IndepVarUnitType"_s, written.value("IndepVarUnitType"_s).value(index)}});
    }
    for (auto it = settings.choices.cbegin(); it != settings.choices.cend(); ++it)
        setEntry(fresh, "PrfmParamName"_s, it.key(),
                 {{"PrfmParamOutput"_s, it->first ? "yes"_s : "no"_s},
                  {"PrfmParamAutoPlot"_s, it->second ? "yes"_s : "no"_s}});
    const QString shownFresh = shown(m_session->open(fresh));
    if (shownFresh != shownBySession)
        return "the session shows\n%1\nwhere a fresh opening shows\n%2"_s.arg(shownBySession,
                                                                              shownFresh);
    TvlValue *reopened = m_session->open(written);
    if (shown(reopened) != shownBySession)
        return "what the session wrote opens as\n%1\nnot\n%2"_s.arg(shown(reopened),
                                                                    shownBySession);
    const Parameters rewritten = m_session->accept(reopened);
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (rewritten.value(it.key()) != it.value())
            return "%1 is written back as %2, not %3"_s.arg(
                it.key(), rewritten.value(it.key()).join(u'|'), it.value().join(u'|'));
    }
    return QString();
}

void tst_EditorSessions::filesAndSettingsDecideInAnyOrder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected"); // as summary() gives it

    const auto row = [](const char *name, const char *files, const char *values, const char *steps,
                        const char *expected) {
        const auto words = [](const char *text) {
            return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
        };
        QTest::newRow(name) << words(files) << words(values) << words(steps)
                            << QString::fromUtf8(expected);
    };
    const char *const fromA = "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=%1@24..32 | "
                              "gamma_ld1:Rect-Real | Gain Pout-";
    const auto withVdd = [fromA](const char *value) {
        static QByteArray text;
        text = QString::fromUtf8(fromA).arg(QString::fromUtf8(value)).toUtf8();
        return text.constData();
    };
    row("a file lost, then another removed: the variables are held", "a.lp g.lp", "Vgg=-3_V",
        "~g.lp -a.lp", "Freq=freq@..; Vgg=-3@.. |  | Pout-");
    row("units that change across files: the value keeps its unit", "a.lp", "Vdd=28_V",
        "+b.lp -a.lp", "Freq=freq@1.8..2; Vdd=28 V@24000..32000 | gamma_ld1:Rect-Real | Pout-");
    row("a range that shrinks below the value", "a.lp x.lp", "Vdd=32_V", "-a.lp",
        "Freq=freq@1.8..2; Vdd=32@30..30 | gamma_ld1:Polar-Mag | PAE Pout-");
    row("a range that shrinks above the value", "a.lp x.lp", "Vdd=24_V", "-a.lp",
        "Freq=freq@1.8..2; Vdd=24@30..30 | gamma_ld1:Polar-Mag | PAE Pout-");
    row("held records drop the range of the removed file", "a.lp gone.lp", "", "-a.lp",
        "Freq=freq@.. |  | Pout-");
    row("a value set, its file removed and added back", "a.lp", "", "Vdd=32 -a.lp +a.lp",
        withVdd("32"));
    row("the list emptied and a file added", "a.lp x.lp", "Vdd=32_V", "-a.lp -x.lp +a.lp",
        withVdd("32"));
    row("a file that vanishes is noticed at the next addition", "a.lp g.lp", "", "~g.lp +x.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32 | gamma_ld1:Rect-Real | "
        "Gain PAE Pout-");
    row("a lost file found again", "a.lp g.lp", "", "~g.lp +x.lp ^g.lp -x.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32; Vgg=-3@-3..-2 | "
        "gamma_ld1:Rect-Real gamma_src1:Rect-Real | Gain Id Pout-");
    row("the reflection coefficient follows the files' declaration", "x.lp a.lp", "", "-x.lp",
        withVdd("24"));
    row("an output choice survives its quantity's absence", "a.lp x.lp", "", "!PAE -x.lp +x.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32 | gamma_ld1:Rect-Real | "
        "Gain PAE- Pout-");
    row("a component without files keeps its settings for the files added", "", "Vdd=30000_mV",
        "+x.lp", "Freq=freq@1.8..2; Vdd=30000 mV@30..30 | gamma_ld1:Polar-Mag | PAE Pout-");
    row("a list the component lacks is written for the variables it names", "a.lp g.lp x.lp",
        "Vgg=-3_V", "-a.lp ~x.lp -g.lp +a.lp",
        "Freq=freq@1.8..2; Pin_avail=10@10..18; Vdd=24@24..32; Vgg=-3@.. | "
        "gamma_ld1:Rect-Real | Gain Pout-");
}

void tst_EditorSessions::filesAndSettingsDecideInAnyOrder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, values);
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    const QString mismatch =
        mismatchAfter(component(files, values.replaceInStrings("_"_s, " "_s)), steps, expected);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

// Random sessions over the four files; a failing one is shrunk to the fewest steps that still
// fail, which then belongs in the rows above.
void tst_EditorSessions::randomSessions()
{
    QRandomGenerator random(20261207);
    const QStringList names = dataFiles().keys();
    auto pick = [&random](const QStringList &from) {
        return from.at(int(random.bounded(quint32(from.size()))));
    };
    for (int round = 0; round < 400; ++round) {
        QStringList listed;
        for (const QString &file : names)
            if (random.bounded(2))
                listed.append(file);
        const QStringList initial = listed;
        QStringList onDisk = names;
        const QStringList values = pick({"Vdd=28 V"_s, "Vdd=32 V"_s, "Vdd=30000 mV"_s, "Vgg=-3 V"_s,
                                         "Pin_avail=dbmtow( 14 ) "_s, QString()})
                                       .split(u'|', Qt::SkipEmptyParts);
        QStringList steps;
        for (int n = int(random.bounded(1, 7)); n > 0; --n) {
            const int kind = int(random.bounded(5));
            const QString file = pick(names);
            if (kind == 0 && onDisk.contains(file) && listed.contains(file)) {
                steps << "~"_s + file;
                onDisk.removeOne(file);
            } else if (kind == 1 && !onDisk.contains(file)) {
                steps << "^"_s + file;
                onDisk.append(file);
            } else if (kind == 2) {
                steps << pick({"Vdd=30"_s, "Vdd=26"_s, "Vdd=Vsupply"_s, "Pin_avail=12"_s,
                               "Vgg=-2"_s, "!Pout"_s, "!PAE"_s});
                continue;
            }
            // A change on disk is noticed at the next addition or removal.
            const QString next = pick(names);
            if (listed.contains(next)) {
                steps << "-"_s + next;
                listed.removeOne(next);
            } else if (onDisk.contains(next)) {
                steps << "+"_s + next;
                listed.append(next);
            }
        }
        // A session plays every step as a user could, and changes nothing on disk that no
        // later addition or removal notices: so must a shrunk one.
        const auto plays = [&](const QStringList &candidate) {
            QStringList files = initial;
            QStringList present = names;
            bool pending = false;
            for (const QString &step : candidate) {
                const QString file = step.mid(1);
                const QChar verb = step.front();
                if ((verb == u'+' && (files.contains(file) || !present.contains(file))) ||
                    (verb == u'-' && !files.contains(file)) ||
                    (verb == u'~' && !present.contains(file)) ||
                    (verb == u'^' && present.contains(file)))
                    return false;
                if (verb == u'+')
                    files.append(file);
                else if (verb == u'-')
                    files.removeOne(file);
                else if (verb == u'~')
                    present.removeOne(file);
                else if (verb == u'^')
                    present.append(file);
                pending = verb == u'~' || verb == u'^' || (pending && verb != u'+' && verb != u'-');
            }
            return !pending;
        };
        if (!plays(steps))
            continue;
        const Parameters given = component(initial, values);
        QStringList failing = steps;
        QString mismatch = mismatchAfter(given, failing);
        if (mismatch.isEmpty())
            continue;
        for (int i = int(failing.size()) - 1; i >= 0; --i) {
            QStringList fewer = failing;
            fewer.removeAt(i);
            if (!plays(fewer))
                continue;
            const QString still = mismatchAfter(given, fewer);
            if (!still.isEmpty() && !still.contains(": "_s)) {
                failing = fewer;
                mismatch = still;
            }
        }
        QFAIL(qPrintable("files %1, values %2, steps %3:\n%4"_s.arg(
            initial.join(u' '), values.join(u' '), failing.join(u' '), mismatch)));
    }
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
    Parameters given = component({}, {"Vdd=28 V"_s});
    given.insert("FileName"_s, {"data/link.lp"_s});
    TvlValue *widgets = m_session->open(given);
    QCOMPARE(m_session->accept(widgets).value("FileName"_s), QStringList{"data/link.lp"_s});
    Settings settings;
    QCOMPARE(play(widgets, "+x.lp"_s, settings), QString());
    QCOMPARE(m_session->accept(widgets).value("FileName"_s),
             QStringList({"data/link.lp"_s, QDir::current().absoluteFilePath("data/x.lp"_s)}));
    QCOMPARE(boxes.dialogsForcedClosed(), 0);
}

QTEST_MAIN(tst_EditorSessions)
#include "tst_editorsessions.moc"
