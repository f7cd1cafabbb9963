#pragma once

#include <QString>

// Which catalogue file a program works on, chosen once at start and used by
// every connection. Both programs (the menu bar and the command-line tool)
// follow the same rule.
namespace cataloguelocation {

enum class Source
{
    Option,           // --catalogue FILE
    WorkingDirectory, // database/padr.mdb under the working directory
    UserData          // the user's own padr.mdb
};

struct Location
{
    Source source;
    QString path;
};

// The first that applies: the option when given; the working directory's
// database/padr.mdb when that file exists; otherwise padr.mdb in the user's
// data folder, whether or not it exists yet.
Location choose(const QString &option, const QString &workingDirectory,
                const QString &userDataDirectory);

// The user's data folder, normally ~/.local/share/kelvane. Named directly
// rather than after the application, so both programs share it.
QString userDataDirectory();

// The starter catalogue installed beside the program, found relative to the
// executable's folder (<prefix>/bin -> <prefix>/share/kelvane/padr.sql), so
// an unpacked package works from any prefix.
QString starterCatalogue(const QString &applicationDirectory);

// Makes the catalogue at `path` from the starter's SQL when `path` does not
// exist: written to a temporary file in the same folder and renamed into
// place, so a crash halfway never leaves a half-made catalogue; the starter
// is then kept beside it as its base (cataloguemerge.h). Returns false
// and makes nothing when the starter is missing; throws a Failure naming the
// file when making it fails.
bool makeFromStarter(const QString &path, const QString &starterSql);

// The file every connection opens from now on; an empty path leaves each
// connection on its connection string's data source.
void setCatalogueFile(const QString &path);
QString catalogueFile();

// The whole rule for a program starting with `option` (empty when not
// given): chooses, makes the user's own catalogue from the starter when
// needed, and sets the result as the catalogue file. Returns the choice.
Location resolve(const QString &option);

} // namespace cataloguelocation
