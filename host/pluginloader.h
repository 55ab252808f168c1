#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

class HostServices;

// Opens a plug-in shared object by path and reaches its two entry points by name,
// as the host does. The library stays loaded for the life of the process: widgets
// it made may outlive the loader.
class PluginLoader
{
public:
    explicit PluginLoader(const QString &path);

    // The first of the paths, relative to the folder, that names a file; the first path when
    // none does, so that an error names where the plug-in belongs.
    static QString locate(const QString &folder, const QStringList &relativePaths);

    bool load();
    QString errorString() const { return m_error; }

    int libraryVersion() const;
    bool registerContents(HostServices *host) const;

private:
    using VersionFunction = int (*)();
    using RegisterFunction = bool (*)(HostServices *);

    QLibrary m_library;
    QString m_error;
    VersionFunction m_version = nullptr;
    RegisterFunction m_register = nullptr;
};
