#pragma once

#include <QProcess>
#include <QStringList>

// The maintenance driver (tests/driver) running on a catalogue's working
// directory, in a process of its own.
class DriverProcess
{
public:
    enum class User
    {
        Same,
        Unprivileged
    };

    DriverProcess(const QString &directory, const QStringList &steps, User user = User::Same);
    ~DriverProcess();

    // Waits until the driver ends by itself; false if it has not within the time.
    bool finish(int timeoutMs = 60000);
    void kill();
    // The lines the driver wrote, each "<step>\t<message>".
    QStringList lines();

private:
    QProcess m_process;
    QByteArray m_output;
};

// The user and group a driver started as User::Unprivileged runs as.
constexpr unsigned unprivilegedId = 65534;
