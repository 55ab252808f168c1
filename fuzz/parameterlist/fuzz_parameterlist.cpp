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

#include <cstddef>
#include <cstdint>
#include <cstdio>

using LoadPullStateUtils::DBLPCState;
using Parameters = HostParameterLists::Parameters;

namespace {

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

// A list the import takes, written out and read back, gives the same 28 entries and the
// same state; a list it refuses leaves the state untouched.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ReferenceTvlInterface tvl;
    InterfaceHolder::instance().store(&tvl);
    InterfaceHolder::instance().accept();

    DBLPCState first(false);
    if (!LoadPullStateUtils::parametersToState(
            hostList(tvl, QByteArray(reinterpret_cast<const char *>(data), int(size))), first)) {
        LP_FUZZ_CHECK(first == DBLPCState(false));
        return 0;
    }
    const Parameters once = written(tvl, first);
    DBLPCState second(false);
    LP_FUZZ_CHECK(
        LoadPullStateUtils::parametersToState(HostParameterLists::make(tvl, once), second));
    const Parameters twice = written(tvl, second);
    LP_FUZZ_CHECK(twice == once);
    DBLPCState third(false);
    LP_FUZZ_CHECK(
        LoadPullStateUtils::parametersToState(HostParameterLists::make(tvl, twice), third));
    LP_FUZZ_CHECK(third == second);
    LP_FUZZ_CHECK(tvl.faults().empty());
    InterfaceHolder::instance().store(nullptr);
    return 0;
}
