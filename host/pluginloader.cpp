#include "pluginloader.h"

#include <QDir>
#include <QFileInfo>

PluginLoader::PluginLoader(const QString &path)
    : m_library(path)
{}

QString PluginLoader::locate(const QString &folder, const QStringList &relativePaths)
{
    const QDir base(folder);
    for (const QString &path : relativePaths) {
        if (QFileInfo::exists(base.filePath(path)))
            return QDir::cleanPath(base.filePath(path));
    }
    return QDir::cleanPath(base.filePath(relativePaths.value(0)));
}

bool PluginLoader::load()
{
    if (!m_library.load()) {
        m_error = m_library.errorString();
        return false;
    }
    m_version = reinterpret_cast<VersionFunction>(m_library.resolve("GetLibraryVersion"));
    m_register = reinterpret_cast<RegisterFunction>(m_library.resolve("RegisterLibraryContents"));
    if (!m_version || !m_register) {
        m_error = QStringLiteral("%1 does not export GetLibraryVersion and RegisterLibraryContents")
                      .arg(m_library.fileName());
        return false;
    }
    return true;
}

int PluginLoader::libraryVersion() const
{
    return m_version ? m_version() : 0;
}

bool PluginLoader::registerContents(HostServices *host) const
{
    return m_register && m_register(host);
}
