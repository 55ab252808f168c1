#include "enumerations.h"
#include "units.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// What a message box showed before it was answered.
struct ShownBox
{
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    bool hasParent = true;
};

// Answers the first modal message box with Ok and records what it showed. A box that is
// still unanswered after the deadline is closed, so the test fails instead of hanging.
class MessageBoxAnswerer
{
public:
    MessageBoxAnswerer()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }

    const ShownBox &box() const { return m_box; }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (m_clock.hasExpired(1000)) {
                m_timer.stop();
                QApplication::closeAllWindows();
            }
            return;
        }
        m_timer.stop();
        m_box = {true,
                 box->icon(),
                 box->windowTitle(),
                 box->text(),
                 box->textFormat(),
                 box->standardButtons(),
                 box->parentWidget() != nullptr};
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->close();
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    ShownBox m_box;
};

} // namespace

class tst_Enumerations : public QObject
{
    Q_OBJECT

private slots:
    void displayText_data();
    void displayText();
    void valueOfText_data();
    void valueOfText();
    void textLists_data();
    void textLists();
    void yesNoFlag_data();
    void yesNoFlag();
    void fileTypeFromParameter_data();
    void fileTypeFromParameter();
};

// The conversions are evaluated in the tables, so each row reads as "this call gives that".
void tst_Enumerations::displayText_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    QTest::newRow("file type 0 has no text") << toText(NoFileType) << QString();
    QTest::newRow("file type 2 is Dataset") << toText(DatasetFileType) << s("Dataset");
    QTest::newRow("file type 3 is Focus") << toText(LoadPullFileType(3)) << s("Focus");
    QTest::newRow("file type 4 has no text") << toText(LoadPullFileType(4)) << QString();
    QTest::newRow("interpolation method 1 is Cubic Spline")
        << toText(InterpolationMethod(1)) << s("Cubic Spline");
    QTest::newRow("interpolation method -1 has no text")
        << toText(InterpolationMethod(-1)) << QString();
    QTest::newRow("interpolation domain 1 is Polar") << toText(PolarDomain) << s("Polar");
    QTest::newRow("extrapolation method 0 is Interpolation Mode")
        << toText(ExtrapolationMethod(0)) << s("Interpolation Mode");
    QTest::newRow("gamma type 0 is Unknown") << toText(GammaType(0)) << s("Unknown");
    QTest::newRow("gamma type 2 is Source") << toText(GammaType(2)) << s("Source");
    QTest::newRow("gamma domain 3 is Polar-Phase") << toText(GammaDomain(3)) << s("Polar-Phase");
    QTest::newRow("gamma domain 4 has no text") << toText(GammaDomain(4)) << QString();
    QTest::newRow("true is yes") << yesNoText(true) << s("yes");
    QTest::newRow("false is no") << yesNoText(false) << s("no");
    QTest::newRow("a complex quantity is Complex") << valueTypeText(true) << s("Complex");
    QTest::newRow("a real quantity is Real") << valueTypeText(false) << s("Real");
}

void tst_Enumerations::displayText()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);

    QCOMPARE(actual, expected);
}

void tst_Enumerations::valueOfText_data()
{
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("expected");

    QTest::newRow("Cubic is interpolation method 2")
        << int(fromText<InterpolationMethod>(s("Cubic"))) << 2;
    QTest::newRow("Cubic Spline is interpolation method 1")
        << int(fromText<InterpolationMethod>(s("Cubic Spline"))) << 1;
    QTest::newRow("lower-case cubic is no method and gives 0")
        << int(fromText<InterpolationMethod>(s("cubic"))) << 0;
    QTest::newRow("Polar is interpolation domain 1")
        << int(fromText<InterpolationDomain>(s("Polar"))) << 1;
    QTest::newRow("Constant Extrapolation is extrapolation method 1")
        << int(fromText<ExtrapolationMethod>(s("Constant Extrapolation"))) << 1;
    QTest::newRow("an unknown extrapolation text gives 0")
        << int(fromText<ExtrapolationMethod>(s("Nearest"))) << 0;
    QTest::newRow("Focus is file type 3 although it is not offered")
        << int(fromText<LoadPullFileType>(s("Focus"))) << 3;
    QTest::newRow("the empty text gives file type 0")
        << int(fromText<LoadPullFileType>(QString())) << 0;
}

void tst_Enumerations::valueOfText()
{
    QFETCH(int, actual);
    QFETCH(int, expected);

    QCOMPARE(actual, expected);
}

void tst_Enumerations::textLists_data()
{
    QTest::addColumn<QStringList>("actual");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("only Maury is offered as a file type")
        << texts<LoadPullFileType>() << QStringList{s("Maury")};
    QTest::newRow("the supported file types are Maury alone")
        << supportedFileTypeTexts() << QStringList{s("Maury")};
    QTest::newRow("interpolation methods in value order")
        << texts<InterpolationMethod>() << QStringList{s("Linear"), s("Cubic Spline"), s("Cubic")};
    QTest::newRow("interpolation domains in value order")
        << texts<InterpolationDomain>() << QStringList{s("Rectangular"), s("Polar")};
    QTest::newRow("extrapolation methods in value order")
        << texts<ExtrapolationMethod>()
        << QStringList{s("Interpolation Mode"), s("Constant Extrapolation")};
    QTest::newRow("gamma domains in value order")
        << texts<GammaDomain>()
        << QStringList{s("Rect-Real"), s("Rect-Imag"), s("Polar-Mag"), s("Polar-Phase")};
    QTest::newRow("seven resistance units, None first and Ohm third")
        << resistanceUnits()
        << QStringList{s("None"), s("mOhm"), s("Ohm"), s("kOhm"), s("MOhm"), s("GOhm"), s("TOhm")};
}

void tst_Enumerations::textLists()
{
    QFETCH(QStringList, actual);
    QFETCH(QStringList, expected);

    QCOMPARE(actual, expected);
}

void tst_Enumerations::yesNoFlag_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("yes is true") << QStringLiteral("yes") << true;
    QTest::newRow("Yes in any letter case is true") << QStringLiteral("Yes") << true;
    QTest::newRow("YES is true") << QStringLiteral("YES") << true;
    QTest::newRow("no is false") << QStringLiteral("no") << false;
    QTest::newRow("true is not yes") << QStringLiteral("true") << false;
    QTest::newRow("1 is not yes") << QStringLiteral("1") << false;
    QTest::newRow("the empty text is false") << QString() << false;
}

void tst_Enumerations::yesNoFlag()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);

    QCOMPARE(fromYesNoText(text), expected);
}

void tst_Enumerations::fileTypeFromParameter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("message");

    QTest::newRow("Maury is taken without a message") << QStringLiteral("Maury") << 1 << false;
    QTest::newRow("Focus is answered with Dataset") << QStringLiteral("Focus") << 2 << true;
    QTest::newRow("Dataset itself is not offered") << QStringLiteral("Dataset") << 2 << true;
    QTest::newRow("lower-case maury is refused") << QStringLiteral("maury") << 2 << true;
    QTest::newRow("markup is shown as it is") << QStringLiteral("<b>Focus</b>") << 2 << true;
}

void tst_Enumerations::fileTypeFromParameter()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(bool, message);

    const MessageBoxAnswerer answerer;
    QCOMPARE(int(LoadPullStateUtils::fileTypeFromParameter(text)), expected);

    const ShownBox &box = answerer.box();
    QCOMPARE(box.shown, message);
    if (!message)
        return;
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.title, QStringLiteral("DataBasedLoadPull"));
    QCOMPARE(box.text, text + QStringLiteral(" is not of a load pull file type supported by "
                                             "Talvex.\nPlease choose a type using the component "
                                             "dialog.\n Defaulting to Dataset"));
    QCOMPARE(box.format, Qt::PlainText);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!box.hasParent);
}

QTEST_MAIN(tst_Enumerations)

#include "tst_enumerations.moc"
