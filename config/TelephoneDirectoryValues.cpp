#include "config/TelephoneDirectoryValues.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"

namespace {

constexpr int kGet = 1;
constexpr int kPut = 0;

std::uint8_t Low(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

TelephoneDirectoryValues::Message& TelephoneDirectoryValues::At(int set, int slot)
{
    return m_messages.at(static_cast<size_t>((set - 1) * kDisplayMessagesPerSet + slot));
}

const TelephoneDirectoryValues::Message& TelephoneDirectoryValues::At(int set, int slot) const
{
    return m_messages.at(static_cast<size_t>((set - 1) * kDisplayMessagesPerSet + slot));
}

void TelephoneDirectoryValues::ResetToFactory()
{
    for (int set = 1; set <= kDisplayMessageSets; ++set)
        for (int slot = 0; slot < kDisplayMessagesPerSet; ++slot) {
            const DisplayMessageDefault* factory = DefaultDisplayMessages(slot + 1);
            At(set, slot) = {QString::fromLatin1(factory->text), factory->justification};
        }
}

void TelephoneDirectoryValues::Load(CWFDoc& doc)
{
    std::uint8_t byte = 0;
    doc.PbxDialingDigit(byte, kGet);
    pbxDigit = byte;
    doc.TalkTime(byte, kGet);
    talkTime = byte;
    doc.PostalKeyChannel(byte, kGet);
    postalKeyDoor = byte;
    doc.DirectoryCodeLength(byte, kGet);
    codeLengthIndex = byte;
    doc.DirectoryBeginsAt(beginsAtMiddle, kGet);
    ignoreCase = doc.m_bIgnoreCaseDirCodes != 0;
    for (int set = 1; set <= kDisplayMessageSets; ++set)
        for (int slot = 0; slot < kDisplayMessagesPerSet; ++slot) {
            Message& message = At(set, slot);
            doc.DisplayMessageText(message.text, message.justification, slot + 1, set, kGet);
        }
    m_stored = m_messages;
}

void TelephoneDirectoryValues::Store(CWFDoc& doc)
{
    for (int set = 1; set <= kDisplayMessageSets; ++set)
        for (int slot = 0; slot < kDisplayMessagesPerSet; ++slot) {
            const size_t i = static_cast<size_t>((set - 1) * kDisplayMessagesPerSet + slot);
            Message message = m_messages[i];
            if (message == m_stored[i])
                continue;
            if (doc.DisplayMessageText(message.text, message.justification, slot + 1, set, kPut))
                m_stored[i] = message;
        }
    std::uint8_t byte = Low(pbxDigit);
    doc.PbxDialingDigit(byte, kPut);
    byte = Low(talkTime);
    doc.TalkTime(byte, kPut);
    byte = Low(postalKeyDoor);
    doc.PostalKeyChannel(byte, kPut);
    byte = Low(codeLengthIndex);
    doc.DirectoryCodeLength(byte, kPut);
    bool middle = beginsAtMiddle;
    doc.DirectoryBeginsAt(middle, kPut);
    if (ignoreCase != (doc.m_bIgnoreCaseDirCodes != 0)) {
        doc.m_bIgnoreCaseDirCodes = ignoreCase ? 1 : 0;
        MarkDataToProgram();
    }
}
