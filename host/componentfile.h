#pragma once

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>

// A DataBasedLoadPull component as the reference host keeps it on disk: a JSON object
// with the instance name and the parameters, each a list of value texts:
//
//   { "instance": "DBLP1", "parameters": { "FileName": ["data/pa.lp"], "NUM": ["1"] } }
//
// Data files are named relative to the component file's folder on disk and absolute in
// the parameter list the plug-in sees, as a design environment keeps them relative to
// its workspace.
class ComponentFile
{
public:
    using Parameters = QMap<QString, QStringList>;

    // A component takes a few kilobytes; anything larger than this is some other file.
    static constexpr qint64 MaximumSize = 4 * 1024 * 1024;

    // False with `error` set when the file cannot be read or is no component; the
    // component is then left as it was. Only regular files of at most MaximumSize
    // bytes are read.
    bool read(const QString &path, QString *error);
    // The instance name and parameters from a component file's contents, as read()
    // takes them; the folder stays as it was.
    bool readJson(const QByteArray &json, QString *error);
    bool write(const QString &path, QString *error) const;

    QString instanceName() const { return m_instanceName; }
    QDir folder() const { return m_folder; }

    // The parameters with absolute data-file paths, for the plug-in.
    Parameters hostParameters() const;
    // Takes the plug-in's parameters, naming data files inside the folder relatively.
    void setHostParameters(const Parameters &parameters);
    // The parameters as stored, paths as written in the file.
    Parameters parameters() const { return m_parameters; }
    QByteArray toJson() const;

private:
    QString m_instanceName;
    QDir m_folder;
    Parameters m_parameters;
};
