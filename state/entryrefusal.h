#pragma once

class QString;

// Why an entry cannot go to the host as it stands, whatever the field it was made in: it is
// empty, it holds a character the host cannot keep (the host keeps 8-bit Latin-1 text, and a
// character outside it would come back as '?'), or it is an expression left unfinished (an
// operator at an end, parentheses that do not pair). The reason reads "it is empty", to follow
// "… was not taken as …: "; the empty text when nothing stands against the entry here, which
// leaves the field's own rule to decide.
QString entryRefusal(const QString &text);

// Whether the host can keep the text: it keeps 8-bit Latin-1 text, and any other character
// would come back as '?'.
bool isLatin1(const QString &text);

// The note that says why an entry was refused, quoting it: '"50Ω" was not taken as the
// reference impedance: <reason>.' `asWhat` names the field ("the reference impedance"). The
// empty text for the empty reason: nothing stands against the entry.
QString refusalNote(const QString &entry, const QString &asWhat, const QString &reason);

// The dynamic property by which a control tells the host of an entry it refused when its edit
// ended by the focus leaving it, where the user may not have seen the note: the note, as a
// QString; empty or unset otherwise. A host ends the edit in progress before it closes the
// editor (moving the focus off it); when a control then holds a note in this property, the host
// shows the control, gives it the focus, clears the property and stays open.
constexpr char RefusedEntryProperty[] = "refusedEntry";
