#include "platform/qt/date_time_text.h"

namespace platform::qt {

namespace {

// Calls visit(index, run_length) for each run of one unquoted format letter.
template <typename Visit>
void for_each_field(const QString& format, Visit&& visit) {
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < format.size() && format[end] == c) {
            ++end;
        }
        if (!quoted) {
            visit(i, end - i);
        }
        i = end;
    }
}

bool is_hour(QChar c) {
    return c == u'h' || c == u'H';
}

}  // namespace

QString with_full_year(const QString& date_format) {
    QString widened;
    qsizetype copied = 0;
    for_each_field(date_format, [&](qsizetype at, qsizetype length) {
        if (date_format[at] != u'y') {
            return;
        }
        widened += date_format.mid(copied, at - copied);
        widened += QStringLiteral("yyyy");
        copied = at + length;
    });
    widened += date_format.mid(copied);
    return widened;
}

QString with_seconds(const QString& time_format) {
    bool has_seconds = false;
    qsizetype hour_end = -1;
    qsizetype minute_at = -1;
    qsizetype minute_end = -1;
    for_each_field(time_format, [&](qsizetype at, qsizetype length) {
        const QChar c = time_format[at];
        if (c == u's') {
            has_seconds = true;
        } else if (is_hour(c) && minute_at < 0) {
            hour_end = at + length;
        } else if (c == u'm' && minute_at < 0) {
            minute_at = at;
            minute_end = at + length;
        }
    });
    if (has_seconds || minute_at < 0) {
        return time_format;
    }
    // The seconds follow the minutes with the separator the locale puts before the minutes.
    QString separator = QStringLiteral(":");
    if (hour_end >= 0 && hour_end < minute_at) {
        const QString between = time_format.mid(hour_end, minute_at - hour_end);
        if (!between.contains(u'\'')) {
            separator = between;
        }
    }
    QString widened = time_format;
    widened.insert(minute_end, separator + QStringLiteral("ss"));
    return widened;
}

QString date_time_text(const QDateTime& when, const QLocale& locale) {
    const QString date_format = with_full_year(locale.dateFormat(QLocale::ShortFormat));
    const QString time_format = with_seconds(locale.timeFormat(QLocale::ShortFormat));
    return locale.toString(when.date(), date_format) + u' ' +
           locale.toString(when.time(), time_format);
}

}  // namespace platform::qt
