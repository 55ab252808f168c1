#pragma once

#include <QLocale>

// The locale of every number check: the texts checked go to the host, which reads numbers
// with a dot and without group separators, whatever the user's locale. "2,5" and "1,000"
// are no numbers there.
QLocale hostNumberLocale();
