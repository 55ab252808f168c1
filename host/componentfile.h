#pragma once

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <utility>

// A DataBasedLoadPull component as the reference host keeps it on disk: a JSON object
// with the instance name and the parameters, each a list of value texts:
//
//   { "instance": "DBLP1", "parameters": { "FileName": ["data/pa.lp"], "NUM": ["1"] } }
//
// Data files keep the names the component gives them, relative ones taken from the component's
// folder; a file added in the editor is named relative to the folder when it lies inside it.
// Parameter names and texts are those the host can keep: Latin-1, without NUL characters.
//
// Written back, the file stays recognisable: its members and parameters keep the order
// the file gave them, members the component does not know keep their place and their
// text, and a file that already holds the component is not written at all.
class ComponentFile
{
public:
    using Parameters = QMap<QString, QStringList>;

    // A component takes a few kilobytes; anything larger than this is some other file.
    static constexpr qint64 MaximumSize = 4 * 1024 * 1024;
    // A parameter's list goes on one line when that line, its indentation and comma
    // included, takes at most this many characters; a longer one takes a line per value.
    static constexpr int LineWidth = 100;

    // False with `error` set when the file cannot be read or is no component; the
    // component is then left as it was. Only regular files of at most MaximumSize
    // bytes are read.
    bool read(const QString &path, QString *error);
    // The instance name and parameters from a component file's contents, as read()
    // takes them; the folder stays as it was.
    bool readJson(const QByteArray &json, QString *error);
    // Writes toJson() to `path` atomically: an interrupted write leaves the file as it was.
    // A file that already holds this component (the same instance name, parameters and
    // other members, however laid out) is left untouched, its bytes and time kept.
    bool write(const QString &path, QString *error) const;

    // The names of the parameters whose values differ between two components, those only
    // one of them has included, in name order: empty when no parameter changed. Values
    // compare as stored, data files by the text the file names them by.
    static QStringList changedParameters(const ComponentFile &before, const ComponentFile &after);

    QString instanceName() const { return m_instanceName; }
    QDir folder() const { return m_folder; }

    // The parameters for the plug-in, data files named as stored: the plug-in works in the
    // component's folder.
    Parameters hostParameters() const;
    // Takes the plug-in's parameters in; the others the component holds stay as they are, in
    // their place. A data file the component names keeps its name; one the plug-in added comes
    // by its absolute path, which inside the folder is named relative to it. A parameter the
    // component lacks stays out while the plug-in gives what it gave on opening (`opened`): the
    // default the missing parameter already stands for.
    void setHostParameters(const Parameters &parameters, const Parameters &opened = {});
    // The parameters as stored, paths as written in the file.
    Parameters parameters() const { return m_parameters; }
    // The component file's contents: the members and parameters in the order they were
    // read, parameters the file lacked after them in name order; indented by four spaces.
    QByteArray toJson() const;

private:
    // A member of the file's object: its key and, for a member other than the instance
    // name and the parameters, its value as the file held it.
    using Member = std::pair<QString, QByteArray>;

    void readLayout(const QByteArray &json);
    bool holdsSameAs(const ComponentFile &other) const;
    QByteArray memberValue(const Member &member) const;
    QByteArray parametersJson() const;
    QStringList parameterNames() const;

    QString m_instanceName;
    QDir m_folder;
    Parameters m_parameters;
    QStringList m_parameterOrder;
    QVector<Member> m_members{{QStringLiteral("instance"), {}}, {QStringLiteral("parameters"), {}}};
};
