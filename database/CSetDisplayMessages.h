#pragma once

#include "database/CSetBase.h"
#include "database/DefaultDisplayMessages.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// The display messages: MessagesID = (set - 1) * 40 + index, index 1..40 of set 1..8.
class CSetDisplayMessages : public CSetBase
{
public:
    CSetDisplayMessages();

    QString GetDefaultSQL() const override;
    void DoFieldExchange(FieldExchange& fx) override;

    // The stored text of the index in the set, or its built-in text.
    bool GetMessage(QString& text, int& justification, int index, int set);
    // Writes the row of the index in the set, adding it when missing.
    bool SetMessage(const QString& text, int justification, int index, int set);

    static std::int32_t MessageID(int index, int set) { return (set - 1) * kDisplayMessagesPerSet + index; }

    std::int32_t m_MessagesID = 0;
    QString m_Message;
    std::uint8_t m_Justification = 0;
    std::uint8_t m_MessageSetDisplay = 0;
};
