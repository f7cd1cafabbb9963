#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <memory>

// Where the commands' output goes: standard output, every write checked, or
// the file that export names.
namespace cataloguetool {

// Standard output as a device that remembers its first failed write: out()
// writes through it, and so does an export without a file. After a failure
// it writes nothing more, so that no later piece lands after a gap.
class StandardOutput final : public QIODevice
{
public:
    StandardOutput();
    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool m_failed = false;
};

StandardOutput &standardOutput();

// Flushes out() and standard output; throws the failure "Could not write to
// standard output" when any write to it failed (a full disk, /dev/full, a
// closed pipe): a command must not report success on half its output.
void finishStandardOutput();

// Refuses to write `target` when it is the catalogue at `cataloguePath` or
// one of the files SQLite keeps beside it: writing over them would destroy
// the catalogue.
void refuseCatalogueFiles(const QString &target, const QString &cataloguePath);

// The output of export: standard output for "-"; a regular file (or one
// that does not exist yet) written beside the target and renamed into place,
// so that a failure leaves the target as it was; anything else that exists
// (a FIFO, a device) written directly, as a shell's ">" would.
class Output
{
public:
    explicit Output(const QString &target);
    void write(QByteArrayView bytes);
    // Ends the output; throws when any of it could not be written.
    void commit();

private:
    [[noreturn]] void fail(const QString &reason) const;

    QString m_target;
    std::unique_ptr<QFileDevice> m_file; // none for standard output
    QSaveFile *m_saveFile = nullptr;     // m_file when it is written beside
};

} // namespace cataloguetool
