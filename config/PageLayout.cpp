#include "config/PageLayout.h"

#include <QLineEdit>
#include <QSpinBox>

namespace PageLayout {

void MakeWrappingSpin(QSpinBox* spin, int minimum, int maximum)
{
    spin->setRange(minimum, maximum);
    spin->setWrapping(true);
    if (QLineEdit* edit = spin->findChild<QLineEdit*>())
        edit->setReadOnly(true);
}

} // namespace PageLayout
