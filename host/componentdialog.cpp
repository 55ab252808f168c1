#include "componentdialog.h"

#include "datafileviewer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The property by which the editor's controls name an entry they refused unseen. A host knows
// the editor only by what it documents, so the name stands here again.
constexpr char RefusedEntryProperty[] = "refusedEntry";

enum EditorWidget {
    Container,
    FileTab,
    DetailsTab,
    PerformanceTab,
    InterpolationTab,
    SyncWidget,
    ParametersTab,
    OptimizationTab,
    TermTab,
    EditorWidgetCount
};

// The script strings of a command, with their escapes undone.
QStringList scriptStrings(const QString &arguments)
{
    static const QRegularExpression quoted(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    static const QRegularExpression escape(QStringLiteral(R"re(\\(.))re"));
    QStringList strings;
    for (auto it = quoted.globalMatch(arguments); it.hasNext();)
        strings.append(it.next().captured(1).replace(escape, QStringLiteral("\\1")));
    return strings;
}

// A page keeps the room its controls and notes need: where the dialog is too small for them,
// the page scrolls rather than squeezing them.
QWidget *scrolled(QWidget *page)
{
    auto *area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

ComponentDialog::ComponentDialog(const QList<QWidget *> &editorWidgets, QWidget *parent)
    : QDialog(parent)
    , m_tabs(new QTabWidget)
    , m_sweepLabel(new QLabel(tr("Frequency sweep: not set")))
{
    Q_ASSERT(editorWidgets.size() == EditorWidgetCount);
    setWindowTitle(tr("DataBasedLoadPull"));
    m_tabs->addTab(scrolled(editorWidgets.at(FileTab)), tr("File"));
    m_tabs->addTab(scrolled(editorWidgets.at(DetailsTab)), tr("Variables"));
    m_tabs->addTab(scrolled(editorWidgets.at(PerformanceTab)), tr("Performance"));
    m_tabs->addTab(scrolled(editorWidgets.at(InterpolationTab)), tr("Interpolation"));
    m_tabs->addTab(scrolled(analysisPage(editorWidgets)), tr("Analysis"));
    m_tabs->addTab(scrolled(editorWidgets.at(TermTab)), tr("Term"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Cancel says what to do with the edits; only the other ways out ask.
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { QDialog::reject(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(editorWidgets.at(Container));
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    resize(openingSize());
}

// Large enough for every page as laid out without scrolling, within the screen: the pages
// scroll only where notes or a small screen ask for more room.
QSize ComponentDialog::openingSize()
{
    QSize pages;
    for (int i = 0; i < m_tabs->count(); ++i)
        pages =
            pages.expandedTo(static_cast<QScrollArea *>(m_tabs->widget(i))->widget()->sizeHint());
    const QSize around = sizeHint() - m_tabs->sizeHint() + m_tabs->tabBar()->sizeHint() +
                         QSize(0, 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    QSize wanted = (pages + QSize(around.width(), around.height())).expandedTo(QSize(760, 520));
    if (const QScreen *screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    return wanted;
}

QWidget *ComponentDialog::analysisPage(const QList<QWidget *> &editorWidgets)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(editorWidgets.at(SyncWidget));
    layout->addWidget(m_sweepLabel);
    layout->addWidget(editorWidgets.at(ParametersTab));
    layout->addWidget(editorWidgets.at(OptimizationTab));
    layout->addStretch(1);
    return page;
}

void ComponentDialog::setChangesCheck(std::function<bool()> hasChanges)
{
    m_hasChanges = std::move(hasChanges);
}

// Ends the edit in progress as the focus leaving it does. False when a control then holds an
// entry it refused unseen: the dialog shows it and stays open, and the next try closes.
bool ComponentDialog::endEdit()
{
    if (QWidget *focus = focusWidget())
        focus->clearFocus();
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->property(RefusedEntryProperty).toString().isEmpty())
            continue;
        control->setProperty(RefusedEntryProperty, QString());
        showControl(control);
        return false;
    }
    return true;
}

void ComponentDialog::showControl(QWidget *control)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (!m_tabs->widget(i)->isAncestorOf(control))
            continue;
        m_tabs->setCurrentIndex(i);
        static_cast<QScrollArea *>(m_tabs->widget(i))->ensureWidgetVisible(control);
    }
    control->setFocus(Qt::OtherFocusReason);
}

// Gives the focus back to a control, or where its edit has closed (a table cell's editor),
// to the nearest enclosing control that takes it.
void ComponentDialog::refocus(QWidget *control)
{
    while (control && (!control->isVisible() || control->focusPolicy() == Qt::NoFocus))
        control = control->parentWidget();
    if (control && control != this)
        control->setFocus(Qt::OtherFocusReason);
}

void ComponentDialog::accept()
{
    if (endEdit())
        QDialog::accept();
}

// Escape and the window's close button come here: a second Escape after the one that ended a
// cell edit must not throw the edits away unasked.
void ComponentDialog::reject()
{
    const QPointer<QWidget> focus = focusWidget();
    if (!endEdit())
        return;
    if (!m_hasChanges || !m_hasChanges()) {
        QDialog::reject();
        return;
    }
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("The component's settings were changed. Save the changes?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        accept();
        break;
    case QMessageBox::Discard:
        QDialog::reject();
        break;
    default: // Cancel: the editing goes on where it was
        refocus(focus);
        break;
    }
}

QString ComponentDialog::sweepText() const
{
    return m_sweepLabel->text();
}

void ComponentDialog::runCommand(const std::string &, const std::string &command)
{
    const QString text = QString::fromLatin1(command.c_str()).trimmed();
    const int open = text.indexOf(QLatin1Char('('));
    const QString name = text.left(open).trimmed();
    const QString arguments = text.mid(open + 1);
    if (name == QLatin1String("dblp_make_all_tabs_sensitive"))
        setEditingTabsEnabled(true);
    else if (name == QLatin1String("dblp_make_all_but_file_tab_insensitive"))
        setEditingTabsEnabled(false);
    else if (name == QLatin1String("dblp_init_sweep_group"))
        showSweepGroup(arguments);
    else if (name == QLatin1String("de_invoke_text_editor"))
        openTextEditor(arguments);
}

void ComponentDialog::setEditingTabsEnabled(bool enabled)
{
    for (int i = 1; i < m_tabs->count(); ++i)
        m_tabs->setTabEnabled(i, enabled);
}

void ComponentDialog::showSweepGroup(const QString &arguments)
{
    const QStringList bounds = scriptStrings(arguments);
    if (bounds.size() >= 2)
        m_sweepLabel->setText(tr("Frequency sweep: %1 to %2, from the data files")
                                  .arg(bounds.at(0).trimmed(), bounds.at(1).trimmed()));
    else
        m_sweepLabel->setText(tr("Frequency sweep: unbounded"));
}

void ComponentDialog::openTextEditor(const QString &arguments)
{
    const QStringList strings = scriptStrings(arguments);
    if (strings.isEmpty())
        return;
    auto *viewer = new DataFileViewer(strings.last(), this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
}
