#include "interpolationtabwidget.h"

#include "childconnections.h"
#include "elidedtext.h"
#include "enumerations.h"
#include "notelabel.h"
#include "parameternames.h"
#include "signalblocker.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QStyle>

using namespace LoadPullStateUtils;
namespace P = ParameterNames;

namespace {

// The item that shows the component's own text carries the kept choice as its data.
int keptIndex(const QComboBox *box)
{
    return box->findData(KeptChoice);
}

// A value without a display text finds no item and leaves the box without a current one.
template<typename Enumeration> void showChoice(QComboBox *box, int value)
{
    box->setCurrentIndex(value == KeptChoice
                             ? keptIndex(box)
                             : texts<Enumeration>().indexOf(toText(Enumeration(value))));
}

// The item of the component's own text stands for the text kept, whatever it reads as. A box
// being made offers no such item yet.
template<typename Enumeration> int choiceOf(const QComboBox *box, const QString &text)
{
    const int kept = box ? keptIndex(box) : -1;
    if (kept >= 0 && box->itemText(kept) == text)
        return KeptChoice;
    return fromText<Enumeration>(text);
}

void offerKeptText(QComboBox *box, const QString &text, const QString &note)
{
    const SignalBlocker blocker(box);
    int kept = keptIndex(box);
    if (kept < 0) {
        box->addItem(box->style()->standardIcon(QStyle::SP_MessageBoxWarning), text, KeptChoice);
        kept = box->count() - 1;
    }
    box->setItemText(kept, text);
    box->setItemData(kept, elidedText(note), Qt::ToolTipRole);
}

} // namespace

InterpolationTabWidget::InterpolationTabWidget(QWidget *parent)
    : QWidget(parent)
    , note(new NoteLabel)
{
    methodBox = makeBox(&InterpolationTabWidget::interpolationMethodChanged, P::InterpMode,
                        texts<InterpolationMethod>());
    domainBox = makeBox(&InterpolationTabWidget::interpolationDomainChanged, P::InterpDom,
                        texts<InterpolationDomain>());
    extrapolationBox = makeBox(&InterpolationTabWidget::extrapolationMethodChanged, P::ExtrapMode,
                               texts<ExtrapolationMethod>());
    auto *layout = new QFormLayout;
    layout->addRow(tr("Interpolation method:"), methodBox);
    layout->addRow(tr("Interpolation domain:"), domainBox);
    layout->addRow(tr("Extrapolation method:"), extrapolationBox);
    layout->addRow(note);
    setLayout(layout);
}

// The boxes announce their last change as they go; the tab is half gone by then.
InterpolationTabWidget::~InterpolationTabWidget()
{
    disconnectChildrenFrom(this);
}

// Connected before it is filled, so the box's first selection already reaches the slot.
QComboBox *InterpolationTabWidget::makeBox(TextSlot slot, const QString &parameter,
                                           const QStringList &items)
{
    auto *box = new QComboBox;
    box->setObjectName(parameter);
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, box, slot](int index) { (this->*slot)(box->itemText(index)); });
    connect(box, qOverload<int>(&QComboBox::activated), this,
            [this, parameter] { emit entryTouched(parameter, QString()); });
    box->addItems(items);
    return box;
}

void InterpolationTabWidget::showEntries(const EntryMap &entries)
{
    const QList<std::pair<QComboBox *, QString>> boxes = {
        {methodBox, P::InterpMode}, {domainBox, P::InterpDom}, {extrapolationBox, P::ExtrapMode}};
    auto *form = static_cast<QFormLayout *>(layout());
    QStringList notes;
    for (const auto &[box, parameter] : boxes) {
        const ComponentEntry entry = entryOf(entries, parameter);
        if (entry.kept) {
            // A text of any length shows elided, as elsewhere; the box tells its item by that
            // text.
            offerKeptText(box, elidedText(entry.shown), entry.note);
            box->setCurrentIndex(keptIndex(box));
        }
        if (entry.note.isEmpty())
            continue;
        const auto *label = qobject_cast<QLabel *>(form->labelForField(box));
        notes.append((label ? label->text() + QLatin1Char(' ') : QString()) + entry.note);
    }
    note->setNote(notes.join(QLatin1Char('\n')));
}

InterpolationTabState InterpolationTabWidget::state() const
{
    return interpolationState;
}

void InterpolationTabWidget::setState(const InterpolationTabState &interpolationTabState)
{
    interpolationState = interpolationTabState;
    // A box whose selection moves runs its slot, which stores and announces on its own.
    showChoice<InterpolationMethod>(methodBox, interpolationState.interpolationMethod());
    showChoice<InterpolationDomain>(domainBox, interpolationState.interpolationDomain());
    showChoice<ExtrapolationMethod>(extrapolationBox, interpolationState.extrapolationMethod());
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::interpolationMethodChanged(const QString &newMethod)
{
    interpolationState.setInterpolationMethod(choiceOf<InterpolationMethod>(methodBox, newMethod));
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::interpolationDomainChanged(const QString &newDomain)
{
    interpolationState.setInterpolationDomain(choiceOf<InterpolationDomain>(domainBox, newDomain));
    emit stateChanged(interpolationState);
}

void InterpolationTabWidget::extrapolationMethodChanged(const QString &newMethod)
{
    interpolationState.setExtrapolationMethod(
        choiceOf<ExtrapolationMethod>(extrapolationBox, newMethod));
    emit stateChanged(interpolationState);
}
