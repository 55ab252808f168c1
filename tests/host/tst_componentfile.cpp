#include "componentfile.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/mman.h>
#include <unistd.h>

using Parameters = ComponentFile::Parameters;

Q_DECLARE_METATYPE(Parameters)

namespace {

QString exampleComponentPath()
{
    return QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json");
}

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
    static const QRegularExpression key(QStringLiteral("^ *\"([^\"]*)\": "),
                                        QRegularExpression::MultilineOption);
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

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *text : list)
        result.append(QString::fromUtf8(text));
    return result;
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
    void refusesFilesThatAreNoComponentFiles_data();
    void refusesFilesThatAreNoComponentFiles();
    void refusesAFileThatHoldsMoreThanItsSize();
    void reportsAFileThatCannotBeRead();
    void refusesAFileBeyondTheSizeLimit();
    void readsAComponentFileOfTheLargestSize();
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
    void aRewrittenFileKeepsItsPermissionsAndLink();
    void reportsAFileThatCannotBeWritten();

private:
    QString writeFile(const QString &name, const QByteArray &contents);
    QString copyExample();

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

QString tst_ComponentFile::copyExample()
{
    return writeFile(QStringLiteral("pa_amplifier.json"), contentsOf(exampleComponentPath()));
}

void tst_ComponentFile::writtenComponentReadsBack_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("instance");
    QTest::addColumn<Parameters>("parameters");

    QTest::newRow("no parameters") << QByteArray(R"({"instance": "DBLP1", "parameters": {}})")
                                   << QStringLiteral("DBLP1") << Parameters();
    QTest::newRow("empty lists and texts")
        << QByteArray(R"({"instance": "", "parameters": {"GammaName": [], "": [""]}})") << QString()
        << Parameters{{QStringLiteral("GammaName"), {}}, {QString(), {QString()}}};
    QTest::newRow("texts beyond Latin-1")
        << QByteArray(u8R"({"instance": "Verstärker Ω",
                            "parameters": {"Z": ["50 Ω", "Δ 😀"], "Имя": ["值"]}})")
        << QStringLiteral("Verstärker Ω")
        << Parameters{{QStringLiteral("Z"), {QStringLiteral("50 Ω"), QStringLiteral("Δ 😀")}},
                      {QStringLiteral("Имя"), {QStringLiteral("值")}}};
    QTest::newRow("quotes, backslashes and control characters")
        << QByteArray(R"({"instance": "\"D\\B\"", "parameters":
                          {"a\"b": ["C:\\data\\pa.lp", "line\nbreak\ttab", "\u0000nul"]}})")
        << QStringLiteral("\"D\\B\"")
        << Parameters{{QStringLiteral("a\"b"),
                       {QStringLiteral("C:\\data\\pa.lp"), QStringLiteral("line\nbreak\ttab"),
                        QChar(0) + QStringLiteral("nul")}}};
    QTest::newRow("texts that open with a zero-width no-break space")
        << QByteArray(
               R"({"instance": "\ufeffD", "parameters": {"\ufeffZ": ["\ufeff50", "\ufeff"]}})")
        << QChar(0xfeff) + QStringLiteral("D")
        << Parameters{{QChar(0xfeff) + QStringLiteral("Z"),
                       {QChar(0xfeff) + QStringLiteral("50"), QString(QChar(0xfeff))}}};
    QTest::newRow("lone surrogates")
        << QByteArray(R"({"instance": "\ud800", "parameters": {"\udc00": ["x\ud83d"]}})")
        << QString(QChar(0xd800))
        << Parameters{{QString(QChar(0xdc00)), {QStringLiteral("x") + QChar(0xd83d)}}};
}

// What a file holds is what the component takes, and what it writes reads back the same.
void tst_ComponentFile::writtenComponentReadsBack()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, instance);
    QFETCH(Parameters, parameters);
    ComponentFile written;
    QString error;
    QVERIFY2(written.read(writeFile(QStringLiteral("given.json"), json), &error),
             qPrintable(error));
    QCOMPARE(written.instanceName(), instance);
    QCOMPARE(written.parameters(), parameters);
    const QString path = m_workspace->filePath(QStringLiteral("written.json"));
    QVERIFY2(written.write(path, &error), qPrintable(error));

    ComponentFile read;
    QVERIFY2(read.read(path, &error), qPrintable(error));
    QCOMPARE(read.instanceName(), instance);
    QCOMPARE(read.parameters(), parameters);
}

void tst_ComponentFile::refusesContentsThatAreNoComponent_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const QString notComponent = QStringLiteral("not a component (");
    QTest::newRow("no contents") << QByteArray() << notComponent;
    QTest::newRow("an unfinished object") << QByteArray("{\"instance\": \"D\"") << notComponent;
    QTest::newRow("a list") << QByteArray("[{\"instance\": \"D\", \"parameters\": {}}]")
                            << QStringLiteral("not a component (not a JSON object)");
    QTest::newRow("no instance name")
        << QByteArray("{\"parameters\": {}}")
        << QStringLiteral("not a component (the instance name is not a text)");
    QTest::newRow("an instance name that is a number")
        << QByteArray("{\"instance\": 1, \"parameters\": {}}")
        << QStringLiteral("not a component (the instance name is not a text)");
    QTest::newRow("no parameters")
        << QByteArray("{\"instance\": \"D\"}")
        << QStringLiteral("not a component (the parameters are not an object)");
    QTest::newRow("parameters in a list")
        << QByteArray("{\"instance\": \"D\", \"parameters\": [[\"NUM\", \"1\"]]}")
        << QStringLiteral("not a component (the parameters are not an object)");
    QTest::newRow("a parameter that is a text")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"NUM\": \"1\"}}")
        << QStringLiteral("parameter NUM is not a list of texts");
    QTest::newRow("a parameter list holding a number")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"NUM\": [\"1\", 2]}}")
        << QStringLiteral("parameter NUM is not a list of texts");
    QTest::newRow("a parameter list holding a list")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"Z\": [[\"50\"]]}}")
        << QStringLiteral("parameter Z is not a list of texts");
    QTest::newRow("a repeated parameter whose first value is a list")
        << QByteArray("{\"instance\": \"D\", \"parameters\": "
                      "{\"FileName\": [\"a.lp\"], \"NUM\": [\"1\"], \"FileName\": [\"b.lp\"]}}")
        << QStringLiteral("not a component (the key \"FileName\" is repeated)");
    QTest::newRow("a repeated instance name")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {}, \"instance\": \"E\"}")
        << QStringLiteral("not a component (the key \"instance\" is repeated)");
    QTest::newRow("a key repeated in an object inside a list")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"Z\": [{\"a\": [], \"a\": 1}]}}")
        << QStringLiteral("not a component (the key \"a\" is repeated)");
    const char keysWithNul[] =
        "{\"instance\": \"D\", \"parameters\": {\"a\0b\": [], \"a\0c\": []}}";
    const QByteArray withNul(keysWithNul, sizeof keysWithNul - 1);
    QTest::newRow("keys that differ after a NUL byte, the first holding a list")
        << withNul
        << QStringLiteral("not a component (a NUL byte at offset %1)").arg(withNul.indexOf('\0'));
    QTest::newRow("a key repeated in another spelling")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"NUM\": [], \"N\\u0055M\": []}}")
        << QStringLiteral("not a component (the key \"NUM\" is repeated)");
}

// A refused file also leaves the component as it was.
void tst_ComponentFile::refusesContentsThatAreNoComponent()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(exampleComponentPath(), &error), qPrintable(error));
    const QByteArray before = component.toJson();
    const QDir folder = component.folder();

    const QString path = writeFile(QStringLiteral("component.json"), json);
    QVERIFY(!component.read(path, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(": ") + message), qPrintable(error));
    QCOMPARE(component.toJson(), before);
    QCOMPARE(component.folder(), folder);
}

void tst_ComponentFile::keysMayRepeatAcrossObjects_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("a parameter named like a key of the component")
        << QByteArray("{\"instance\": \"D\", \"parameters\": {\"instance\": [\"x\"]}}")
        << QStringList{QStringLiteral("instance")};
    QTest::newRow("a text that reads like a key")
        << QByteArray("{\"instance\": \"NUM\", \"parameters\": {\"NUM\": [\"NUM\", \"NUM\"], "
                      "\"Z\": [\"NUM\\\": [], \\\"NUM\"]}}")
        << QStringList{QStringLiteral("NUM"), QStringLiteral("Z")};
    QTest::newRow("keys that differ in case or by an escaped quote")
        << QByteArray("{\"instance\": \"D\", \"parameters\": "
                      "{\"NUM\": [], \"num\": [], \"NUM\\\"\": []}}")
        << QStringList{QStringLiteral("NUM"), QStringLiteral("NUM\""), QStringLiteral("num")};
    QTest::newRow("braces inside texts")
        << QByteArray("{\"instance\": \"{\", \"parameters\": {\"A\": [\"}{\\\"A\\\": [\"], "
                      "\"B\": [\"]\"]}}")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")};
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

void tst_ComponentFile::refusesFilesThatAreNoComponentFiles_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("a folder") << QDir::tempPath();
    QTest::newRow("an endless device") << QStringLiteral("/dev/zero");
}

// Refused before anything is read: an endless device would never end.
void tst_ComponentFile::refusesFilesThatAreNoComponentFiles()
{
    QFETCH(QString, path);
    ComponentFile component;
    QString error;
    QVERIFY(!component.read(path, &error));
    QCOMPARE(error, path + QStringLiteral(" is not a regular file"));
}

// The kernel's record of the process's mappings reports no size; with thousands of
// mappings it holds megabytes, and no more than a component's size is read of it.
void tst_ComponentFile::refusesAFileThatHoldsMoreThanItsSize()
{
    const SplitMapping mappings(16384);
    const QString path = QStringLiteral("/proc/self/smaps");
    QFile smaps(path);
    QVERIFY(smaps.open(QIODevice::ReadOnly));
    QCOMPARE(smaps.size(), 0);
    QVERIFY(smaps.read(ComponentFile::MaximumSize + 1).size() > ComponentFile::MaximumSize);

    ComponentFile component;
    QString error;
    QVERIFY(!component.read(path, &error));
    QCOMPARE(error, QStringLiteral("%1 is too large to be a component file (more than %2 bytes)")
                        .arg(path)
                        .arg(ComponentFile::MaximumSize));
}

// The kernel's page map is read in whole entries only, so reading a component's size
// of it fails: the refusal gives the reading error, not a verdict on the contents.
void tst_ComponentFile::reportsAFileThatCannotBeRead()
{
    const QString path = QStringLiteral("/proc/self/pagemap");
    ComponentFile component;
    QString error;
    QVERIFY(!component.read(path, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("not a component")), qPrintable(error));
}

// A sparse file: its size costs no disk space, and reading it would take it into memory.
void tst_ComponentFile::refusesAFileBeyondTheSizeLimit()
{
    const QString path = writeFile(QStringLiteral("large.json"), QByteArray());
    QVERIFY(QFile(path).resize(ComponentFile::MaximumSize + 1));
    ComponentFile component;
    QString error;
    QVERIFY(!component.read(path, &error));
    QCOMPARE(error, QStringLiteral("%1 is too large to be a component file (%2 bytes, at most %3)")
                        .arg(path)
                        .arg(ComponentFile::MaximumSize + 1)
                        .arg(ComponentFile::MaximumSize));
}

void tst_ComponentFile::readsAComponentFileOfTheLargestSize()
{
    QByteArray json("{\"instance\": \"D\", \"parameters\": {\"NUM\": [\"1\"]}}");
    json.append(ComponentFile::MaximumSize - json.size(), ' ');
    const QString path = writeFile(QStringLiteral("component.json"), json);
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(path, &error), qPrintable(error));
    QCOMPARE(component.parameters().value(QStringLiteral("NUM")), QStringList{QStringLiteral("1")});
}

void tst_ComponentFile::anUnchangedComponentLeavesTheFileUntouched_data()
{
    QTest::addColumn<QByteArray>("contents");

    QTest::newRow("the example") << contentsOf(exampleComponentPath());
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
    const QString path = writeFile(QStringLiteral("component.json"), contents);
    QVERIFY(setModificationTime(path, LongAgo));
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(path, &error), qPrintable(error));
    component.setHostParameters(component.hostParameters());

    QVERIFY2(component.write(path, &error), qPrintable(error));
    QCOMPARE(contentsOf(path), contents);
    QCOMPARE(QFileInfo(path).lastModified().toUTC(), LongAgo);
}

void tst_ComponentFile::aChangedParameterChangesOnlyItsLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("a value") << QStringLiteral("NUM") << texts({"2"});
    QTest::newRow("the last parameter") << QStringLiteral("Z") << texts({"75 Ohm"});
    QTest::newRow("a list emptied") << QStringLiteral("GammaName") << QStringList();
    QStringList many;
    for (int i = 1; i <= 12; ++i)
        many.append(QStringLiteral("Quantity%1").arg(i));
    QTest::newRow("a list grown beyond a line") << QStringLiteral("PrfmParamName") << many;
}

// Compared line by line with the file as it was, only the parameter's own lines differ.
void tst_ComponentFile::aChangedParameterChangesOnlyItsLines()
{
    QFETCH(QString, name);
    QFETCH(QStringList, values);
    const QString path = copyExample();
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(path, &error), qPrintable(error));
    Parameters parameters = component.hostParameters();
    parameters.insert(name, values);
    component.setHostParameters(parameters);
    QVERIFY2(component.write(path, &error), qPrintable(error));

    const auto [removed, added] =
        differingLines(linesOf(contentsOf(exampleComponentPath())), linesOf(contentsOf(path)));
    const QString opening = QStringLiteral("        \"%1\": [").arg(name);
    QCOMPARE(removed.size(), 1);
    QVERIFY2(removed.first().startsWith(opening), qPrintable(removed.first()));
    QVERIFY(!added.isEmpty());
    QVERIFY2(added.first().startsWith(opening), qPrintable(added.first()));
    ComponentFile written;
    QVERIFY2(written.read(path, &error), qPrintable(error));
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

    const Parameters given{{QStringLiteral("Z"), texts({"50"})},
                           {QStringLiteral("FileType"), texts({"Maury"})},
                           {QStringLiteral("A"), texts({"1"})}};
    Parameters changed = given;
    changed.insert(QStringLiteral("Z"), texts({"75"}));
    changed.insert(QStringLiteral("A"), texts({"2"}));
    QTest::newRow("parameters changed")
        << changed << texts({"parameters", "Z", "FileType", "A", "comment", "instance"});
    Parameters added = given;
    added.insert(QStringLiteral("M"), texts({"m"}));
    added.insert(QStringLiteral("B"), texts({"b"}));
    QTest::newRow("parameters the file lacked, last in name order")
        << added << texts({"parameters", "Z", "FileType", "A", "B", "M", "comment", "instance"});
    Parameters removed = given;
    removed.remove(QStringLiteral("FileType"));
    QTest::newRow("a parameter removed")
        << removed << texts({"parameters", "Z", "A", "comment", "instance"});
}

// The members and parameters keep their order, and a member the component does not know
// keeps its text.
void tst_ComponentFile::keepsTheOrderOfTheFile()
{
    QFETCH(Parameters, parameters);
    QFETCH(QStringList, keys);
    const QString path = writeFile(QStringLiteral("component.json"), UnusualOrder);
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(path, &error), qPrintable(error));
    component.setHostParameters(parameters);
    QVERIFY2(component.write(path, &error), qPrintable(error));

    const QByteArray written = contentsOf(path);
    QCOMPARE(keysInOrder(written), keys);
    QVERIFY(written.contains(R"("comment": {"by":  "hand", "at": [1, 2.50]},)"));
    QVERIFY2(component.read(path, &error), qPrintable(error));
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
    QTest::newRow("characters beyond ASCII, of full width") << QChar(u'Ω') << full << false << true;
}

// Lists are written on one line as long as it fits, else one value per line.
void tst_ComponentFile::listsLongerThanALineTakeALinePerValue()
{
    QFETCH(QChar, fill);
    QFETCH(int, width);
    QFETCH(bool, last);
    QFETCH(bool, oneLine);
    const QString comma = last ? QString() : QStringLiteral(",");
    const QString frame = QStringLiteral(R"(        "Long": ["a", ""])") + comma;
    const QString value(width - frame.size(), fill);
    const QString line = QStringLiteral(R"(        "Long": ["a", "%1"])").arg(value) + comma;
    QCOMPARE(line.size(), width);

    ComponentFile component;
    QString error;
    const QString other = QStringLiteral(R"("Other": ["b"])");
    const QString list = QStringLiteral(R"("Long": ["a", "%1"])").arg(value);
    const QString json = QStringLiteral(R"({"instance": "D", "parameters": {%1, %2}})")
                             .arg(last ? other : list, last ? list : other);
    QVERIFY2(component.readJson(json.toUtf8(), &error), qPrintable(error));
    const QStringList lines = linesOf(component.toJson());
    const QStringList wrapped{
        QStringLiteral(R"(        "Long": [)"), QStringLiteral(R"(            "a",)"),
        QStringLiteral(R"(            "%1")").arg(value), QStringLiteral("        ]") + comma};
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

    const Parameters given{{QStringLiteral("NUM"), texts({"1"})},
                           {QStringLiteral("GammaName"), texts({"g1", "g2"})},
                           {QStringLiteral("Z"), texts({"50"})}};
    QTest::newRow("nothing changed") << given << given << QStringList();
    Parameters changed = given;
    changed.insert(QStringLiteral("Z"), texts({"75"}));
    changed.insert(QStringLiteral("NUM"), texts({"2"}));
    QTest::newRow("two values, named in name order") << given << changed << texts({"NUM", "Z"});
    Parameters reordered = given;
    reordered.insert(QStringLiteral("GammaName"), texts({"g2", "g1"}));
    QTest::newRow("values reordered") << given << reordered << texts({"GammaName"});
    Parameters added = given;
    added.insert(QStringLiteral("Weight"), texts({"100"}));
    QTest::newRow("a parameter removed") << added << given << texts({"Weight"});
    Parameters empty = given;
    empty.insert(QStringLiteral("Weight"), {});
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
}

// The plug-in hands back the names the component gave, and a file it added by its absolute
// path, which inside the component's folder is named relative to it.
void tst_ComponentFile::namesDataFilesAsTheComponentDid()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, handed);
    QFETCH(QStringList, stored);
    QDir folder(m_workspace->path());
    QVERIFY(folder.mkdir(QStringLiteral("data")));
    const QString path =
        writeFile(QStringLiteral("component.json"),
                  QJsonDocument(QJsonObject{{QStringLiteral("instance"), QStringLiteral("D")},
                                            {QStringLiteral("parameters"),
                                             QJsonObject{{QStringLiteral("FileName"),
                                                          QJsonArray::fromStringList(given)}}}})
                      .toJson());
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(path, &error), qPrintable(error));
    for (QString &file : handed) {
        if (QDir::isRelativePath(file) && !given.contains(file)) {
            writeFile(file, QByteArray());
            file = QFileInfo(component.folder().filePath(file)).canonicalFilePath();
        }
    }

    component.setHostParameters({{QStringLiteral("FileName"), handed}});
    QCOMPARE(component.parameters().value(QStringLiteral("FileName")), stored);
    QVERIFY2(component.write(path, &error), qPrintable(error));
    QVERIFY2(component.read(path, &error), qPrintable(error));
    QCOMPARE(component.parameters().value(QStringLiteral("FileName")), stored);
}

// A component reached through a link is written where the link leads, the link and the
// file's permissions kept.
void tst_ComponentFile::aRewrittenFileKeepsItsPermissionsAndLink()
{
    const QString path = copyExample();
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const QString link = m_workspace->filePath(QStringLiteral("link.json"));
    QVERIFY(QFile::link(path, link));
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(link, &error), qPrintable(error));
    component.setHostParameters({{QStringLiteral("NUM"), texts({"3"})}});

    QVERIFY2(component.write(link, &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    // The user's permissions follow the owner's: only those of the file itself compare.
    const QFile::Permissions ofUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFileInfo(path).permissions() & ~ofUser, permissions);
    QVERIFY2(component.read(path, &error), qPrintable(error));
    QCOMPARE(component.parameters().value(QStringLiteral("NUM")), texts({"3"}));
}

void tst_ComponentFile::reportsAFileThatCannotBeWritten()
{
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(exampleComponentPath(), &error), qPrintable(error));
    const QString path = m_workspace->filePath(QStringLiteral("missing/component.json"));
    QVERIFY(!component.write(path, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(tst_ComponentFile)
#include "tst_componentfile.moc"
