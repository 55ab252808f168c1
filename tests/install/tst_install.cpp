#include "testtexts.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
    QString errors;
};

// A program run to its end, given the input, without LD_LIBRARY_PATH or DESTDIR: the installed
// tree must find what it needs by itself.
Run run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("LD_LIBRARY_PATH"_s);
    environment.remove("DESTDIR"_s);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, program + ": "_s + process.errorString()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The text under each heading, by heading, as single-spaced words.
QMap<QString, QString> sections(const QString &text, const QRegularExpression &heading)
{
    QMap<QString, QString> found;
    QString current;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = heading.match(line);
        if (match.hasMatch())
            current = match.captured(1).toUpper();
        else if (!current.isEmpty())
            found[current] += line + QLatin1Char(' ');
    }
    for (QString &words : found)
        words = words.simplified();
    return found;
}

QSet<QString> longOptions(const QString &text)
{
    static const QRegularExpression option("--[a-z]+(?:-[a-z]+)*"_s);
    QSet<QString> names;
    for (QRegularExpressionMatchIterator it = option.globalMatch(text); it.hasNext();)
        names.insert(it.next().captured());
    return names;
}

} // namespace

// What `cmake --install` makes, as a user meets it: installed into a fresh prefix, lp-host runs
// from there with no LD_LIBRARY_PATH, finds the installed plug-in and opens a writable copy of
// the installed example; its manual page says what its --help says.
class tst_Install : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everythingLandsUnderThePrefix();
    void installedBinariesFindTheInstalledLibraries();
    void installedHostFindsThePluginBesideIt_data();
    void installedHostFindsThePluginBesideIt();
    void installedHostOpensACopyOfTheInstalledExample();
    void manualPageAgreesWithTheHelp();

private:
    QString installed(const QString &ending) const;
    Run renderedManualPage() const;

    QTemporaryDir m_prefix;
    QStringList m_installed; // every file the install wrote, absolute
};

void tst_Install::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Run install =
        run(QStringLiteral(LP_CMAKE_COMMAND),
            {"--install"_s, QStringLiteral(LP_BUILD_DIR), "--prefix"_s, m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.errors));
    QFile manifest(QDir(QStringLiteral(LP_BUILD_DIR)).filePath("install_manifest.txt"_s));
    QVERIFY(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
    m_installed =
        QString::fromLocal8Bit(manifest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!m_installed.isEmpty());
}

QString tst_Install::installed(const QString &ending) const
{
    for (const QString &file : m_installed) {
        if (file.endsWith(ending))
            return file;
    }
    return {};
}

// Rendered as plain text on lines long enough that no paragraph breaks or hyphenates.
Run tst_Install::renderedManualPage() const
{
    const Run source = run("gzip"_s, {"-dc"_s, installed("/man1/lp-host.1.gz"_s)});
    if (source.exitCode != 0)
        return source;
    return run("groff"_s, {"-k"_s, "-man"_s, "-Tutf8"_s, "-ww"_s, "-rLL=2000n"_s, "-P-cbou"_s},
               source.output.toLocal8Bit());
}

// Nothing lands outside the prefix, and the build's tests, benchmarks, fuzzing harnesses,
// static libraries and headers stay behind.
void tst_Install::everythingLandsUnderThePrefix()
{
    static const QRegularExpression buildOnly("/(tst|bench|fuzz)_[^/]*$|\\.(a|h)$"_s);
    for (const QString &file : qAsConst(m_installed)) {
        QVERIFY2(file.startsWith(m_prefix.path() + QLatin1Char('/')), qPrintable(file));
        QVERIFY2(!file.contains(buildOnly), qPrintable(file));
    }
}

// Every installed program and library that needs an installed library finds that one, by a
// path relative to itself: not the build folder's copy, and not through LD_LIBRARY_PATH.
void tst_Install::installedBinariesFindTheInstalledLibraries()
{
    QMap<QString, QString> libraries; // file name -> installed path
    QStringList binaries;
    for (const QString &file : qAsConst(m_installed)) {
        QFile binary(file);
        if (binary.open(QIODevice::ReadOnly) && binary.read(4) == "\177ELF")
            binaries << file;
        if (file.endsWith(".so"_s))
            libraries.insert(QFileInfo(file).fileName(), file);
    }
    QVERIFY(!libraries.isEmpty());
    static const QRegularExpression resolved("^\\s*(\\S+) => (.*) \\(0x"_s,
                                             QRegularExpression::MultilineOption);
    int linksToInstalled = 0;
    for (const QString &binary : qAsConst(binaries)) {
        const Run ldd = run("ldd"_s, {binary});
        QVERIFY2(ldd.exitCode == 0 && !ldd.output.contains("not found"_s),
                 qPrintable(binary + QLatin1Char('\n') + ldd.output + ldd.errors));
        for (QRegularExpressionMatchIterator it = resolved.globalMatch(ldd.output); it.hasNext();) {
            const QRegularExpressionMatch link = it.next();
            if (!libraries.contains(link.captured(1)))
                continue;
            QCOMPARE(QFileInfo(link.captured(2)).canonicalFilePath(),
                     QFileInfo(libraries.value(link.captured(1))).canonicalFilePath());
            ++linksToInstalled;
        }
    }
    QVERIFY(linksToInstalled > 0);
}

void tst_Install::installedHostFindsThePluginBesideIt_data()
{
    QTest::addColumn<bool>("moved");         // the tree copied elsewhere first
    QTest::addColumn<bool>("pluginRemoved"); // from that copy

    QTest::newRow("in the prefix it was installed to") << false << false;
    QTest::newRow("in a copy of the tree elsewhere") << true << false;
    QTest::newRow("without it, lp-host says where it belongs") << true << true;
}

// The plug-in is found relative to lp-host's own folder, wherever the tree stands: --version
// names it, or the error names where it belongs.
void tst_Install::installedHostFindsThePluginBesideIt()
{
    QFETCH(bool, moved);
    QFETCH(bool, pluginRemoved);
    const QString installedPlugin = installed("/libloadpulleditor.so"_s);
    QVERIFY(!installedPlugin.isEmpty());
    QTemporaryDir elsewhere;
    const QString tree = moved ? elsewhere.filePath("tree"_s) : m_prefix.path();
    if (moved)
        QCOMPARE(run("cp"_s, {"-a"_s, m_prefix.path(), tree}).exitCode, 0);
    const QString plugin = tree + installedPlugin.mid(m_prefix.path().size());
    if (pluginRemoved)
        QVERIFY(QFile::remove(plugin));

    const Run version = run(tree + "/bin/lp-host"_s, {"--version"_s});
    QVERIFY2(version.exitCode == (pluginRemoved ? 1 : 0), qPrintable(version.errors));
    const QString said = pluginRemoved ? version.errors : version.output;
    QVERIFY2(said.contains(plugin), qPrintable(said));
}

// As the manual page tells a user to: the example folder copied, then opened from the copy. The
// installed lp-host makes of it what the one in the build folder makes.
void tst_Install::installedHostOpensACopyOfTheInstalledExample()
{
    const QString host = installed("/bin/lp-host"_s);
    const QString example = installed("/pa_amplifier.json"_s);
    QVERIFY(!host.isEmpty() && !example.isEmpty());
    QTemporaryDir workspace;
    const QString copy = workspace.filePath("example"_s);
    QCOMPARE(run("cp"_s, {"-r"_s, QFileInfo(example).path(), copy}).exitCode, 0);
    const QStringList arguments = {copy + "/pa_amplifier.json"_s, "--accept"_s};

    const Run fromInstall = run(host, arguments);
    QVERIFY2(fromInstall.exitCode == 0, qPrintable(fromInstall.errors));
    const Run fromBuild = run(QStringLiteral(LP_HOST_PATH), arguments);
    QVERIFY2(fromBuild.exitCode == 0, qPrintable(fromBuild.errors));
    QVERIFY(fromInstall.output.contains("\"FileName\""_s));
    QCOMPARE(fromInstall.output, fromBuild.output);
}

// Each section of --help (options, arguments) stands word for word in the section of the same
// name on the page, which renders without a warning; and the page's own text (synopsis,
// description, examples) names no option that lp-host does not offer.
void tst_Install::manualPageAgreesWithTheHelp()
{
    const Run page = renderedManualPage();
    QVERIFY2(page.exitCode == 0 && page.errors.isEmpty(), qPrintable(page.errors));
    const Run help = run(installed("/bin/lp-host"_s), {"--help"_s});
    QCOMPARE(help.exitCode, 0);

    const QMap<QString, QString> helpSections =
        sections(help.output, QRegularExpression("^([A-Z][A-Za-z ]*):$"_s));
    const QMap<QString, QString> pageSections =
        sections(page.output, QRegularExpression("^([A-Z][A-Z ]*)$"_s));
    QVERIFY(helpSections.contains("OPTIONS"_s));
    for (auto section = helpSections.cbegin(); section != helpSections.cend(); ++section)
        QCOMPARE(pageSections.value(section.key()), section.value());

    const QSet<QString> offered = longOptions(help.output);
    for (const QString &named : longOptions(page.output))
        QVERIFY2(offered.contains(named), qPrintable(named));
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
