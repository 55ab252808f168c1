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

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The library names files as it was given them, in the file system's encoding; the editor
// reads its texts as Latin-1. A path that is not plain ASCII ("café.lp") is put back
// in the editor's form, so that messages show it as the user knows it.
void nameFilesInLatin1(std::string &text, const QStringList &paths)
{
    for (const QString &path : paths) {
        const QByteArray encoded = QFile::encodeName(path);
        const QByteArray latin1 = path.toLatin1();
        if (encoded != latin1 && QString::fromLatin1(latin1) == path)
            replaceAll(text, encoded.toStdString(), latin1.toStdString());
    }
}

} // namespace

bool LoadPullDataLibrary::query(const QStringList &filesToAdd, const QStringList &filesToKeep,
                                Corvane_LP::LoadpullUI &ui)
{
    const bool accepted =
        queryLoadpullFile(libraryPaths(filesToAdd), libraryPaths(filesToKeep), QueryMode, ui);
    for (std::string *text : {&ui.errorText, &ui.warningText}) {
        nameFilesInLatin1(*text, filesToAdd);
        nameFilesInLatin1(*text, filesToKeep);
    }
    return accepted;
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
