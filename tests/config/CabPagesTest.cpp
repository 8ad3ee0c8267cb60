#include "config/CTabCab.h"
#include "tests/config/ConfigFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// The template installation: no floors and no devices.
class CabPages : public OpenInstallation
{
protected:
    MessageBoxScript boxes;
};

TEST_F(CabPages, WithoutFloorsATickIsUndoneNamingTheNode)
{
    CTabCab page(m_doc, 1, 2, 3, nullptr);
    EXPECT_EQ(page.FloorList()->count(), 0);
    EXPECT_FALSE(page.NoFloorsNote()->isHidden());
    EXPECT_EQ(page.DeviceText()->text(), QStringLiteral(" Not assigned"));
    EXPECT_FALSE(page.Hint()->isHidden());
    EXPECT_FALSE(page.ModuleList(1)->isEnabled()) << "no module is declared, whatever the rights";
    QListWidgetItem* relay = page.ModuleList(1)->item(2);
    relay->setCheckState(Qt::Checked);
    EXPECT_EQ(relay->checkState(), Qt::Unchecked);
    EXPECT_EQ(boxes.Texts(),
              QStringList{"There are no floor names available for node B3.\n\nSelect the Floor Names tab to add names."});
}

} // namespace
