// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reaching a window's controls as the operator knows them: by their object names. A test
// that asks for a control the window does not have (or has twice) stops at once with the
// name it asked for, instead of running on with a null pointer.

#include "model/goodsitem.h"
#include "station/al300edtfrm.h"

#include <QObject>
#include <QString>
#include <QtTest>

#include <functional>
#include <optional>

namespace Controls {

// The one control of type T named `name` below `root`.
template <typename T = QWidget> T *find(const QObject *root, const QString &name)
{
    const QList<T *> found = root->findChildren<T *>(name);
    if (found.size() != 1) {
        qFatal("%s: %s control \"%s\" of type %s under \"%s\"", QTest::currentTestFunction(),
               found.isEmpty() ? "no" : "more than one", qPrintable(name),
               T::staticMetaObject.className(), qPrintable(root->objectName()));
    }
    return found.first();
}

// The control named `pattern` with %1 replaced by `n` ("BarForm%1Opt", 3).
template <typename T = QWidget> T *find(const QObject *root, const char *pattern, int n)
{
    return find<T>(root, QString::fromLatin1(pattern).arg(n));
}

// Stands in for the goods item editor: records how it was opened and answers as told.
struct ItemEditorScript {
    int calls = 0;
    int mode = -9; // ItemEditMode as a number: 0 insert, 1 update
    GoodsItem seen;
    bool confirm = true;
    std::function<void(GoodsItem &)> edit;

    std::optional<GoodsItem> answer(ItemEditMode editMode, const GoodsItem &item)
    {
        ++calls;
        mode = int(editMode);
        seen = item;
        if (!confirm)
            return std::nullopt;
        GoodsItem result = item;
        if (editMode == ItemEditMode::Insert)
            result.reset();
        if (edit)
            edit(result);
        return result;
    }
};

} // namespace Controls
