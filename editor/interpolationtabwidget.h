#pragma once

#include "componententry.h"
#include "interpolationtabstate.h"

#include <QStringList>
#include <QWidget>

class NoteLabel;
class QComboBox;

// How the component interpolates between the data points and what it does beyond them. A
// choice the component stores in a text none of the boxes offers shows as an item of its own,
// marked, that goes back as stored.
class InterpolationTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit InterpolationTabWidget(QWidget *parent = nullptr);
    ~InterpolationTabWidget() override;

    // Gives a box the component's own text as an item of its own while the model keeps it, and
    // says why below the boxes.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(const LoadPullStateUtils::InterpolationTabState &newState);
    // The user chose an item, even the one shown.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    LoadPullStateUtils::InterpolationTabState state() const;
    void setState(const LoadPullStateUtils::InterpolationTabState &interpolationTabState);
    void interpolationMethodChanged(const QString &newMethod);
    void interpolationDomainChanged(const QString &newDomain);
    void extrapolationMethodChanged(const QString &newMethod);

private:
    using TextSlot = void (InterpolationTabWidget::*)(const QString &);

    QComboBox *makeBox(TextSlot slot, const QString &parameter, const QStringList &items);

    LoadPullStateUtils::InterpolationTabState interpolationState;
    // Made in the constructor's body: a box announces its first item as it is made.
    QComboBox *methodBox = nullptr;
    QComboBox *domainBox = nullptr;
    QComboBox *extrapolationBox = nullptr;
    NoteLabel *note;
};
