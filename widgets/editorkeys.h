#pragma once

class QEvent;

// Return, Enter and Escape in an item view's cell editor belong to that edit. The editor lets
// them through to its parents once it has committed or cancelled, where a dialog around the
// view would take them for its default or its Cancel button; and a host that binds them as
// shortcuts would take them before the editor saw them. While `editing`, the view claims them
// here, both as key presses and as shortcut overrides; the function says whether it did. Any
// other event is left to the view.
bool claimsEditorKey(QEvent *event, bool editing);
