#pragma once

#include <QFile>
#include <QStringList>
#include <QVector>

// The rows of a table kept under tests/data: one a line, cells separated by "|" and trimmed;
// blank lines and lines starting with "#" are left out. A missing file or a row of another width
// than `columns` gives no rows, so that a `_data()` function that checks the count fails loudly
// instead of passing with fewer rows.
inline QVector<QStringList> tableRows(const QString &name, int columns)
{
    QFile file(QStringLiteral(ZOXEN_TEST_DATA "/") + name);
    QVector<QStringList> rows;
    file.open(QIODevice::ReadOnly); // else reading warns with the file's name
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        QStringList cells = line.split(QLatin1Char('|'));
        for (QString &cell : cells)
            cell = cell.trimmed();
        if (cells.size() != columns)
            return {};
        rows << cells;
    }
    return rows;
}

// Whole files, for the tests that compare or prepare them.
inline QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}
