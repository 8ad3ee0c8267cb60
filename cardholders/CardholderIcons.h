#pragma once

#include <QIcon>

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

} // namespace CardholderIcons
