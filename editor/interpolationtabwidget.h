#pragma once

#include "interpolationtabstate.h"

#include <QStringList>
#include <QWidget>

class QComboBox;

// How the component interpolates between the data points and what it does beyond them.
class InterpolationTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit InterpolationTabWidget(QWidget *parent = nullptr);
    ~InterpolationTabWidget() override;

signals:
    void stateChanged(const LoadPullStateUtils::InterpolationTabState &newState);

public slots:
    LoadPullStateUtils::InterpolationTabState state() const;
    void setState(const LoadPullStateUtils::InterpolationTabState &interpolationTabState);
    void interpolationMethodChanged(const QString &newMethod);
    void interpolationDomainChanged(const QString &newDomain);
    void extrapolationMethodChanged(const QString &newMethod);

private:
    using TextSlot = void (InterpolationTabWidget::*)(const QString &);

    QComboBox *makeBox(TextSlot slot, const QStringList &items);

    LoadPullStateUtils::InterpolationTabState interpolationState;
    QComboBox *methodBox;
    QComboBox *domainBox;
    QComboBox *extrapolationBox;
};
