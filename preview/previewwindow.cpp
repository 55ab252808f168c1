#include "previewwindow.h"

#include "pickedvalues.h"
#include "previewchartview.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Closing waits at most this long for a chart in the making, then leaves it to end alone.
constexpr unsigned long ClosingWait = 3000;

const QString None = QStringLiteral("none");

} // namespace

PreviewWindow::PreviewWindow(SettingsSource settings, QWidget *editor)
    : QWidget(editor, Qt::Window)
    , m_settings(std::move(settings))
    , m_editorWindow(editor->window())
    , m_frequency(new QComboBox)
    , m_file(new QComboBox)
    , m_first(new QComboBox)
    , m_second(new QComboBox)
    , m_picked(new QLineEdit)
    , m_view(new PreviewChartView)
    , m_note(new QLabel)
    , m_busy(new QLabel)
    , m_followTimer(new QTimer(this))
    , m_thread(new QThread)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(tr("Preview of the data at the held settings"));
    qRegisterMetaType<PreviewWorker::Outcome>();
    qRegisterMetaType<std::shared_ptr<const SmithChartRenderer>>();
    makeControls();
    m_followTimer->setSingleShot(true);
    m_followTimer->setInterval(0);
    connect(m_followTimer, &QTimer::timeout, this, &PreviewWindow::requestChart);
    m_editorWindow->installEventFilter(this);
    startWorker();
    followEditor();
}

PreviewWindow::~PreviewWindow()
{
    m_latest->store(-1);
    m_thread->quit();
    if (m_thread->wait(ClosingWait))
        delete m_thread;
    else
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
}

void PreviewWindow::makeControls()
{
    m_frequency->setEditable(true);
    m_frequency->setObjectName(QStringLiteral("PreviewFrequency"));
    m_file->setObjectName(QStringLiteral("PreviewFile"));
    m_first->setObjectName(QStringLiteral("PreviewFirstQuantity"));
    m_second->setObjectName(QStringLiteral("PreviewSecondQuantity"));
    m_picked->setObjectName(QStringLiteral("PreviewPicked"));
    m_picked->setPlaceholderText(tr("e.g. Pin_avail=20"));
    m_view->setObjectName(QStringLiteral("PreviewChart"));
    m_note->setObjectName(QStringLiteral("PreviewNote"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The line holds two boxes, so its label names the first as its buddy itself.
    auto *contoursLabel = new QLabel(tr("&Contours of:"));
    contoursLabel->setBuddy(m_first);
    m_busy->setMinimumHeight(m_busy->fontMetrics().height());
    auto *contours = new QHBoxLayout;
    contours->addWidget(m_first, 1);
    contours->addWidget(m_second, 1);
    auto *choices = new QFormLayout;
    choices->addRow(tr("&Frequency:"), m_frequency);
    choices->addRow(tr("F&ile:"), m_file);
    choices->addRow(contoursLabel, contours);
    choices->addRow(tr("&Values for the preview alone:"), m_picked);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_busy);
    layout->addWidget(m_note);
    // Only the user's own choices are taken: filling the lists chooses nothing.
    const auto choose = [this](QString *choice, QComboBox *box) {
        connect(box, &QComboBox::textActivated, this, [this, choice](const QString &text) {
            *choice = text;
            followEditor();
        });
    };
    choose(&m_chosenFrequency, m_frequency);
    choose(&m_chosenFile, m_file);
    connect(m_frequency->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        m_chosenFrequency = m_frequency->currentText();
        m_frequency->lineEdit()->setModified(false);
        followEditor();
    });
    connect(m_first, &QComboBox::textActivated, this, &PreviewWindow::chooseContours);
    connect(m_second, &QComboBox::textActivated, this, &PreviewWindow::chooseContours);
    connect(m_picked, &QLineEdit::editingFinished, this, &PreviewWindow::followEditor);
    connect(m_view, &PreviewChartView::resized, this, &PreviewWindow::repaintChart);
}

void PreviewWindow::chooseContours()
{
    m_chosenContours = QStringList{m_first->currentText(), m_second->currentText()};
    followEditor();
}

void PreviewWindow::startWorker()
{
    auto *worker = new PreviewWorker(m_latest);
    worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &PreviewWorker::charted, this, &PreviewWindow::display);
    connect(worker, &PreviewWorker::painted, this, &PreviewWindow::showPicture);
    m_thread->start();
    m_worker = worker;
}

void PreviewWindow::present()
{
    if (!isVisible() && m_editorWindow)
        move(m_editorWindow->frameGeometry().topRight() + QPoint(8, 0));
    QWidget::show();
    raise();
    activateWindow();
}

void PreviewWindow::followEditor()
{
    m_followTimer->start();
}

void PreviewWindow::requestChart()
{
    PreviewCharter::Request request;
    request.settings = m_settings();
    request.folder = QDir::current();
    request.frequency = m_chosenFrequency;
    request.file = m_chosenFile;
    for (const QString &quantity : qAsConst(m_chosenContours)) {
        if (quantity != None && !quantity.isEmpty())
            request.contoured << quantity;
    }
    if (!m_chosenContours.isEmpty() && request.contoured.isEmpty())
        request.contoured << None;
    PickedValues::apply(m_picked->text(), request);
    const int number = ++*m_latest;
    m_busy->setText(tr("Updating..."));
    const QSize size = m_view->size();
    const qreal ratio = m_view->devicePixelRatioF();
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker, number, request, size, ratio] {
            worker->chart(number, request, size, ratio);
        },
        Qt::QueuedConnection);
}

void PreviewWindow::offer(QComboBox *box, const QStringList &items, const QString &current)
{
    QStringList present;
    for (int i = 0; i < box->count(); ++i)
        present << box->itemText(i);
    if (present != items) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentText(current);
}

// A new size paints the chart shown again, on the preview's thread; a new chart comes painted.
void PreviewWindow::repaintChart()
{
    const std::shared_ptr<const SmithChartRenderer> renderer = m_view->shared();
    if (!renderer)
        return;
    const QSize size = m_view->size();
    const qreal ratio = m_view->devicePixelRatioF();
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker, renderer, size, ratio] { worker->paint(renderer, size, ratio); },
        Qt::QueuedConnection);
}

void PreviewWindow::showPicture(std::shared_ptr<const SmithChartRenderer> renderer,
                                const QImage &picture)
{
    if (renderer == m_view->shared())
        m_view->setChart(renderer, picture);
}

void PreviewWindow::display(int number, const PreviewWorker::Outcome &outcome)
{
    if (number != m_latest->load())
        return;
    const PreviewCharter::Result &result = outcome.result;
    // A frequency the user is typing stays as typed.
    if (!m_frequency->lineEdit()->isModified())
        offer(m_frequency, result.frequencies, result.frequency);
    offer(m_file, result.files, result.file);
    offer(m_first, QStringList{None} + result.marked, result.contoured.value(0, None));
    offer(m_second, QStringList{None} + result.marked, result.contoured.value(1, None));
    m_view->setChart(outcome.renderer, outcome.picture);
    const QString message = result.chart.content.message;
    m_note->setText(message.isEmpty()
                        ? (result.chart.condition + outcome.optimum).join(QLatin1Char('\n'))
                        : message);
    m_busy->clear();
    emit chartShown();
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editorWindow &&
        (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        close();
    return QWidget::eventFilter(watched, event);
}
