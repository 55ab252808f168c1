#pragma once

#include "conditionpreview.h"
#include "previewsettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <map>
#include <memory>

// Charts the preview for the window and for lp-host alike: the first listed file that holds
// the frequency chosen (by default the lowest of the first readable file), at the held
// settings, with the quantities chosen (by default the first two marked for output, in the
// file's order). Files read once stay read until they change.
class PreviewCharter
{
    Q_DECLARE_TR_FUNCTIONS(PreviewCharter)

public:
    struct Request
    {
        PreviewSettings settings;
        QDir folder;           // where relative file names lie
        QString frequency;     // typed, such as "1.9 GHz"; empty: the lowest measured
        QString file;          // one of the files offered; empty: the first that holds it
        QStringList contoured; // empty: the first two marked for output
        // Values picked for the preview alone, over the held ones.
        QMap<QString, ConditionPreview::Held> picked;
    };

    struct Result
    {
        ConditionPreview::Chart chart; // its content's message says why, when it cannot chart
        QString file;                  // the file charted
        QStringList files;             // the listed files that hold the frequency
        QStringList frequencies;       // the measured ones of every readable listed file
        QString frequency;             // the one charted, as offered
        QStringList quantities;        // of the file charted
        QStringList marked;            // of those, the ones marked for output
        QStringList contoured;
    };

    Result chart(const Request &request);

private:
    std::shared_ptr<const ConditionPreview> loaded(const QString &path, QString *error);
    static void fail(Result &result, const QString &why);

    struct Loaded
    {
        QDateTime modified;
        qint64 size = 0;
        std::shared_ptr<const ConditionPreview> data;
    };
    std::map<QString, Loaded> m_loaded;
};
