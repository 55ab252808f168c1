#pragma once

#include "previewsettings.h"
#include "previewworker.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class PreviewChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QThread;
class QTimer;

// The window beside the editor that charts the data at the held settings (PreviewCharter): the
// frequency offered from the measured ones (or typed), the files that hold it, the two
// quantities to contour, values picked for the preview alone, the chart, and a note of the
// condition and each quantity's optimum. It follows the editor: whenever it is told that the
// editor changed, it asks for the settings again and charts them on a thread of its own, the
// latest request winning. It writes nothing. It closes when the editor's window hides or closes.
class PreviewWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PreviewWindow)

public:
    using SettingsSource = std::function<PreviewSettings()>;

    // `editor`: the widget whose window the preview stands beside and closes with.
    PreviewWindow(SettingsSource settings, QWidget *editor);
    ~PreviewWindow() override;

    // Shows the window beside the editor's, or raises it.
    void present();

public slots:
    // The editor changed: the chart follows once the change is complete.
    void followEditor();

signals:
    void chartShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeControls();
    void startWorker();
    void requestChart();
    void display(int number, const PreviewWorker::Outcome &outcome);
    void repaintChart();
    void showPicture(std::shared_ptr<const SmithChartRenderer> renderer, const QImage &picture);
    void offer(QComboBox *box, const QStringList &items, const QString &current);
    void chooseContours();

    SettingsSource m_settings;
    QPointer<QWidget> m_editorWindow;
    QComboBox *m_frequency;
    QComboBox *m_file;
    QComboBox *m_first;
    QComboBox *m_second;
    QLineEdit *m_picked;
    PreviewChartView *m_view;
    QLabel *m_note;
    QLabel *m_busy;
    QTimer *m_followTimer;
    QThread *m_thread;
    PreviewWorker *m_worker = nullptr; // lives on m_thread until it finishes
    std::shared_ptr<std::atomic<int>> m_latest = std::make_shared<std::atomic<int>>(0);
    // What the user chose in the window; empty: the defaults.
    QString m_chosenFrequency;
    QString m_chosenFile;
    QStringList m_chosenContours;
};
