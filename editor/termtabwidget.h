#pragma once

#include "termtabstate.h"

#include <QWidget>

class NatOrVarValidator;
class QComboBox;
class QLineEdit;
class QString;

// The reference impedance as it is stored. A complex text is enclosed in parentheses so
// that a unit applies to the whole of it; a real text loses a pair that encloses all of it.
QString normalizedReferenceImpedance(const QString &text);

// The port termination: term number and reference impedance with its unit.
class TermTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit TermTabWidget(QWidget *parent = nullptr);
    ~TermTabWidget() override;

signals:
    void stateChanged(const LoadPullStateUtils::TermTabState &newState);

public slots:
    LoadPullStateUtils::TermTabState state() const;
    void setState(const LoadPullStateUtils::TermTabState &termTabState);
    void widgetStateChanged();
    void referenceImpedanceChanged();
    void unitChanged(const QString &newUnit);
    void termNumberChanged();

private:
    void makeLayout();
    void makeConnections();
    void showState();
    void announce();

    LoadPullStateUtils::TermTabState termState;
    QLineEdit *referenceImpedanceEdit;
    QComboBox *unitBox;
    QLineEdit *termNumberEdit;
    NatOrVarValidator *termNumberValidator;
};
