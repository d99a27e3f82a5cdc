// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtTest>

// One row of a data-driven test: addRow("name", a, b, c) is QTest::newRow("name") << a << b
// << c, with C strings taken as UTF-8 QStrings.
template <typename... T> void addRow(const char *name, const T &...values)
{
    QTestData &row = QTest::newRow(name);
    ((row << values), ...);
}
