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
    environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
    environment.remove(QStringLiteral("DESTDIR"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, program + QStringLiteral(": ") + process.errorString()};
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
    static const QRegularExpression option(QStringLiteral("--[a-z]+(?:-[a-z]+)*"));
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
    const Run install = run(QStringLiteral(LP_CMAKE_COMMAND),
                            {QStringLiteral("--install"), QStringLiteral(LP_BUILD_DIR),
                             QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.errors));
    QFile manifest(
        QDir(QStringLiteral(LP_BUILD_DIR)).filePath(QStringLiteral("install_manifest.txt")));
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
    const Run source =
        run(QStringLiteral("gzip"),
            {QStringLiteral("-dc"), installed(QStringLiteral("/man1/lp-host.1.gz"))});
    if (source.exitCode != 0)
        return source;
    return run(QStringLiteral("groff"),
               {QStringLiteral("-k"), QStringLiteral("-man"), QStringLiteral("-Tutf8"),
                QStringLiteral("-ww"), QStringLiteral("-rLL=2000n"), QStringLiteral("-P-cbou")},
               source.output.toLocal8Bit());
}

// Nothing lands outside the prefix, and the build's tests, benchmarks, fuzzing harnesses,
// static libraries and headers stay behind.
void tst_Install::everythingLandsUnderThePrefix()
{
    static const QRegularExpression buildOnly(QStringLiteral("/(tst|bench|fuzz)_[^/]*$|\\.(a|h)$"));
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
        if (file.endsWith(QStringLiteral(".so")))
            libraries.insert(QFileInfo(file).fileName(), file);
    }
    QVERIFY(!libraries.isEmpty());
    static const QRegularExpression resolved(QStringLiteral("^\\s*(\\S+) => (.*) \\(0x"),
                                             QRegularExpression::MultilineOption);
    int linksToInstalled = 0;
    for (const QString &binary : qAsConst(binaries)) {
        const Run ldd = run(QStringLiteral("ldd"), {binary});
        QVERIFY2(ldd.exitCode == 0 && !ldd.output.contains(QStringLiteral("not found")),
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
    const QString installedPlugin = installed(QStringLiteral("/libloadpulleditor.so"));
    QVERIFY(!installedPlugin.isEmpty());
    QTemporaryDir elsewhere;
    const QString tree = moved ? elsewhere.filePath(QStringLiteral("tree")) : m_prefix.path();
    if (moved)
        QCOMPARE(run(QStringLiteral("cp"), {QStringLiteral("-a"), m_prefix.path(), tree}).exitCode,
                 0);
    const QString plugin = tree + installedPlugin.mid(m_prefix.path().size());
    if (pluginRemoved)
        QVERIFY(QFile::remove(plugin));

    const Run version = run(tree + QStringLiteral("/bin/lp-host"), {QStringLiteral("--version")});
    QVERIFY2(version.exitCode == (pluginRemoved ? 1 : 0), qPrintable(version.errors));
    const QString said = pluginRemoved ? version.errors : version.output;
    QVERIFY2(said.contains(plugin), qPrintable(said));
}

// As the manual page tells a user to: the example folder copied, then opened from the copy. The
// installed lp-host makes of it what the one in the build folder makes.
void tst_Install::installedHostOpensACopyOfTheInstalledExample()
{
    const QString host = installed(QStringLiteral("/bin/lp-host"));
    const QString example = installed(QStringLiteral("/pa_amplifier.json"));
    QVERIFY(!host.isEmpty() && !example.isEmpty());
    QTemporaryDir workspace;
    const QString copy = workspace.filePath(QStringLiteral("example"));
    QCOMPARE(
        run(QStringLiteral("cp"), {QStringLiteral("-r"), QFileInfo(example).path(), copy}).exitCode,
        0);
    const QStringList arguments = {copy + QStringLiteral("/pa_amplifier.json"),
                                   QStringLiteral("--accept")};

    const Run fromInstall = run(host, arguments);
    QVERIFY2(fromInstall.exitCode == 0, qPrintable(fromInstall.errors));
    const Run fromBuild = run(QStringLiteral(LP_HOST_PATH), arguments);
    QVERIFY2(fromBuild.exitCode == 0, qPrintable(fromBuild.errors));
    QVERIFY(fromInstall.output.contains(QStringLiteral("\"FileName\"")));
    QCOMPARE(fromInstall.output, fromBuild.output);
}

// Each section of --help (options, arguments) stands word for word in the section of the same
// name on the page, which renders without a warning; and the page's own text (synopsis,
// description, examples) names no option that lp-host does not offer.
void tst_Install::manualPageAgreesWithTheHelp()
{
    const Run page = renderedManualPage();
    QVERIFY2(page.exitCode == 0 && page.errors.isEmpty(), qPrintable(page.errors));
    const Run help = run(installed(QStringLiteral("/bin/lp-host")), {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);

    const QMap<QString, QString> helpSections =
        sections(help.output, QRegularExpression(QStringLiteral("^([A-Z][A-Za-z ]*):$")));
    const QMap<QString, QString> pageSections =
        sections(page.output, QRegularExpression(QStringLiteral("^([A-Z][A-Z ]*)$")));
    QVERIFY(helpSections.contains(QStringLiteral("OPTIONS")));
    for (auto section = helpSections.cbegin(); section != helpSections.cend(); ++section)
        QCOMPARE(pageSections.value(section.key()), section.value());

    const QSet<QString> offered = longOptions(help.output);
    for (const QString &named : longOptions(page.output))
        QVERIFY2(offered.contains(named), qPrintable(named));
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
