// One write of the operator's as one transaction: begun on construction, rolled back unless
// committed before the end of the scope.
#pragma once

#include <QSqlDatabase>
#include <QString>

class Transaction
{
public:
    // Begins at once, taking the write lock so that the writes cannot fail half-way for a
    // lock held by another program.
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // False when the transaction could not begin (see errorText()).
    bool isActive() const { return m_active; }
    // Returns false when the commit failed; the transaction is then rolled back.
    bool commit();
    void rollback();
    // Why the last step failed.
    QString errorText() const { return m_error; }

private:
    bool run(const char *statement);

    QSqlDatabase m_db;
    bool m_active = false;
    QString m_error;
};
