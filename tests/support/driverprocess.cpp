#include "driverprocess.h"

#include <grp.h>
#include <unistd.h>

namespace {

// Tests run as root, whom file permissions do not stop: the driver gives up
// root (to "nobody") before it starts, so that they apply to it.
void dropRoot()
{
    if (geteuid() != 0)
        return;
    if (setgroups(0, nullptr) != 0 || setgid(unprivilegedId) != 0 || setuid(unprivilegedId) != 0)
        _exit(126);
}

} // namespace

DriverProcess::DriverProcess(const QString &directory, const QStringList &steps, User user)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), directory);
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(directory);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (user == User::Unprivileged)
        m_process.setChildProcessModifier(dropRoot);
    m_process.start(QStringLiteral(MAINTENANCE_DRIVER), steps);
}

DriverProcess::~DriverProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool DriverProcess::finish(int timeoutMs)
{
    return m_process.waitForFinished(timeoutMs) && m_process.exitStatus() == QProcess::NormalExit;
}

void DriverProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished();
}

QStringList DriverProcess::lines()
{
    m_output += m_process.readAllStandardOutput();
    QStringList result = QString::fromUtf8(m_output).split(u'\n');
    result.removeLast(); // the unfinished end of the output
    return result;
}
