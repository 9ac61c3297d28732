// The checks and texts of the system settings window without the window: the standard lead time,
// the order number a user sets with its stored reset form, and the logo picture read from a file.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <optional>

namespace kv::codelists {

// The lead time typed into its edit: a whole number of days from 1 to 999; nullopt otherwise.
std::optional<int> parseLeadTime(const QString& text);

struct OrderSequence {
    enum class Kind { Empty, Invalid, Valid } kind = Kind::Empty;
    QString digits; // Valid: exactly five digits
};
// The sequence typed into the input box: blanks at both ends removed; nothing left is Empty; at
// most five digits (nothing else, not even a sign) is Valid, padded with leading zeros to five.
OrderSequence parseOrderSequence(const QString& entered);

// What the settings store as the last order number so that numbering goes on after `digits`:
// "2026/03/00012/---".
QString orderNumberResetForm(const QDate& today, const QString& digits);

// The longest side a logo is kept at: the order form shows it in a box of 100 pixels, and four
// times as many print it sharp.
inline constexpr int kLogoSide = 400;

// The picture of a logo file, read by its extension: PNG, JPEG (".jpg", ".jpeg"), BMP and ICO,
// made smaller to kLogoSide (keeping its proportions) while it is read, so a photograph of any
// size loads without holding it whole. GIF files are always refused, and metafiles (".emf",
// ".wmf") have no reader here; those, any other extension and a file that does not read as its
// extension says give a null image.
QImage loadLogoPicture(const QString& path);

// The open-picture dialog's filter.
QString logoFilter();

} // namespace kv::codelists
