#pragma once

class QCheckBox;

// Shows a flag on a check box: checked or not, or partly checked while it stands for a text
// that says neither. Going into or out of the partly checked look runs no slot: it shows the
// same value. A box a click takes out of it stays a two-state box.
void showFlag(QCheckBox *box, bool checked, bool partly);
