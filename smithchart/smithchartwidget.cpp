#include "smithchartwidget.h"

#include "smithchartview.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Sized by a typical text rather than by every item, which a long list would take seconds
// to measure; the list that opens is as wide as its widest item.
QComboBox *choice(const QString &name, int characters)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(characters);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return box;
}

// Refills the box, keeping its choice when the new items hold it.
void refill(QComboBox *box, const QStringList &items, int fallback)
{
    const QString current = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(items);
    const int kept = items.indexOf(current);
    box->setCurrentIndex(kept >= 0 ? kept : fallback);
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0));
}

} // namespace

SmithChartWidget::SmithChartWidget(const QString &path, QWidget *parent)
    : QWidget(parent)
    , m_path(path)
    , m_coefficients(choice(QStringLiteral("coefficient"), 10))
    , m_frequencies(choice(QStringLiteral("frequency"), 10))
    , m_conditions(choice(QStringLiteral("driveLevel"), 32))
    , m_quantities(choice(QStringLiteral("quantity"), 8))
    , m_conditionNote(new QLabel)
    , m_view(new SmithChartView)
    , m_readout(new QLabel)
{
    m_conditionNote->setObjectName(QStringLiteral("driveLevelNote"));
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Two rows of choices leave the chart most of the height.
    auto *choices = new QGridLayout;
    choices->addWidget(new QLabel(tr("Reflection coefficient:")), 0, 0);
    choices->addWidget(m_coefficients, 0, 1);
    choices->addWidget(new QLabel(tr("Frequency:")), 0, 2);
    choices->addWidget(m_frequencies, 0, 3);
    choices->addWidget(new QLabel(tr("Contours of:")), 0, 4);
    choices->addWidget(m_quantities, 0, 5);
    choices->addWidget(new QLabel(tr("Drive level:")), 1, 0);
    auto *conditions = new QHBoxLayout;
    conditions->addWidget(m_conditions, 1);
    conditions->addWidget(m_conditionNote);
    choices->addLayout(conditions, 1, 1, 1, 5);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(choices);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_readout);

    connect(m_coefficients, &QComboBox::currentTextChanged, this,
            &SmithChartWidget::loadCoefficient);
    for (QComboBox *box : {m_frequencies, m_conditions, m_quantities})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &SmithChartWidget::showChart);
    connect(m_view, &SmithChartView::readoutChanged, this, &SmithChartWidget::showReadout);
    showReadout({});
    loadCoefficient({});
}

void SmithChartWidget::loadCoefficient(const QString &coefficient)
{
    QString error;
    if (!m_data.load(m_path, coefficient, &error)) {
        SmithChartContent refused;
        refused.message = error;
        m_view->setContent(refused);
        return;
    }
    {
        const QSignalBlocker blocker(m_coefficients);
        m_coefficients->clear();
        m_coefficients->addItems(m_data.coefficients());
        m_coefficients->setCurrentText(m_data.coefficient());
    }
    refill(m_frequencies, m_data.frequencies(), 0);
    refill(m_conditions, m_data.conditions(), m_data.defaultCondition());
    m_conditionNote->setText(m_data.conditionNote());
    m_conditionNote->setVisible(!m_conditionNote->text().isEmpty());
    // Past the quantities, the choice of none: the points alone.
    refill(m_quantities, m_data.quantities() << tr("none"), 0);
    showChart();
}

void SmithChartWidget::showReadout(const QString &readout)
{
    m_readout->setText(readout.isEmpty()
                           ? tr("Point at the chart, or press the arrow keys on it, to read "
                                "%1, Z and the value there.")
                                 .arg(QChar(0x0393))
                           : readout);
}

void SmithChartWidget::showChart()
{
    m_view->setContent(m_data.content(m_frequencies->currentIndex(), m_conditions->currentIndex(),
                                      m_quantities->currentIndex()));
}
