#pragma once

#include "lpsimcore.h"

#include <QString>
#include <QStringList>

#include <string>

// The plug-in's one way into the host's load-pull data library. Paths cross in the
// file system's encoding; every other text comes back as Latin-1, the paths that the
// library's messages name included.
class LoadPullDataLibrary
{
public:
    // Asks the library for the variables of `filesToKeep` and `filesToAdd` together;
    // on false, `ui.errorText` says why.
    static bool query(const QStringList &filesToAdd, const QStringList &filesToKeep,
                      Corvane_LP::LoadpullUI &ui);
    // Drops everything the library keeps from earlier queries.
    static void releaseCache();

    static QString text(const std::string &libraryText);
    // Sets a refusal text of the editor's own on a record.
    static void setErrorText(Corvane_LP::LoadpullUI &ui, const QString &text);
};
