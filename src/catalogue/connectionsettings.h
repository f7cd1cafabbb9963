#pragma once

#include <QString>

// The windows' declared connection strings. Of their keys, the data source
// and the sharing mode apply to the SQLite catalogue; the rest are inert.
namespace connectionsettings {

// The main window's and the statistics window's connection.
extern const QString shortForm;
// The maintenance window's connection, shared with "Share Deny None".
extern const QString longForm;

// The value of one key of a connection string, or an empty string.
QString value(const QString &connectionString, const QString &key);

// The catalogue file that the string names, with "\" read as "/".
QString dataSource(const QString &connectionString);

// Whether the string asks for the file to be held exclusively.
bool exclusive(const QString &connectionString);

} // namespace connectionsettings
