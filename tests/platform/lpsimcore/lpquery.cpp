#include "lpquery.h"

#include <QDir>
#include <QFile>

namespace {

std::vector<std::string> encodedPaths(const QStringList &paths)
{
    std::vector<std::string> encoded;
    for (const QString &path : paths)
        encoded.push_back(QFile::encodeName(path).toStdString());
    return encoded;
}

QStringList namesOf(const std::vector<Corvane_LP::VarInfoUI *> &variables)
{
    QStringList names;
    for (const Corvane_LP::VarInfoUI *variable : variables)
        names << fromStd(variable->getName());
    return names;
}

} // namespace

LpQuery::LpQuery(const QStringList &filesToAdd, const QStringList &filesToKeep, int mode)
    : m_ok(queryLoadpullFile(encodedPaths(filesToAdd), encodedPaths(filesToKeep), mode, m_ui))
{}

QString LpQuery::errorText() const
{
    return fromStd(m_ui.errorText);
}

QString LpQuery::warningText() const
{
    return fromStd(m_ui.warningText);
}

QStringList LpQuery::variableNames() const
{
    return namesOf(m_ui.variables);
}

QStringList LpQuery::performanceNames() const
{
    return namesOf(m_ui.performanceVariables);
}

const Corvane_LP::VarInfoUI *LpQuery::find(const QString &name) const
{
    for (const auto *list : {&m_ui.variables, &m_ui.performanceVariables}) {
        for (const Corvane_LP::VarInfoUI *variable : *list) {
            if (fromStd(variable->getName()) == name)
                return variable;
        }
    }
    return nullptr;
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

QString exampleFile(const QString &fileName)
{
    return QStringLiteral(LP_EXAMPLE_DATA_DIR "/") + fileName;
}

QString writeFile(const QString &dir, const QString &name, const QByteArray &contents)
{
    const QString path = QDir(dir).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(contents) != contents.size())
        qFatal("cannot write the test file %s", qPrintable(path));
    return path;
}
