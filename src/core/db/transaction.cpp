#include "core/db/transaction.h"

#include "core/db/database.h"

#include <QSqlError>
#include <QSqlQuery>

Transaction::Transaction(QSqlDatabase db)
    : m_db(std::move(db))
{
    m_active = run("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    if (run("COMMIT")) {
        m_active = false;
        return true;
    }
    const QString error = m_error;
    rollback();
    m_error = error;
    return false;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    const QString error = m_error;
    run("ROLLBACK");
    m_error = error;
}

bool Transaction::run(const char *statement)
{
    QSqlQuery query(m_db);
    if (query.exec(QLatin1String(statement)))
        return true;
    m_error = Database::errorText(query.lastError());
    return false;
}
