#include "cataloguetool/output.h"

#include "cataloguetool/commandsupport.h"
#include "core/failure.h"

#include <QFileInfo>
#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace cataloguetool {

namespace {

const QString standardOutputName = QStringLiteral("-");

// Makes one write or flush; when it fails, says why. A write cut short (a
// disk that fills up midway) sets no error of the device's own, but errno
// still tells.
template <typename Attempt>
std::optional<QString> failureOf(const QFileDevice &device, Attempt attempt)
{
    errno = 0;
    if (attempt())
        return std::nullopt;
    const int code = errno;
    return code != 0 ? qt_error_string(code) : device.errorString();
}

[[noreturn]] void failStandardOutput()
{
    throw Failure(QStringLiteral("Could not write to standard output: %1")
                      .arg(standardOutput().errorString()));
}

std::optional<struct stat> statusOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return status;
}

// Whether the two names are one file: the same device and inode when both
// exist, else the same name in the same (symbolic links resolved) folder.
bool sameFile(const QString &a, const QString &b)
{
    const auto first = statusOf(a);
    const auto second = statusOf(b);
    if (first && second)
        return first->st_dev == second->st_dev && first->st_ino == second->st_ino;
    if (first || second)
        return false;
    const QFileInfo x(a);
    const QFileInfo y(b);
    const QString folder = QFileInfo(x.absolutePath()).canonicalFilePath();
    return x.fileName() == y.fileName() && !folder.isEmpty() &&
           folder == QFileInfo(y.absolutePath()).canonicalFilePath();
}

} // namespace

StandardOutput::StandardOutput()
{
    QIODevice::open(QIODevice::WriteOnly);
}

qint64 StandardOutput::writeData(const char *data, qint64 size)
{
    qint64 written = 0;
    while (!m_failed && written < size) {
        const ssize_t result = ::write(STDOUT_FILENO, data + written, size_t(size - written));
        if (result > 0) {
            written += result;
        } else if (result < 0 && errno != EINTR) {
            setErrorString(qt_error_string(errno));
            m_failed = true;
        }
    }
    return m_failed ? -1 : written;
}

StandardOutput &standardOutput()
{
    static StandardOutput device;
    return device;
}

void finishStandardOutput()
{
    out().flush();
    if (standardOutput().failed())
        failStandardOutput();
}

void refuseCatalogueFiles(const QString &target, const QString &cataloguePath)
{
    const QString catalogue = QFileInfo(cataloguePath).absoluteFilePath();
    for (const QString &suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (!sameFile(target, catalogue + suffix))
            continue;
        const QString what = suffix.isEmpty()
                                 ? QStringLiteral("the catalogue itself")
                                 : QStringLiteral("the catalogue's own file %1").arg(suffix);
        throw Failure(QStringLiteral("Will not export onto '%1': it is %2 ('%3'); the catalogue "
                                     "was left as it was. Name another file with -o")
                          .arg(QFileInfo(target).absoluteFilePath(), what, catalogue));
    }
}

Output::Output(const QString &target) : m_target(target)
{
    if (m_target == standardOutputName) {
        out().flush();
        return;
    }
    const auto status = statusOf(target);
    if (status && !S_ISREG(status->st_mode)) {
        m_file = std::make_unique<QFile>(target);
    } else {
        auto saveFile = std::make_unique<QSaveFile>(target);
        m_saveFile = saveFile.get();
        m_file = std::move(saveFile);
    }
    if (!m_file->open(QIODevice::WriteOnly))
        throw Failure(QStringLiteral("Could not write file '%1': %2")
                          .arg(QFileInfo(target).absoluteFilePath(), m_file->errorString()));
}

void Output::write(QByteArrayView bytes)
{
    if (!m_file) {
        if (standardOutput().write(bytes.data(), bytes.size()) != bytes.size())
            failStandardOutput();
        return;
    }
    const auto failure = failureOf(
        *m_file, [&] { return m_file->write(bytes.data(), bytes.size()) == bytes.size(); });
    if (failure)
        fail(*failure);
}

void Output::commit()
{
    if (!m_file) {
        finishStandardOutput();
        return;
    }
    // Flushed first: the commit's close forgets why a write failed.
    const auto failure = failureOf(
        *m_file, [&] { return m_file->flush() && (!m_saveFile || m_saveFile->commit()); });
    if (failure)
        fail(*failure);
    if (!m_saveFile)
        m_file->close(); // a committed QSaveFile is closed already
}

void Output::fail(const QString &reason) const
{
    // A file written beside is removed with its QSaveFile: the target keeps
    // what it held.
    const QString kept = m_saveFile ? QStringLiteral("; the file was left as it was") : QString();
    throw Failure(QStringLiteral("Could not write file '%1' in full (%2)%3")
                      .arg(QFileInfo(m_target).absoluteFilePath(), reason, kept));
}

} // namespace cataloguetool
