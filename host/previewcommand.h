#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

// lp-host COMPONENT.json --preview OUT [--at "Freq=1.9 GHz,Pin_avail=20"] [--contour Q[,Q]]:
// writes the chart of the component's data at its held settings (PreviewCharter), as
// --plot writes a chart; its JSON adds "condition" and "between".
class PreviewCommand
{
public:
    static QList<QCommandLineOption> options();
    static bool requested(const QCommandLineParser &parser);
    // An empty text when the command line is consistent, else why it is not.
    static QString misplaced(const QCommandLineParser &parser);
    // 0 written; 1 the component, a file or the held settings cannot be charted, or the chart
    // cannot be written (the message is printed on standard error).
    static int run(const QCommandLineParser &parser);
};
