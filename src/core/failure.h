#pragma once

#include <QString>
#include <exception>

// A failure that leaves the handler that met it; the handler boundary shows
// its message in the standard error box and the program goes on.
class Failure : public std::exception
{
public:
    explicit Failure(QString message) : m_message(std::move(message)) {}

    // A database provider's description, without its trailing dots and blanks.
    static Failure fromProvider(const QString &description);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return "Kelvane failure"; }

private:
    QString m_message;
};
