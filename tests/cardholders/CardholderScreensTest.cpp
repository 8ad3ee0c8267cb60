#include "app/CMainFrame.h"
#include "app/CWFApp.h"
#include "app/CWFDoc.h"
#include "app/RunState.h"
#include "app/ShellHooks.h"
#include "app/TaskState.h"
#include "app/CLineButton.h"
#include "cardholders/CMenuMedias.h"
#include "cardholders/CMenuUsers.h"
#include "cardholders/CUserMediaTab.h"
#include "cardholders/CredentialAssignment.h"
#include "cardholders/CredentialBlocks.h"
#include "cardholders/CUserEntryCodesTab.h"
#include "cardholders/DirectoryCodes.h"
#include "cardholders/EntryCodeAssignment.h"
#include "cardholders/SpareComboBox.h"
#include "cardholders/CRPUser.h"
#include "cardholders/CRPUserGroups.h"
#include "cardholders/CardholderViews.h"
#include "common/CommandIds.h"
#include "common/SharedHelpers.h"
#include "database/GlobalRecordsets.h"
#include "link/NetCommandKinds.h"
#include "platform/WindowMessages.h"
#include "cardholders/CUserDirectoryTab.h"
#include "image/DirectoryIndex.h"
#include "tests/app/PlainOperator.h"
#include "tests/app/StoredCommandReader.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/StandInViews.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kAddCardholder = 1590;

bool IsEnd(const CNetCommand& command)
{
    return command.m_kind == NetKind::NodeCommand && command.m_payload.size() >= 2
           && static_cast<std::uint8_t>(command.m_payload[0]) == NodeCommandOp::NodeControl
           && static_cast<std::uint8_t>(command.m_payload[1]) == 1;
}

// The real main window on the demo, with the cardholder screens in it.
class CardholderScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterCardholderViews();
        RegisterStandInViews();
        ASSERT_TRUE(app.InitInstance({}));
        frame = app.MainFrame();
        doc = app.Document();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        app.ExitInstance();
        Hooks() = ShellHooks{};
        SetTaskMode(TaskMode::None);
        QueueBeingCreated = 0;
        HasControllers = 0;
        g_pendingNodeRequest = {};
    }

    CMenuUsers* Tree() const { return qobject_cast<CMenuUsers*>(frame->UpperLeftView()); }
    QStringList SetTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Tree()->Tree()->topLevelItemCount(); ++i)
            texts << Tree()->Tree()->topLevelItem(i)->text(0);
        return texts;
    }
    QTreeWidgetItem* SetItem(const QString& prefix) const
    {
        for (int i = 0; i < Tree()->Tree()->topLevelItemCount(); ++i)
            if (Tree()->Tree()->topLevelItem(i)->text(0).startsWith(prefix))
                return Tree()->Tree()->topLevelItem(i);
        return nullptr;
    }
    void ProgramAndEmpty()
    {
        ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
        ASSERT_TRUE(doc->ClearNetCommands());
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }

    TestEnvironment env;
    MessageBoxScript boxes;
    CWFApp app;
    CMainFrame* frame = nullptr;
    CWFDoc* doc = nullptr;
};

TEST_F(CardholderScreens, F5ListsTheDemoSetsWithTheirCounts)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    ASSERT_NE(Tree(), nullptr);
    EXPECT_EQ(SetTexts(), QStringList({"All Access", "No Access", "Office Staff [2]", "Warehouse Crew [2]"}));
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderScreens, NewCardholderWithAnExpiryQueuesHerRecordAlone)
{
    ProgramAndEmpty();
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff"));
    EXPECT_EQ(frame->RightView()->objectName(), "CRPUserGroups");
    Tree()->Button(kAddCardholder)->click();

    QTreeWidgetItem* added = Tree()->Tree()->currentItem();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->parent()->text(0), "Office Staff [3]");
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(frame->focusWidget(), form->FirstNameEdit());
    EXPECT_EQ(form->FirstNameEdit()->selectedText(), "First Name");
    EXPECT_EQ(form->SetGroup()->title(), "Cardholders for Office Staff");

    Type(form->FirstNameEdit(), "Eve");
    Type(form->LastNameEdit(), "Novak");
    EXPECT_EQ(added->text(0), "Novak, Eve") << "the tree follows the typing";
    Type(form->LastNameEdit(), "^Novak");
    EXPECT_EQ(boxes.Texts().last(), "The caret (^) is an invalid first character for the cardholder's last name.");
    EXPECT_EQ(form->LastNameEdit()->text(), "Novak");
    EXPECT_EQ(added->text(0), "Novak, Eve");

    form->NeverExpires()->click();
    EXPECT_TRUE(form->ExpirationPicker()->isVisibleTo(form));
    form->ExpirationPicker()->setDate(QDate(2031, 7, 9));
    EXPECT_EQ(form->ExpirationPicker()->minimumDate(), QDate(2000, 1, 1));
    EXPECT_EQ(form->ExpirationPicker()->maximumDate(), QDate(2255, 12, 31));
    form->ApplyButton()->click();
    const std::int32_t id = form->UserID();
    ASSERT_TRUE(g_setUsers.FindByID(id));
    EXPECT_EQ(g_setUsers.m_FirstName, "Eve");
    EXPECT_EQ(g_setUsers.m_LastName, "Novak");
    EXPECT_FALSE(g_setUsers.m_NeverExpiers);
    EXPECT_EQ(doc->GetDataToProgram(), 1);

    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        const CNetCommand& write = commands[0].command;
        ASSERT_EQ(write.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(write.m_payload.left(5), QByteArray("\x01", 1) + char(id >> 8) + char(id & 0xFF) + QByteArray("\x00\x08", 2));
        EXPECT_EQ(write.m_payload.mid(5), QByteArray("\xC0\x03\x00\x00\x00\x09\x07\x1F", 8));
        EXPECT_TRUE(IsEnd(commands[1].command));
    }
}

TEST_F(CardholderScreens, ChangedSetTimeZoneQueuesTheSettingsPage)
{
    ProgramAndEmpty();
    EXPECT_FALSE(frame->HasDataToProgramIcon());
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Warehouse Crew"));
    auto* form = qobject_cast<CRPUserGroups*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->NameEdit()->text(), "Warehouse Crew");
    QComboBox* zone = form->ZoneCombo(0);
    ASSERT_TRUE(zone->isEnabled());
    zone->setCurrentIndex(zone->findText("Time Zone 2"));
    emit zone->activated(zone->currentIndex());
    EXPECT_TRUE(form->ZoneCombo(1)->isEnabled()) << "a numbered first zone opens the others";
    form->ApplyButton()->click();
    EXPECT_TRUE(frame->HasDataToProgramIcon());
    EXPECT_EQ(doc->m_globalMemory.Byte(1226 + 16 * 4 + 9), 2);

    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].command.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(commands[0].command.m_payload[0], 0);
        EXPECT_TRUE(IsEnd(commands[1].command));
    }
}

TEST_F(CardholderScreens, BuiltInSetsShowReadOnlyAndAreNeverWritten)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    const QByteArray before = QByteArray(reinterpret_cast<const char*>(doc->m_globalMemory.Image().data()), 8192);
    for (const char* name : {"All Access", "No Access", "Office Staff"}) {
        SCOPED_TRACE(name);
        Tree()->Tree()->setCurrentItem(SetItem(name));
        auto* form = qobject_cast<CRPUserGroups*>(frame->RightView());
        ASSERT_NE(form, nullptr);
        const bool builtIn = QByteArray(name) != "Office Staff";
        EXPECT_EQ(form->NameEdit()->isEnabled(), !builtIn);
        EXPECT_EQ(form->DoorCombo(0)->isEnabled(), !builtIn);
        EXPECT_FALSE(form->DoorCombo(1)->isEnabled()) << "slot 1 is All Access or No access";
    }
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc->m_globalMemory.Image().data()), 8192), before);
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderScreens, SwitchingCardholdersSavesTheFirstBeforeShowingTheNext)
{
    doc->SetDataToProgram(0);
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    QTreeWidgetItem* staff = SetItem("Office Staff");
    Tree()->Tree()->setCurrentItem(staff->child(0));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    const std::int32_t first = form->UserID();
    EXPECT_EQ(form->FirstNameEdit()->text(), "Ben");
    form->CustomEdit(0)->setText("kept?");
    Type(form->FirstNameEdit(), "Benjamin");
    Tree()->Tree()->setCurrentItem(staff->child(1));
    EXPECT_EQ(frame->RightView(), form) << "the form stays for the next cardholder";
    EXPECT_EQ(form->FirstNameEdit()->text(), "Ada");
    ASSERT_TRUE(g_setUsers.FindByID(first));
    EXPECT_EQ(g_setUsers.m_FirstName, "Benjamin");
    EXPECT_EQ(doc->GetDataToProgram(), 0) << "a name alone is not for the panels";
    EXPECT_FALSE(form->CustomEdit(0)->isEnabled()) << "no label, no custom field";

    doc->ApplyUserTypeLabels({"Badge", "", "", ""});
    EXPECT_EQ(form->CustomLabel(0)->text(), "Badge:");
    EXPECT_TRUE(form->CustomEdit(0)->isEnabled());
}

TEST_F(CardholderScreens, DirectoryCodesAreAssignedCheckedAndSurrendered)
{
    std::uint8_t length = 3;
    doc->DirectoryCodeLength(length, 0);
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff")->child(1));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    form->PageButton(CardholderRecord::DirectoryCodes)->click();
    CUserDirectoryTab* page = form->DirectoryPage();
    ASSERT_TRUE(page->isVisibleTo(form));
    EXPECT_EQ(page->CodeEdit()->text(), "0001");
    EXPECT_EQ(frame->focusWidget(), page->CodeEdit());
    EXPECT_FALSE(page->TenantEdit()->isEnabled()) << "no code yet";

    page->CodeEdit()->setText("0042");
    page->AssignButton()->click();
    ASSERT_EQ(page->CodeList()->count(), 1);
    EXPECT_EQ(page->CodeList()->currentItem()->text(), "0042");
    EXPECT_EQ(page->TenantEdit()->text(), "Ramirez Ada");
    EXPECT_TRUE(page->TenantEdit()->isEnabled());
    EXPECT_TRUE(form->PageIcon(CardholderRecord::DirectoryCodes)->isVisibleTo(form));
    EXPECT_EQ(page->CodeEdit()->text(), "0001");

    const struct
    {
        QLineEdit* edit;
        const char* typed;
        const char* kept;
        const char* text;
    } typing[] = {
        {page->PhoneEdit(), "55a1", "551", "Please enter an integer."},
        {page->TenantEdit(), "^Ada", "Ramirez Ada", "The caret (^) is an invalid first character for the tenant name."},
    };
    for (const auto& t : typing) {
        SCOPED_TRACE(t.typed);
        Type(t.edit, t.typed);
        EXPECT_EQ(t.edit->text(), t.kept);
        EXPECT_EQ(boxes.Texts().last(), t.text);
    }
    form->ApplyButton()->click();
    ASSERT_TRUE(g_setUsers.FindByID(form->UserID()));
    EXPECT_TRUE(g_setUsers.m_GotPhoneEntryNumbers);
    EXPECT_TRUE(g_setUsers.m_GotCards) << "the stand-in pages keep their flags";

    boxes.Answer(IDYES);
    page->SurrenderButton()->click();
    EXPECT_EQ(page->CodeList()->count(), 0);
    EXPECT_FALSE(page->TenantEdit()->isEnabled());
    EXPECT_FALSE(page->SubsetList()->isEnabled());
    EXPECT_FALSE(form->PageIcon(CardholderRecord::DirectoryCodes)->isVisibleTo(form));
    EXPECT_EQ(page->CodeEdit()->text(), "0001");
}

TEST_F(CardholderScreens, APolishCardholderGetsADirectoryCodeWithATenantNameToEdit)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff")->child(1));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    Type(form->LastNameEdit(), QStringLiteral("Wójcik"));
    Type(form->FirstNameEdit(), QStringLiteral("Łucja"));
    form->ApplyButton()->click();
    form->PageButton(CardholderRecord::DirectoryCodes)->click();
    CUserDirectoryTab* page = form->DirectoryPage();
    page->CodeEdit()->setText("0001");
    page->AssignButton()->click();
    ASSERT_EQ(page->CodeList()->count(), 1);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral(
                                 "The tenant name was changed to \"Wójcik Lucja\", because a controller cannot hold "
                                 "every character of \"Wójcik Łucja\".\n\nYou can edit the tenant name on this page.")});
    EXPECT_EQ(page->TenantEdit()->text(), QStringLiteral("Wójcik Lucja"));
    EXPECT_TRUE(page->TenantEdit()->isEnabled());
}

TEST_F(CardholderScreens, AnAssignedNumberLeavesTheAssignBoxEmpty)
{
    ASSERT_TRUE(CredentialBlocks::CreateBlock(CredentialKind::Transmitter, {"Gate", 500, 509, {}}));
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff")->child(1));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    const struct
    {
        const char* kind;
        CUserMediaTab* page;
        const char* number;
        const char* empty;
        const char* unknown;
    } pages[] = {
        {"transmitters", form->XmtrsPage(), "500", "Specify the ID of the transmitter to add.",
         "Transmitter not available in credential database."},
        {"cards", form->CardsPage(), "10005", "Specify the ID of the card to add.",
         "Card not available in credential database."},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.kind);
        p.page->SpareList()->setEditText(p.number);
        p.page->AssignButton()->click();
        ASSERT_FALSE(p.page->AssignedList()->findItems(p.number, Qt::MatchContains).isEmpty());
        EXPECT_EQ(p.page->SpareList()->currentText(), QString());
        {
            MessageBoxScript again;
            p.page->AssignButton()->click();
            EXPECT_EQ(again.Texts(), QStringList{p.empty}) << "not a refusal of the number she holds";
        }
        // A refused number stays for the operator to mend.
        MessageBoxScript refused;
        p.page->SpareList()->setEditText("999");
        p.page->AssignButton()->click();
        EXPECT_EQ(refused.Texts(), QStringList{p.unknown});
        EXPECT_EQ(p.page->SpareList()->currentText(), "999");
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderScreens, ATypedNameReadsInTheTreeAsAfterAReload)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    QTreeWidgetItem* staff = SetItem("Office Staff");
    Tree()->Tree()->setCurrentItem(staff->child(1));
    const std::int32_t ada = qobject_cast<CRPUser*>(frame->RightView())->UserID();
    const auto itemOfAda = [&]() -> QTreeWidgetItem* {
        for (int i = 0; i < staff->childCount(); ++i) {
            if (staff->child(i)->data(0, CMenuUsers::kDataRole).toInt() == ada)
                return staff->child(i);
        }
        return nullptr;
    };
    const struct
    {
        QString last;
        QString first;
        QString label;
    } names[] = {
        {QStringLiteral("Wójcik"), QStringLiteral("Łucja"), QStringLiteral("Wójcik, Łucja")},
        {QString(), QStringLiteral("Łucja"), QStringLiteral("Łucja")},
    };
    for (const auto& n : names) {
        SCOPED_TRACE(n.label.toStdString());
        Tree()->Tree()->setCurrentItem(itemOfAda());
        auto* form = qobject_cast<CRPUser*>(frame->RightView());
        ASSERT_NE(form, nullptr);
        Type(form->LastNameEdit(), n.last);
        Type(form->FirstNameEdit(), n.first);
        EXPECT_EQ(Tree()->Tree()->currentItem()->text(0), n.label) << "as typed";
        form->ApplyButton()->click();

        Tree()->Tree()->setCurrentItem(staff);
        staff->setExpanded(false);
        staff->setExpanded(true);
        ASSERT_NE(itemOfAda(), nullptr);
        EXPECT_EQ(itemOfAda()->text(0), n.label) << "after a reload";
    }
}

TEST_F(CardholderScreens, TheShownPageIsAlwaysTheShownCardholders)
{
    ASSERT_TRUE(CredentialBlocks::CreateBlock(CredentialKind::Transmitter, {"Gate", 500, 509, {}}));
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    QTreeWidgetItem* staff = SetItem("Office Staff");
    Tree()->Tree()->setCurrentItem(staff->child(1));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(CredentialAssignment::Assign(CredentialKind::Transmitter, form->UserID(), 0, "500"),
              CredentialAssignment::AssignResult::Assigned);
    ASSERT_EQ(EntryCodeAssignment::Assign(form->UserID(), "0042", false), EntryCodeAssignment::AssignResult::Assigned);
    ASSERT_TRUE(DirectoryCodes::Assign(form->UserID(), "0001", DirectoryCodes::DefaultSubsets()));

    // A form made afresh, as after a restart, opens on her transmitters.
    Tree()->Tree()->setCurrentItem(staff);
    Tree()->Tree()->setCurrentItem(staff->child(1));
    form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->PageButton(CardholderRecord::Transmitters)->isChecked());
    EXPECT_TRUE(form->XmtrsPage()->isVisibleTo(form));
    ASSERT_EQ(form->XmtrsPage()->AssignedList()->count(), 1);
    EXPECT_EQ(form->XmtrsPage()->AssignedList()->item(0)->text().trimmed(), "500");

    // Each button shows its page alone, filled with her credentials; the
    // page follows the next cardholder.
    const QWidget* pages[] = {form->XmtrsPage(), form->CardsPage(), form->DirectoryPage(), form->EntryCodesPage()};
    for (int p : {CardholderRecord::EntryCodes, CardholderRecord::DirectoryCodes, CardholderRecord::Cards}) {
        SCOPED_TRACE(p);
        form->PageButton(p)->click();
        for (int other = 0; other < CardholderRecord::kCredentials; ++other) {
            EXPECT_EQ(form->PageButton(other)->isChecked(), other == p);
            EXPECT_EQ(pages[other]->isVisibleTo(form), other == p);
        }
    }
    EXPECT_EQ(form->EntryCodesPage()->CodeList()->count(), 1);
    EXPECT_EQ(form->DirectoryPage()->CodeList()->count(), 1);
    EXPECT_EQ(form->CardsPage()->AssignedList()->item(0)->text().trimmed(), "10001");
    Tree()->Tree()->setCurrentItem(staff->child(0));
    EXPECT_EQ(frame->RightView(), form);
    ASSERT_EQ(form->CardsPage()->AssignedList()->count(), 1);
    EXPECT_EQ(form->CardsPage()->AssignedList()->item(0)->text().trimmed(), "10002") << "Ben's card, not Ada's";
}

TEST_F(CardholderScreens, WithoutTheCardholderRightTheButtonsAreHidden)
{
    LogInPlainOperator(app, 1);
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    EXPECT_FALSE(Tree()->Button(kAddCardholder)->isVisibleTo(Tree()));
    Tree()->OnBeginDrag(SetItem("Office Staff")->child(0));
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff")->child(0));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr) << "selection still works";
    EXPECT_FALSE(form->FirstNameEdit()->isEnabled());
}

TEST_F(CardholderScreens, RenamedSetFollowsInTheTreeAndDeletedSetLeavesIt)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->OnAddSet();
    auto* form = qobject_cast<CRPUserGroups*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    QTreeWidgetItem* item = Tree()->Tree()->currentItem();
    EXPECT_EQ(item->text(0), "New Cardholder set");
    EXPECT_EQ(frame->focusWidget(), form->NameEdit());
    Type(form->NameEdit(), "Lab [B]");
    EXPECT_EQ(item->text(0), "Lab") << "a bracketed end reads as the count";

    boxes.Answer(IDYES);
    Tree()->OnDeleteSet();
    EXPECT_EQ(frame->RightView()->objectName(), "CRPBlankPane");
    EXPECT_EQ(SetTexts(), QStringList({"All Access", "No Access", "Office Staff [2]", "Warehouse Crew [2]"}));
    EXPECT_EQ(doc->m_globalMemory.Byte(1226 + 16 * 5), 0);
}

TEST_F(CardholderScreens, ASetNameIsShownAsTypedBesideItsCount)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff"));
    auto* form = qobject_cast<CRPUserGroups*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    Type(form->NameEdit(), "Shift %1");
    ASSERT_NE(SetItem("Shift"), nullptr);
    EXPECT_EQ(SetItem("Shift")->text(0), "Shift %1 [2]");
}

TEST_F(CardholderScreens, ABoxShownWhileSavingStartsNoSecondSave)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff")->child(0));
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    form->NeverExpires()->click();
    form->ExpirationPicker()->setDate(QDate(2001, 1, 1));

    // The box takes the focus from the name field, as a real one would.
    QStringList shown;
    const MessageBoxPresenter previous = SetMessageBoxPresenter([&](const MessageBoxRequest& r) {
        shown << r.text;
        form->SaveAndLoad(form->UserID());
        return int(IDOK);
    });
    form->ApplyButton()->click();
    SetMessageBoxPresenter(previous);
    EXPECT_EQ(shown, QStringList({"The cardholder's expiration date is not valid."}));
}

TEST_F(CardholderScreens, SetFormNotesTheTimedModeAndCopiesASetByItsIndex)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->OnAddSet();
    auto* form = qobject_cast<CRPUserGroups*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    Type(form->NameEdit(), "O'Hara's crew");
    form->ZoneCombo(0)->setCurrentIndex(5);
    emit form->ZoneCombo(0)->activated(5);
    form->AntiPassback()->setCurrentIndex(2);
    emit form->AntiPassback()->activated(2);
    EXPECT_EQ(form->AntiPassbackNote()->text(),
              "Anti-Passback time is set through the Anti-Passback tab under Global Settings.");
    form->ApplyButton()->click();

    Tree()->Tree()->setCurrentItem(SetItem("Warehouse Crew"));
    form = qobject_cast<CRPUserGroups*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->AntiPassbackNote()->text().isEmpty());
    const int entry = form->MakeSameAs()->findText("O'Hara's crew");
    ASSERT_GE(entry, 0);
    form->MakeSameAs()->setCurrentIndex(entry);
    emit form->MakeSameAs()->activated(entry);
    EXPECT_EQ(form->ZoneCombo(0)->currentIndex(), 5);
    EXPECT_EQ(form->NameEdit()->text(), "Warehouse Crew");
    EXPECT_EQ(form->AntiPassback()->currentIndex(), 0) << "the mode stays";
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderScreens, RunStateResetForgetsTheDirectoryScreens)
{
    g_nDirectoryPages = 500;
    app.ResetRunState();
    EXPECT_EQ(g_nDirectoryPages, 0);
}

TEST_F(CardholderScreens, CredentialButtonsPutTheirViewsIntoTheRightPane)
{
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CredentialsView);
    auto* menu = qobject_cast<CMenuMedias*>(frame->UpperLeftView());
    ASSERT_NE(menu, nullptr);
    const struct
    {
        int id;
        const char* caption;
        const char* view;
        const char* pane;
    } cases[] = {
        {1338, "Block Transmitters", "CRPTransmitters", "Block Coded Transmitters"},
        {1339, "Individual Transmitters", "CRPEnrolledXmtrs", "Individual Xmtrs"},
        {1337, "Block Cards", "CRPCards", "Block Coded Cards"},
        {1341, "Individual Cards", "CRPEnrolledCards", "Individual Cards"},
        {1340, "Entry Codes", "CRPEntryCodes", "Entry codes"},
        {1343, "Directory Codes", "CRPPhoneEntryNumbers", "Telephone Directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        CLineButton* button = menu->Button(c.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Caption(), c.caption);
        button->click();
        EXPECT_EQ(frame->RightView()->objectName(), c.view);
        EXPECT_TRUE(frame->windowTitle().contains(QStringLiteral(" - %1 - ").arg(c.pane)));
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

TEST_F(CardholderScreens, NewCardholderGivenASpareCardQueuesHerRecordAndTheBlockPage)
{
    ProgramAndEmpty();
    SendAppMessage(frame, Msg::WM_COMMAND, CommandId::CardholdersView);
    Tree()->Tree()->setCurrentItem(SetItem("Office Staff"));
    Tree()->Button(kAddCardholder)->click();
    auto* form = qobject_cast<CRPUser*>(frame->RightView());
    ASSERT_NE(form, nullptr);
    Type(form->FirstNameEdit(), "Eve");
    Type(form->LastNameEdit(), "Novak");
    form->ApplyButton()->click();
    const std::int32_t id = form->UserID();

    CUserMediaTab* cards = form->CardsPage();
    cards->OnSpareDropDown();
    SpareComboBox* spares = cards->SpareList();
    ASSERT_EQ(spares->count(), 96);
    EXPECT_EQ(spares->itemText(0).trimmed(), "10005");
    EXPECT_EQ(spares->itemText(95).trimmed(), "10100");
    spares->setEditText("10005");
    cards->OnAssign();
    ASSERT_EQ(cards->AssignedList()->count(), 1);
    EXPECT_EQ(cards->AssignedList()->item(0)->text().trimmed(), "10005");
    EXPECT_TRUE(boxes.Texts().isEmpty());

    ASSERT_EQ(doc->PrepareNetworkProgramming(0, 0), 1);
    const auto nodes = ReadStoredCommandsByNode(*doc);
    ASSERT_EQ(nodes.size(), 3u);
    for (const auto& [address, commands] : nodes) {
        SCOPED_TRACE(address);
        ASSERT_EQ(commands.size(), 3u);
        const CNetCommand& record = commands[0].command;
        ASSERT_EQ(record.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(record.m_payload.left(5), QByteArray("\x01", 1) + char(id >> 8) + char(id & 0xFF) + QByteArray("\x00\x08", 2));
        const CNetCommand& page = commands[1].command;
        ASSERT_EQ(page.m_kind, NetKind::MemoryWrite);
        EXPECT_EQ(page.m_payload.left(3), QByteArray("\x04\x00\x00", 3));
        EXPECT_TRUE(IsEnd(commands[2].command));
    }
}

} // namespace
