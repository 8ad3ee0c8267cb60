#pragma once

#include "database/DefaultDisplayMessages.h"

#include <QString>

#include <array>
#include <cstdint>

class CWFDoc;

// The telephone-entry settings and the eight sets of display messages as the
// page edits them, apart from its widgets.
class TelephoneDirectoryValues
{
public:
    struct Message
    {
        QString text;
        int justification = 0;
        bool operator==(const Message&) const = default;
    };
    static constexpr int kMaxTalkTime = 255;

    void Load(CWFDoc& doc);
    // Writes the messages and the settings; a changed ignore-case choice
    // marks data to program at once.
    void Store(CWFDoc& doc);

    // Slot 0 to 39 of set 1 to 8.
    Message& At(int set, int slot);
    const Message& At(int set, int slot) const;
    void ResetToFactory();

    int pbxDigit = 0;
    int talkTime = 0;
    int postalKeyDoor = 0;
    int codeLengthIndex = 0;
    bool beginsAtMiddle = false;
    bool ignoreCase = false;

private:
    using Messages = std::array<Message, kDisplayMessageSets * kDisplayMessagesPerSet>;
    Messages m_messages{};
    // As read, so a store writes only the slots that changed.
    Messages m_stored{};
};
