#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>

// What the cardholder form shows of one [Users] row, and how it goes back.
struct CardholderRecord
{
    // Field limits of the form, in characters.
    static constexpr int kNameLength = 20;
    static constexpr int kStreetLength = 50;
    static constexpr int kZipLength = 15;
    static constexpr int kCustomLength = 50;
    static constexpr int kCustomFields = 4;
    // Credential kinds, in the order of the Got flags.
    enum Credential { Transmitters, Cards, DirectoryCodes, EntryCodes, kCredentials };

    QString firstName;
    QString middleName;
    QString lastName;
    QString street;
    QString city;
    QString state;
    QString zip;
    QString homePhone;
    QString workPhone;
    std::array<QString, kCustomFields> custom;
    bool neverExpires = true;
    QDate expiration;
    std::array<bool, kCredentials> got{};
    std::uint8_t setIndex = 0;
    // The stored expiration has been reached.
    bool expired = false;

    // The expiration dates the panels' record can hold.
    static QDate FirstExpiration() { return QDate(2000, 1, 1); }
    static QDate LastExpiration() { return QDate(2255, 12, 31); }

    // The row's name as the tree shows it while it is typed.
    QString TypedTreeText() const;

    // False when the row is missing (nothing read).
    bool Load(std::int32_t userId);
    // Writes the row unless it is deleted; marks data to program when what
    // the panels hold changed. False when the row is missing.
    bool Save(std::int32_t userId) const;
};
