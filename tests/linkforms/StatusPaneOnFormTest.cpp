#include "tests/linkforms/FormFixture.h"

#include "linkforms/CDlgNetworkConnection.h"
#include "linkforms/CRPNetworkStatusForm.h"
#include "platform/WindowMessages.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

// The network status pane with no host of its own: what it asks of the
// communication form reaches the link's form.
class StatusPaneOnForm : public FormFixture
{
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        if (HasFatalFailure())
            return;
        pane = std::make_unique<CRPNetworkStatusForm>();
    }
    void TearDown() override
    {
        pane.reset();
        FormFixture::TearDown();
    }

    std::unique_ptr<CRPNetworkStatusForm> pane;
};

TEST_F(StatusPaneOnForm, EnablingANetworkFromItsButtonListsItInTheForm)
{
    SetNetwork(2, [](CSetVLNetworks& row) { row.m_Active = false; });
    form->FillNetworkCombo();
    ASSERT_FALSE(form->HasNetwork(2));
    pane->runNetworkDialog = [](CDlgNetworkConnection& dialog) {
        dialog.findChild<QCheckBox*>(QString::number(CDlgNetworkConnection::IdEnable))->setChecked(true);
        dialog.accept();
        return true;
    };
    pane->NetworkButton(2)->click();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << "network B has no panels to reprogram";
    EXPECT_TRUE(form->HasNetwork(2));
    EXPECT_EQ(Control<QComboBox>(CCommControlForm::IdNetwork)->count(), 2);
}

TEST_F(StatusPaneOnForm, MemoryTroubleOfAPanelShowsOnTheFormsErrorLine)
{
    QByteArray record(23, '\0');
    record[0] = char(0x12);
    record[8] = char(0x01);
    SendAppMessage(pane.get(), Msg::NodeStatus, static_cast<quintptr>(record.size()),
                   reinterpret_cast<qintptr>(record.constData()));
    EXPECT_EQ(Control<QLabel>(CCommControlForm::IdErrors)->text(), "SUPV_2 BIT 0 Set");
}

} // namespace
