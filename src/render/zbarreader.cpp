// SPDX-License-Identifier: GPL-3.0-or-later
#include "zbarreader.h"

#include <QImage>

#include <zbar.h>

namespace {

using Symbology = LabelObject::Symbology;

// The reader's types of the printers' symbologies.
zbar::zbar_symbol_type_t zbarType(Symbology s)
{
    switch (s) {
    case Symbology::Code39:
        return zbar::ZBAR_CODE39;
    case Symbology::Code128:
    case Symbology::Ean128:
        return zbar::ZBAR_CODE128;
    case Symbology::I2of5:
        return zbar::ZBAR_I25;
    case Symbology::Codabar:
        return zbar::ZBAR_CODABAR;
    case Symbology::Code93:
        return zbar::ZBAR_CODE93;
    case Symbology::UpcA:
        return zbar::ZBAR_UPCA;
    case Symbology::UpcE:
        return zbar::ZBAR_UPCE;
    case Symbology::Ean13:
        return zbar::ZBAR_EAN13;
    case Symbology::Ean8:
        return zbar::ZBAR_EAN8;
    case Symbology::Unknown:
        break;
    }
    return zbar::ZBAR_NONE;
}

Symbology symbologyOf(const zbar::zbar_symbol_t *symbol)
{
    switch (zbar::zbar_symbol_get_type(symbol)) {
    case zbar::ZBAR_CODE39:
        return Symbology::Code39;
    case zbar::ZBAR_CODE128:
        return zbar::zbar_symbol_get_modifiers(symbol) & (1u << zbar::ZBAR_MOD_GS1)
                   ? Symbology::Ean128
                   : Symbology::Code128;
    case zbar::ZBAR_I25:
        return Symbology::I2of5;
    case zbar::ZBAR_CODABAR:
        return Symbology::Codabar;
    case zbar::ZBAR_CODE93:
        return Symbology::Code93;
    case zbar::ZBAR_UPCA:
        return Symbology::UpcA;
    case zbar::ZBAR_UPCE:
        return Symbology::UpcE;
    case zbar::ZBAR_EAN13:
        return Symbology::Ean13;
    case zbar::ZBAR_EAN8:
        return Symbology::Ean8;
    default:
        return Symbology::Unknown;
    }
}

const Symbology Linear[] = {Symbology::Code39,  Symbology::Code128, Symbology::I2of5,
                            Symbology::Codabar, Symbology::Code93,  Symbology::UpcA,
                            Symbology::UpcE,    Symbology::Ean13,   Symbology::Ean8};

// A scanner for the printers' symbologies only; false for each one the library refuses.
zbar::zbar_image_scanner_t *makeScanner(bool enabled[int(Symbology::Ean128) + 1] = nullptr)
{
    using namespace zbar;
    zbar_image_scanner_t *s = zbar_image_scanner_create();
    zbar_image_scanner_set_config(s, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    for (Symbology sym : Linear) {
        const zbar_symbol_type_t t = zbarType(sym);
        const bool ok = zbar_image_scanner_set_config(s, t, ZBAR_CFG_ENABLE, 1) == 0;
        if (enabled)
            enabled[int(sym)] = ok;
        // Variable-length symbologies: short data is data too (the default minimum of some
        // is 4 or 6 characters).
        if (t == ZBAR_I25 || t == ZBAR_CODE39 || t == ZBAR_CODABAR || t == ZBAR_CODE93 ||
            t == ZBAR_CODE128)
            zbar_image_scanner_set_config(s, t, ZBAR_CFG_MIN_LEN, 1);
    }
    if (enabled)
        enabled[int(Symbology::Ean128)] = enabled[int(Symbology::Code128)];
    // Every row, no columns.
    zbar_image_scanner_set_config(s, ZBAR_NONE, ZBAR_CFG_X_DENSITY, 0);
    zbar_image_scanner_set_config(s, ZBAR_NONE, ZBAR_CFG_Y_DENSITY, 1);
    return s;
}

} // namespace

ZbarReader::ZbarReader() : m_scanner(makeScanner()) {}

ZbarReader::~ZbarReader()
{
    zbar::zbar_image_scanner_destroy(static_cast<zbar::zbar_image_scanner_t *>(m_scanner));
}

bool ZbarReader::reads(LabelObject::Symbology symbology, const QString &data)
{
    if (symbology == Symbology::UpcE && data.size() == 8 && data[0] != QLatin1Char('0'))
        return false;
    struct Table {
        bool enabled[int(Symbology::Ean128) + 1] = {};
        Table() { zbar::zbar_image_scanner_destroy(makeScanner(enabled)); }
    };
    static const Table table;
    return symbology != Symbology::Unknown && table.enabled[int(symbology)];
}

QList<ZbarReader::Symbol> ZbarReader::read(const QImage &image)
{
    using namespace zbar;
    QList<Symbol> out;
    if (image.isNull())
        return out;
    // The reader wants grey levels, rows without padding. (Qt's own conversion to grey
    // goes through colour management and takes many times longer than reading.)
    const QImage rgb = image.format() == QImage::Format_Grayscale8
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    QByteArray pixels(qsizetype(w) * h, Qt::Uninitialized);
    for (int y = 0; y < h; ++y) {
        uchar *out = reinterpret_cast<uchar *>(pixels.data()) + qsizetype(y) * w;
        if (rgb.format() == QImage::Format_Grayscale8) {
            memcpy(out, rgb.constScanLine(y), size_t(w));
            continue;
        }
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = uchar(qGray(in[x]));
    }

    zbar_image_t *zi = zbar_image_create();
    zbar_image_set_format(zi, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zi, unsigned(w), unsigned(h));
    zbar_image_set_data(zi, pixels.constData(), unsigned(pixels.size()), nullptr);
    if (zbar_scan_image(static_cast<zbar_image_scanner_t *>(m_scanner), zi) > 0) {
        for (const zbar_symbol_t *s = zbar_image_first_symbol(zi); s; s = zbar_symbol_next(s)) {
            Symbol sym;
            sym.symbology = symbologyOf(s);
            sym.name = QString::fromLatin1(zbar_get_symbol_name(zbar_symbol_get_type(s)));
            sym.data =
                QString::fromUtf8(zbar_symbol_get_data(s), int(zbar_symbol_get_data_length(s)));
            for (unsigned i = 0; i < zbar_symbol_get_loc_size(s); ++i)
                sym.where |= QRect(zbar_symbol_get_loc_x(s, i), zbar_symbol_get_loc_y(s, i), 1, 1);
            out << sym;
        }
    }
    zbar_image_destroy(zi);
    return out;
}
