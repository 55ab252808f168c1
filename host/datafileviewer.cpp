#include "datafileviewer.h"

#include "linenumberedtextedit.h"
#include "smithchartwidget.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString tooLarge(const QString &path, const QString &size)
{
    return DataFileViewer::tr("%1 is too large to show (%2)").arg(path, size);
}

// Only a regular file is opened: a FIFO would wait for a writer for ever, and a device
// such as /dev/zero never ends.
QString fileProblem(const QFileInfo &file)
{
    if (file.exists() && !file.isFile())
        return DataFileViewer::tr("%1 is not a regular file").arg(file.filePath());
    if (file.size() > DataFileViewer::MaximumSize)
        return tooLarge(file.filePath(), DataFileViewer::tr("%1 bytes, at most %2")
                                             .arg(file.size())
                                             .arg(DataFileViewer::MaximumSize));
    return {};
}

// The file's text, or why it cannot be shown. No more than one byte past the limit is
// read of a file that reports no size or grows while it is read.
QString textOf(const QString &path)
{
    if (const QString problem = fileProblem(QFileInfo(path)); !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    const QByteArray bytes = file.read(DataFileViewer::MaximumSize + 1);
    if (file.error() != QFile::NoError)
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    if (bytes.size() > DataFileViewer::MaximumSize)
        return tooLarge(path,
                        DataFileViewer::tr("more than %1 bytes").arg(DataFileViewer::MaximumSize));
    return QString::fromLocal8Bit(bytes);
}

// Columns of numbers line up only where every glyph takes the same room. Some fonts of that
// kind say they are not fixed-pitch, so their glyphs are measured instead of asked.
bool hasEqualAdvances(const QFont &font)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
           metrics.horizontalAdvance(QLatin1Char('W'));
}

// The system's fixed-pitch font. A platform without a desktop theme answers with its
// proportional default, and the generic monospace family stands in for it.
QFont fixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (hasEqualAdvances(font))
        return font;
    font.setFamily(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

DataFileViewer::DataFileViewer(const QString &path, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_path(path)
    , m_tabs(new QTabWidget)
    , m_text(new LineNumberedTextEdit)
    , m_chartPage(new QWidget)
    , m_position(new QLabel)
{
    setWindowTitle(path);
    m_text->setReadOnly(true);
    // Read-only text takes no keys by default; a viewer still moves its cursor by them.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setUndoRedoEnabled(false);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(fixedPitchFont());
    m_text->setPlainText(textOf(path));

    m_tabs->addTab(m_text, tr("Text"));
    m_tabs->addTab(m_chartPage, tr("Smith chart"));
    new QVBoxLayout(m_chartPage);
    m_chartPage->layout()->setContentsMargins(0, 0, 0, 0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    for (const char *keys : {"Escape", "Ctrl+W"})
        connect(new QShortcut(QKeySequence(QLatin1String(keys)), this), &QShortcut::activated, this,
                &QWidget::close);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_position);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);
    connect(m_text, &QPlainTextEdit::cursorPositionChanged, this,
            &DataFileViewer::showCursorPosition);
    connect(m_tabs, &QTabWidget::currentChanged, this, &DataFileViewer::showTab);
    showCursorPosition();
    resize(TextSize);
}

void DataFileViewer::showCursorPosition()
{
    const QTextCursor cursor = m_text->textCursor();
    m_position->setText(
        tr("Line %1, column %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

// A chart needs more room than a text: the window grows to ChartSize, as far as the screen
// allows, and never shrinks.
void DataFileViewer::growForTheChart()
{
    QSize wanted = size().expandedTo(ChartSize);
    if (const QScreen *screen = this->screen())
        wanted = wanted.boundedTo(screen->availableSize());
    resize(wanted.expandedTo(size()));
}

// The chart is read when first wanted: most looks at a file are at its text.
void DataFileViewer::showTab(int index)
{
    const bool chartShown = m_tabs->widget(index) == m_chartPage;
    m_position->setVisible(!chartShown);
    if (chartShown && !m_chart) {
        m_chart = new SmithChartWidget(m_path);
        m_chartPage->layout()->addWidget(m_chart);
        growForTheChart();
    }
}
