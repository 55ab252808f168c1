#include "lpsimcore.h"
#include "modaldialoganswerer.h"
#include "pluginsession.h"
#include "referencetvlinterface.h"

#include <QMessageBox>
#include <QtTest>

#include <memory>

#include <utime.h>

// The vocabulary functions that do not touch the editor, called by name through the
// reference host as a host script would call them.
class tst_ScriptFunctions : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void showMessageShowsOnePlainWarning_data();
    void showMessageShowsOnePlainWarning();
    void showMessageWithoutTwoTextsShowsNothing_data();
    void showMessageWithoutTwoTextsShowsNothing();
    void closeEmptiesTheDataLibraryCache();

private:
    std::unique_ptr<PluginSession> m_session;
    ReferenceTvlInterface *m_tvl = nullptr;
};

void tst_ScriptFunctions::init()
{
    m_session = std::make_unique<PluginSession>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(m_session->error().isEmpty(), qPrintable(m_session->error()));
    m_tvl = &m_session->tvl();
}

void tst_ScriptFunctions::showMessageShowsOnePlainWarning_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("escape"); // closed with Escape rather than Yes

    QTest::newRow("markup is shown, not rendered")
        << QStringLiteral("<b>Title</b>") << QStringLiteral("<img src=x>") << false;
    QTest::newRow("Latin-1 texts")
        << QStringLiteral("Caf\u00e9") << QStringLiteral("50 \u00b5A") << false;
    QTest::newRow("closed with Escape") << QStringLiteral("T") << QStringLiteral("M") << true;
}

void tst_ScriptFunctions::showMessageShowsOnePlainWarning()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, escape);

    QString shownTitle, shownText;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        shownTitle = box->windowTitle();
        shownText = box->text();
        format = box->textFormat();
        icon = box->icon();
        buttons = box->standardButtons();
        if (escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            clickMessageBoxButton(box, QMessageBox::Yes);
    });

    TvlValue *arguments[] = {m_tvl->MakeString(title.toLatin1().constData()),
                             m_tvl->MakeString(text.toLatin1().constData())};
    TvlValue *result = m_tvl->call("load_pull_show_message", {arguments[0], arguments[1]});

    QCOMPARE(answerer.dialogsSeen(), 1);
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownText, text);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
    QCOMPARE(m_tvl->GetValueKind(result), int(TvlValue::Void));
    for (TvlValue *argument : arguments)
        QCOMPARE(argument->releases, 1);
}

void tst_ScriptFunctions::showMessageWithoutTwoTextsShowsNothing_data()
{
    QTest::addColumn<int>("argumentCount");
    QTest::addColumn<int>("nonText"); // index of the argument that is no text, or -1

    QTest::newRow("no argument") << 0 << -1;
    QTest::newRow("a title alone") << 1 << -1;
    QTest::newRow("an integer title") << 2 << 0;
    QTest::newRow("an integer message") << 2 << 1;
    QTest::newRow("an empty message") << 2 << 2;
}

void tst_ScriptFunctions::showMessageWithoutTwoTextsShowsNothing()
{
    QFETCH(int, argumentCount);
    QFETCH(int, nonText);

    std::vector<TvlValue *> arguments;
    for (int i = 0; i < argumentCount; ++i)
        arguments.push_back(i == nonText ? m_tvl->MakeInteger(7) : m_tvl->MakeString("text"));
    if (nonText == 2)
        arguments[1] = m_tvl->MakeString("");

    ModalDialogAnswerer answerer(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Yes); });
    TvlValue *result = m_tvl->call("load_pull_show_message", arguments);

    QCOMPARE(answerer.dialogsSeen(), 0);
    QCOMPARE(m_tvl->GetValueKind(result), int(TvlValue::Void));
    QVERIFY(m_tvl->faults().empty());
}

// The library caches a file by path, size and modification time: a rewrite of the same
// size and time goes unseen until the cache is dropped.
void tst_ScriptFunctions::closeEmptiesTheDataLibraryCache()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("x.lp"));
    auto write = [&path](const QByteArray &contents) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        const utimbuf times{1700000000, 1700000000};
        QCOMPARE(utime(QFile::encodeName(path).constData(), &times), 0);
    };
    auto highestX = [&path] {
        Corvane_LP::LoadpullUI ui;
        const bool read = queryLoadpullFile({QFile::encodeName(path).toStdString()}, {}, 1, ui);
        return read && !ui.variables.empty() ? ui.variables.front()->highest : -1.0;
    };
    write("LPDATA 1\nVAR=<x>\nx\n1\n2\n");
    QCOMPARE(highestX(), 2.0);
    write("LPDATA 1\nVAR=<x>\nx\n1\n7\n");
    QCOMPARE(highestX(), 2.0);

    TvlValue *result = m_tvl->call("load_pull_closeDataBasedLoadpullUI", {});
    QCOMPARE(m_tvl->GetValueKind(result), int(TvlValue::Void));
    QCOMPARE(highestX(), 7.0);
}

QTEST_MAIN(tst_ScriptFunctions)
#include "tst_scriptfunctions.moc"
