#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace platform::qt {

// The date and time as the locale writes them, always with a four-digit year and with seconds:
// "2026/12/06 18:18:34" in Japanese, "12/6/2026 6:18:34 PM" in US English. The locale's short
// formats give the order and separators; its long formats would spell out month names.
QString date_time_text(const QDateTime& when, const QLocale& locale);

// The steps, on Qt format strings; quoted literals stay as they are.
// "M/d/yy" becomes "M/d/yyyy".
QString with_full_year(const QString& date_format);
// "h:mm AP" becomes "h:mm:ss AP", "H.mm" becomes "H.mm.ss"; a format with seconds is kept.
QString with_seconds(const QString& time_format);

}  // namespace platform::qt
