#include "platform/DatabaseException.h"

DatabaseException::DatabaseException(int errorCode, QString description)
    : m_errorCode(errorCode)
    , m_description(std::move(description))
    , m_what(m_description.toUtf8())
{
}
