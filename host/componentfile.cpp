#include "componentfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString FileNameParameter = QStringLiteral("FileName");
const QString InstanceKey = QStringLiteral("instance");
const QString ParametersKey = QStringLiteral("parameters");

// A path relative to the folder resolves to the file's canonical path when it exists,
// so that the plug-in, which lists files by canonical path, hands back the same text.
QString absolutePath(const QDir &folder, const QString &path)
{
    const QFileInfo file(folder, path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

QString storedPath(const QDir &folder, const QString &path)
{
    const QString relative = folder.relativeFilePath(path);
    return relative.startsWith(QLatin1String("..")) ? path : relative;
}

QStringList texts(const QJsonValue &value, bool *ok)
{
    QStringList result;
    *ok = value.isArray();
    for (const QJsonValue &element : value.toArray()) {
        *ok = *ok && element.isString();
        result.append(element.toString());
    }
    return result;
}

} // namespace

bool ComponentFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    const QJsonObject parameters = document.object().value(ParametersKey).toObject();
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("%1: not a component (%2)").arg(path, parseError.errorString());
        return false;
    }
    m_instanceName = document.object().value(InstanceKey).toString();
    m_folder = QDir(QFileInfo(path).absoluteDir().canonicalPath());
    m_parameters.clear();
    for (auto it = parameters.begin(); it != parameters.end(); ++it) {
        bool ok = false;
        m_parameters.insert(it.key(), texts(it.value(), &ok));
        if (!ok) {
            *error = QStringLiteral("%1: parameter %2 is not a list of texts").arg(path, it.key());
            return false;
        }
    }
    return true;
}

bool ComponentFile::write(const QString &path, QString *error) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(toJson()) < 0) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

ComponentFile::Parameters ComponentFile::hostParameters() const
{
    Parameters parameters = m_parameters;
    QStringList &files = parameters[FileNameParameter];
    for (QString &file : files)
        file = absolutePath(m_folder, file);
    if (files.isEmpty())
        parameters.remove(FileNameParameter);
    return parameters;
}

void ComponentFile::setHostParameters(const Parameters &parameters)
{
    m_parameters = parameters;
    if (!m_parameters.contains(FileNameParameter))
        return;
    for (QString &file : m_parameters[FileNameParameter])
        file = storedPath(m_folder, file);
}

QByteArray ComponentFile::toJson() const
{
    QJsonObject parameters;
    for (auto it = m_parameters.cbegin(); it != m_parameters.cend(); ++it)
        parameters.insert(it.key(), QJsonArray::fromStringList(it.value()));
    QJsonObject component;
    component.insert(InstanceKey, m_instanceName);
    component.insert(ParametersKey, parameters);
    return QJsonDocument(component).toJson(QJsonDocument::Indented);
}
