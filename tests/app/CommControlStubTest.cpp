#include "tests/app/DocumentFixture.h"

#include "app/CCommControlStub.h"
#include "app/TaskState.h"
#include "common/CommandIds.h"
#include "platform/WindowMessages.h"

namespace {

class CommControlStub : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        QString error;
        m_demo = InstallationTemplate::EnsureDemoInstallation(m_env.Path("home/Installations"), &error);
        ASSERT_FALSE(m_demo.isEmpty()) << error.toStdString();
    }

    QString m_demo;
};

} // namespace

TEST_F(CommControlStub, ProgramStepStoresTheRunAndEnds)
{
    CWFDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_demo));
    CCommControlStub form;
    TaskStepProgram = 0;
    SendAppMessage(&form, Msg::TaskStepProgram);
    EXPECT_EQ(TaskStepProgram, kStepDone);
    const int stored = doc.GetPendingCommandCount();
    EXPECT_GT(stored, 0) << "a first run programs every controller";
    EXPECT_EQ(doc.CountQueuedCommands(), stored);
    EXPECT_TRUE(form.StatusText().startsWith(QString::number(stored) + " command"));

    SendAppMessage(&form, Msg::WM_COMMAND, CommandId::ProgramNetwork);
    EXPECT_EQ(doc.GetPendingCommandCount(), stored) << "nothing changed since: nothing more is stored";
}

TEST_F(CommControlStub, ProgramWithoutAnOpenInstallationDoesNothing)
{
    CCommControlStub form;
    const QString before = form.StatusText();
    SendAppMessage(&form, Msg::WM_COMMAND, CommandId::ProgramNetwork);
    EXPECT_EQ(form.StatusText(), before);
}
