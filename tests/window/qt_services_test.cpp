#include <functional>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "platform/qt/date_time_text.h"
#include "platform/qt/qt_services.h"

using namespace platform::qt;

namespace {

// Runs answer on the modal box as soon as it is open: the box's own event loop runs it.
void when_box_opens(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(box);
        }
    });
    poll->start();
}

}  // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

private slots:
    void date_time_follows_the_locale_with_full_year_and_seconds_data();
    void date_time_follows_the_locale_with_full_year_and_seconds();
    void formats_are_widened_outside_quotes_data();
    void formats_are_widened_outside_quotes();
    void random_numbers_lie_in_the_unit_interval();
    void message_box_has_its_icon_title_text_and_one_ok_data();
    void message_box_has_its_icon_title_text_and_one_ok();
    void input_box_returns_the_text_or_nothing_on_cancel_data();
    void input_box_returns_the_text_or_nothing_on_cancel();
    // Last: it ends the event loops for good.
    void end_program_closes_and_disables_every_window();
};

void QtServicesTest::date_time_follows_the_locale_with_full_year_and_seconds_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");

    const QDateTime evening(QDate(2026, 12, 6), QTime(18, 18, 34));
    const QDateTime morning(QDate(2026, 1, 2), QTime(9, 5, 7));
    QTest::newRow("Japanese") << "ja_JP" << evening << "2026/12/06 18:18:34";
    QTest::newRow("Japanese morning") << "ja_JP" << morning << "2026/01/02 9:05:07";
    QTest::newRow("US English") << "en_US" << evening << "12/6/2026 6:18:34 PM";
    QTest::newRow("US English morning") << "en_US" << morning << "1/2/2026 9:05:07 AM";
    QTest::newRow("German") << "de_DE" << evening << "06.12.2026 18:18:34";
    QTest::newRow("Finnish keeps its point") << "fi_FI" << evening << "6.12.2026 18.18.34";
}

void QtServicesTest::date_time_follows_the_locale_with_full_year_and_seconds() {
    QFETCH(QString, locale);
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    QCOMPARE(date_time_text(when, QLocale(locale)), text);
}

void QtServicesTest::formats_are_widened_outside_quotes_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");

    QTest::newRow("short year") << "M/d/yy"
                                << "M/d/yyyy"
                                << "M/d/yy";
    QTest::newRow("full year") << "yyyy/MM/dd"
                               << "yyyy/MM/dd"
                               << "yyyy/MM/dd";
    QTest::newRow("quoted y") << "d.MM.yy 'y'."
                              << "d.MM.yyyy 'y'."
                              << "d.MM.yy 'y'.";
    QTest::newRow("12-hour") << "h:mm AP"
                             << "h:mm AP"
                             << "h:mm:ss AP";
    QTest::newRow("AM/PM first") << "AP h:mm"
                                 << "AP h:mm"
                                 << "AP h:mm:ss";
    QTest::newRow("point separator") << "H.mm"
                                     << "H.mm"
                                     << "H.mm.ss";
    QTest::newRow("seconds already") << "HH:mm:ss"
                                     << "HH:mm:ss"
                                     << "HH:mm:ss";
    QTest::newRow("quoted m and s") << "H:mm 'ms'"
                                    << "H:mm 'ms'"
                                    << "H:mm:ss 'ms'";
}

void QtServicesTest::formats_are_widened_outside_quotes() {
    QFETCH(QString, format);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QCOMPARE(with_full_year(format), date);
    QCOMPARE(with_seconds(format), time);
}

void QtServicesTest::random_numbers_lie_in_the_unit_interval() {
    QtServices services;
    services.randomize();
    float smallest = 1;
    float largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float value = services.random_next();
        QVERIFY(value >= 0.0F && value < 1.0F);
        smallest = std::min(smallest, value);
        largest = std::max(largest, value);
    }
    QVERIFY(smallest < 0.001F);
    QVERIFY(largest > 0.999F);
}

void QtServicesTest::message_box_has_its_icon_title_text_and_one_ok_data() {
    QTest::addColumn<platform::BoxStyle>("style");
    QTest::addColumn<QMessageBox::Icon>("icon");

    QTest::newRow("16") << platform::BoxStyle::critical << QMessageBox::Critical;
    QTest::newRow("48") << platform::BoxStyle::exclamation << QMessageBox::Warning;
    QTest::newRow("64") << platform::BoxStyle::information << QMessageBox::Information;
}

void QtServicesTest::message_box_has_its_icon_title_text_and_one_ok() {
    QFETCH(platform::BoxStyle, style);
    QFETCH(QMessageBox::Icon, icon);

    QtServices services;
    QMessageBox::Icon shown_icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    int buttons = 0;
    bool ok_is_default = false;
    when_box_opens([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        QVERIFY(box != nullptr);
        shown_icon = box->icon();
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        buttons = box->buttons().size();
        ok_is_default = box->defaultButton() == box->button(QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);
    });
    services.message_box("<b>メモ</b>", style, "Kirune");
    QCOMPARE(shown_icon, icon);
    QCOMPARE(title, QStringLiteral("Kirune"));
    QCOMPARE(text, QStringLiteral("<b>メモ</b>"));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons, 1);
    QVERIFY(ok_is_default);
}

void QtServicesTest::input_box_returns_the_text_or_nothing_on_cancel_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("result");

    QTest::newRow("Return takes the text") << "あいう" << int(Qt::Key_Return) << "既定あいう";
    QTest::newRow("Escape cancels") << "あいう" << int(Qt::Key_Escape) << "";
}

void QtServicesTest::input_box_returns_the_text_or_nothing_on_cancel() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, result);

    QtServices services;
    QString title;
    QString default_text;
    when_box_opens([&](QWidget* widget) {
        auto* box = qobject_cast<QInputDialog*>(widget);
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        default_text = box->textValue();
        auto* field = box->findChild<QLineEdit*>();
        QVERIFY(field != nullptr);
        field->end(false);
        field->insert(typed);
        QTest::keyClick(field, Qt::Key(key));
    });
    const std::string answer = services.input_box("メモを入力", "Kirune", "既定");
    QCOMPARE(QString::fromStdString(answer), result);
    QCOMPARE(title, QStringLiteral("Kirune"));
    QCOMPARE(default_text, QStringLiteral("既定"));
}

void QtServicesTest::end_program_closes_and_disables_every_window() {
    QtServices services;
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
        services.end_program();
        services.end_program();  // a second call changes nothing
    });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!first.isVisible());
    QVERIFY(!second.isVisible());
    QVERIFY(!first.isEnabled());
    QVERIFY(!second.isEnabled());
}

QTEST_MAIN(QtServicesTest)
#include "qt_services_test.moc"
