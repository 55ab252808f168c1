#pragma once

#include "componententry.h"
#include "termtabstate.h"

#include <QWidget>

class EntryEdit;
class NoteLabel;
class QComboBox;
class QString;

// The reference impedance as it is written with its unit: as typed, but a sum is enclosed in
// parentheses when a unit follows it, so that the unit applies to all of it.
QString referenceImpedanceForUnit(const QString &text, const QString &unit);

// The port termination: term number and reference impedance with its unit. An entry the host
// could not keep, or that is left unfinished, is refused when its edit ends, with a note. A
// stored text a field would not take as typed shows as stored, marked, with a note.
class TermTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit TermTabWidget(QWidget *parent = nullptr);
    ~TermTabWidget() override;

    // Marks the fields whose entries the model gives a note, and says the notes.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(const LoadPullStateUtils::TermTabState &newState);
    // The user ended an edit of a field with an entry that was taken, or chose a unit.
    void entryTouched(const QString &parameter, const QString &variable);

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
    void clearEntryNote();
    void announce();
    void showNote();
    bool encloseSumForUnit();
    bool refuseUnitWithoutImpedance();

    LoadPullStateUtils::TermTabState termState;
    EntryEdit *referenceImpedanceEdit;
    QComboBox *unitBox;
    // A natural number or a design variable name, judged when the edit ends.
    EntryEdit *termNumberEdit;
    // Says why the entry last refused was not taken, what the last change did to the text,
    // and why a field is marked.
    NoteLabel *entryNote;
    QString lastEntryNote;
};
