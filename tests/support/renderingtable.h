#pragma once

#include "testtable.h"

#include <QtTest>

// The rendering table, read by the pure test and by the window's test: one case a row, its
// steps (a mode and the bytes of one read, or "clear") and the text that each step appends.
inline void addRenderingRows()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    TestTable table(QStringLiteral("receive/rendering.txt"), 3);
    QVERIFY2(table.holds(26), table.problem());
    for (const QStringList &row : table.rows()) {
        const QStringList steps = row.at(1).split(' ', Qt::SkipEmptyParts);
        const QStringList texts = quotedTexts(row.at(2));
        QVERIFY2(steps.size() == texts.size(), qPrintable(row.at(0)));
        QTest::newRow(qPrintable(row.at(0))) << steps << texts;
    }
}
