// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct BarcodeElement;

// The bar widths part of the barcode type panel, which differs by printer: the SRP-770's
// narrow and wide widths, the AL-300's ratio codes per symbology. Both work the panel's type
// options as well.
class BarcodeTypeChoice {
public:
    virtual ~BarcodeTypeChoice() = default;
    // Shows the element's type and widths as the panel opens.
    virtual void show(const BarcodeElement &element) = 0;
    // Stores the panel's choice (type and widths) into the element.
    virtual void store(BarcodeElement &element) = 0;
};
