#pragma once

#include <QValidator>

// Accepts a real number (decimal or with exponent) or a design variable name.
class RealOrVarValidator final : public QValidator
{
public:
    explicit RealOrVarValidator(QObject *parent = nullptr);
    ~RealOrVarValidator() override;

    State validate(QString &input, int &pos) const override;
    // Falls back to the last text judged Acceptable.
    void fixup(QString &input) const override;

private:
    State accept(const QString &input) const;

    mutable QString m_lastAcceptedText;
};
