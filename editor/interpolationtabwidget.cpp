#include "interpolationtabwidget.h"

#include "enumerations.h"

#include <QComboBox>
#include <QFormLayout>

using namespace LoadPullStateUtils;

namespace {

// A value without a display text finds no item and leaves the box without a current one.
void showText(QComboBox *box, const QStringList &items, const QString &text)
{
    box->setCurrentIndex(items.indexOf(text));
}

} // namespace

InterpolationTabWidget::InterpolationTabWidget(QWidget *parent)
    : QWidget(parent)
    , methodBox(makeBox(&InterpolationTabWidget::interpolationMethodChanged,
                        texts<InterpolationMethod>()))
    , domainBox(makeBox(&InterpolationTabWidget::interpolationDomainChanged,
                        texts<InterpolationDomain>()))
    , extrapolationBox(makeBox(&InterpolationTabWidget::extrapolationMethodChanged,
                               texts<ExtrapolationMethod>()))
{
    auto *layout = new QFormLayout;
    layout->addRow(tr("Interpolation method:"), methodBox);
    layout->addRow(tr("Interpolation domain:"), domainBox);
    layout->addRow(tr("Extrapolation method:"), extrapolationBox);
    setLayout(layout);
}

InterpolationTabWidget::~InterpolationTabWidget() = default;

// Connected before it is filled, so the box's first selection already reaches the slot.
QComboBox *InterpolationTabWidget::makeBox(TextSlot slot, const QStringList &items)
{
    auto *box = new QComboBox;
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, box, slot](int index) { (this->*slot)(box->itemText(index)); });
    box->addItems(items);
    return box;
}

InterpolationTabState InterpolationTabWidget::state() const
{
    return interpolationState;
}

void InterpolationTabWidget::setState(const InterpolationTabState &interpolationTabState)
{
    interpolationState = interpolationTabState;
    // A box whose selection moves runs its slot, which stores and announces on its own.
    showText(methodBox, texts<InterpolationMethod>(),
             toText(InterpolationMethod(interpolationState.interpolationMethod())));
    showText(domainBox, texts<InterpolationDomain>(),
             toText(InterpolationDomain(interpolationState.interpolationDomain())));
    showText(extrapolationBox, texts<ExtrapolationMethod>(),
             toText(ExtrapolationMethod(interpolationState.extrapolationMethod())));
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::interpolationMethodChanged(const QString &newMethod)
{
    interpolationState.setInterpolationMethod(fromText<InterpolationMethod>(newMethod));
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::interpolationDomainChanged(const QString &newDomain)
{
    interpolationState.setInterpolationDomain(fromText<InterpolationDomain>(newDomain));
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::extrapolationMethodChanged(const QString &newMethod)
{
    interpolationState.setExtrapolationMethod(fromText<ExtrapolationMethod>(newMethod));
    emit stateChanged(interpolationState);
}
