#include "loadpulldatalibrary.h"

#include <QFile>

#include <vector>

namespace {

constexpr int QueryMode = 1;

std::vector<std::string> libraryPaths(const QStringList &paths)
{
    std::vector<std::string> converted;
    converted.reserve(size_t(paths.size()));
    for (const QString &path : paths)
        converted.push_back(QFile::encodeName(path).toStdString());
    return converted;
}

} // namespace

bool LoadPullDataLibrary::query(const QStringList &filesToAdd, const QStringList &filesToKeep,
                                Corvane_LP::LoadpullUI &ui)
{
    return queryLoadpullFile(libraryPaths(filesToAdd), libraryPaths(filesToKeep), QueryMode, ui);
}

void LoadPullDataLibrary::releaseCache()
{
    closeDataBasedLoadpullUI();
}

QString LoadPullDataLibrary::text(const std::string &libraryText)
{
    return QString::fromLatin1(libraryText.data(), int(libraryText.size()));
}

void LoadPullDataLibrary::setErrorText(Corvane_LP::LoadpullUI &ui, const QString &text)
{
    ui.errorText = text.toLatin1().toStdString();
}
