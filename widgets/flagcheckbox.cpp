#include "flagcheckbox.h"

#include "signalblocker.h"

#include <QCheckBox>

void showFlag(QCheckBox *box, bool checked, bool partly)
{
    const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
    if (partly || box->checkState() == Qt::PartiallyChecked) {
        const SignalBlocker blocker(box);
        box->setTristate(partly);
        box->setCheckState(partly ? Qt::PartiallyChecked : state);
        return;
    }
    box->setTristate(false);
    box->setChecked(checked);
}
