#pragma once

#include "enumerations.h"

#include <QMetaType>
#include <QStringList>

namespace LoadPullStateUtils {

// The file tab's record: the file type and the data files, in the order they were taken.
class FileTabState
{
public:
    LoadPullFileType fileType() const { return m_fileType; }
    void setFileType(LoadPullFileType fileType) { m_fileType = fileType; }
    QStringList fileNames() const { return m_lpFileNames; }
    void setFileNames(const QStringList &fileNames) { m_lpFileNames = fileNames; }
    int count() const { return m_lpFileNames.size(); }
    bool isEmpty() const { return m_lpFileNames.isEmpty(); }

    // An empty name is ignored.
    void appendFileName(const QString &fileName);
    // False, and nothing changes, when i is not the index of a file.
    bool removeFileNameAt(int i);
    // No type and no files.
    void clear();

    bool isValid(bool uiState) const;

private:
    LoadPullFileType m_fileType = NoFileType;
    QStringList m_lpFileNames;
};

bool operator==(const FileTabState &a, const FileTabState &b);
inline bool operator!=(const FileTabState &a, const FileTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::FileTabState)
