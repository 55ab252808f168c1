#include "smithchartwidget.h"

#include "smithchartview.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

QLabel *named(QLabel *label, const QString &name)
{
    label->setObjectName(name);
    return label;
}

} // namespace

SmithChartWidget::SmithChartWidget(const QString &path, QWidget *parent)
    : QWidget(parent)
    , m_path(path)
    , m_coefficients(choice(QStringLiteral("coefficient"), 10))
    , m_frequencies(choice(QStringLiteral("frequency"), 10))
    , m_conditions(choice(QStringLiteral("driveLevel"), 32))
    , m_others(choice(QStringLiteral("otherCoefficients"), 24))
    , m_quantities(choice(QStringLiteral("quantity"), 8))
    , m_secondQuantities(choice(QStringLiteral("secondQuantity"), 8))
    , m_target(new QLineEdit)
    , m_wholeChart(new QCheckBox(tr("Whole chart")))
    , m_admittance(new QCheckBox(tr("Admittance grid")))
    , m_conditionNote(named(new QLabel, QStringLiteral("driveLevelNote")))
    , m_othersLabel(new QLabel(tr("Other coefficients at:")))
    , m_targetNote(named(new QLabel, QStringLiteral("targetNote")))
    , m_view(new SmithChartView)
    , m_readout(named(new QLabel, QStringLiteral("readout")))
{
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setPlaceholderText(tr("e.g. Pout>=39, PAE>=55"));
    m_wholeChart->setObjectName(QStringLiteral("wholeChart"));
    m_admittance->setObjectName(QStringLiteral("admittanceGrid"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_targetNote->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(choicesLayout());
    layout->addWidget(m_targetNote);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_readout);

    connect(m_coefficients, &QComboBox::currentTextChanged, this,
            &SmithChartWidget::loadCoefficient);
    for (QComboBox *box : {m_frequencies, m_conditions, m_others, m_quantities, m_secondQuantities})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &SmithChartWidget::showChart);
    connect(m_target, &QLineEdit::editingFinished, this, [this] {
        readTarget();
        showChart();
    });
    connect(m_wholeChart, &QCheckBox::toggled, m_view, [this](bool whole) {
        m_view->setView(whole ? SmithChartRenderer::View::Full : SmithChartRenderer::View::Data);
    });
    connect(m_admittance, &QCheckBox::toggled, this, &SmithChartWidget::showChart);
    connect(m_view, &SmithChartView::readoutChanged, this, &SmithChartWidget::showReadout);
    showReadout({});
    loadCoefficient({});
}

// Three rows, which leave the chart most of the height.
QLayout *SmithChartWidget::choicesLayout()
{
    auto *choices = new QGridLayout;
    choices->addWidget(new QLabel(tr("Reflection coefficient:")), 0, 0);
    choices->addWidget(m_coefficients, 0, 1);
    choices->addWidget(new QLabel(tr("Frequency:")), 0, 2);
    choices->addWidget(m_frequencies, 0, 3);
    auto *contoured = new QHBoxLayout;
    contoured->addWidget(m_quantities, 1);
    contoured->addWidget(new QLabel(tr("and")));
    contoured->addWidget(m_secondQuantities, 1);
    choices->addWidget(new QLabel(tr("Contours of:")), 0, 4);
    choices->addLayout(contoured, 0, 5);
    choices->addWidget(new QLabel(tr("Drive level:")), 1, 0);
    auto *conditions = new QHBoxLayout;
    conditions->addWidget(m_conditions, 1);
    conditions->addWidget(m_conditionNote);
    choices->addLayout(conditions, 1, 1, 1, 5);
    choices->addWidget(new QLabel(tr("Target:")), 2, 0);
    auto *target = new QHBoxLayout;
    target->addWidget(m_target, 2);
    target->addWidget(m_wholeChart);
    target->addWidget(m_admittance);
    target->addWidget(m_othersLabel);
    target->addWidget(m_others, 1);
    choices->addLayout(target, 2, 1, 1, 5);
    return choices;
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
    refill(m_others, m_data.otherCoefficients(), 0);
    m_conditionNote->setText(m_data.conditionNote());
    m_conditionNote->setVisible(!m_conditionNote->text().isEmpty());
    m_others->setVisible(m_others->count() > 0);
    m_othersLabel->setVisible(m_others->count() > 0);
    // Past the quantities, the choice of none: the points alone; the second is none at first.
    refill(m_quantities, m_data.quantities() << tr("none"), 0);
    refill(m_secondQuantities, QStringList(tr("none")) << m_data.quantities(), 0);
    readTarget();
    showChart();
}

// A target that cannot be read bounds nothing, and says why.
void SmithChartWidget::readTarget()
{
    QString error;
    const std::optional<std::vector<TargetBound>> targets =
        TargetBound::parse(m_target->text(), m_data.quantities(), &error);
    m_targets = targets.value_or(std::vector<TargetBound>());
    m_targetNote->setText(targets ? QString() : error);
    m_targetNote->setVisible(!targets);
}

void SmithChartWidget::showReadout(const QString &readout)
{
    m_readout->setText(readout.isEmpty()
                           ? tr("Point at the chart, or press the arrow keys on it, to read "
                                "%1, Z and the values there; the wheel zooms.")
                                 .arg(QChar(0x0393))
                           : readout);
}

void SmithChartWidget::showChart()
{
    SmithChartData::Choice choice;
    choice.frequency = m_frequencies->currentIndex();
    choice.condition = m_conditions->currentIndex();
    choice.others = std::max(0, m_others->currentIndex());
    choice.contoured = {m_quantities->currentIndex(), m_secondQuantities->currentIndex() - 1};
    choice.targets = m_targets;
    SmithChartContent content = m_data.content(choice);
    content.admittanceGrid = m_admittance->isChecked();
    m_view->setContent(content);
}
