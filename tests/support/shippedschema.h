#pragma once

#include <QByteArray>
#include <QFile>
#include <filesystem>
#include <stdexcept>

// The schema of the shipped catalogue's script, everything before its rows:
// the tests and the benchmarks make their catalogue files with it.
inline QByteArray shippedSchema()
{
    const auto script = std::filesystem::path(__FILE__).parent_path() / "../../database/padr.sql";
    QFile file(QString::fromStdString(script.string()));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("database/padr.sql not found");
    const QByteArray text = file.readAll();
    return text.left(text.indexOf("\nBEGIN;"));
}
