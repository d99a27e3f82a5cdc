#pragma once

#include <QString>

// Goods data never hold the characters the printers' command texts and the goods data file
// use as delimiters: each of , ; | { } becomes "?" (in that order, the text trimmed of
// spaces after each replacement). Quotes are handled by CleanText, which runs first.
QString FieldFilter(const QString &text);
