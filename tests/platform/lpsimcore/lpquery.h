#pragma once

#include "lpsimcore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One query of the load-pull data library, kept for the test to read.
class LpQuery
{
public:
    explicit LpQuery(const QStringList &filesToAdd, const QStringList &filesToKeep = {},
                     int mode = 1);

    bool ok() const { return m_ok; }
    QString errorText() const;
    QString warningText() const;
    const Corvane_LP::LoadpullUI &ui() const { return m_ui; }

    QStringList variableNames() const;
    QStringList performanceNames() const;
    // A variable of either list; nullptr when there is none of that name.
    const Corvane_LP::VarInfoUI *find(const QString &name) const;

private:
    Corvane_LP::LoadpullUI m_ui;
    bool m_ok;
};

// "text"_s: a QString literal for tables (the build forbids casts from const char *).
inline QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, static_cast<int>(size));
}

QString fromStd(const std::string &text);
QString exampleFile(const QString &fileName);
// Writes contents to dir/name and returns the file's path.
QString writeFile(const QString &dir, const QString &name, const QByteArray &contents);
