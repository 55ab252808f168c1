#pragma once

class QWidget;

// Cuts every connection from the widget's children to the widget. A widget that listens to
// its own line edits calls it in its destructor: the base class hides the children as the
// widget goes, which takes the focus from an edit and finishes its editing, and nothing may
// reach the widget's slots once its own members are gone.
void disconnectChildrenFrom(QWidget *widget);
