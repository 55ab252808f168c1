#include "componentfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString FileNameParameter = QStringLiteral("FileName");
const QString InstanceKey = QStringLiteral("instance");
const QString ParametersKey = QStringLiteral("parameters");
const QByteArray MemberIndent(4, ' ');
const QByteArray ParameterIndent(8, ' ');
const QByteArray ValueIndent(12, ' ');
const QByteArray Blanks = QByteArrayLiteral(" \t\n\r");

// A file the plug-in added comes by its absolute path: inside the folder it is named relative
// to it, so that the component can move with its data.
QString storedPath(const QDir &folder, const QString &path)
{
    if (QDir::isRelativePath(path))
        return path;
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

// The first position at or after `position` that holds none of `characters`.
int skipped(const QByteArray &json, int position, const QByteArray &characters)
{
    while (position < json.size() && characters.contains(json.at(position)))
        ++position;
    return position;
}

bool followedByColon(const QByteArray &json, int position)
{
    position = skipped(json, position, Blanks);
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

// Where the value that starts at `begin` in a valid document ends: at the comma or the
// closing bracket that follows it.
int valueEnd(const QByteArray &json, int begin)
{
    int depth = 0;
    for (int i = begin; i < json.size(); ++i) {
        const char c = json.at(i);
        if (c == '"')
            i = stringEnd(json, i) - 1;
        else if (c == '{' || c == '[')
            ++depth;
        else if ((c == '}' || c == ']') && depth-- == 0)
            return i;
        else if (c == ',' && depth == 0)
            return i;
    }
    return int(json.size());
}

using Member = std::pair<QString, QByteArray>;

// The members of the object that opens at the first brace of a valid document, in the
// order it lists them: each key as Qt's reader takes it, with the text of its value.
QVector<Member> objectMembers(const QByteArray &json)
{
    QVector<Member> members;
    int i = skipped(json, json.indexOf('{') + 1, Blanks);
    while (i < json.size() && json.at(i) == '"') {
        const int keyEnd = stringEnd(json, i);
        const int valueBegin = skipped(json, json.indexOf(':', keyEnd) + 1, Blanks);
        const int end = valueEnd(json, valueBegin);
        members.append({unquoted(json.mid(i, keyEnd - i)).value_or(QString()),
                        json.mid(valueBegin, end - valueBegin).trimmed()});
        i = skipped(json, end, Blanks + ',');
    }
    return members;
}

QStringList keys(const QVector<Member> &members)
{
    QStringList keys;
    for (const Member &member : members)
        keys.append(member.first);
    return keys;
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

bool isLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar character) { return character.unicode() <= 0xff; });
}

QString quotedForMessage(const QString &text)
{
    constexpr int Shown = 60;
    return QLatin1Char('"') +
           (text.size() > Shown ? text.left(Shown) + QLatin1String("...") : text) +
           QLatin1Char('"');
}

// The host keeps zero-terminated 8-bit Latin-1 texts: a character beyond Latin-1 would come
// back as '?', and a NUL would cut the text short. A parameter it could not keep refuses the
// component, which would otherwise be written back changed.
QString unkeptParameter(const QString &name, const QStringList &values)
{
    const QString nul = QStringLiteral("not a component (%1 holds a NUL character, which the host "
                                       "cannot keep)");
    if (name.contains(QChar(0)))
        return nul.arg(QStringLiteral("a parameter name"));
    if (!isLatin1(name))
        return QStringLiteral("not a component (the parameter name %1 is not Latin-1 text)")
            .arg(quotedForMessage(name));
    for (const QString &value : values) {
        if (value.contains(QChar(0)))
            return nul.arg(QStringLiteral("parameter ") + name);
        if (!isLatin1(value))
            return QStringLiteral("not a component (parameter %1 holds %2, which is not Latin-1 "
                                  "text)")
                .arg(name, quotedForMessage(value));
    }
    return {};
}

QString readParameters(const QJsonObject &object, ComponentFile::Parameters *parameters)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool ok = false;
        const QStringList values = texts(it.value(), &ok);
        if (!ok)
            return QStringLiteral("parameter %1 is not a list of texts").arg(it.key());
        if (const QString problem = unkeptParameter(it.key(), values); !problem.isEmpty())
            return problem;
        parameters->insert(it.key(), values);
    }
    return {};
}

// A text as a JSON string. Qt's reader drops a U+FEFF that opens a string, taking it for
// a byte order mark: written escaped, a text that starts with one reads back whole.
QByteArray quoted(const QString &text)
{
    const QByteArray list = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return list.mid(1, list.size() - 2).replace("\xEF\xBB\xBF", "\\ufeff");
}

// The characters of UTF-8 text: every byte but those that continue a character.
int characterCount(const QByteArray &utf8)
{
    return int(std::count_if(utf8.begin(), utf8.end(),
                             [](char byte) { return (uchar(byte) & 0xC0) != 0x80; }));
}

// A parameter of the parameters object, without the comma that follows it when it is not
// the last: on one line when that line fits, else one value per line.
QByteArray parameterJson(const QString &name, const QStringList &values, bool last)
{
    const QByteArray key = ParameterIndent + quoted(name) + ": ";
    QByteArrayList texts;
    for (const QString &value : values)
        texts.append(quoted(value));
    const QByteArray line = key + '[' + texts.join(", ") + ']';
    if (texts.isEmpty() || characterCount(line) + (last ? 0 : 1) <= ComponentFile::LineWidth)
        return line;
    return key + "[\n" + ValueIndent + texts.join(",\n" + ValueIndent) + '\n' + ParameterIndent +
           ']';
}

bool save(const QString &path, const QByteArray &contents, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return true;
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
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
    Parameters read;
    QString problem = documentProblem(json, &document);
    if (problem.isEmpty())
        problem = readParameters(document.object().value(ParametersKey).toObject(), &read);
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    m_instanceName = document.object().value(InstanceKey).toString();
    m_parameters = read;
    readLayout(json);
    return true;
}

// The order of the members and parameters, and the text of members the component does
// not know, to write them back as they were.
void ComponentFile::readLayout(const QByteArray &json)
{
    m_members = objectMembers(json);
    m_parameterOrder.clear();
    for (Member &member : m_members) {
        if (member.first == ParametersKey)
            m_parameterOrder = keys(objectMembers(member.second));
        if (member.first == InstanceKey || member.first == ParametersKey)
            member.second.clear();
    }
}

bool ComponentFile::write(const QString &path, QString *error) const
{
    // A file that cannot be read as a component is simply replaced.
    ComponentFile held;
    QString unread;
    if (held.read(path, &unread) && held.holdsSameAs(*this))
        return true;
    return save(path, toJson(), error);
}

bool ComponentFile::holdsSameAs(const ComponentFile &other) const
{
    return m_instanceName == other.m_instanceName && m_parameters == other.m_parameters &&
           m_members == other.m_members;
}

QStringList ComponentFile::changedParameters(const ComponentFile &before,
                                             const ComponentFile &after)
{
    QStringList names = before.m_parameters.keys() + after.m_parameters.keys();
    names.sort();
    names.removeDuplicates();
    QStringList changed;
    for (const QString &name : qAsConst(names)) {
        if (before.m_parameters.contains(name) != after.m_parameters.contains(name) ||
            before.m_parameters.value(name) != after.m_parameters.value(name))
            changed.append(name);
    }
    return changed;
}

ComponentFile::Parameters ComponentFile::hostParameters() const
{
    Parameters parameters = m_parameters;
    if (parameters.value(FileNameParameter).isEmpty())
        parameters.remove(FileNameParameter);
    return parameters;
}

void ComponentFile::setHostParameters(const Parameters &parameters, const Parameters &opened)
{
    const QStringList storedFiles = m_parameters.value(FileNameParameter);
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        const bool standsForDefault = !m_parameters.contains(it.key()) &&
                                      opened.contains(it.key()) && opened.value(it.key()) == *it;
        if (!standsForDefault)
            m_parameters.insert(it.key(), *it);
    }
    if (!m_parameters.contains(FileNameParameter))
        return;
    for (QString &file : m_parameters[FileNameParameter]) {
        if (!storedFiles.contains(file))
            file = storedPath(m_folder, file);
    }
}

QByteArray ComponentFile::toJson() const
{
    QByteArrayList members;
    for (const Member &member : m_members)
        members.append(MemberIndent + quoted(member.first) + ": " + memberValue(member));
    return "{\n" + members.join(",\n") + "\n}\n";
}

QByteArray ComponentFile::memberValue(const Member &member) const
{
    if (member.first == InstanceKey)
        return quoted(m_instanceName);
    if (member.first == ParametersKey)
        return parametersJson();
    return member.second;
}

QByteArray ComponentFile::parametersJson() const
{
    const QStringList names = parameterNames();
    if (names.isEmpty())
        return QByteArrayLiteral("{}");
    QByteArrayList lines;
    for (int i = 0; i < names.size(); ++i)
        lines.append(
            parameterJson(names.at(i), m_parameters.value(names.at(i)), i + 1 == names.size()));
    return "{\n" + lines.join(",\n") + '\n' + MemberIndent + '}';
}

// The order read, then the parameters the file lacked in name order.
QStringList ComponentFile::parameterNames() const
{
    QStringList names;
    for (const QString &name : m_parameterOrder) {
        if (m_parameters.contains(name))
            names.append(name);
    }
    const QSet<QString> listed(m_parameterOrder.begin(), m_parameterOrder.end());
    for (auto it = m_parameters.keyBegin(); it != m_parameters.keyEnd(); ++it) {
        if (!listed.contains(*it))
            names.append(*it);
    }
    return names;
}
