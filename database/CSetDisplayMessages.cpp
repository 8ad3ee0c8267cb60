#include "database/CSetDisplayMessages.h"

#include "database/DatabaseFiles.h"
#include "database/DatabaseErrors.h"
#include "platform/DatabaseException.h"

#include <new>

CSetDisplayMessages::CSetDisplayMessages()
    : CSetBase(DatabaseFiles::DisplayMessages)
{
}

QString CSetDisplayMessages::GetDefaultSQL() const
{
    return QStringLiteral("[DisplayMessages]");
}

void CSetDisplayMessages::DoFieldExchange(FieldExchange& fx)
{
    fx.Long(QStringLiteral("MessagesID"), m_MessagesID);
    fx.Text(QStringLiteral("Message"), m_Message);
    fx.Byte(QStringLiteral("Justification"), m_Justification);
    fx.Byte(QStringLiteral("MessageSetDisplay"), m_MessageSetDisplay);
}

namespace
{
bool IsSlot(int index, int set)
{
    return index >= 1 && index <= kDisplayMessagesPerSet && set >= 1 && set <= kDisplayMessageSets;
}
} // namespace

bool CSetDisplayMessages::GetMessage(QString& text, int& justification, int index, int set)
{
    if (!IsSlot(index, set))
        return false;
    try {
        if (FindFirst(QStringLiteral("MessagesID = %1").arg(MessageID(index, set)))) {
            text = m_Message;
            justification = m_Justification;
        } else {
            const DisplayMessageDefault* builtIn = DefaultDisplayMessages(index);
            text = QString::fromLatin1(builtIn->text);
            justification = builtIn->justification;
        }
        return true;
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
    return false;
}

bool CSetDisplayMessages::SetMessage(const QString& text, int justification, int index, int set)
{
    if (!IsSlot(index, set))
        return false;
    try {
        const std::int32_t id = MessageID(index, set);
        if (!FindFirst(QStringLiteral("MessagesID = %1").arg(id))) {
            // The key is given here, not left to the file: a row without it
            // could never be found again by its index and set.
            AddNew();
            m_MessagesID = id;
            Update();
            SetBookmark(GetLastModifiedBookmark());
        }
        Edit();
        m_Message = text;
        m_Justification = static_cast<std::uint8_t>(justification);
        m_MessageSetDisplay = static_cast<std::uint8_t>(set);
        Update();
        Requery();
        return true;
    } catch (const std::bad_alloc&) {
        ShowMemoryExceptionReport();
    } catch (const DatabaseException& error) {
        ShowDatabaseExceptionReport(error);
    }
    return false;
}
