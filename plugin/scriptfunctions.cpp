#include "scriptfunctions.h"

#include "interfaceholder.h"
#include "loadpulldatalibrary.h"
#include "tvlinterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <optional>

namespace {

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

void showWarning(const QString &title, const QString &message)
{
    // Widgets need the host's QApplication; without one there is nothing to show on.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Yes);
    box.setDefaultButton(QMessageBox::Yes);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

TvlValue *load_pull_show_message()
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl)
        return nullptr;
    TvlValue *arguments = tvl->GetCallArguments();
    const std::optional<QString> title = textArgument(tvl, arguments, 0);
    const std::optional<QString> message = title ? textArgument(tvl, arguments, 1) : std::nullopt;
    if (title && message)
        showWarning(*title, *message);
    return tvl->MakeVoidValue();
}

TvlValue *load_pull_closeDataBasedLoadpullUI()
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl)
        return nullptr;
    LoadPullDataLibrary::releaseCache();
    return tvl->MakeVoidValue();
}

TvlValue *load_pull_getAllTabWidgets()
{
    return nullptr;
}

TvlValue *load_pull_getDBLPState()
{
    return nullptr;
}
