#pragma once

#include <QDoubleValidator>

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

    // Made once: a text is judged often, in every cell of thousands of rows.
    QDoubleValidator m_standard;
    QDoubleValidator m_scientific;
    mutable QString m_lastAcceptedText;
};
