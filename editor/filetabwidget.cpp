#include "filetabwidget.h"

#include "elidedtext.h"
#include "enhancedlistwidget.h"
#include "enumerations.h"
#include "hostadapter.h"
#include "loadpulldatalibrary.h"
#include "plainmessagebox.h"
#include "rowoperationswidget.h"
#include "signalblocker.h"

#include <QCoreApplication>
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
// A note in the box itself takes about two lines at most, so that a dozen of them leave the
// box and its button on the screen.
constexpr int MaxBoxNoteLength = 100;

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

// The host keeps file names as Latin-1 text: any other character would come back as '?'.
bool isLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xff; });
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
    // A row shows a file of the state: another file comes in through Add..., which checks it.
    fileListWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
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

bool FileTabWidget::hasUnreadableFiles() const
{
    return !unreadableFiles.isEmpty();
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

void FileTabWidget::appendLoadPullFiles(const QStringList &lpFileNames)
{
    QStringList newNames;
    QStringList unusable;
    for (const QString &name : lpFileNames) {
        const QString path = QFileInfo(name).canonicalFilePath();
        // A missing file has no canonical path; resolved against the base directory the
        // library would be told about that directory instead, so say what is wrong here.
        if (path.isEmpty()) {
            showMessage(false, tr("The load pull file %1 does not exist.").arg(elidedText(name)));
            return;
        }
        if (!isLatin1(path))
            unusable.append(path);
        else if (!fileTabState.fileNames().contains(path) && !newNames.contains(path))
            newNames.append(path);
    }
    for (const QString &path : qAsConst(unusable))
        showMessage(false, tr("%1 cannot be used: the design environment keeps file names as "
                              "Latin-1 text, and this path holds other characters. Rename the "
                              "file, or move it to a folder whose path holds Latin-1 characters "
                              "only.")
                               .arg(elidedText(path)));
    if (newNames.isEmpty())
        return;
    if (const std::optional<QString> refusal = takeFiles(newNames))
        showMessage(false, *refusal);
}

void FileTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
    emit fileListModified();
}

void FileTabWidget::viewLoadPullFile(const QString &fileToView)
{
    const QString path = baseDir.absoluteFilePath(fileToView);
    if (const std::optional<QString> quoted = HostAdapter::scriptString(path))
        sendCommand(QStringLiteral("de_invoke_text_editor( NULL, FALSE, NULL, ") + *quoted +
                    QStringLiteral(" );"));
    else
        showMessage(false, tr("%1 cannot be opened for viewing: its name holds a control "
                              "character or a character outside Latin-1, which no command to "
                              "the design environment can carry.")
                               .arg(elidedText(path)));
}

// Runs after the list has dropped the row. A removal the data library refuses puts the
// file back through the addition path.
void FileTabWidget::removeLoadPullFileInfo(int deletedFileIndex)
{
    if (deletedFileIndex < 0 || deletedFileIndex >= fileTabState.count())
        return;
    const QString removed = fileTabState.fileNames().at(deletedFileIndex);
    fileTabState.removeFileNameAt(deletedFileIndex);
    unreadableFiles.remove(removed);

    Corvane_LP::LoadpullUI uiInfo;
    // The stored names are canonical already; canonicalising again would turn a file
    // deleted on disk into an empty name.
    if (LoadPullDataLibrary::query({}, readableFiles(), uiInfo)) {
        newDisagreements(warningLines(uiInfo)); // a removal adds none
        announce(uiInfo);
        markUnreadableRows();
        if (fileTabState.isEmpty())
            sendCommand(TabsInsensitive);
        return;
    }
    QString message = tr(" Could not remove file %1 from internal cache.").arg(elidedText(removed));
    if (const std::optional<QString> refusal = takeFiles({removed})) {
        // The file stays removed. Whatever else the library can no longer read stays listed
        // with its settings, as at opening, and the tab announces the state it ends in.
        message +=
            QLatin1Char('\n') +
            tr("It could not be added back either, so it is no longer listed: %1").arg(*refusal);
        noteUnreadableFiles(readableFiles());
        announceReadableFiles();
    }
    updateView();
    if (fileTabState.isEmpty())
        sendCommand(TabsInsensitive);
    showMessage(false, message);
}

FileTabState FileTabWidget::state() const
{
    return fileTabState;
}

void FileTabWidget::setState(const FileTabState &newState)
{
    fileTabState.clear();
    unreadableFiles.clear();
    knownDisagreements.clear();
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
        // A listed file the library cannot read would make it refuse every addition.
        const bool accepted = LoadPullDataLibrary::query(
            absoluteFileNames(lpFileNames), absoluteFileNames(readableFiles()), uiInfo);
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

// Tests the new files, given as canonical paths, and takes them when the library accepts
// them. Gives the refusal to show when it does not.
std::optional<QString> FileTabWidget::takeFiles(const QStringList &newNames)
{
    QList<IndepVarInfo> indepVariables;
    QList<GammaVarInfo> gammaVariables;
    QList<PerformanceVarBaseInfo> performanceVariables;
    Corvane_LP::LoadpullUI uiInfo;
    if (!isValid(newNames, indepVariables, gammaVariables, performanceVariables, uiInfo))
        return elidedLines(LoadPullDataLibrary::text(uiInfo.errorText));
    showWarning(uiInfo);
    for (const QString &path : newNames)
        fileTabState.appendFileName(path);
    announce(indepVariables, gammaVariables, performanceVariables);
    return std::nullopt;
}

// The component's files are tested again. A file the library cannot read stays listed as the
// component names it, so that opening and accepting the editor loses none of its settings;
// the user is told which files and why, and may remove them.
void FileTabWidget::restoreFiles(const QStringList &fileNames)
{
    QStringList listed;
    for (const QString &name : fileNames) {
        const QString path = QFileInfo(name).canonicalFilePath();
        const QString entry = path.isEmpty() ? name : path;
        if (!listed.contains(entry))
            listed.append(entry);
    }
    if (listed.isEmpty())
        return;
    // The usual case: one query for all files.
    if (!takeFiles(listed))
        return;
    fileTabState.setFileNames(listed);
    noteUnreadableFiles(listed);
    QStringList reasons = unreadableFiles.values();
    showMessage(false, tr("These load pull files could not be read. They stay in the list, and "
                          "the settings of their variables are kept; remove a file to drop it.") +
                           QStringLiteral("\n\n") + elidedLines(reasons.join(QLatin1Char('\n'))));
    announceReadableFiles();
}

QStringList FileTabWidget::readableFiles() const
{
    QStringList readable;
    for (const QString &file : fileTabState.fileNames()) {
        if (!unreadableFiles.contains(file))
            readable.append(file);
    }
    return readable;
}

// Asks the library about each file alone and notes those it cannot read, with its reason.
void FileTabWidget::noteUnreadableFiles(const QStringList &files)
{
    for (const QString &file : files) {
        Corvane_LP::LoadpullUI probe;
        if (!LoadPullDataLibrary::query({baseDir.absoluteFilePath(file)}, {}, probe))
            unreadableFiles.insert(file, LoadPullDataLibrary::text(probe.errorText));
    }
}

// Announces the variables of the files the library can read. Should it refuse them together
// although it took each alone, they are all kept as unreadable.
void FileTabWidget::announceReadableFiles()
{
    const QStringList readable = readableFiles();
    Corvane_LP::LoadpullUI uiInfo;
    if (LoadPullDataLibrary::query({}, absoluteFileNames(readable), uiInfo)) {
        showWarning(uiInfo);
    } else {
        for (const QString &file : readable)
            unreadableFiles.insert(file, LoadPullDataLibrary::text(uiInfo.errorText));
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

// The warning tells only what the user has not seen yet, as a list short enough for the box
// to stay on the screen; the box's details hold every new note.
void FileTabWidget::showWarning(const Corvane_LP::LoadpullUI &uiInfo)
{
    const QStringList lines = warningLines(uiInfo);
    const QStringList notes = newDisagreements(lines);
    if (notes.isEmpty())
        return;
    const QString heading = lines.size() > 1 ? lines.first() + QLatin1Char('\n') : QString();
    QStringList shortNotes;
    for (const QString &note : notes)
        shortNotes.append(shortNote(note));
    showMessage(true, heading + listedNotes(shortNotes, MaxShownLines, MaxBoxNoteLength),
                listedNotes(notes, MaxNotesInDetails, MaxShownTextLength));
}

// The note with the files of the base folder named as the list shows them, short of it, and
// any name still long cut to "…/" and the file's own name: the box must tell which file.
QString FileTabWidget::shortNote(const QString &note) const
{
    QStringList parts = QString(note)
                            .replace(baseDir.canonicalPath() + QLatin1Char('/'), QString())
                            .split(QLatin1Char('"'));
    for (int i = 1; i < parts.size(); i += 2) { // the quoted file names
        if (parts.at(i).size() > 40)
            parts[i] = QChar(0x2026) + QLatin1Char('/') + QFileInfo(parts.at(i)).fileName();
    }
    return parts.join(QLatin1Char('"'));
}

// The notes of `lines`, the library's warning, that were not in its last one, which then
// becomes this. A warning of several lines opens with a heading, which is no note.
QStringList FileTabWidget::newDisagreements(QStringList lines)
{
    if (lines.size() > 1)
        lines.removeFirst();
    QStringList fresh;
    for (const QString &note : qAsConst(lines)) {
        if (!knownDisagreements.contains(note))
            fresh.append(note);
    }
    knownDisagreements = QSet<QString>(lines.begin(), lines.end());
    return fresh;
}

void FileTabWidget::showMessage(bool warning, const QString &text, const QString &details)
{
    PlainMessageBox::show(warning ? QMessageBox::Warning : QMessageBox::Information, this, Title,
                          text, QMessageBox::Ok, details);
}
