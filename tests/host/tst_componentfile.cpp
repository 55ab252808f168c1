#include "componentfile.h"

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

} // namespace

// Component files as lp-host reads and writes them: what a file holds comes back whole,
// and a file that is no component is refused with a message saying why.
class tst_ComponentFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsTheExampleComponent();
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

void tst_ComponentFile::readsTheExampleComponent()
{
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(exampleComponentPath(), &error), qPrintable(error));
    QCOMPARE(component.instanceName(), QStringLiteral("DBLP1"));
    QCOMPARE(component.parameters().size(), 28);
    QCOMPARE(component.parameters().value(QStringLiteral("FileName")),
             QStringList({QStringLiteral("data/pa_two_frequencies.lp"),
                          QStringLiteral("data/pa_upper_band.lp")}));
    QCOMPARE(component.folder(), QDir(QFileInfo(exampleComponentPath()).canonicalPath()));
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
    QTest::newRow("text that is no JSON") << QByteArray("instance = DBLP1") << notComponent;
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

QTEST_GUILESS_MAIN(tst_ComponentFile)
#include "tst_componentfile.moc"
