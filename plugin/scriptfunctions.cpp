#include "scriptfunctions.h"

#include "alltabswidget.h"
#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "elidedtext.h"
#include "filetabwidget.h"
#include "interfaceholder.h"
#include "interpolationtabwidget.h"
#include "loadpulldatalibrary.h"
#include "parametermapping.h"
#include "performancetabwidget.h"
#include "plainmessagebox.h"
#include "termtabwidget.h"
#include "tvlinterface.h"

#include <QApplication>
#include <QString>

#include <array>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>

using namespace LoadPullStateUtils;

namespace {

constexpr int ListKind = 9;
constexpr int WidgetCount = 9;

bool hasApplication()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

// Argument `index` of the call in progress as text, or nothing when the host passed
// no text there. The argument is given back to the host once read.
std::optional<QString> textArgument(TvlInterface *tvl, TvlValue *arguments, int index)
{
    TvlValue *value = nullptr;
    if (!tvl->GetArgument(index, arguments, &value) || !value)
        return std::nullopt;
    std::optional<QString> text;
    if (tvl->GetTextLength(value) > 0) {
        if (const auto *data = static_cast<const char *>(tvl->GetValueData(value)))
            text = QString::fromLatin1(data);
    }
    tvl->ReleaseValue(value);
    return text;
}

// What both editor functions start with: the host's widget type and the one argument.
struct EditorCall
{
    TvlInterface *tvl = nullptr;
    int widgetType = 0;
    TvlValue *argument = nullptr;
};

std::optional<EditorCall> openEditorCall()
{
    EditorCall call;
    call.tvl = InterfaceHolder::instance().tvlInterface();
    if (!call.tvl || !hasApplication())
        return std::nullopt;
    call.widgetType = call.tvl->FindUserType("QtWidget");
    if (call.widgetType == 0)
        return std::nullopt;
    TvlValue *arguments = call.tvl->GetArgumentList();
    call.tvl->PrepareArguments(0);
    if (!call.tvl->GetArgument(0, arguments, &call.argument) || !call.argument)
        return std::nullopt;
    return call;
}

// The widget at `index` of a widget list, when it is one of the host's widget values
// holding a widget of class T; null for anything else.
template<typename T> T *widgetAt(const EditorCall &call, int index)
{
    TvlValue *element = call.tvl->GetListElement(call.argument, index);
    if (!element || call.tvl->GetUserType(element) != call.widgetType)
        return nullptr;
    auto *stored = static_cast<QWidget **>(call.tvl->GetValueData(element));
    if (!stored || !*stored)
        return nullptr;
    return qobject_cast<T *>(*stored);
}

// The state of the tab at `index`, or the record's defaults when it cannot be read.
template<typename T, typename State> State tabState(const EditorCall &call, int index)
{
    T *tab = widgetAt<T>(call, index);
    return tab ? tab->state() : State();
}

TvlValue *showMessage()
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl)
        return nullptr;
    TvlValue *arguments = tvl->GetCallArguments();
    const std::optional<QString> title = textArgument(tvl, arguments, 0);
    const std::optional<QString> message = title ? textArgument(tvl, arguments, 1) : std::nullopt;
    if (title && message)
        PlainMessageBox::show(QMessageBox::Warning, nullptr, elidedText(*title),
                              elidedLines(*message), QMessageBox::Yes);
    return tvl->MakeVoidValue();
}

TvlValue *closeDataLibrary()
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl)
        return nullptr;
    LoadPullDataLibrary::releaseCache();
    return tvl->MakeVoidValue();
}

TvlValue *makeEditor()
{
    const std::optional<EditorCall> call = openEditorCall();
    if (!call)
        return nullptr;
    DBLPCState state(false);
    QStringList warnings;
    if (!parametersToState(call->argument, state, &warnings))
        return nullptr;
    for (const QString &warning : qAsConst(warnings))
        PlainMessageBox::show(QMessageBox::Warning, QApplication::activeWindow(),
                              QStringLiteral("DataBasedLoadPull"), warning);

    auto *editor = new AllTabsWidget(state);
    const std::array<QWidget *, WidgetCount> widgets = {
        editor,
        editor->fileTabWidget(),
        editor->detailsTabWidget(),
        editor->performanceParametersTabWidget(),
        editor->interpolationTabWidget(),
        editor->analysisFrequencyRangeSyncWidget(),
        editor->analysisParametersTabWidget(),
        editor->analysisOptimizationTabWidget(),
        editor->termTabWidget(),
    };
    TvlValue *list = call->tvl->MakeList(WidgetCount);
    for (int i = 0; i < WidgetCount; ++i)
        call->tvl->SetListElement(list, i,
                                  call->tvl->MakeUserValue(call->widgetType, widgets[size_t(i)]));
    return list;
}

TvlValue *readEditor()
{
    const std::optional<EditorCall> call = openEditorCall();
    if (!call || call->tvl->GetValueKind(call->argument) != ListKind)
        return nullptr;

    const AllTabsWidget *editor = widgetAt<AllTabsWidget>(*call, 0);
    DBLPCState working = editor ? editor->state() : DBLPCState();
    working.setFileTabState(tabState<FileTabWidget, FileTabState>(*call, 1));
    working.setDetailsTabState(tabState<DetailsTabWidget, VariableDetailsTabState>(*call, 2));
    working.setPerformanceState(tabState<PerformanceTabWidget, PerformanceTabState>(*call, 3));
    working.setInterpolationTabState(
        tabState<InterpolationTabWidget, InterpolationTabState>(*call, 4));
    working.setAnalysisFrequencyRangeSyncState(
        tabState<AnalysisFrequencyRangeSyncWidget, AnalysisFrequencyRangeSyncState>(*call, 5));
    working.setAnalysisParametersTabState(
        tabState<AnalysisParametersTabWidget, AnalysisParametersTabState>(*call, 6));
    working.setAnalysisOptimizationTabState(
        tabState<AnalysisOptimizationTabWidget, AnalysisOptimizationTabState>(*call, 7));
    working.setTermTabState(tabState<TermTabWidget, TermTabState>(*call, 8));
    return stateToParameters(working);
}

// What a failed call answers: no value, or the void value for the functions that always
// answer it. Nothing may be thrown from here either.
TvlValue *noValue() noexcept
{
    return nullptr;
}

TvlValue *voidValue() noexcept
{
    try {
        TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
        return tvl ? tvl->MakeVoidValue() : nullptr;
    } catch (...) {
        return nullptr;
    }
}

void reportFailure(const char *function, const char *reason) noexcept
{
    try {
        if (HostServices *host = InterfaceHolder::instance().hostServices()) {
            // A fixed buffer: the failure may be a lack of memory.
            char text[256];
            std::snprintf(text, sizeof text, "LoadPullPlugin: %s failed: %s", function, reason);
            host->ReportError(text);
        }
    } catch (...) {
    }
}

// The host is never taken down by a script function: whatever the call throws, a lack of
// memory above all (a parameter of a gigabyte), is reported and answered as a failed call.
TvlValue *guarded(const char *function, TvlValue *(*call)(), TvlValue *(*failure)()) noexcept
{
    try {
        return call();
    } catch (const std::bad_alloc &) {
        reportFailure(function, "out of memory");
    } catch (const std::exception &error) {
        reportFailure(function, error.what());
    } catch (...) {
        reportFailure(function, "an unknown error");
    }
    return failure();
}

} // namespace

TvlValue *load_pull_show_message()
{
    return guarded("load_pull_show_message", showMessage, voidValue);
}

TvlValue *load_pull_closeDataBasedLoadpullUI()
{
    return guarded("load_pull_closeDataBasedLoadpullUI", closeDataLibrary, voidValue);
}

TvlValue *load_pull_getAllTabWidgets()
{
    return guarded("load_pull_getAllTabWidgets", makeEditor, noValue);
}

TvlValue *load_pull_getDBLPState()
{
    return guarded("load_pull_getDBLPState", readEditor, noValue);
}
