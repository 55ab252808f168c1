#pragma once

#include <QValidator>

// Accepts an integer within the range or a design variable name. Unlike QIntValidator it
// refuses what could only grow into a number (a lone sign, '0' when the bottom is 1).
class IntOrVarValidator : public QIntValidator
{
public:
    explicit IntOrVarValidator(QObject *parent = nullptr);
    IntOrVarValidator(int bottom, int top, QObject *parent = nullptr);
    ~IntOrVarValidator() override;

    State validate(QString &input, int &pos) const override;
    // Falls back to the last text judged Acceptable.
    void fixup(QString &input) const override;

private:
    State accept(const QString &input) const;

    mutable QString m_lastAcceptedText;
};
