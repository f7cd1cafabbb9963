#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary working directory holding database/padr.mdb with the shipped
// schema and `rowsPerTable` generated papers in each table. The process works
// in that directory while the object lives.
class BenchCatalogue
{
public:
    explicit BenchCatalogue(int rowsPerTable);
    ~BenchCatalogue();

    QString path() const; // absolute path of database/padr.mdb

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};
