#pragma once

#include "termtabstate.h"

#include <QWidget>

class EntryEdit;
class NoteLabel;
class QComboBox;
class QString;

// The reference impedance as it is stored. A complex text is enclosed in parentheses so
// that a unit applies to the whole of it; a real text loses a pair that encloses all of it.
QString normalizedReferenceImpedance(const QString &text);

// The port termination: term number and reference impedance with its unit. An entry the host
// could not keep, or that is left unfinished, is refused when its edit ends, with a note.
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
    void refuseEntry(const QString &note);
    void announce();

    LoadPullStateUtils::TermTabState termState;
    EntryEdit *referenceImpedanceEdit;
    QComboBox *unitBox;
    // A natural number or a design variable name, judged when the edit ends.
    EntryEdit *termNumberEdit;
    // Says why the entry last refused was not taken.
    NoteLabel *entryNote;
};
