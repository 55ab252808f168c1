#include "smithchartwidget.h"

#include "smithchartview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QComboBox *choice(const QString &name)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
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
}

} // namespace

SmithChartWidget::SmithChartWidget(const QString &path, QWidget *parent)
    : QWidget(parent)
    , m_path(path)
    , m_coefficients(choice(QStringLiteral("coefficient")))
    , m_frequencies(choice(QStringLiteral("frequency")))
    , m_conditions(choice(QStringLiteral("driveLevel")))
    , m_quantities(choice(QStringLiteral("quantity")))
    , m_view(new SmithChartView)
{
    auto *choices = new QFormLayout;
    choices->addRow(tr("Reflection coefficient:"), m_coefficients);
    choices->addRow(tr("Frequency:"), m_frequencies);
    choices->addRow(tr("Drive level:"), m_conditions);
    choices->addRow(tr("Contours of:"), m_quantities);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_view, 1);

    connect(m_coefficients, &QComboBox::currentTextChanged, this,
            &SmithChartWidget::loadCoefficient);
    for (QComboBox *box : {m_frequencies, m_conditions, m_quantities})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &SmithChartWidget::showChart);
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
    refill(m_quantities, m_data.quantities(), 0);
    showChart();
}

void SmithChartWidget::showChart()
{
    m_view->setContent(m_data.content(m_frequencies->currentIndex(), m_conditions->currentIndex(),
                                      m_quantities->currentIndex()));
}
