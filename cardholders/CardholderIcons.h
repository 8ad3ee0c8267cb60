#pragma once

#include <QIcon>
#include <QList>

// The cardholder screens' pictures, drawn by the program itself.
namespace CardholderIcons {

enum Picture {
    AddCardholder,
    DeleteCardholder,
    SuspendCardholder,
    ActivateCardholder,
    AddSet,
    DeleteSet,
    SetNotSuspended,
    SetSuspended,
    DirectoryCodes,
};

// The tree's images by CardholderImage number.
QIcon TreeImage(int image);
QIcon ButtonIcon(Picture picture);
// The credential lists' status pictures: Suspended, Enabled, spare, Lost.
QList<QIcon> CredentialStatusImages();
// The credentials area's buttons: cards, transmitters, entry codes, directory codes.
enum CredentialPicture { CardPicture, TransmitterPicture, EntryCodePicture, DirectoryPicture };
QIcon CredentialIcon(CredentialPicture picture);

} // namespace CardholderIcons
