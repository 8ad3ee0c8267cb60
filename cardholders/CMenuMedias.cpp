#include "cardholders/CMenuMedias.h"

#include "app/AppObjects.h"
#include "app/CLineButton.h"
#include "app/CMainFrame.h"
#include "app/ViewCommands.h"
#include "cardholders/CardholderIcons.h"
#include "database/WaitCursor.h"

#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

struct MediaButton
{
    int id;
    const char* caption;
    CardholderIcons::CredentialPicture picture;
    const char* viewClass;
    int paneKind;
};

constexpr MediaButton kButtons[] = {
    {1338, "Block Transmitters", CardholderIcons::TransmitterPicture, "CRPTransmitters", PaneKind::BlockTransmitters},
    {1339, "Individual Transmitters", CardholderIcons::TransmitterPicture, "CRPEnrolledXmtrs",
     PaneKind::IndividualTransmitters},
    {1337, "Block Cards", CardholderIcons::CardPicture, "CRPCards", PaneKind::BlockCards},
    {1341, "Individual Cards", CardholderIcons::CardPicture, "CRPEnrolledCards", PaneKind::IndividualCards},
    {1340, "Entry Codes", CardholderIcons::EntryCodePicture, "CRPEntryCodes", PaneKind::EntryCodes},
    {1343, "Directory Codes", CardholderIcons::DirectoryPicture, "CRPPhoneEntryNumbers", PaneKind::TelephoneDirectory},
};

} // namespace

CMenuMedias::CMenuMedias(QWidget* parent) : CPaneView(parent)
{
    setObjectName(QStringLiteral("CMenuMedias"));
    auto* layout = new QVBoxLayout(this);
    for (const MediaButton& b : kButtons) {
        auto* button = new CLineButton(this);
        button->setObjectName(QString::number(b.id));
        button->setMinimumHeight(kIconSize + kIconSize / 2);
        button->SetIconText(CardholderIcons::CredentialIcon(b.picture), QString::fromLatin1(b.caption), kIconSize);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [b] {
            WaitCursor wait;
            if (auto* frame = qobject_cast<CMainFrame*>(GetMainWindow()))
                frame->ReplaceRightView(b.paneKind, QString::fromLatin1(b.viewClass));
        });
    }
    layout->addStretch();
}

CLineButton* CMenuMedias::Button(int id) const
{
    return findChild<CLineButton*>(QString::number(id));
}
