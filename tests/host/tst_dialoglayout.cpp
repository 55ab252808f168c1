#include "componentdialog.h"
#include "modaldialoganswerer.h"
#include "pluginsession.h"
#include "testtexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTabWidget>
#include <QtTest>

namespace {

constexpr int EditorWidgetCount = 9;

// A component whose every stored text is one a control cannot show as one of its values, so
// that every control carries the longest note the editor has for it, beside a data file that
// cannot be read.
PluginSession::Parameters oddComponent()
{
    const QString data = QStringLiteral(LP_EXAMPLES_DIR "/data/");
    const QString flag = "perhaps, and a good deal more than that: neither yes nor no"_s;
    return {
        {"FileType"_s, {"Dataset"_s, "Maury"_s}},
        {"FileName"_s, {data + "pa_two_frequencies.lp"_s, data + "missing.lp"_s, QString()}},
        {"FreqVarName"_s, {"Freq"_s, "F2"_s}},
        {"IndepVarName"_s, {"Pin_avail"_s, "Vgg"_s}},
        {"IndepVarValue"_s, {"Pavs - 3 + some other expression"_s, "2*x V"_s}},
        {"PrfmParamName"_s, {"Pout"_s, "Qq"_s}},
        {"PrfmParamOutput"_s, {"maybe"_s, ""_s}},
        {"PrfmParamType"_s, {"Real"_s, "Cplx"_s}},
        {"InterpMode"_s, {"cubic spline of some other kind"_s, "Linear"_s}},
        {"InterpDom"_s, {QString()}},
        {"ExtrapMode"_s, {}},
        {"UseFrequencyRangeFromDataFiles"_s, {flag}},
        {"CalcGamma"_s, {"1"_s}},
        {"CalcAdmittance"_s, {flag, "no"_s}},
        {"CalcImpedance"_s, {"true"_s}},
        {"AllowNonlinearDevices"_s, {flag}},
        {"AvoidOutOfRangeData"_s, {flag}},
        {"StatusLevel"_s, {"7"_s, "2"_s}},
        {"Weight"_s, {"-5"_s}},
        {"NUM"_s, {"1.5"_s, "2"_s}},
        {"Z"_s, {"50 + j*10 + a rather long reactance term Ohm"_s}},
    };
}

// The controls a user reads or works: not the parts of a composite control (a box's list, a
// table's viewport and scroll bars), which their control lays out itself.
bool isControl(const QWidget *widget)
{
    for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView *>(up) || qobject_cast<const QComboBox *>(up) ||
            qobject_cast<const QLineEdit *>(up))
            return false;
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLabel *>(widget) ||
           qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget);
}

QString nameOf(const QWidget *widget)
{
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        name += " \""_s + button->text() + u'"';
    else if (const auto *label = qobject_cast<const QLabel *>(widget))
        name += " \""_s + label->text().left(40) + u'"';
    else if (!widget->objectName().isEmpty())
        name += u' ' + widget->objectName();
    return name;
}

// What is wrong with the layout of the controls of a page, as laid out: one squeezed below its
// smallest size, a wrapped label shorter than its text, one cut by its parent, two that
// overlap.
QStringList faultsOf(QWidget *page)
{
    QList<QWidget *> controls;
    for (QWidget *widget : page->findChildren<QWidget *>())
        if (widget->isVisibleTo(page) && isControl(widget))
            controls.append(widget);
    QStringList faults;
    for (const QWidget *control : controls) {
        const QSize least = control->minimumSizeHint();
        if (control->width() < least.width() || control->height() < least.height())
            faults << "%1 is %2x%3, less than %4x%5"_s.arg(nameOf(control))
                          .arg(control->width())
                          .arg(control->height())
                          .arg(least.width())
                          .arg(least.height());
        const auto *label = qobject_cast<const QLabel *>(control);
        if (label && label->wordWrap() && label->height() < label->heightForWidth(label->width()))
            faults << nameOf(control) + " is cut: its text needs more lines"_s;
        if (!control->parentWidget()->rect().contains(control->geometry()))
            faults << nameOf(control) + " reaches beyond its parent"_s;
    }
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a(controls.at(i)->mapTo(page, QPoint()), controls.at(i)->size());
        for (int j = i + 1; j < controls.size(); ++j) {
            if (controls.at(i)->isAncestorOf(controls.at(j)) ||
                controls.at(j)->isAncestorOf(controls.at(i)))
                continue;
            const QRect b(controls.at(j)->mapTo(page, QPoint()), controls.at(j)->size());
            if (a.intersects(b))
                faults << nameOf(controls.at(i)) + " overlaps "_s + nameOf(controls.at(j));
        }
    }
    return faults;
}

} // namespace

// The reference host's dialog at its opening size, with every note the editor can show: every
// tab lays out each control whole, at its smallest size or more, and apart from the others.
class tst_DialogLayout : public QObject
{
    Q_OBJECT

private slots:
    void everyTabHasRoomForItsNotes();
};

void tst_DialogLayout::everyTabHasRoomForItsNotes()
{
    PluginSession session(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));
    ModalDialogAnswerer boxes(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    TvlValue *widgetList = session.open(oddComponent());
    QVERIFY(widgetList);
    QList<QWidget *> widgets;
    for (int i = 0; i < EditorWidgetCount; ++i)
        widgets.append(session.widget(widgetList, i));
    auto *dialog = new ComponentDialog(widgets);
    const auto deleteDialog = qScopeGuard([dialog] { delete dialog; });
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto *tabs = dialog->findChild<QTabWidget *>();
    QStringList faults;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::sendPostedEvents();
        for (const QString &fault : faultsOf(tabs->widget(i)))
            faults << tabs->tabText(i) + ": "_s + fault;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_MAIN(tst_DialogLayout)
#include "tst_dialoglayout.moc"
