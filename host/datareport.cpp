#include "datareport.h"

#include "lpsimcore.h"

#include <QFile>
#include <QTextStream>

namespace {

QString text(const std::string &libraryText)
{
    return QString::fromLatin1(libraryText.data(), int(libraryText.size()));
}

QString points(int minimum, int maximum)
{
    return minimum == maximum ? QString::number(minimum)
                              : QStringLiteral("%1 - %2").arg(minimum).arg(maximum);
}

const char *const gammaTypes[] = {"Unknown", "Load", "Source"};
const char *const gammaDomains[] = {"Rect-Real", "Rect-Imag", "Polar-Mag", "Polar-Phase"};

QString label(const char *const *labels, int count, int code)
{
    return code >= 0 && code < count ? QString::fromLatin1(labels[code]) : QString::number(code);
}

void describeVariable(QTextStream &out, const Corvane_LP::VarInfoUI &variable)
{
    out << "  " << text(variable.getName()) << ": " << variable.lowest << " .. "
        << variable.highest;
    if (variable.isGamma()) {
        out << ", " << label(gammaTypes, 3, variable.gammaType()) << " reflection coefficient"
            << ", harmonic " << variable.harmonicIndex() << ", "
            << label(gammaDomains, 4, variable.domain());
    } else {
        out << " " << text(variable.getUnitStr()) << " (" << text(variable.getUnitTypeStr()) << ")";
    }
    out << ", points " << points(variable.minNumPoints(), variable.maxNumPoints()) << '\n';
}

void describePerformance(QTextStream &out, const Corvane_LP::VarInfoUI &variable)
{
    out << "  " << text(variable.getName()) << " [" << text(variable.getUnitStr()) << "]"
        << (variable.isComplex() ? " complex" : " real") << ": " << variable.lowest << " .. "
        << variable.highest << '\n';
}

} // namespace

bool DataReport::describe(const QStringList &files, QString *report, QString *error)
{
    std::vector<std::string> paths;
    for (const QString &file : files)
        paths.push_back(QFile::encodeName(file).toStdString());

    Corvane_LP::LoadpullUI ui;
    if (!queryLoadpullFile(paths, {}, 1, ui)) {
        *error = text(ui.errorText);
        return false;
    }
    QTextStream out(report);
    if (!ui.warningText.empty())
        out << "Warning: " << text(ui.warningText) << '\n';
    out << "Variables (" << ui.variables.size() << "), measurements per sweep block "
        << points(ui.minNumPoints, ui.maxNumPoints) << ":\n";
    for (const Corvane_LP::VarInfoUI *variable : ui.variables)
        describeVariable(out, *variable);
    out << "Performance quantities (" << ui.performanceVariables.size() << "):\n";
    for (const Corvane_LP::VarInfoUI *variable : ui.performanceVariables)
        describePerformance(out, *variable);
    return true;
}
