#include "config/CDlgEditFloorName.h"
#include "config/CRPFloorGrid.h"
#include "config/CTabFloorNames.h"
#include "database/FloorRows.h"
#include "database/GlobalRecordsets.h"
#include "tests/config/ConfigFixture.h"
#include "tests/config/FloorNameDialogWork.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The template installation, which has no floors.
class FloorPages : public OpenInstallation
{
protected:
    MessageBoxScript boxes;
};

TEST_F(FloorPages, AnInstallationWithoutFloorsShowsNone)
{
    CTabFloorNames names;
    EXPECT_EQ(names.List()->topLevelItemCount(), 0);
    EXPECT_EQ(names.List()->headerItem()->text(0), QStringLiteral("Floor Name"));
    CRPFloorGrid grid;
    grid.Fill();
    EXPECT_EQ(grid.Grid()->columnCount(), 0);
    EXPECT_EQ(grid.Grid()->rowCount(), 31);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(FloorPages, TheDialogRefusesAnEmptyNameAndNamesTheNewFloor)
{
    CTabFloorNames names;
    WorkFloorNameDialog(names.AddButton(), [this](CDlgEditFloorName& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Floor Name"));
        dialog.accept();
        EXPECT_EQ(boxes.Texts(), QStringList{"Please enter a floor name."});
        EXPECT_TRUE(dialog.isVisible());
        dialog.NameEdit()->setText(QString(30, QLatin1Char('R')));
    });
    ASSERT_EQ(names.List()->topLevelItemCount(), 1);
    EXPECT_EQ(names.List()->topLevelItem(0)->text(0), QString(24, QLatin1Char('R')));

    names.List()->topLevelItem(0)->setSelected(true);
    WorkFloorNameDialog(names.EditButton(), [](CDlgEditFloorName& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Floor Name"));
        EXPECT_EQ(dialog.NameEdit()->selectedText(), QString(24, QLatin1Char('R')));
        dialog.NameEdit()->setText(QStringLiteral("Roof"));
    });
    EXPECT_EQ(names.List()->topLevelItem(0)->text(0), QStringLiteral("Roof"));
}

TEST_F(FloorPages, EditAndDeleteWantASelectedFloor)
{
    FloorRows::Add(g_setFloorNames, 0, QStringLiteral("Lobby"));
    CTabFloorNames names;
    names.EditButton()->click();
    names.DeleteButton()->click();
    EXPECT_EQ(boxes.Texts(), (QStringList{"Please select the floor name you want to edit.",
                                          "Please select the floor name to delete."}));
    EXPECT_EQ(g_setFloorNames.GetRecordCount(), FloorRows::kRowsPerFloor);
}

TEST_F(FloorPages, TheHundredAndTwentyNinthFloorIsRefused)
{
    for (int index = 0; index < FloorRows::kMaxFloors; ++index)
        FloorRows::Add(g_setFloorNames, index, QStringLiteral("Floor %1").arg(index));
    CTabFloorNames names;
    EXPECT_EQ(names.List()->topLevelItemCount(), FloorRows::kMaxFloors);
    WorkFloorNameDialog(names.AddButton(), [](CDlgEditFloorName& dialog) { dialog.NameEdit()->setText(QStringLiteral("Attic")); });
    EXPECT_EQ(boxes.Texts(), QStringList{"The max number of floors has been exceeded."});
    g_setFloorNames.Requery();
    EXPECT_EQ(g_setFloorNames.GetRecordCount(), FloorRows::kMaxFloors * FloorRows::kRowsPerFloor);
}

} // namespace
