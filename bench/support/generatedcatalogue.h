#pragma once

#include <QString>
#include <QTemporaryDir>

// A catalogue file of a given size in a temporary working directory, which
// the process works in while the object lives (the program reads
// database/padr.mdb from its working directory).
class GeneratedCatalogue
{
public:
    struct Shape
    {
        int papers = 0;              // in each table
        int provinces = 1;           // in each table
        double latinShare = 0.25;    // share of papers with Latin names
        bool realisticNames = false; // realisticName() rather than paperName()
    };

    explicit GeneratedCatalogue(const Shape &shape);
    ~GeneratedCatalogue();

    QString path() const;
    // The name of the paper at a position, as generated.
    static QString paperName(int index, const Shape &shape);
    // A paper name of a realistic shape: a place and a kind of paper
    // ("温州都市报", "新兰溪晚报"), or every 1/latinShare-th one a Latin name
    // ("The Morning Courier"). The same index gives the same name.
    static QString realisticName(int index, double latinShare);

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};
