#include "componentfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <optional>
#include <vector>

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

// One past the closing quote of the string that opens at `begin`, or -1 when it is not
// closed.
int stringEnd(const QByteArray &json, int begin)
{
    for (int i = begin + 1; i < json.size(); ++i) {
        if (json.at(i) == '\\')
            ++i;
        else if (json.at(i) == '"')
            return i + 1;
    }
    return -1;
}

bool followedByColon(const QByteArray &json, int position)
{
    while (position < json.size() && QByteArrayLiteral(" \t\n\r").contains(json.at(position)))
        ++position;
    return position < json.size() && json.at(position) == ':';
}

// A quoted JSON string as Qt's reader takes it, so that keys compare as they will be
// stored however they are escaped; nothing when it is no valid string.
std::optional<QString> unquoted(const QByteArray &quoted)
{
    const QJsonDocument document = QJsonDocument::fromJson('[' + quoted + ']');
    const QJsonValue value = document.array().at(0);
    return value.isString() ? std::optional<QString>(value.toString()) : std::nullopt;
}

struct Scope
{
    bool isObject = false;
    QSet<QString> keys;
};

// The first key that an object of the document repeats. Qt 5.15's JSON reader keeps the
// last value of a repeated key and leaks the first when it is an array, and a component
// that repeats a key is ambiguous anyway, so repeats are looked for before parsing. The
// scan stops where the document stops being JSON: the parser reports what is wrong there.
std::optional<QString> repeatedKey(const QByteArray &json)
{
    std::vector<Scope> scopes;
    for (int i = 0; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '{' || c == '[') {
            scopes.push_back({c == '{', {}});
        } else if (c == '}' || c == ']') {
            if (scopes.empty() || scopes.back().isObject != (c == '}'))
                return std::nullopt;
            scopes.pop_back();
        } else if (c == '"') {
            const int end = stringEnd(json, i);
            if (end < 0)
                return std::nullopt;
            if (!scopes.empty() && scopes.back().isObject && followedByColon(json, end)) {
                const std::optional<QString> key = unquoted(json.mid(i, end - i));
                if (!key)
                    return std::nullopt;
                if (scopes.back().keys.contains(*key))
                    return key;
                scopes.back().keys.insert(*key);
            }
            i = end - 1;
        }
    }
    return std::nullopt;
}

// The component's shape: an object with a text for the instance and an object for the
// parameters. Empty when the document has it.
QString shapeProblem(const QJsonDocument &document)
{
    if (!document.isObject())
        return QStringLiteral("not a component (not a JSON object)");
    if (!document.object().value(InstanceKey).isString())
        return QStringLiteral("not a component (the instance name is not a text)");
    if (!document.object().value(ParametersKey).isObject())
        return QStringLiteral("not a component (the parameters are not an object)");
    return {};
}

QString documentProblem(const QByteArray &json, QJsonDocument *document)
{
    // No text file holds a NUL byte, and Qt's reader takes keys that differ only after one
    // for the same key.
    if (const int nul = json.indexOf('\0'); nul >= 0)
        return QStringLiteral("not a component (a NUL byte at offset %1)").arg(nul);
    if (const std::optional<QString> key = repeatedKey(json))
        return QStringLiteral("not a component (the key \"%1\" is repeated)").arg(*key);
    QJsonParseError parseError;
    *document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return QStringLiteral("not a component (%1 at offset %2)")
            .arg(parseError.errorString())
            .arg(parseError.offset);
    return shapeProblem(*document);
}

QString tooLarge(const QString &path, const QString &size)
{
    return QStringLiteral("%1 is too large to be a component file (%2)").arg(path, size);
}

// Only a regular file is opened: opening a FIFO would wait for a writer for ever, and a
// device such as /dev/zero never ends.
QString fileProblem(const QFileInfo &file)
{
    if (file.exists() && !file.isFile())
        return QStringLiteral("%1 is not a regular file").arg(file.filePath());
    if (file.size() > ComponentFile::MaximumSize)
        return tooLarge(file.filePath(), QStringLiteral("%1 bytes, at most %2")
                                             .arg(file.size())
                                             .arg(ComponentFile::MaximumSize));
    return {};
}

// The file's contents, read no further than one byte past the limit, for files that
// report no size or grow while they are read.
QString readContents(const QString &path, QByteArray *contents)
{
    if (const QString problem = fileProblem(QFileInfo(path)); !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    *contents = file.read(ComponentFile::MaximumSize + 1);
    if (file.error() != QFile::NoError)
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    if (contents->size() > ComponentFile::MaximumSize)
        return tooLarge(path, QStringLiteral("more than %1 bytes").arg(ComponentFile::MaximumSize));
    return {};
}

} // namespace

bool ComponentFile::read(const QString &path, QString *error)
{
    QByteArray json;
    QString problem = readContents(path, &json);
    if (problem.isEmpty() && !readJson(json, &problem))
        problem = QStringLiteral("%1: %2").arg(path, problem);
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    m_folder = QDir(QFileInfo(path).absoluteDir().canonicalPath());
    return true;
}

bool ComponentFile::readJson(const QByteArray &json, QString *error)
{
    QJsonDocument document;
    if (const QString problem = documentProblem(json, &document); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    const QJsonObject parameters = document.object().value(ParametersKey).toObject();
    Parameters read;
    for (auto it = parameters.begin(); it != parameters.end(); ++it) {
        bool ok = false;
        read.insert(it.key(), texts(it.value(), &ok));
        if (!ok) {
            *error = QStringLiteral("parameter %1 is not a list of texts").arg(it.key());
            return false;
        }
    }
    m_instanceName = document.object().value(InstanceKey).toString();
    m_parameters = read;
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
    // Qt's reader drops a U+FEFF that opens a string, taking it for a byte order mark:
    // written escaped, a text that starts with one reads back whole.
    return QJsonDocument(component)
        .toJson(QJsonDocument::Indented)
        .replace("\xEF\xBB\xBF", "\\ufeff");
}
