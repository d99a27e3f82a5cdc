#pragma once

#include <QStringList>

// labelstation check srp770|al300 --set NN
// Lists what in a barcode set would print wrongly or not at all; status 1 when anything.
class CheckCommand {
public:
    static int run(const QStringList &arguments);
};
