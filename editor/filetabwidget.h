#pragma once

#include "filetabstate.h"
#include "gammavarinfo.h"
#include "indepvarinfo.h"
#include "performancevarbaseinfo.h"

#include <QDir>
#include <QList>
#include <QMap>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace Corvane_LP {
class LoadpullUI;
}
class EnhancedListWidget;
class NoteLabel;
class RowOperationsWidget;

// Turns the data library's report into the editor's variable records. Appends to the
// lists and never clears them.
bool extractVariableInfo(const Corvane_LP::LoadpullUI &uiInfo,
                         QList<LoadPullStateUtils::IndepVarInfo> &indepVariables,
                         QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables,
                         QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVariables);

// The component's list of load-pull data files. Every accepted change goes to the data
// library, whose report of the variables of all listed files is handed on by signal.
class FileTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit FileTabWidget(QWidget *parent = nullptr);
    ~FileTabWidget() override;

    // Whether files of the component are listed that the data library could not read.
    bool hasUnreadableFiles() const;
    // The listed names of those files, in list order.
    QStringList unreadableFileNames() const;

signals:
    void appendRow(const QString &lpFileName);
    void fileTypeChanged(const QStringList &newContents);
    void foundVariables(const QList<LoadPullStateUtils::IndepVarInfo> &independentVariables,
                        const QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables,
                        int numFiles);
    void foundPerformanceVariables(
        const QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVariables,
        int numFiles);
    void stateChanged(const LoadPullStateUtils::FileTabState &newState);
    void fileListModified();

public slots:
    void addLoadPullFile();
    void appendLoadPullFiles(const QStringList &lpFileNames);
    void widgetStateChanged();
    void viewLoadPullFile(const QString &fileToView);
    void removeLoadPullFileInfo(int deletedFileIndex);
    LoadPullStateUtils::FileTabState state() const;
    void setState(const LoadPullStateUtils::FileTabState &fileTabState);
    void updateView();
    void updateFiles(const QStringList &updatedListOfFiles);
    bool isValid(const QStringList &lpFileNames,
                 QList<LoadPullStateUtils::IndepVarInfo> &indepVariables,
                 QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables,
                 QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVariables,
                 Corvane_LP::LoadpullUI &uiInfo);

private:
    // The names of one request to add files, sorted.
    struct NamedFiles
    {
        QStringList newNames;
        QStringList unreadable; // listed files the library could not read, as listed
        QStringList listed;     // other listed files, as shown
    };

    void viewSelectedFile();
    void viewPath(const QString &path);
    std::optional<NamedFiles> sortNames(const QStringList &names);
    std::optional<QString> takeFiles(const QStringList &newNames);
    void restoreFiles(const QStringList &fileNames);
    QStringList readableFiles() const;
    QStringList listedFiles(bool readable) const;
    std::optional<QString> unreadableReason(const QString &file) const;
    bool noteUnreadableFiles(const QStringList &files);
    void tellUnreadable(const QStringList &reasons);
    void tellReasons(const QString &heading, const QStringList &reasons);
    void recheckUnreadableFiles();
    void readAgain(const QStringList &files);
    // Whether an announcement shows the library's warning on the files' disagreements.
    enum WarningPolicy { TellWarning, KeepWarning };
    void announceReadableFiles(WarningPolicy warning);
    bool noteConflictingFiles();
    void markUnreadableRows();
    QString resolvedPath(const QString &fileName) const;
    QString fileKey(const QString &fileName) const;
    QStringList resolvedPaths(const QStringList &fileNames) const;
    QString displayName(const QString &fileName) const;
    void announce(const Corvane_LP::LoadpullUI &uiInfo);
    void announce(const QList<LoadPullStateUtils::IndepVarInfo> &indepVariables,
                  const QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables,
                  const QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVariables);
    void showWarning(const Corvane_LP::LoadpullUI &uiInfo);
    QString shortNote(const QString &note, const QString &baseFolder) const;
    void showMessage(QMessageBox::Icon icon, const QString &text,
                     const QString &details = QString());

    // The names as the component stores them, or as the file dialog gave them.
    LoadPullStateUtils::FileTabState fileTabState;
    // Listed files the data library could not read, by name, with its reason. They are kept
    // so that their variables' settings are, and left out of every query.
    QMap<QString, QString> unreadableFiles;
    // The folder the host works in, where the component is: stored names are relative to it.
    QDir componentDir;
    QDir baseDir;
    QString fileFilter;
    EnhancedListWidget *fileListWidget;
    RowOperationsWidget *rowOperationsWidget;
    // Names the component lists that OK leaves out: spellings of a listed file, empty names.
    NoteLabel *leftOutNote;
};
