#include "filetabstate.h"

namespace LoadPullStateUtils {

void FileTabState::appendFileName(const QString &fileName)
{
    if (!fileName.isEmpty())
        m_lpFileNames.append(fileName);
}

bool FileTabState::removeFileNameAt(int i)
{
    if (i < 0 || i >= count())
        return false;
    m_lpFileNames.removeAt(i);
    return true;
}

void FileTabState::clear()
{
    m_fileType = NoFileType;
    m_lpFileNames.clear();
}

bool FileTabState::isValid(bool uiState) const
{
    return m_fileType != NoFileType && !(uiState && m_lpFileNames.isEmpty());
}

bool operator==(const FileTabState &a, const FileTabState &b)
{
    return a.fileType() == b.fileType() && a.fileNames() == b.fileNames();
}

} // namespace LoadPullStateUtils
