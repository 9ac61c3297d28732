// Lead time, order number reset and logo files of the system settings.
#include "settingsinput.h"

#include "base/czechformat.h"
#include "data/ordernumber.h"

#include <QFileInfo>
#include <QImageReader>

namespace kv::codelists {

std::optional<int> parseLeadTime(const QString& text) {
    bool ok = false;
    const int days = text.trimmed().toInt(&ok);
    if (!ok || days < 1 || days > 999)
        return std::nullopt;
    return days;
}

OrderSequence parseOrderSequence(const QString& entered) {
    const QString s = entered.trimmed();
    if (s.isEmpty())
        return {};
    // Only digits: a sign or a blank inside would be stored and then break the numbering.
    const bool digits = std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits || s.size() >= 6)
        return {OrderSequence::Kind::Invalid, {}};
    return {OrderSequence::Kind::Valid, s.rightJustified(5, QLatin1Char('0'))};
}

QString orderNumberResetForm(const QDate& today, const QString& digits) {
    const data::OrderYearMonth ym = data::orderYearMonth(shortDate(today));
    return ym.year + QLatin1Char('/') + ym.month + QLatin1Char('/') + digits + QLatin1String("/---");
}

QImage loadLogoPicture(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    const char* format = ext == QLatin1String("png")                                   ? "PNG"
                         : ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") ? "JPEG"
                         : ext == QLatin1String("bmp")                                 ? "BMP"
                         : ext == QLatin1String("ico")                                 ? "ICO"
                                                                                       : nullptr;
    if (!format)
        return {};
    QImageReader reader(path, format);
    // The extension decides the reader, as it decides the picture's kind: a GIF named ".png" is
    // no PNG picture.
    reader.setAutoDetectImageFormat(false);
    const QSize whole = reader.size();
    const QSize kept(kLogoSide, kLogoSide);
    if (whole.isValid() && (whole.width() > kept.width() || whole.height() > kept.height()))
        reader.setScaledSize(whole.scaled(kept, Qt::KeepAspectRatio));
    QImage picture = reader.read();
    if (picture.width() > kept.width() || picture.height() > kept.height())
        picture = picture.scaled(kept, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return picture;
}

QString logoFilter() {
    return QStringLiteral(
        "All (*.png;*.gif;*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.png;*.gif;*.gif;*.png;*.jpg;"
        "*.jpeg;*.bmp;*.ico;*.emf;*.wmf|Portable Network Graphics (*.png)|*.png|CompuServe GIF Image "
        "(*.gif)|*.gif|GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|JPEG Image File "
        "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced "
        "Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
}

} // namespace kv::codelists
