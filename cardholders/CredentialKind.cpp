#include "cardholders/CredentialKind.h"

namespace {

constexpr int kCardNumberWidth = 13;
constexpr int kTransmitterNumberWidth = 11;

} // namespace

const CredentialTexts& TextsOf(CredentialKind kind)
{
    static const CredentialTexts cards{
        QStringLiteral("Cards"),
        QStringLiteral("Assign card"),
        QStringLiteral("Surrender card"),
        QStringLiteral("Cards assigned to this cardholder:"),
        QStringLiteral("Card Status"),
        QStringLiteral("  Assign &New Individual Card"),
        kCardNumberWidth,
        QStringLiteral("The maximum card assignments is %1."),
        QStringLiteral("Specify the ID of the card to add."),
        QStringLiteral("Card code must be an integer."),
        QStringLiteral("Card must be an integer."),
        QStringLiteral("Maximum card number is 1099511627775."),
        QStringLiteral("Card not available in credential database."),
        QStringLiteral("Are you sure you want to surrender this card?"),
    };
    static const CredentialTexts transmitters{
        QStringLiteral("Transmitters"),
        QStringLiteral("Assign transmitter"),
        QStringLiteral("Surrender transmitter"),
        QStringLiteral("Transmitters assigned to this cardholder:"),
        QStringLiteral("Transmitter Status"),
        QStringLiteral("   Assign &New        Individual          Transmitter"),
        kTransmitterNumberWidth,
        QStringLiteral("The maximum transmitter assignments is %1."),
        QStringLiteral("Specify the ID of the transmitter to add."),
        QStringLiteral("Transmitter code must be an integer."),
        QStringLiteral("Transmitter must be an integer."),
        QStringLiteral("Maximum transmitter code is 1099511627775."),
        QStringLiteral("Transmitter not available in credential database."),
        QStringLiteral("Are you sure you want to surrender this transmitter?"),
    };
    return kind == CredentialKind::Card ? cards : transmitters;
}
