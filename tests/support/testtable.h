#pragma once

#include <QFile>
#include <QStringList>
#include <QVector>

// A table kept in a file under tests/data: one row a line, its cells separated by "|" and
// trimmed; blank lines and lines starting with "#" are left out. A `_data()` function checks
// `holds(n)` first, so that a lost, truncated or mistyped file fails loudly instead of passing
// with fewer rows.
class TestTable
{
public:
    // `columns` is the number of cells every row must have; 0 takes rows of any width.
    explicit TestTable(const QString &name, int columns = 0)
        : m_path(QStringLiteral(ZOXEN_TEST_DATA "/") + name)
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_problem = "cannot read " + m_path.toUtf8();
            return;
        }
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (int number = 1; number <= lines.size(); ++number) {
            const QString line = lines.at(number - 1).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            QStringList cells = line.split(QLatin1Char('|'));
            for (QString &cell : cells)
                cell = cell.trimmed();
            if (columns > 0 && cells.size() != columns) {
                m_problem = QStringLiteral("%1:%2: %3 cells, expected %4")
                                .arg(m_path)
                                .arg(number)
                                .arg(cells.size())
                                .arg(columns)
                                .toUtf8();
                m_rows.clear();
                return;
            }
            m_rows << cells;
        }
    }

    const QVector<QStringList> &rows() const { return m_rows; }

    // True when the whole file was read and it holds `count` rows.
    bool holds(int count)
    {
        if (m_problem.isEmpty() && m_rows.size() != count)
            m_problem = QStringLiteral("%1: %2 rows, expected %3")
                            .arg(m_path)
                            .arg(m_rows.size())
                            .arg(count)
                            .toUtf8();
        return m_problem.isEmpty();
    }
    const char *problem() const { return m_problem.constData(); }

private:
    QString m_path;
    QVector<QStringList> m_rows;
    QByteArray m_problem;
};

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

// The text between the double quotes of each "..." in `cells`. A backslash escapes the next
// character; \r and \n are the line-end characters and \uXXXX or \UXXXXXXXX a code point, so
// that a table shows leading spaces, empty texts and characters that no font draws.
inline QStringList quotedTexts(const QString &cells)
{
    QStringList texts;
    for (int i = cells.indexOf(QLatin1Char('"')); i >= 0; i = cells.indexOf('"', i + 1)) {
        QString text;
        for (++i; i < cells.size() && cells.at(i) != QLatin1Char('"'); ++i) {
            QChar c = cells.at(i);
            if (c != QLatin1Char('\\') || i + 1 == cells.size()) {
                text += c;
                continue;
            }
            c = cells.at(++i);
            if (c == QLatin1Char('u') || c == QLatin1Char('U')) {
                const int digits = c == QLatin1Char('u') ? 4 : 8;
                const uint code = cells.mid(i + 1, digits).toUInt(nullptr, 16);
                text += QString::fromUcs4(&code, 1);
                i += digits;
                continue;
            }
            text += c == QLatin1Char('r') ? QChar('\r') : c == QLatin1Char('n') ? QChar('\n') : c;
        }
        texts << text;
    }
    return texts;
}
