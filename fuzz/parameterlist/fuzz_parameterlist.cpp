// The plug-in's import of a component's parameter list, on lists of any shape, with its
// message boxes shown and answered at once.
//
// The bytes, read as Latin-1 lines, become a host list built the way the host builds
// them. Line 1 is the header's entry count; every further line is an entry
// "name|count|value|value...". A field is a text, except "\i<digits>" (an integer), "\v" (a
// void value), "\u" (a user value) and "\l" (an empty list); the count "*" is the number of
// values given. A line "\" is an entry that is no list.

#include "dblpcstate.h"
#include "fuzzcheck.h"
#include "hostparameterlists.h"
#include "interfaceholder.h"
#include "parametermapping.h"
#include "referencetvlinterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

#include <cstddef>
#include <cstdint>
#include <cstdio>

using LoadPullStateUtils::DBLPCState;
using Parameters = HostParameterLists::Parameters;

namespace {

bool isTextField(const QString &field)
{
    return !field.startsWith(QLatin1String("\\i")) && field != QLatin1String("\\v") &&
           field != QLatin1String("\\u") && field != QLatin1String("\\l");
}

TvlValue *fieldValue(ReferenceTvlInterface &tvl, const QString &field)
{
    if (field.startsWith(QLatin1String("\\i")))
        return tvl.MakeInteger(field.mid(2).toInt());
    if (field == QLatin1String("\\v"))
        return tvl.MakeVoidValue();
    if (field == QLatin1String("\\u"))
        return tvl.MakeUserValue(ReferenceTvlInterface::QtWidgetType, nullptr);
    if (field == QLatin1String("\\l"))
        return tvl.makeList({});
    return tvl.MakeString(field.toLatin1().constData());
}

TvlValue *entry(ReferenceTvlInterface &tvl, const QString &line)
{
    if (line == QLatin1String("\\"))
        return tvl.MakeString("no entry");
    QStringList fields = line.split(QLatin1Char('|'));
    TvlValue *name = fieldValue(tvl, fields.takeFirst());
    const QString count = fields.isEmpty() ? QString() : fields.takeFirst();
    std::vector<TvlValue *> values;
    for (const QString &field : qAsConst(fields))
        values.push_back(fieldValue(tvl, field));
    TvlValue *countValue =
        count == QLatin1String("*") ? tvl.MakeInteger(int(values.size())) : fieldValue(tvl, count);
    return tvl.makeList({name, countValue, tvl.makeList(values)});
}

TvlValue *hostList(ReferenceTvlInterface &tvl, const QByteArray &bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    std::vector<TvlValue *> elements = {tvl.makeList(
        {fieldValue(tvl, lines.takeFirst()), tvl.MakeString("DBLP1"), tvl.makeList({})})};
    for (const QString &line : qAsConst(lines))
        elements.push_back(entry(tvl, line));
    return tvl.makeList(elements);
}

// The texts the host list holds, by the harness's own reading of its lines: an entry counts
// when its name is a text and its count an integer, not below 0; it holds as many of its
// values as the count and the values allow, any that is no text as the empty text. A later
// entry of a name replaces an earlier one.
Parameters heldTexts(const QByteArray &bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    const QString header = lines.takeFirst();
    const int entries = header.startsWith(QLatin1String("\\i")) ? header.mid(2).toInt() : 0;
    Parameters held;
    for (int i = 0; i < entries && i < lines.size(); ++i) {
        QStringList fields = lines.at(i).split(QLatin1Char('|'));
        const QString name = fields.takeFirst();
        const QString count = fields.isEmpty() ? QString() : fields.takeFirst();
        const bool isText = !name.isEmpty() && isTextField(name);
        const int n = count == QLatin1String("*") ? int(fields.size()) : count.mid(2).toInt();
        if (lines.at(i) == QLatin1String("\\") || !isText ||
            !(count == QLatin1String("*") || count.startsWith(QLatin1String("\\i"))) || n < 0)
            continue;
        QStringList texts;
        for (int j = 0; j < n && j < fields.size(); ++j)
            texts.append(isTextField(fields.at(j)) ? fields.at(j) : QString());
        held.insert(name, texts);
    }
    return held;
}

// The state without the texts it was read from: it writes the editor's own texts.
DBLPCState ownTexts(DBLPCState state)
{
    state.setEntries(LoadPullStateUtils::ComponentEntries());
    return state;
}

QString unquoted(const QString &text)
{
    const QChar quote(QLatin1Char('"'));
    if (text.size() >= 2 && text.startsWith(quote) && text.endsWith(quote))
        return text.mid(1, text.size() - 2);
    return text;
}

// The per-variable parameters, the first of each naming the variables.
const QList<QStringList> Groups = {
    {QStringLiteral("IndepVarName"), QStringLiteral("IndepVarValue"),
     QStringLiteral("IndepVarUnitType")},
    {QStringLiteral("GammaName"), QStringLiteral("GammaType"), QStringLiteral("GammaDomain"),
     QStringLiteral("GammaValue"), QStringLiteral("GammaHarmIndex")},
    {QStringLiteral("PrfmParamName"), QStringLiteral("PrfmParamOutput"),
     QStringLiteral("PrfmParamAutoPlot"), QStringLiteral("PrfmParamType")}};

// With no data file read, every variable the component names is held and written once, in the
// place the component last names it, with every entry the lists give it there, as it stands;
// the frequency variable goes as such, not among the others.
void checkVariablesComeBack(const Parameters &held, const Parameters &once)
{
    const QString frequency = unquoted(held.value(QStringLiteral("FreqVarName")).value(0));
    for (const QStringList &group : Groups) {
        QStringList names;
        for (const QString &name : held.value(group.first()))
            names.append(unquoted(name));
        QStringList expected;
        for (int i = 0; i < names.size(); ++i) {
            const bool isFrequency =
                group.first() == QLatin1String("IndepVarName") && names.at(i) == frequency;
            if (!names.at(i).isEmpty() && names.lastIndexOf(names.at(i)) == i && !isFrequency)
                expected.append(held.value(group.first()).at(i));
        }
        LP_FUZZ_CHECK(once.value(group.first()) == expected);
        for (int w = 0; w < expected.size(); ++w) {
            const int s = int(names.lastIndexOf(unquoted(expected.at(w))));
            for (const QString &list : group) {
                const QStringList texts = held.value(list);
                if (s < texts.size())
                    LP_FUZZ_CHECK(once.value(list).value(w) == texts.at(s));
            }
        }
    }
}

Parameters written(ReferenceTvlInterface &tvl, const DBLPCState &state)
{
    bool headerMatches = false;
    const Parameters parameters =
        HostParameterLists::read(tvl, LoadPullStateUtils::stateToParameters(state), &headerMatches);
    LP_FUZZ_CHECK(headerMatches);
    LP_FUZZ_CHECK(parameters.size() == 28);
    return parameters;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Every box would print the offscreen platform's warnings: they drown the fuzzer's own.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    static QApplication application(*argc, *argv);
    static QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    boxCloser.start(0);
    return 0;
}

// A list the import takes comes back from the editor that changed nothing with every text it
// holds, as it stands (a text no control can show is shown as stored, and kept); the editor's own
// texts, written out and read back, give the same 28 entries and the same state. A list it refuses
// leaves the state untouched.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ReferenceTvlInterface tvl;
    InterfaceHolder::instance().store(&tvl);
    InterfaceHolder::instance().accept();

    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    DBLPCState first(false);
    if (!LoadPullStateUtils::parametersToState(hostList(tvl, bytes), first)) {
        LP_FUZZ_CHECK(first == DBLPCState(false));
        return 0;
    }
    const Parameters once = written(tvl, first);
    const Parameters held = heldTexts(bytes);
    for (auto it = held.cbegin(); it != held.cend(); ++it) {
        const bool perVariable =
            std::any_of(Groups.cbegin(), Groups.cend(),
                        [&it](const QStringList &group) { return group.contains(it.key()); });
        if (!once.contains(it.key()) || perVariable || it.key() == QLatin1String("FileName"))
            continue;
        LP_FUZZ_CHECK(once.value(it.key()) == *it);
    }
    QStringList files;
    for (const QString &file : held.value(QStringLiteral("FileName")))
        if (!unquoted(file).isEmpty())
            files.append(unquoted(file));
    QStringList filesBack;
    for (const QString &file : once.value(QStringLiteral("FileName")))
        filesBack.append(unquoted(file));
    LP_FUZZ_CHECK(filesBack == files);
    checkVariablesComeBack(held, once);
    // The editor's own texts read back as themselves.
    const Parameters own = written(tvl, ownTexts(first));
    DBLPCState second(false);
    LP_FUZZ_CHECK(
        LoadPullStateUtils::parametersToState(HostParameterLists::make(tvl, own), second));
    const Parameters twice = written(tvl, ownTexts(second));
    LP_FUZZ_CHECK(twice == own);
    DBLPCState third(false);
    LP_FUZZ_CHECK(
        LoadPullStateUtils::parametersToState(HostParameterLists::make(tvl, twice), third));
    LP_FUZZ_CHECK(ownTexts(third) == ownTexts(second));
    LP_FUZZ_CHECK(tvl.faults().empty());
    InterfaceHolder::instance().store(nullptr);
    return 0;
}
