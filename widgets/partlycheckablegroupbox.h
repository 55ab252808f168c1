#pragma once

#include <QGroupBox>

// A checkable group box whose check box can look partly checked, for a flag stored as a text
// that says neither yes nor no. The look alone changes: the box is checked or not as before.
class PartlyCheckableGroupBox final : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(bool partlyChecked READ isPartlyChecked WRITE setPartlyChecked)

public:
    explicit PartlyCheckableGroupBox(QWidget *parent = nullptr);
    ~PartlyCheckableGroupBox() override;

    bool isPartlyChecked() const { return m_partlyChecked; }
    void setPartlyChecked(bool partlyChecked);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_partlyChecked = false;
};
