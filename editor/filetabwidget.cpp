#include "filetabwidget.h"

#include "enhancedlistwidget.h"
#include "enumerations.h"
#include "hostadapter.h"
#include "loadpulldatalibrary.h"
#include "plainmessagebox.h"
#include "rowoperationswidget.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;

namespace {

const QString Title = QStringLiteral("DataBasedLoadPull");
const QString HostVocabulary = QStringLiteral("CmdOp");
const QString TabsSensitive = QStringLiteral("dblp_make_all_tabs_sensitive(); ");
const QString TabsInsensitive = QStringLiteral("dblp_make_all_but_file_tab_insensitive(); ");

QString numberText(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'g', -1);
}

QString gammaTypeText(int code)
{
    return code >= UnknownGamma && code <= SourceGamma ? toText(GammaType(code)) : QString();
}

QString gammaDomainText(int code)
{
    return code >= RectRealDomain && code <= PolarPhaseDomain ? toText(GammaDomain(code))
                                                              : QString();
}

// A reflection coefficient without point counts of its own takes the record's.
GammaVarInfo gammaRecord(const Corvane_LP::VarInfoUI &variable, const Corvane_LP::LoadpullUI &ui)
{
    GammaVarInfo info;
    info.setName(LoadPullDataLibrary::text(variable.getName()));
    info.setHarmIndex(QStringLiteral("%1").arg(variable.harmonicIndex()));
    info.setType(gammaTypeText(variable.gammaType()));
    info.setDomain(gammaDomainText(variable.domain()));
    info.setValue(QStringLiteral("Independent"));
    info.setMinValue(numberText(variable.lowest));
    info.setMaxValue(numberText(variable.highest));
    info.setMinNumPoints(variable.minNumPoints() != 0 ? variable.minNumPoints() : ui.minNumPoints);
    info.setMaxNumPoints(variable.maxNumPoints() != 0 ? variable.maxNumPoints() : ui.maxNumPoints);
    return info;
}

IndepVarInfo independentRecord(const Corvane_LP::VarInfoUI &variable)
{
    IndepVarInfo info;
    info.setUnitType(LoadPullDataLibrary::text(variable.getUnitTypeStr()));
    info.setIsFrequency(info.unitType() == QLatin1String("Frequency"));
    info.setUnit(LoadPullDataLibrary::text(variable.getUnitStr()));
    info.setMaxValue(numberText(variable.highest));
    info.setMinValue(numberText(variable.lowest));
    if (info.isFrequency())
        info.setValue(QStringLiteral("freq"));
    info.setMinNumPoints(variable.minNumPoints());
    info.setMaxNumPoints(variable.maxNumPoints());
    info.setName(LoadPullDataLibrary::text(variable.getName()));
    return info;
}

PerformanceVarBaseInfo performanceRecord(const Corvane_LP::VarInfoUI &variable)
{
    PerformanceVarBaseInfo info;
    info.setName(LoadPullDataLibrary::text(variable.getName()));
    info.setUnit(LoadPullDataLibrary::text(variable.getUnitStr()));
    info.setMinValue(numberText(variable.lowest));
    info.setMaxValue(numberText(variable.highest));
    info.setIsComplex(variable.isComplex());
    return info;
}

void sendCommand(const QString &command)
{
    HostAdapter::executeCommand(HostVocabulary, command);
}

QString fileFilterFor(LoadPullFileType type)
{
    switch (type) {
    case MauryFileType:
        return FileTabWidget::tr("Maury load pull files ( *.lp *.lp2 *.lp3 *.spl )");
    case DatasetFileType:
        return FileTabWidget::tr("Dataset load pull files ( *.ds )");
    case FocusFileType:
        return FileTabWidget::tr("Focus load pull files ( *.lpd )");
    default:
        return FileTabWidget::tr(" All files ( *.* )");
    }
}

} // namespace

bool extractVariableInfo(const Corvane_LP::LoadpullUI &uiInfo, QList<IndepVarInfo> &indepVariables,
                         QList<GammaVarInfo> &gammaVariables,
                         QList<PerformanceVarBaseInfo> &performanceVariables)
{
    for (const Corvane_LP::VarInfoUI *variable : uiInfo.variables) {
        if (variable->isGamma())
            gammaVariables.append(gammaRecord(*variable, uiInfo));
        else
            indepVariables.append(independentRecord(*variable));
    }
    for (const Corvane_LP::VarInfoUI *variable : uiInfo.performanceVariables)
        performanceVariables.append(performanceRecord(*variable));
    return true;
}

FileTabWidget::FileTabWidget(QWidget *parent)
    : QWidget(parent)
    , baseDir(QDir::current())
{
    if (baseDir.exists(QStringLiteral("data")))
        baseDir.cd(QStringLiteral("data"));
    fileListWidget = new EnhancedListWidget(fileTabState.fileNames(), this);
    fileListWidget->setAlternatingRowColors(false);
    rowOperationsWidget = new RowOperationsWidget(QString(), false);

    connect(fileListWidget, &EnhancedListWidget::rowSelected, rowOperationsWidget,
            &RowOperationsWidget::rowSelected);
    connect(rowOperationsWidget, &RowOperationsWidget::addRow, this,
            &FileTabWidget::addLoadPullFile);
    connect(rowOperationsWidget, &RowOperationsWidget::viewRow, fileListWidget,
            &EnhancedListWidget::viewSelectedRow);
    connect(fileListWidget, &EnhancedListWidget::viewRow, this, &FileTabWidget::viewLoadPullFile);
    connect(rowOperationsWidget, &RowOperationsWidget::deleteRow, fileListWidget,
            &EnhancedListWidget::deleteSelectedRow);
    connect(fileListWidget, &EnhancedListWidget::rowIndexDeleted, this,
            &FileTabWidget::removeLoadPullFileInfo);
    connect(this, &FileTabWidget::appendRow, fileListWidget,
            qOverload<const QString &>(&EnhancedListWidget::appendRow));
    connect(this, &FileTabWidget::fileTypeChanged, fileListWidget,
            &EnhancedListWidget::UpdateContents);

    auto *innerLayout = new QVBoxLayout;
    innerLayout->addWidget(fileListWidget, 0);
    innerLayout->addWidget(rowOperationsWidget, 0);
    auto *outerLayout = new QVBoxLayout;
    outerLayout->addLayout(innerLayout);
    setLayout(outerLayout);
}

FileTabWidget::~FileTabWidget() = default;

void FileTabWidget::addLoadPullFile()
{
    const int filesBefore = fileTabState.count();
    const QStringList chosen = QFileDialog::getOpenFileNames(this, tr("Select Load Pull File"),
                                                             baseDir.absolutePath(), fileFilter);
    appendLoadPullFiles(chosen);
    if (filesBefore == 0 && fileTabState.count() > 0)
        sendCommand(TabsSensitive);
    updateView();
}

void FileTabWidget::appendLoadPullFiles(const QStringList &lpFileNames)
{
    QStringList newNames;
    for (const QString &name : lpFileNames) {
        const QString path = QFileInfo(name).canonicalFilePath();
        // A missing file has no canonical path; resolved against the base directory the
        // library would be told about that directory instead, so say what is wrong here.
        if (path.isEmpty()) {
            showMessage(false, tr("The load pull file %1 does not exist.").arg(name));
            return;
        }
        if (!fileTabState.fileNames().contains(path) && !newNames.contains(path))
            newNames.append(path);
    }
    if (newNames.isEmpty())
        return;

    QList<IndepVarInfo> indepVariables;
    QList<GammaVarInfo> gammaVariables;
    QList<PerformanceVarBaseInfo> performanceVariables;
    Corvane_LP::LoadpullUI uiInfo;
    if (!isValid(newNames, indepVariables, gammaVariables, performanceVariables, uiInfo)) {
        showMessage(false, LoadPullDataLibrary::text(uiInfo.errorText));
        return;
    }
    if (!uiInfo.warningText.empty())
        showMessage(true, LoadPullDataLibrary::text(uiInfo.warningText));
    for (const QString &path : qAsConst(newNames))
        fileTabState.appendFileName(path);
    announce(indepVariables, gammaVariables, performanceVariables);
}

void FileTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
    emit fileListModified();
}

void FileTabWidget::viewLoadPullFile(const QString &fileToView)
{
    if (const std::optional<QString> path =
            HostAdapter::scriptString(baseDir.absoluteFilePath(fileToView)))
        sendCommand(QStringLiteral("de_invoke_text_editor( NULL, FALSE, NULL, ") + *path +
                    QStringLiteral(" );"));
}

// Runs after the list has dropped the row. A removal the data library refuses puts the
// file back through the addition path.
void FileTabWidget::removeLoadPullFileInfo(int deletedFileIndex)
{
    if (deletedFileIndex < 0 || deletedFileIndex >= fileTabState.count())
        return;
    const QString removed = fileTabState.fileNames().at(deletedFileIndex);
    fileTabState.removeFileNameAt(deletedFileIndex);

    Corvane_LP::LoadpullUI uiInfo;
    // The stored names are canonical already; canonicalising again would turn a file
    // deleted on disk into an empty name.
    if (LoadPullDataLibrary::query({}, fileTabState.fileNames(), uiInfo)) {
        QList<IndepVarInfo> indepVariables;
        QList<GammaVarInfo> gammaVariables;
        QList<PerformanceVarBaseInfo> performanceVariables;
        extractVariableInfo(uiInfo, indepVariables, gammaVariables, performanceVariables);
        announce(indepVariables, gammaVariables, performanceVariables);
        if (fileTabState.isEmpty())
            sendCommand(TabsInsensitive);
        return;
    }
    appendLoadPullFiles({removed});
    updateView();
    if (fileTabState.isEmpty())
        sendCommand(TabsInsensitive);
    showMessage(false, tr(" Could not remove file %1 from internal cache.").arg(removed));
}

FileTabState FileTabWidget::state() const
{
    return fileTabState;
}

void FileTabWidget::setState(const FileTabState &newState)
{
    fileTabState.clear();
    fileTabState.setFileType(newState.fileType());
    appendLoadPullFiles(newState.fileNames());
    sendCommand(fileTabState.isEmpty() ? TabsInsensitive : TabsSensitive);
    fileFilter = fileFilterFor(fileTabState.fileType());
    updateView();
}

void FileTabWidget::updateView()
{
    QStringList shown;
    for (const QString &file : fileTabState.fileNames())
        shown.append(displayName(file));
    fileListWidget->UpdateContents(shown);
}

void FileTabWidget::updateFiles(const QStringList &updatedListOfFiles)
{
    fileTabState.setFileNames(absoluteFileNames(updatedListOfFiles));
}

bool FileTabWidget::isValid(const QStringList &lpFileNames, QList<IndepVarInfo> &indepVariables,
                            QList<GammaVarInfo> &gammaVariables,
                            QList<PerformanceVarBaseInfo> &performanceVariables,
                            Corvane_LP::LoadpullUI &uiInfo)
{
    if (lpFileNames.isEmpty())
        return false;
    indepVariables.clear();
    gammaVariables.clear();
    performanceVariables.clear();

    QString suffix;
    switch (fileTabState.fileType()) {
    case MauryFileType: {
        const bool accepted = LoadPullDataLibrary::query(
            absoluteFileNames(lpFileNames), absoluteFileNames(fileTabState.fileNames()), uiInfo);
        if (accepted)
            extractVariableInfo(uiInfo, indepVariables, gammaVariables, performanceVariables);
        return accepted;
    }
    case DatasetFileType:
        suffix = QStringLiteral("ds");
        break;
    case FocusFileType:
        suffix = QStringLiteral("lpd");
        break;
    default:
        LoadPullDataLibrary::setErrorText(
            uiInfo, tr("Invalid file type found: please choose a valid load pull file"));
        return false;
    }
    // Files the host reads itself: only the first name's suffix is checked.
    const QString first = lpFileNames.first();
    if (QFileInfo(first).suffix().toLower() == suffix)
        return true;
    LoadPullDataLibrary::setErrorText(uiInfo,
                                      tr("%1 is not a %2 load pull file: its name must end in .%3")
                                          .arg(first, toText(fileTabState.fileType()), suffix));
    return false;
}

QStringList FileTabWidget::absoluteFileNames(const QStringList &fileNames) const
{
    QStringList absolute;
    for (const QString &name : fileNames)
        absolute.append(baseDir.absoluteFilePath(name));
    return absolute;
}

// Files below the base directory are shown relative to it. The test compares path
// texts, so a sibling such as ../data2 counts as below a base directory ../data.
QString FileTabWidget::displayName(const QString &fileName) const
{
    const QString directory = QFileInfo(fileName).dir().canonicalPath();
    if (directory.startsWith(baseDir.canonicalPath()))
        return baseDir.relativeFilePath(fileName);
    return fileName;
}

void FileTabWidget::announce(const QList<IndepVarInfo> &indepVariables,
                             const QList<GammaVarInfo> &gammaVariables,
                             const QList<PerformanceVarBaseInfo> &performanceVariables)
{
    const int numFiles = fileTabState.count();
    emit foundVariables(indepVariables, gammaVariables, numFiles);
    emit foundPerformanceVariables(performanceVariables, numFiles);
    widgetStateChanged();
}

void FileTabWidget::showMessage(bool warning, const QString &text)
{
    PlainMessageBox::show(warning ? QMessageBox::Warning : QMessageBox::Information, this, Title,
                          text);
}
