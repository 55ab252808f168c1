#include "filetabwidget.h"

#include "elidedtext.h"
#include "enhancedlistwidget.h"
#include "entryrefusal.h"
#include "enumerations.h"
#include "hostadapter.h"
#include "loadpulldatalibrary.h"
#include "notelabel.h"
#include "parameternames.h"
#include "plainmessagebox.h"
#include "rowoperationswidget.h"
#include "signalblocker.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace LoadPullStateUtils;

namespace {

const QString Title = QStringLiteral("DataBasedLoadPull");
const QString HostVocabulary = QStringLiteral("CmdOp");
const QString TabsSensitive = QStringLiteral("dblp_make_all_tabs_sensitive(); ");
const QString TabsInsensitive = QStringLiteral("dblp_make_all_but_file_tab_insensitive(); ");

// A warning's details list this many notes at most: a text of megabytes would freeze the box.
constexpr int MaxNotesInDetails = 1000;
// A note in the box itself takes about two lines at most, and the box about a dozen lines, so
// that it and its button stay on the screen.
constexpr int MaxBoxNoteLength = 100;
constexpr int BoxLineLength = 60;

// How many of the notes take about MaxShownLines lines of the box, elided as it shows them.
int notesThatFit(const QStringList &notes)
{
    int lines = 0;
    int count = 0;
    for (const QString &note : notes) {
        lines += 1 + int(std::min<qsizetype>(note.size(), MaxBoxNoteLength) - 1) / BoxLineLength;
        if (lines > MaxShownLines)
            break;
        ++count;
    }
    return count;
}

// The first `most` notes, each elided to `length`, then a line saying how many more there are.
QString listedNotes(const QStringList &notes, int most, int length)
{
    QStringList lines;
    for (int i = 0; i < notes.size() && i < most; ++i)
        lines.append(elidedText(notes.at(i), length));
    if (notes.size() > most)
        lines.append(QCoreApplication::translate("FileTabWidget", "and %n more", nullptr,
                                                 int(notes.size() - most)));
    return lines.join(QLatin1Char('\n'));
}

void appendOnce(QStringList &list, const QString &text)
{
    if (!list.contains(text))
        list.append(text);
}

QStringList warningLines(const Corvane_LP::LoadpullUI &uiInfo)
{
    return LoadPullDataLibrary::text(uiInfo.warningText)
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

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

GammaVarInfo gammaRecord(const Corvane_LP::VarInfoUI &variable)
{
    GammaVarInfo info;
    info.setName(LoadPullDataLibrary::text(variable.getName()));
    info.setHarmIndex(QStringLiteral("%1").arg(variable.harmonicIndex()));
    info.setType(gammaTypeText(variable.gammaType()));
    info.setDomain(gammaDomainText(variable.domain()));
    info.setValue(QStringLiteral("Independent"));
    info.setMinValue(numberText(variable.lowest));
    info.setMaxValue(numberText(variable.highest));
    info.setMinNumPoints(variable.minNumPoints());
    info.setMaxNumPoints(variable.maxNumPoints());
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
            gammaVariables.append(gammaRecord(*variable));
        else
            indepVariables.append(independentRecord(*variable));
    }
    for (const Corvane_LP::VarInfoUI *variable : uiInfo.performanceVariables)
        performanceVariables.append(performanceRecord(*variable));
    return true;
}

FileTabWidget::FileTabWidget(QWidget *parent)
    : QWidget(parent)
    , componentDir(QDir::current())
    , baseDir(QDir::current())
{
    if (baseDir.exists(QStringLiteral("data")))
        baseDir.cd(QStringLiteral("data"));
    fileListWidget = new EnhancedListWidget(fileTabState.fileNames(), this);
    fileListWidget->setAlternatingRowColors(false);
    fileListWidget->setObjectName(ParameterNames::FileName);
    // A row shows a file of the state: another file comes in through Add..., which checks it.
    fileListWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rowOperationsWidget = new RowOperationsWidget(QString(), false);
    leftOutNote = new NoteLabel(this);

    connect(fileListWidget, &EnhancedListWidget::rowSelected, rowOperationsWidget,
            &RowOperationsWidget::rowSelected);
    connect(rowOperationsWidget, &RowOperationsWidget::addRow, this,
            &FileTabWidget::addLoadPullFile);
    // A row acts on the file it lists, not on the text it shows.
    connect(rowOperationsWidget, &RowOperationsWidget::viewRow, this,
            &FileTabWidget::viewSelectedFile);
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
    innerLayout->addWidget(leftOutNote, 0);
    auto *outerLayout = new QVBoxLayout;
    outerLayout->addLayout(innerLayout);
    setLayout(outerLayout);
}

FileTabWidget::~FileTabWidget() = default;

bool FileTabWidget::hasUnreadableFiles() const
{
    return !unreadableFiles.isEmpty();
}

QStringList FileTabWidget::unreadableFileNames() const
{
    return listedFiles(false);
}

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

// A listed file named again is read again: it may have changed, or be back.
void FileTabWidget::appendLoadPullFiles(const QStringList &lpFileNames)
{
    const std::optional<NamedFiles> named = sortNames(lpFileNames);
    if (!named)
        return;
    if (!named->listed.isEmpty())
        showMessage(QMessageBox::Information,
                    tr("Already listed, so read again: %1")
                        .arg(elidedText(named->listed.join(QLatin1String(", ")))));
    const QStringList unreadableBefore = unreadableFileNames();
    readAgain(named->unreadable);
    std::optional<QString> refusal;
    if (!named->newNames.isEmpty() && (refusal = takeFiles(named->newNames)))
        showMessage(QMessageBox::Warning, *refusal);
    // Files just taken were announced with every readable file, read again on the way.
    const bool announced = !named->newNames.isEmpty() && !refusal;
    if (!announced && (unreadableFileNames() != unreadableBefore || !named->listed.isEmpty()))
        announceReadableFiles(TellWarning);
}

// A file is known by the file its name leads to, so that another form of its name, a link or
// a name relative to another folder, does not list it twice. The name is kept as given. Gives
// nothing when a name leads to no file.
std::optional<FileTabWidget::NamedFiles> FileTabWidget::sortNames(const QStringList &names)
{
    const QStringList listedFiles = fileTabState.fileNames();
    QStringList listedKeys;
    for (const QString &file : listedFiles)
        listedKeys.append(fileKey(file));
    NamedFiles named;
    QStringList newKeys;
    for (const QString &name : names) {
        const QString path = resolvedPath(name);
        const QString key = fileKey(name);
        const int listedAt = listedKeys.indexOf(key);
        if (listedAt >= 0 && unreadableFiles.contains(listedFiles.at(listedAt))) {
            appendOnce(named.unreadable, listedFiles.at(listedAt));
        } else if (!QFileInfo::exists(path)) {
            showMessage(QMessageBox::Warning,
                        tr("The load pull file %1 does not exist.").arg(elidedText(name)));
            return std::nullopt;
        } else if (!isLatin1(path)) {
            showMessage(QMessageBox::Warning,
                        tr("%1 cannot be used: the design environment keeps file names as "
                           "Latin-1 text, and this path holds other characters. Rename the "
                           "file, or move it to a folder whose path holds Latin-1 characters "
                           "only.")
                            .arg(elidedText(path)));
        } else if (listedAt >= 0) {
            appendOnce(named.listed, displayName(path));
        } else if (!newKeys.contains(key)) {
            newKeys.append(key);
            named.newNames.append(path);
        }
    }
    return named;
}

void FileTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
    emit fileListModified();
}

void FileTabWidget::viewLoadPullFile(const QString &fileToView)
{
    viewPath(resolvedPath(fileToView));
}

void FileTabWidget::viewSelectedFile()
{
    const int row = fileListWidget->currentRow();
    if (row >= 0 && row < fileTabState.count())
        viewPath(resolvedPath(fileTabState.fileNames().at(row)));
}

void FileTabWidget::viewPath(const QString &path)
{
    if (const std::optional<QString> quoted = HostAdapter::scriptString(path))
        sendCommand(QStringLiteral("de_invoke_text_editor( NULL, FALSE, NULL, ") + *quoted +
                    QStringLiteral(" );"));
    else
        showMessage(QMessageBox::Warning,
                    tr("%1 cannot be opened for viewing: its name holds a control character or "
                       "a character outside Latin-1, which no command to the design environment "
                       "can carry.")
                        .arg(elidedText(path)));
}

// Runs after the list has dropped the row. The file goes; a listed file the library can no
// longer read, or can read again, is noticed on the way, as at opening.
void FileTabWidget::removeLoadPullFileInfo(int deletedFileIndex)
{
    if (deletedFileIndex < 0 || deletedFileIndex >= fileTabState.count())
        return;
    unreadableFiles.remove(fileTabState.fileNames().at(deletedFileIndex));
    fileTabState.removeFileNameAt(deletedFileIndex);
    recheckUnreadableFiles();
    announceReadableFiles(KeepWarning);
    markUnreadableRows();
    if (fileTabState.isEmpty())
        sendCommand(TabsInsensitive);
}

FileTabState FileTabWidget::state() const
{
    return fileTabState;
}

void FileTabWidget::setState(const FileTabState &newState)
{
    fileTabState.clear();
    unreadableFiles.clear();
    fileTabState.setFileType(newState.fileType());
    if (fileTabState.fileType() == MauryFileType)
        restoreFiles(newState.fileNames());
    else
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
    markUnreadableRows();
}

void FileTabWidget::updateFiles(const QStringList &updatedListOfFiles)
{
    QStringList absolute;
    for (const QString &name : updatedListOfFiles)
        absolute.append(baseDir.absoluteFilePath(name));
    fileTabState.setFileNames(absolute);
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
        // A listed file the library cannot read would make it refuse every addition.
        const bool accepted = LoadPullDataLibrary::query(resolvedPaths(lpFileNames),
                                                         resolvedPaths(readableFiles()), uiInfo);
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
    LoadPullDataLibrary::setErrorText(
        uiInfo, tr("%1 is not a %2 load pull file: its name must end in .%3")
                    .arg(elidedText(first), toText(fileTabState.fileType()), suffix));
    return false;
}

// Tests the new files with the listed ones and takes them when the library accepts them. A
// listed file that can no longer be read is noticed first, so that it does not stand in the
// way. Gives the refusal to show when the library does not accept the new files.
std::optional<QString> FileTabWidget::takeFiles(const QStringList &newNames)
{
    recheckUnreadableFiles();
    QList<IndepVarInfo> indepVariables;
    QList<GammaVarInfo> gammaVariables;
    QList<PerformanceVarBaseInfo> performanceVariables;
    Corvane_LP::LoadpullUI uiInfo;
    bool accepted = isValid(newNames, indepVariables, gammaVariables, performanceVariables, uiInfo);
    if (!accepted && noteUnreadableFiles(readableFiles())) {
        uiInfo.clear();
        accepted = isValid(newNames, indepVariables, gammaVariables, performanceVariables, uiInfo);
    }
    if (!accepted)
        return elidedLines(LoadPullDataLibrary::text(uiInfo.errorText));
    showWarning(uiInfo);
    for (const QString &name : newNames)
        fileTabState.appendFileName(name);
    announce(indepVariables, gammaVariables, performanceVariables);
    return std::nullopt;
}

// The component's files are tested again. A file the library cannot read stays listed as the
// component names it, so that opening and accepting the editor loses none of its settings;
// the user is told which files and why, and may remove them.
void FileTabWidget::restoreFiles(const QStringList &fileNames)
{
    QStringList listed;
    QStringList keys;
    QStringList leftOut;
    for (const QString &name : fileNames) {
        const QString key = fileKey(name);
        const int index = int(keys.indexOf(key));
        if (name.isEmpty())
            appendOnce(leftOut, tr("an empty name"));
        else if (index >= 0)
            leftOut.append(
                tr("%1 (the file of %2)").arg(quotedText(name), quotedText(listed.at(index))));
        if (name.isEmpty() || index >= 0)
            continue;
        keys.append(key);
        listed.append(name);
    }
    leftOutNote->setNote(leftOut.isEmpty()
                             ? QString()
                             : tr("Listed more than once or empty in the component, so OK leaves "
                                  "them out: %1.")
                                   .arg(elidedText(leftOut.join(QLatin1String(", ")))));
    if (listed.isEmpty())
        return;
    // The usual case: one query for all files.
    if (!takeFiles(listed))
        return;
    fileTabState.setFileNames(listed);
    noteUnreadableFiles(listed);
    announceReadableFiles(TellWarning);
}

QStringList FileTabWidget::readableFiles() const
{
    return listedFiles(true);
}

QStringList FileTabWidget::listedFiles(bool readable) const
{
    QStringList files;
    for (const QString &file : fileTabState.fileNames()) {
        if (unreadableFiles.contains(file) != readable)
            files.append(file);
    }
    return files;
}

// Why the library cannot read the file alone; nothing when it can.
std::optional<QString> FileTabWidget::unreadableReason(const QString &file) const
{
    Corvane_LP::LoadpullUI probe;
    if (LoadPullDataLibrary::query({resolvedPath(file)}, {}, probe))
        return std::nullopt;
    return LoadPullDataLibrary::text(probe.errorText);
}

// Notes each file the library reads alone but not with the files listed before it, such as one
// that uses a name of theirs in another role, with the library's reason, and tells the user of
// them. Gives whether it found any.
bool FileTabWidget::noteConflictingFiles()
{
    QStringList joined;
    QStringList reasons;
    for (const QString &file : readableFiles()) {
        Corvane_LP::LoadpullUI probe;
        if (LoadPullDataLibrary::query({resolvedPath(file)}, resolvedPaths(joined), probe)) {
            joined.append(file);
            continue;
        }
        const QString reason = LoadPullDataLibrary::text(probe.errorText);
        unreadableFiles.insert(file, reason);
        reasons.append(reason);
    }
    tellUnreadable(reasons);
    return !reasons.isEmpty();
}

// Notes the files the library cannot read alone, with its reason, and tells the user of them.
// Gives whether it found any.
bool FileTabWidget::noteUnreadableFiles(const QStringList &files)
{
    QStringList reasons;
    for (const QString &file : files) {
        if (const std::optional<QString> reason = unreadableReason(file)) {
            unreadableFiles.insert(file, *reason);
            reasons.append(*reason);
        }
    }
    tellUnreadable(reasons);
    return !reasons.isEmpty();
}

void FileTabWidget::tellUnreadable(const QStringList &reasons)
{
    tellReasons(tr("These load pull files could not be read. They stay in the list, and the "
                   "settings of their variables are kept; remove a file to drop it."),
                reasons);
}

void FileTabWidget::tellReasons(const QString &heading, const QStringList &reasons)
{
    if (!reasons.isEmpty())
        showMessage(QMessageBox::Warning, heading + QStringLiteral("\n\n") +
                                              elidedLines(reasons.join(QLatin1Char('\n'))));
}

// A file that could not be read may be back: it is read again as one of the listed files. One
// still unreadable keeps the library's latest reason.
void FileTabWidget::recheckUnreadableFiles()
{
    for (const QString &file : unreadableFiles.keys()) {
        if (const std::optional<QString> reason = unreadableReason(file))
            unreadableFiles.insert(file, *reason);
        else
            unreadableFiles.remove(file);
    }
}

// Reads listed files again that the library could not read, and tells the user of those it
// still cannot read, and why.
void FileTabWidget::readAgain(const QStringList &files)
{
    if (files.isEmpty())
        return;
    recheckUnreadableFiles();
    QStringList reasons;
    for (const QString &file : files) {
        if (unreadableFiles.contains(file))
            reasons.append(unreadableFiles.value(file));
    }
    tellReasons(tr("Already listed, and still cannot be read:"), reasons);
}

// Announces the variables of the files the library can read. A file it can no longer read, or
// cannot read with the files before it, is noted as unreadable; should it still refuse the
// files together, they are all kept as unreadable. The library's warning is shown where the
// files were added; a removal brings no new disagreement.
void FileTabWidget::announceReadableFiles(WarningPolicy warning)
{
    Corvane_LP::LoadpullUI uiInfo;
    // The host reads the files of the other types itself.
    if (fileTabState.fileType() != MauryFileType)
        return announce(uiInfo);
    bool accepted = LoadPullDataLibrary::query({}, resolvedPaths(readableFiles()), uiInfo);
    if (!accepted && (noteUnreadableFiles(readableFiles()) || noteConflictingFiles())) {
        uiInfo.clear();
        accepted = LoadPullDataLibrary::query({}, resolvedPaths(readableFiles()), uiInfo);
    }
    if (accepted) {
        if (warning == TellWarning)
            showWarning(uiInfo);
    } else {
        const QString reason = LoadPullDataLibrary::text(uiInfo.errorText);
        for (const QString &file : readableFiles())
            unreadableFiles.insert(file, reason);
        tellUnreadable({reason});
        uiInfo.clear();
    }
    announce(uiInfo);
}

void FileTabWidget::markUnreadableRows()
{
    const SignalBlocker blocker(fileListWidget);
    const QStringList files = fileTabState.fileNames();
    for (int row = 0; row < fileListWidget->count() && row < files.size(); ++row) {
        QListWidgetItem *item = fileListWidget->item(row);
        const QString reason = unreadableFiles.value(files.at(row));
        item->setToolTip(elidedLines(reason));
        item->setIcon(reason.isEmpty() ? QIcon()
                                       : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    }
}

// A relative name is one of the component's folder; a name not found there is looked for in
// its data folder, where the file dialog opens.
QString FileTabWidget::resolvedPath(const QString &fileName) const
{
    if (QDir::isAbsolutePath(fileName))
        return QDir::cleanPath(fileName);
    const QString inComponentDir = componentDir.absoluteFilePath(fileName);
    const QString inBaseDir = baseDir.absoluteFilePath(fileName);
    if (!QFileInfo::exists(inComponentDir) && QFileInfo::exists(inBaseDir))
        return QDir::cleanPath(inBaseDir);
    return QDir::cleanPath(inComponentDir);
}

// The file a name leads to, links followed; the path itself for a file that is not there.
QString FileTabWidget::fileKey(const QString &fileName) const
{
    const QString path = resolvedPath(fileName);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

QStringList FileTabWidget::resolvedPaths(const QStringList &fileNames) const
{
    QStringList paths;
    for (const QString &name : fileNames)
        paths.append(resolvedPath(name));
    return paths;
}

// Files below the base directory are shown relative to it. The test compares path texts, so
// a sibling such as ../data2 counts as below a base directory ../data. A name with blanks at
// either end is shown in quotes, so that they can be seen.
QString FileTabWidget::displayName(const QString &fileName) const
{
    const QString path = resolvedPath(fileName);
    const QString directory = QFileInfo(path).dir().canonicalPath();
    const QString shown = !directory.isEmpty() && directory.startsWith(baseDir.canonicalPath())
                              ? baseDir.relativeFilePath(path)
                              : path;
    if (fileName.trimmed() != fileName)
        return QLatin1Char('"') + shown + QLatin1Char('"');
    return shown;
}

void FileTabWidget::announce(const Corvane_LP::LoadpullUI &uiInfo)
{
    QList<IndepVarInfo> indepVariables;
    QList<GammaVarInfo> gammaVariables;
    QList<PerformanceVarBaseInfo> performanceVariables;
    extractVariableInfo(uiInfo, indepVariables, gammaVariables, performanceVariables);
    announce(indepVariables, gammaVariables, performanceVariables);
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

// The disagreements between the files, on every addition that has any: a list short enough for
// the box to stay on the screen, with every note in the box's details.
void FileTabWidget::showWarning(const Corvane_LP::LoadpullUI &uiInfo)
{
    QStringList notes = warningLines(uiInfo);
    const QString heading = notes.size() > 1 ? notes.takeFirst() + QLatin1Char('\n') : QString();
    if (notes.isEmpty())
        return;
    const QString baseFolder = baseDir.canonicalPath() + QLatin1Char('/');
    QStringList shortNotes;
    for (const QString &note : qAsConst(notes))
        shortNotes.append(shortNote(note, baseFolder));
    showMessage(QMessageBox::Warning,
                heading + listedNotes(shortNotes, notesThatFit(shortNotes), MaxBoxNoteLength),
                listedNotes(notes, MaxNotesInDetails, MaxShownTextLength));
}

// The note with the files of the base folder named as the list shows them, short of it, and
// any name still long cut to "…/" and the file's own name: the box must tell which file.
QString FileTabWidget::shortNote(const QString &note, const QString &baseFolder) const
{
    QStringList parts = QString(note).replace(baseFolder, QString()).split(QLatin1Char('"'));
    for (int i = 1; i < parts.size(); i += 2) { // the quoted file names
        if (parts.at(i).size() > 40)
            parts[i] = QChar(0x2026) + QLatin1Char('/') + QFileInfo(parts.at(i)).fileName();
    }
    return parts.join(QLatin1Char('"'));
}

// While the tab is not on the screen, as when the editor opens, the box goes over the window
// the user works in rather than over a tab nobody sees.
void FileTabWidget::showMessage(QMessageBox::Icon icon, const QString &text, const QString &details)
{
    QWidget *parent = isVisible() ? this : QApplication::activeWindow();
    PlainMessageBox::show(icon, parent, Title, text, QMessageBox::Ok, details);
}
