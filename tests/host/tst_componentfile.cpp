#include "componentfile.h"
#include "testtexts.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/mman.h>
#include <unistd.h>

using Parameters = ComponentFile::Parameters;

Q_DECLARE_METATYPE(Parameters)

namespace {

const QString ExampleComponent = QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json");

// One anonymous mapping split into pages of alternating protection, which the kernel
// keeps apart as mappings of their own.
class SplitMapping
{
public:
    explicit SplitMapping(int pages)
        : m_size(size_t(pages) * size_t(sysconf(_SC_PAGESIZE)))
        , m_start(mmap(nullptr, m_size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0))
    {
        const size_t page = m_size / size_t(pages);
        for (size_t offset = 0; m_start != MAP_FAILED && offset < m_size; offset += 2 * page)
            mprotect(static_cast<char *>(m_start) + offset, page, PROT_READ);
    }
    ~SplitMapping()
    {
        if (m_start != MAP_FAILED)
            munmap(m_start, m_size);
    }
    Q_DISABLE_COPY(SplitMapping)

private:
    size_t m_size;
    void *m_start;
};

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList linesOf(const QByteArray &json)
{
    return QString::fromUtf8(json).split(QLatin1Char('\n'));
}

// The keys that open the lines of a component file, in order: its members' and its
// parameters'.
QStringList keysInOrder(const QByteArray &json)
{
    static const QRegularExpression key("^ *\"([^\"]*)\": "_s, QRegularExpression::MultilineOption);
    QStringList keys;
    for (auto it = key.globalMatch(QString::fromUtf8(json)); it.hasNext();)
        keys.append(it.next().captured(1));
    return keys;
}

// The lines where two texts differ: what is left of each without the lines they begin
// and end with in common.
std::pair<QStringList, QStringList> differingLines(const QStringList &before,
                                                   const QStringList &after)
{
    const int shorter = int(std::min(before.size(), after.size()));
    int head = 0;
    while (head < shorter && before.at(head) == after.at(head))
        ++head;
    int tail = 0;
    while (tail < shorter - head &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {before.mid(head, before.size() - head - tail),
            after.mid(head, after.size() - head - tail)};
}

ComponentFile componentWith(const Parameters &parameters)
{
    ComponentFile component;
    component.setHostParameters(parameters);
    return component;
}

const QDateTime LongAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

bool setModificationTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

// Why the file does not read as a component; empty when it does.
QString readingProblem(ComponentFile &component, const QString &path)
{
    QString error;
    return component.read(path, &error) ? QString() : error;
}

QString readingProblem(const QString &path)
{
    ComponentFile component;
    return readingProblem(component, path);
}

QString writingProblem(const ComponentFile &component, const QString &path)
{
    QString error;
    return component.write(path, &error) ? QString() : error;
}

} // namespace

// Component files as lp-host reads and writes them: what a file holds comes back whole,
// and a file that is no component is refused with a message saying why.
class tst_ComponentFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writtenComponentReadsBack_data();
    void writtenComponentReadsBack();
    void refusesContentsThatAreNoComponent_data();
    void refusesContentsThatAreNoComponent();
    void keysMayRepeatAcrossObjects_data();
    void keysMayRepeatAcrossObjects();
    void refusesAFileThatIsNotRegular();
    void refusesAFileThatHoldsMoreThanItsSize();
    void reportsAFileThatCannotBeRead();
    void theSizeLimitHoldsToTheByte_data();
    void theSizeLimitHoldsToTheByte();
    void anUnchangedComponentLeavesTheFileUntouched_data();
    void anUnchangedComponentLeavesTheFileUntouched();
    void aChangedParameterChangesOnlyItsLines_data();
    void aChangedParameterChangesOnlyItsLines();
    void keepsTheOrderOfTheFile_data();
    void keepsTheOrderOfTheFile();
    void listsLongerThanALineTakeALinePerValue_data();
    void listsLongerThanALineTakeALinePerValue();
    void namesTheChangedParameters_data();
    void namesTheChangedParameters();
    void namesDataFilesAsTheComponentDid_data();
    void namesDataFilesAsTheComponentDid();
    void keepsWhatThePluginDoesNotHandBack_data();
    void keepsWhatThePluginDoesNotHandBack();
    void aRewrittenFileKeepsItsPermissionsAndLink();
    void reportsAFileThatCannotBeWritten();

private:
    QString writeFile(const QString &name, const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> m_workspace;
};

void tst_ComponentFile::init()
{
    m_workspace = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workspace->isValid());
}

QString tst_ComponentFile::writeFile(const QString &name, const QByteArray &contents)
{
    QFile file(m_workspace->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qWarning() << "Cannot write" << file.fileName();
    return file.fileName();
}

void tst_ComponentFile::writtenComponentReadsBack_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("instance");
    QTest::addColumn<Parameters>("parameters");

    QTest::newRow("no parameters")
        << QByteArray(R"({"instance": "DBLP1", "parameters": {}})") << "DBLP1"_s << Parameters();
    QTest::newRow("empty lists and texts")
        << QByteArray(R"({"instance": "", "parameters": {"GammaName": [], "": [""]}})") << QString()
        << Parameters{{"GammaName"_s, {}}, {QString(), {QString()}}};
    // The instance name never goes to the plug-in: it may hold any text.
    QTest::newRow("Latin-1 texts, an instance name beyond it")
        << QByteArray(u8R"({"instance": "Verstärker Ω \ud800",
                            "parameters": {"Z": ["50 ±²", "ÿ"], "Größe": ["µ"]}})")
        << "Verstärker Ω "_s + QChar(0xd800)
        << Parameters{{"Z"_s, {"50 ±²"_s, "ÿ"_s}}, {"Größe"_s, {"µ"_s}}};
    QTest::newRow("quotes, backslashes and control characters")
        << QByteArray(R"({"instance": "\"D\\B\"", "parameters":
                          {"a\"b": ["C:\\data\\pa.lp", "line\nbreak\ttab\u0001"]}})")
        << "\"D\\B\""_s
        << Parameters{{"a\"b"_s, {"C:\\data\\pa.lp"_s, "line\nbreak\ttab"_s + QChar(1)}}};
}

// What a file holds is what the component takes, and what it writes reads back the same.
void tst_ComponentFile::writtenComponentReadsBack()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, instance);
    QFETCH(Parameters, parameters);
    ComponentFile written;
    QCOMPARE(readingProblem(written, writeFile("given.json"_s, json)), QString());
    QCOMPARE(written.instanceName(), instance);
    QCOMPARE(written.parameters(), parameters);
    const QString path = m_workspace->filePath("written.json"_s);
    QCOMPARE(writingProblem(written, path), QString());

    ComponentFile read;
    QCOMPARE(readingProblem(read, path), QString());
    QCOMPARE(read.instanceName(), instance);
    QCOMPARE(read.parameters(), parameters);
}

void tst_ComponentFile::refusesContentsThatAreNoComponent_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const auto row = [](const char *name, const QByteArray &json, const QString &message) {
        QTest::newRow(name) << json << message;
    };
    row("an unfinished object", R"({"instance": "D")", "not a component ("_s);
    row("a list", R"([{"instance": "D", "parameters": {}}])",
        "not a component (not a JSON object)"_s);
    row("an instance name that is a number", R"({"instance": 1, "parameters": {}})",
        "not a component (the instance name is not a text)"_s);
    row("parameters in a list", R"({"instance": "D", "parameters": [["NUM", "1"]]})",
        "not a component (the parameters are not an object)"_s);
    row("a parameter that is a text", R"({"instance": "D", "parameters": {"NUM": "1"}})",
        "parameter NUM is not a list of texts"_s);
    row("a parameter list holding a number",
        R"({"instance": "D", "parameters": {"NUM": ["1", 2]}})",
        "parameter NUM is not a list of texts"_s);
    row("a repeated parameter whose first value is a list",
        R"({"instance": "D", "parameters": )"
        R"({"FileName": ["a.lp"], "NUM": ["1"], "FileName": ["b.lp"]}})",
        "not a component (the key \"FileName\" is repeated)"_s);
    row("a key repeated in an object inside a list",
        R"({"instance": "D", "parameters": {"Z": [{"a": [], "a": 1}]}})",
        "not a component (the key \"a\" is repeated)"_s);
    const char keysWithNul[] =
        "{\"instance\": \"D\", \"parameters\": {\"a\0b\": [], \"a\0c\": []}}";
    const QByteArray withNul(keysWithNul, sizeof keysWithNul - 1);
    row("keys that differ after a NUL byte, the first holding a list", withNul,
        "not a component (a NUL byte at offset %1)"_s.arg(withNul.indexOf('\0')));
    // The host keeps Latin-1 texts without NUL characters: others would be written back
    // changed.
    row("a data file named beyond Latin-1",
        u8R"({"instance": "D", "parameters": {"FileName": ["data/a.lp", "data/pa_Γ.lp"]}})",
        "not a component (parameter FileName holds \"data/pa_Γ.lp\", which is not Latin-1 "
        "text)"_s);
    row("a long value beyond Latin-1, quoted in part",
        R"({"instance": "D", "parameters": {"Z": [")" + QByteArray(70, 'x') + R"(\ud83d"]}})",
        "not a component (parameter Z holds \""_s + QString(60, u'x') +
            "...\", which is not Latin-1 text)"_s);
    row("a parameter name beyond Latin-1", u8R"({"instance": "D", "parameters": {"Имя": []}})",
        "not a component (the parameter name \"Имя\" is not Latin-1 text)"_s);
    row("a value with a NUL character",
        R"({"instance": "D", "parameters": {"NUM": ["1", "\u0000nul"]}})",
        "not a component (parameter NUM holds a NUL character, which the host cannot keep)"_s);
    row("a parameter name with a NUL character",
        R"({"instance": "D", "parameters": {"N\u0000": []}})",
        "not a component (a parameter name holds a NUL character, which the host cannot keep)"_s);
    row("a key repeated in another spelling",
        R"({"instance": "D", "parameters": {"NUM": [], "N\u0055M": []}})",
        "not a component (the key \"NUM\" is repeated)"_s);
}

// A refused file also leaves the component as it was.
void tst_ComponentFile::refusesContentsThatAreNoComponent()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    ComponentFile component;
    QCOMPARE(readingProblem(component, ExampleComponent), QString());
    const QByteArray before = component.toJson();
    const QDir folder = component.folder();

    const QString path = writeFile("component.json"_s, json);
    const QString error = readingProblem(component, path);
    QVERIFY2(error.startsWith(path + ": "_s + message), qPrintable(error));
    QCOMPARE(component.toJson(), before);
    QCOMPARE(component.folder(), folder);
}

void tst_ComponentFile::keysMayRepeatAcrossObjects_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("a parameter named like a key of the component")
        << QByteArray(R"({"instance": "D", "parameters": {"instance": ["x"]}})")
        << QStringList{"instance"_s};
    QTest::newRow("a text that reads like a key")
        << QByteArray(R"({"instance": "NUM", "parameters": {"NUM": ["NUM", "NUM"], )"
                      R"("Z": ["NUM\": [], \"NUM"]}})")
        << QStringList{"NUM"_s, "Z"_s};
    QTest::newRow("keys that differ in case or by an escaped quote")
        << QByteArray(R"({"instance": "D", "parameters": {"NUM": [], "num": [], "NUM\"": []}})")
        << QStringList{"NUM"_s, "NUM\""_s, "num"_s};
    QTest::newRow("braces inside texts")
        << QByteArray(R"({"instance": "{", "parameters": {"A": ["}{\"A\": ["], "B": ["]"]}})")
        << QStringList{"A"_s, "B"_s};
}

void tst_ComponentFile::keysMayRepeatAcrossObjects()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, names);
    ComponentFile component;
    QString error;
    QVERIFY2(component.readJson(json, &error), qPrintable(error));
    QCOMPARE(component.parameters().keys(), names);
}

// Refused before anything is read, as an endless device or a FIFO would never end.
void tst_ComponentFile::refusesAFileThatIsNotRegular()
{
    QCOMPARE(readingProblem(QDir::tempPath()), QDir::tempPath() + " is not a regular file"_s);
}

// The kernel's record of the process's mappings reports no size; with thousands of
// mappings it holds megabytes, and no more than a component's size is read of it.
void tst_ComponentFile::refusesAFileThatHoldsMoreThanItsSize()
{
    const SplitMapping mappings(16384);
    const QString path = "/proc/self/smaps"_s;
    QFile smaps(path);
    QVERIFY(smaps.open(QIODevice::ReadOnly));
    QCOMPARE(smaps.size(), 0);
    QVERIFY(smaps.read(ComponentFile::MaximumSize + 1).size() > ComponentFile::MaximumSize);

    QCOMPARE(readingProblem(path),
             "%1 is too large to be a component file (more than %2 bytes)"_s.arg(path).arg(
                 ComponentFile::MaximumSize));
}

// The kernel's page map is read in whole entries only, so reading a component's size
// of it fails: the refusal gives the reading error, not a verdict on the contents.
void tst_ComponentFile::reportsAFileThatCannotBeRead()
{
    const QString path = "/proc/self/pagemap"_s;
    const QString error = readingProblem(path);
    QVERIFY2(error.startsWith(path + ": "_s) && !error.contains("not a component"_s),
             qPrintable(error));
}

void tst_ComponentFile::theSizeLimitHoldsToTheByte_data()
{
    QTest::addColumn<qint64>("size");

    QTest::newRow("the largest size is read") << ComponentFile::MaximumSize;
    QTest::newRow("a byte more is refused by its size alone") << ComponentFile::MaximumSize + 1;
}

// A component padded with blanks: past the limit the refusal gives the file's size, which only
// a refusal before reading knows.
void tst_ComponentFile::theSizeLimitHoldsToTheByte()
{
    QFETCH(qint64, size);
    QByteArray json(R"({"instance": "D", "parameters": {"NUM": ["1"]}})");
    json.append(int(size - json.size()), ' ');
    const QString path = writeFile("component.json"_s, json);
    ComponentFile component;
    const QString problem = readingProblem(component, path);
    if (size > ComponentFile::MaximumSize)
        QCOMPARE(problem,
                 "%1 is too large to be a component file (%2 bytes, at most %3)"_s.arg(path)
                     .arg(size)
                     .arg(ComponentFile::MaximumSize));
    else
        QCOMPARE(component.parameters().value("NUM"_s), QStringList{"1"_s});
}

void tst_ComponentFile::anUnchangedComponentLeavesTheFileUntouched_data()
{
    QTest::addColumn<QByteArray>("contents");

    QTest::newRow("a file laid out otherwise")
        << QByteArray(R"({"parameters":{"Z":["50"],"NUM":["1"]},"instance":"D"})");
    QTest::newRow("data files named by unusual paths")
        << QByteArray(R"({"instance": "D", "parameters": {"FileName": ["./data/a.lp",
                          "data/../b.lp", "data//c.lp", "/elsewhere/d.lp"]}})");
}

// Handed back the parameter list it gave the plug-in, the component keeps its file's bytes and
// time, as an editor that changed nothing leaves it.
void tst_ComponentFile::anUnchangedComponentLeavesTheFileUntouched()
{
    QFETCH(QByteArray, contents);
    const QString path = writeFile("component.json"_s, contents);
    QVERIFY(setModificationTime(path, LongAgo));
    ComponentFile component;
    QCOMPARE(readingProblem(component, path), QString());
    component.setHostParameters(component.hostParameters());

    QCOMPARE(writingProblem(component, path), QString());
    QCOMPARE(contentsOf(path), contents);
    QCOMPARE(QFileInfo(path).lastModified().toUTC(), LongAgo);
}

void tst_ComponentFile::aChangedParameterChangesOnlyItsLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("a value") << "NUM"_s << texts({"2"});
    QTest::newRow("the last parameter") << "Z"_s << texts({"75 Ohm"});
}

// Compared line by line with the file as it was, only the parameter's own lines differ.
void tst_ComponentFile::aChangedParameterChangesOnlyItsLines()
{
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    const QString path = writeFile("pa_amplifier.json"_s, contentsOf(ExampleComponent));
    ComponentFile component;
    QCOMPARE(readingProblem(component, path), QString());
    Parameters parameters = component.hostParameters();
    parameters.insert(name, values);
    component.setHostParameters(parameters);
    QCOMPARE(writingProblem(component, path), QString());

    const auto [removed, added] =
        differingLines(linesOf(contentsOf(ExampleComponent)), linesOf(contentsOf(path)));
    const QString opening = "        \"%1\": ["_s.arg(name);
    QCOMPARE(removed.size(), 1);
    QVERIFY2(removed.first().startsWith(opening), qPrintable(removed.first()));
    QVERIFY(!added.isEmpty());
    QVERIFY2(added.first().startsWith(opening), qPrintable(added.first()));
    ComponentFile written;
    QCOMPARE(readingProblem(written, path), QString());
    QCOMPARE(written.parameters(), component.parameters());
}

namespace {

const QByteArray UnusualOrder = R"({
    "parameters": {
        "Z": ["50"],
        "FileType": ["Maury"],
        "A": ["1"]
    },
    "comment": {"by":  "hand", "at": [1, 2.50]},
    "instance": "D"
})";

} // namespace

void tst_ComponentFile::keepsTheOrderOfTheFile_data()
{
    QTest::addColumn<Parameters>("parameters");
    QTest::addColumn<QStringList>("keys");

    const Parameters given{
        {"Z"_s, texts({"50"})}, {"FileType"_s, texts({"Maury"})}, {"A"_s, texts({"1"})}};
    Parameters changed = given;
    changed.insert("Z"_s, texts({"75"}));
    changed.insert("A"_s, texts({"2"}));
    QTest::newRow("parameters changed")
        << changed << texts({"parameters", "Z", "FileType", "A", "comment", "instance"});
    Parameters added = given;
    added.insert("M"_s, texts({"m"}));
    added.insert("B"_s, texts({"b"}));
    QTest::newRow("parameters the file lacked, last in name order")
        << added << texts({"parameters", "Z", "FileType", "A", "B", "M", "comment", "instance"});
}

// The members and parameters keep their order, and a member the component does not know
// keeps its text.
void tst_ComponentFile::keepsTheOrderOfTheFile()
{
    QFETCH(Parameters, parameters);
    QFETCH(QStringList, keys);
    const QString path = writeFile("component.json"_s, UnusualOrder);
    ComponentFile component;
    QCOMPARE(readingProblem(component, path), QString());
    component.setHostParameters(parameters);
    QCOMPARE(writingProblem(component, path), QString());

    const QByteArray written = contentsOf(path);
    QCOMPARE(keysInOrder(written), keys);
    QVERIFY(written.contains(R"("comment": {"by":  "hand", "at": [1, 2.50]},)"));
    QCOMPARE(readingProblem(component, path), QString());
    QCOMPARE(component.parameters(), parameters);
}

void tst_ComponentFile::listsLongerThanALineTakeALinePerValue_data()
{
    QTest::addColumn<QChar>("fill");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("last");
    QTest::addColumn<bool>("oneLine");

    const int full = ComponentFile::LineWidth;
    QTest::newRow("a line of full width") << QChar(u'x') << full << false << true;
    QTest::newRow("a line one character too wide") << QChar(u'x') << full + 1 << false << false;
    QTest::newRow("the last parameter, with no comma, of full width")
        << QChar(u'x') << full << true << true;
    QTest::newRow("characters beyond ASCII, of full width") << QChar(u'é') << full << false << true;
}

// Lists are written on one line as long as it fits, else one value per line.
void tst_ComponentFile::listsLongerThanALineTakeALinePerValue()
{
    QFETCH(QChar, fill);
    QFETCH(int, width);
    QFETCH(bool, last);
    QFETCH(bool, oneLine);
    const QString comma = last ? QString() : ","_s;
    const QString frame = R"(        "Long": ["a", ""])"_s + comma;
    const QString value(width - frame.size(), fill);
    const QString line = R"(        "Long": ["a", "%1"])"_s.arg(value) + comma;
    QCOMPARE(line.size(), width);

    ComponentFile component;
    QString error;
    const QString other = R"("Other": ["b"])"_s;
    const QString list = R"("Long": ["a", "%1"])"_s.arg(value);
    const QString json = R"({"instance": "D", "parameters": {%1, %2}})"_s.arg(last ? other : list,
                                                                              last ? list : other);
    QVERIFY2(component.readJson(json.toUtf8(), &error), qPrintable(error));
    const QStringList lines = linesOf(component.toJson());
    const QStringList wrapped{R"(        "Long": [)"_s, R"(            "a",)"_s,
                              R"(            "%1")"_s.arg(value), "        ]"_s + comma};
    const int opening = int(lines.indexOf(oneLine ? line : wrapped.first()));
    QVERIFY2(opening >= 0, component.toJson().constData());
    if (!oneLine)
        QCOMPARE(lines.mid(opening, wrapped.size()), wrapped);
}

void tst_ComponentFile::namesTheChangedParameters_data()
{
    QTest::addColumn<Parameters>("before");
    QTest::addColumn<Parameters>("after");
    QTest::addColumn<QStringList>("changed");

    const Parameters given{
        {"NUM"_s, texts({"1"})}, {"GammaName"_s, texts({"g1", "g2"})}, {"Z"_s, texts({"50"})}};
    QTest::newRow("nothing changed") << given << given << QStringList();
    Parameters changed = given;
    changed.insert("Z"_s, texts({"75"}));
    changed.insert("NUM"_s, texts({"2"}));
    QTest::newRow("two values, named in name order") << given << changed << texts({"NUM", "Z"});
    Parameters reordered = given;
    reordered.insert("GammaName"_s, texts({"g2", "g1"}));
    QTest::newRow("values reordered") << given << reordered << texts({"GammaName"});
    Parameters added = given;
    added.insert("Weight"_s, texts({"100"}));
    QTest::newRow("a parameter removed") << added << given << texts({"Weight"});
    Parameters empty = given;
    empty.insert("Weight"_s, {});
    QTest::newRow("an empty list where there was none") << given << empty << texts({"Weight"});
}

void tst_ComponentFile::namesTheChangedParameters()
{
    QFETCH(Parameters, before);
    QFETCH(Parameters, after);
    QFETCH(QStringList, changed);
    QCOMPARE(ComponentFile::changedParameters(componentWith(before), componentWith(after)),
             changed);
}

void tst_ComponentFile::namesDataFilesAsTheComponentDid_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("handed");
    QTest::addColumn<QStringList>("stored");

    QTest::newRow("a new file inside the folder")
        << QStringList() << texts({"data/new.lp"}) << texts({"data/new.lp"});
    QTest::newRow("files kept and files added")
        << texts({"data/../a.lp", "data/b.lp"}) << texts({"data/c.lp", "data/../a.lp", "data/b.lp"})
        << texts({"data/c.lp", "data/../a.lp", "data/b.lp"});
    // "@" stands for the component's folder.
    QTest::newRow("a file the component names by its absolute path")
        << texts({"@/data/a.lp"}) << texts({"@/data/a.lp", "data/b.lp"})
        << texts({"@/data/a.lp", "data/b.lp"});
}

// The plug-in hands back the names the component gave, and a file it added by its absolute
// path, which inside the component's folder is named relative to it.
void tst_ComponentFile::namesDataFilesAsTheComponentDid()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, handed);
    QFETCH(QStringList, stored);
    QDir folder(m_workspace->path());
    QVERIFY(folder.mkdir("data"_s));
    for (QStringList *names : {&given, &handed, &stored})
        names->replaceInStrings(QRegularExpression("^@"_s), QDir(folder.canonicalPath()).path());
    const QString path = writeFile(
        "component.json"_s,
        QJsonDocument(QJsonObject{{"instance"_s, "D"_s},
                                  {"parameters"_s,
                                   QJsonObject{{"FileName"_s, QJsonArray::fromStringList(given)}}}})
            .toJson());
    ComponentFile component;
    QCOMPARE(readingProblem(component, path), QString());
    for (QString &file : handed) {
        if (QDir::isRelativePath(file) && !given.contains(file)) {
            writeFile(file, QByteArray());
            file = QFileInfo(component.folder().filePath(file)).canonicalFilePath();
        }
    }

    component.setHostParameters({{"FileName"_s, handed}});
    QCOMPARE(component.parameters().value("FileName"_s), stored);
    QCOMPARE(writingProblem(component, path), QString());
    QCOMPARE(readingProblem(component, path), QString());
    QCOMPARE(component.parameters().value("FileName"_s), stored);
}

void tst_ComponentFile::keepsWhatThePluginDoesNotHandBack_data()
{
    QTest::addColumn<Parameters>("handed");
    QTest::addColumn<QStringList>("changed");

    // The component holds NUM, Unknown and Z; the plug-in gave Weight 100 on opening.
    const Parameters unchanged{
        {"NUM"_s, texts({"1"})}, {"Z"_s, texts({"50"})}, {"Weight"_s, texts({"100"})}};
    QTest::newRow("nothing changed") << unchanged << QStringList();
    Parameters edited = unchanged;
    edited.insert("NUM"_s, texts({"2"}));
    QTest::newRow("a parameter the component holds") << edited << texts({"NUM"});
    edited = unchanged;
    edited.insert("Weight"_s, texts({"7"}));
    QTest::newRow("a parameter the component lacks") << edited << texts({"Weight"});
}

// A parameter the plug-in does not know stays in its place, and one the component lacks stays
// out while the plug-in gives the default it gave on opening.
void tst_ComponentFile::keepsWhatThePluginDoesNotHandBack()
{
    QFETCH(Parameters, handed);
    QFETCH(QStringList, changed);
    ComponentFile component;
    QString error;
    QVERIFY(component.readJson(
        R"({"instance": "D", "parameters": {"NUM": ["1"], "Unknown": ["x"], "Z": ["50"]}})",
        &error));
    const ComponentFile given = component;
    component.setHostParameters(handed, {{"Weight"_s, texts({"100"})}});
    QCOMPARE(ComponentFile::changedParameters(given, component), changed);
    const QStringList lines = linesOf(component.toJson());
    QCOMPARE(lines.indexOf(R"(        "Unknown": ["x"],)"_s),
             lines.indexOf(R"(        "NUM": ["%1"],)"_s.arg(handed.value("NUM"_s).value(0))) + 1);
}

// A component reached through a link is written where the link leads, the link and the
// file's permissions kept.
void tst_ComponentFile::aRewrittenFileKeepsItsPermissionsAndLink()
{
    const QString path = writeFile("pa_amplifier.json"_s, contentsOf(ExampleComponent));
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const QString link = m_workspace->filePath("link.json"_s);
    QVERIFY(QFile::link(path, link));
    ComponentFile component;
    QCOMPARE(readingProblem(component, link), QString());
    component.setHostParameters({{"NUM"_s, texts({"3"})}});

    QCOMPARE(writingProblem(component, link), QString());
    QVERIFY(QFileInfo(link).isSymLink());
    // The user's permissions follow the owner's: only those of the file itself compare.
    const QFile::Permissions ofUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFileInfo(path).permissions() & ~ofUser, permissions);
    QCOMPARE(readingProblem(component, path), QString());
    QCOMPARE(component.parameters().value("NUM"_s), texts({"3"}));
}

void tst_ComponentFile::reportsAFileThatCannotBeWritten()
{
    ComponentFile component;
    QCOMPARE(readingProblem(component, ExampleComponent), QString());
    const QString path = m_workspace->filePath("missing/component.json"_s);
    const QString error = writingProblem(component, path);
    QVERIFY2(error.startsWith(path + ": "_s), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(tst_ComponentFile)
#include "tst_componentfile.moc"
