#include "platform/ForwardRows.h"

#include "platform/JetSql.h"
#include "platform/Recordset.h"
#include "platform/SqlStatement.h"

#include <QStringList>

namespace
{
QString StorageOrder(const QString& orderBy)
{
    if (orderBy.isEmpty())
        return QStringLiteral("rowid");
    const bool descending = orderBy.trimmed().endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
    return orderBy + (descending ? QStringLiteral(", rowid DESC") : QStringLiteral(", rowid"));
}
} // namespace

ForwardRows::ForwardRows(Recordset& target, const QString& criteria)
    : m_database(Database::Open(target.GetDefaultDBName()))
{
    const JetSql::Select select = JetSql::ParseSelect(target.GetDefaultSQL());
    const JetSql::BoundCriteria bound = JetSql::TranslateBoundCriteria(criteria);
    FieldExchange fx;
    target.DoFieldExchange(fx);
    m_bindings = fx.Bindings();
    QStringList columns;
    for (const FieldBinding& binding : m_bindings)
        columns << BracketName(binding.name);
    QStringList conditions;
    for (const QString& condition : {select.where, bound.condition})
        if (!condition.isEmpty())
            conditions << QLatin1Char('(') + condition + QLatin1Char(')');
    m_sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
            + BracketName(select.table)
            + (conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND ")))
            + QStringLiteral(" ORDER BY ") + StorageOrder(select.orderBy);
    m_statement = std::make_unique<SqlStatement>(m_database->Handle(), m_sql);
    for (size_t i = 0; i < bound.values.size(); ++i)
        m_statement->Bind(static_cast<int>(i) + 1, bound.values[i]);
}

ForwardRows::~ForwardRows() = default;

bool ForwardRows::MoveNext()
{
    if (!m_statement->Step())
        return false;
    for (size_t i = 0; i < m_bindings.size(); ++i)
        m_bindings[i].Load(m_statement->Value(static_cast<int>(i)));
    return true;
}
