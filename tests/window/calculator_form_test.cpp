#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include "platform/qt/qt_services.h"
#include "tests/support/fake_services.h"
#include "window/calculator_form.h"

using window::CalculatorForm;

namespace {

Qt::Key key_named(const QString& name) {
    if (name.size() == 1) {
        // Qt's codes of the printable ASCII keys are their upper-case characters.
        return Qt::Key(name[0].toUpper().unicode());
    }
    static const QHash<QString, Qt::Key> named{
        {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Enter"), Qt::Key_Enter},
        {QStringLiteral("Backspace"), Qt::Key_Backspace},
        {QStringLiteral("Delete"), Qt::Key_Delete},
        {QStringLiteral("Escape"), Qt::Key_Escape},
        {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Insert"), Qt::Key_Insert},
    };
    if (name.startsWith(u'F')) {
        return Qt::Key(Qt::Key_F1 + name.mid(1).toInt() - 1);
    }
    return named.value(name, Qt::Key_unknown);
}

// Types a key script into a widget: plain characters are typed as they are; a stroke with
// modifiers or a named key goes in braces, words separated by spaces, the key last:
// "25{Ctrl KP -}3", "{Shift F1}", "{KP Enter}".
void type(QWidget* widget, QStringView script) {
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script[i] != u'{') {
            QTest::keyClick(widget, script[i].toLatin1());
            continue;
        }
        const qsizetype end = script.indexOf(u'}', i);
        const QStringList words = script.mid(i + 1, end - i - 1).toString().split(u' ');
        i = end;
        Qt::KeyboardModifiers modifiers;
        for (qsizetype w = 0; w + 1 < words.size(); ++w) {
            if (words[w] == u"Shift") {
                modifiers |= Qt::ShiftModifier;
            } else if (words[w] == u"Ctrl") {
                modifiers |= Qt::ControlModifier;
            } else if (words[w] == u"Alt") {
                modifiers |= Qt::AltModifier;
            } else if (words[w] == u"KP") {
                modifiers |= Qt::KeypadModifier;
            }
        }
        QTest::keyClick(widget, key_named(words.last()), modifiers);
    }
}

void send_mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

CalculatorForm* extra_of(CalculatorForm& form) {
    return dynamic_cast<CalculatorForm*>(form.core.extra_window.get());
}

// The program's own services with the system clipboard, but beeps and boxes counted instead of
// sounded and shown.
class ClipboardServices : public platform::qt::QtServices {
public:
    void beep() override { ++beeps; }
    void message_box(std::string_view message, platform::BoxStyle /*style*/,
                     std::string_view /*title*/) override {
        boxes.emplace_back(message);
    }

    int beeps = 0;
    std::vector<std::string> boxes;
};

// What a screen reader is told about text changes while this lives: Qt hands the events to the
// handler instead of the platform's bridge. Only one may live at a time.
class Announcements {
public:
    Announcements() { previous = QAccessible::installUpdateHandler(&record); }
    ~Announcements() {
        QAccessible::installUpdateHandler(previous);
        heard().clear();
    }
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;

    // The texts announced for the object, oldest first.
    static QStringList texts_of(const QObject* object) {
        QStringList texts;
        for (const auto& [source, text] : heard()) {
            if (source == object) {
                texts.append(text);
            }
        }
        return texts;
    }

private:
    static std::vector<std::pair<const QObject*, QString>>& heard() {
        static std::vector<std::pair<const QObject*, QString>> events;
        return events;
    }

    static void record(QAccessibleEvent* event) {
        switch (event->type()) {
            case QAccessible::TextUpdated:
                heard().emplace_back(
                    event->object(),
                    static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted());
                break;
            case QAccessible::TextInserted:
                heard().emplace_back(
                    event->object(),
                    static_cast<QAccessibleTextInsertEvent*>(event)->textInserted());
                break;
            case QAccessible::TextRemoved:
                heard().emplace_back(event->object(), QString());
                break;
            default:
                break;
        }
    }

    QAccessible::UpdateHandler previous = nullptr;
};

}  // namespace

class CalculatorFormTest : public QObject {
    Q_OBJECT

private slots:
    void window_is_a_frameless_top_level_as_large_as_its_display();
    void controls_lie_where_their_twips_put_them_data();
    void controls_lie_where_their_twips_put_them();
    void display_starts_as_zero_and_cannot_edit_itself();
    void display_keeps_the_focus();
    void strokes_reach_the_handlers_data();
    void strokes_reach_the_handlers();
    void function_key_with_ctrl_shows_the_register();
    void escape_and_x_end_the_program_but_alt_x_does_not();
    void line_edit_shortcuts_do_nothing();
    void display_shows_the_core_text_again_after_outside_changes();
    void long_texts_are_shown_in_full();
    void geometry_setters_take_twips_data();
    void geometry_setters_take_twips();
    void geometry_getters_give_twips();
    void display_colour_data();
    void display_colour();
    void clock_writes_the_main_caption();
    void mouse_press_pulls_the_window_and_runs_the_clock();
    void fleeing_window_moves_only_in_mouse_mode();
    void z_opens_an_independent_window_on_the_same_main_window();
    void closing_the_main_window_ends_the_program();
    void closing_a_further_window_only_hides_it();
    void ctrl_t_toggles_stay_on_top_in_place();
    void ctrl_t_in_a_further_window_affects_only_that_window();
    void window_keeps_its_name_for_screen_readers();
    void display_changes_are_announced_data();
    void display_changes_are_announced();
    void copy_and_paste_go_through_the_system_clipboard();
    void paste_takes_one_number_or_beeps_data();
    void paste_takes_one_number_or_beeps();
};

void CalculatorFormTest::window_is_a_frameless_top_level_as_large_as_its_display() {
    support::FakeServices services;
    CalculatorForm form(services);
    QVERIFY(form.isWindow());
    QCOMPARE(form.parentWidget(), nullptr);
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.windowTitle(), QStringLiteral("Kirune"));
    QCOMPARE(QApplication::applicationDisplayName(), QApplication::applicationName());
    QCOMPARE(form.size(), QSize(90, 17));
    QCOMPARE(form.layout(), nullptr);
    QCOMPARE(services.randomize_calls, 1);  // the load handler ran
}

void CalculatorFormTest::controls_lie_where_their_twips_put_them_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<bool>("gothic");

    // Twips / 15, rounded: 255 wide is 17 px, 240 high is 16 px.
    QTest::newRow("zero") << "zero"
                          << "0" << QRect(0, 80, 33, 16) << true;
    QTest::newRow("iti") << "iti"
                         << "1" << QRect(0, 64, 17, 16) << true;
    QTest::newRow("ni") << "ni"
                        << "2" << QRect(16, 64, 17, 16) << true;
    QTest::newRow("san") << "san"
                         << "3" << QRect(32, 64, 17, 16) << true;
    QTest::newRow("yon") << "yon"
                         << "4" << QRect(0, 48, 17, 16) << true;
    QTest::newRow("five") << "five"
                          << "5" << QRect(16, 48, 17, 16) << true;
    QTest::newRow("roku") << "roku"
                          << "6" << QRect(32, 48, 17, 16) << true;
    QTest::newRow("nana") << "nana"
                          << "7" << QRect(0, 32, 17, 16) << true;
    QTest::newRow("hati") << "hati"
                          << "8" << QRect(16, 32, 17, 16) << true;
    QTest::newRow("kyu") << "kyu"
                         << "9" << QRect(32, 32, 17, 16) << true;
    QTest::newRow("puls") << "puls"
                          << "+" << QRect(48, 32, 24, 24) << true;
    QTest::newRow("Command1") << "Command1"
                              << "-" << QRect(48, 56, 24, 24) << true;
    QTest::newRow("Command2") << "Command2"
                              << "×" << QRect(72, 32, 24, 24) << true;
    QTest::newRow("Command3") << "Command3"
                              << "÷" << QRect(72, 56, 24, 24) << true;
    QTest::newRow("Command4") << "Command4"
                              << "＝" << QRect(48, 80, 48, 16) << true;
    QTest::newRow("clr") << "clr"
                         << "ｃ" << QRect(64, 104, 16, 16) << false;
    QTest::newRow("Command5") << "Command5"
                              << "√" << QRect(96, 40, 25, 25) << false;
}

void CalculatorFormTest::controls_lie_where_their_twips_put_them() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, pixels);
    QFETCH(bool, gothic);

    support::FakeServices services;
    CalculatorForm form(services);
    const auto* button = form.findChild<QPushButton*>(name);
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry(), pixels);
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    // Below the 17-pixel client area: never seen.
    QVERIFY(button->y() >= form.size().height());
    QCOMPARE(button->font().families().contains(QStringLiteral("IPAPGothic")), gothic);
    if (gothic) {
        QCOMPARE(button->font().pointSizeF(), 8.25);
    }
}

void CalculatorFormTest::display_starts_as_zero_and_cannot_edit_itself() {
    support::FakeServices services;
    CalculatorForm form(services);
    QLineEdit& display = form.display();
    QCOMPARE(display.objectName(), QStringLiteral("Text1"));
    QCOMPARE(display.text(), QStringLiteral("0"));
    QCOMPARE(display.geometry(), QRect(0, 0, 90, 17));
    QVERIFY(display.alignment().testFlag(Qt::AlignRight));
    QCOMPARE(display.accessibleName(), QStringLiteral("表示"));
    QCOMPARE(display.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(display.echoMode(), QLineEdit::Normal);
    QVERIFY(display.hasMouseTracking());
    QVERIFY(!display.testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(!display.acceptDrops());
    QCOMPARE(display.contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(display.font().pointSizeF(), 8.25);
}

void CalculatorFormTest::display_keeps_the_focus() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), &form.display());
    type(&form.display(), u"1{Tab}{Shift Tab}2");
    QCOMPARE(QApplication::focusWidget(), &form.display());
    QCOMPARE(form.display().text(), QStringLiteral("12"));
}

void CalculatorFormTest::strokes_reach_the_handlers_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("display");

    QTest::newRow("main keys") << "12+3{Return}"
                               << "15";
    QTest::newRow("keypad keys") << "{KP 1}{KP 2}{KP +}{KP 3}{KP Enter}"
                                 << "15";
    QTest::newRow("keypad point") << "1{KP .}{KP 5}"
                                  << "1.5";
    QTest::newRow("keypad decimal comma") << "1{KP ,}5"
                                          << "1.5";
    QTest::newRow("keypad minus subtracts") << "9{KP -}4{Return}"
                                            << "5";
    QTest::newRow("upper-case letters do nothing") << "12NAX"
                                                   << "12";
    QTest::newRow("Backspace clears") << "123{Backspace}"
                                      << "0";
    QTest::newRow("Delete clears") << "123{Delete}"
                                   << "0";
    QTest::newRow("Ctrl+Delete clears") << "123{Ctrl Delete}"
                                        << "0";
    QTest::newRow("Shift+Delete removes one character") << "123{Shift Delete}"
                                                        << "12";
    // Were the stroke also typed, "-" would start a subtraction and the 3 a new number.
    QTest::newRow("Ctrl+keypad minus only changes the sign") << "25{Ctrl KP -}3"
                                                             << "-253";
    QTest::newRow("Ctrl+main minus does nothing") << "25{Ctrl -}3"
                                                  << "253";
    QTest::newRow("Ctrl+letter types nothing") << "12{Ctrl c}{Ctrl l}{Ctrl s}"
                                               << "12";
    QTest::newRow("F1 stores, Shift+F1 recalls") << "12.5{F1}c{Shift F1}"
                                                 << "12.5";
    QTest::newRow("Alt+F1 clears the register") << "12.5{F1}{Alt F1}7{Shift F1}"
                                                << "0";
    QTest::newRow("Ctrl+Alt+F3 clears all registers") << "4{F5}{Ctrl Alt F3}{Shift F5}"
                                                      << "0";
}

void CalculatorFormTest::strokes_reach_the_handlers() {
    QFETCH(QString, script);
    QFETCH(QString, display);

    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), script);
    QCOMPARE(form.display().text(), display);
    QCOMPARE(form.display().text_box().text(), display.toStdString());
    QCOMPARE(services.end_calls, 0);
}

void CalculatorFormTest::function_key_with_ctrl_shows_the_register() {
    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), u"42{F2}{Ctrl F2}");
    QCOMPARE(services.boxes.size(), std::size_t{1});
    QCOMPARE(services.boxes[0],
             (support::Box{"42", platform::BoxStyle::information, std::string("Kirune")}));
}

void CalculatorFormTest::escape_and_x_end_the_program_but_alt_x_does_not() {
    for (const QStringView script : {u"{Escape}", u"x"}) {
        support::FakeServices services;
        CalculatorForm form(services);
        type(&form.display(), script);
        QVERIFY2(services.end_calls == 1, qPrintable(script.toString()));
    }
    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), u"{Alt x}{Ctrl x}{Alt Escape}");
    QCOMPARE(services.end_calls, 0);
}

void CalculatorFormTest::line_edit_shortcuts_do_nothing() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QApplication::clipboard()->setText(QStringLiteral("999"));
    type(&form.display(), u"12{Ctrl a}{Ctrl x}{Ctrl z}{Ctrl Shift z}{Ctrl v}{Shift Insert}");
    QCOMPARE(form.display().text(), QStringLiteral("12"));
    QCOMPARE(form.display().selectedText(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("999"));
    // The pastes were the program's: they read the services' clipboard, empty here, and beeped.
    QCOMPARE(services.beeps, 2);
}

void CalculatorFormTest::display_shows_the_core_text_again_after_outside_changes() {
    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), u"12");
    // As an assistive tool could, behind the program's back.
    form.display().QLineEdit::setText(QStringLiteral("99"));
    type(&form.display(), u"N");
    QCOMPARE(form.display().text(), QStringLiteral("12"));
}

void CalculatorFormTest::long_texts_are_shown_in_full() {
    support::FakeServices services;
    CalculatorForm form(services);
    const std::string digits(40000, '7');
    form.display().text_box().set_text(digits);
    QCOMPARE(form.display().text().size(), qsizetype(40000));
}

void CalculatorFormTest::geometry_setters_take_twips_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<float>("twips");
    QTest::addColumn<QRect>("pixels");

    // The window starts at (300, 200), 90 x 17.
    QTest::newRow("tiny width") << "width" << 30.0F << QRect(300, 200, 2, 17);
    QTest::newRow("tiny height") << "height" << 30.0F << QRect(300, 200, 90, 2);
    QTest::newRow("display height") << "height" << 250.0F << QRect(300, 200, 90, 17);
    QTest::newRow("no width is one pixel") << "width" << 0.0F << QRect(300, 200, 1, 17);
    QTest::newRow("negative width is one pixel") << "width" << -600.0F << QRect(300, 200, 1, 17);
    QTest::newRow("left rounds") << "left" << 157.4F << QRect(10, 200, 90, 17);
    QTest::newRow("left off the screen") << "left" << -1500.0F << QRect(-100, 200, 90, 17);
    QTest::newRow("top rounds up") << "top" << 22.6F << QRect(300, 2, 90, 17);
    // X11 positions are 16-bit: further out they would wrap to the other side.
    QTest::newRow("far left is clamped") << "left" << -1e30F << QRect(-32768, 200, 90, 17);
    QTest::newRow("far down is clamped") << "top" << 1e30F << QRect(300, 32767, 90, 17);
    QTest::newRow("not a number is 0")
        << "top" << std::numeric_limits<float>::quiet_NaN() << QRect(300, 0, 90, 17);
}

void CalculatorFormTest::geometry_setters_take_twips() {
    QFETCH(QString, property);
    QFETCH(float, twips);
    QFETCH(QRect, pixels);

    support::FakeServices services;
    CalculatorForm form(services);
    form.move(300, 200);
    if (property == u"left") {
        form.set_left(twips);
    } else if (property == u"top") {
        form.set_top(twips);
    } else if (property == u"width") {
        form.set_width(twips);
    } else {
        form.set_height(twips);
    }
    QCOMPARE(QRect(form.pos(), form.size()), pixels);
}

void CalculatorFormTest::geometry_getters_give_twips() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.move(10, 20);
    QCOMPARE(form.left(), 150.0F);
    QCOMPARE(form.top(), 300.0F);
    QCOMPARE(form.width(), 1350.0F);
    QCOMPARE(form.height(), 255.0F);
    const QRect screen = form.screen()->geometry();
    QCOMPARE(form.screen_width(), float(screen.width() * 15));
    QCOMPARE(form.screen_height(), float(screen.height() * 15));

    type(&form.display(), u"s");
    QCOMPARE(form.size(), QSize(2, 2));
    type(&form.display(), u"d");
    QCOMPARE(form.size(), QSize(90, 17));
}

void CalculatorFormTest::display_colour_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("i: light red") << "i" << QColor(0xFF, 0x80, 0x80);
    QTest::newRow("o: light yellow") << "o" << QColor(0xFF, 0xFF, 0x80);
    QTest::newRow("p: white") << "p" << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("u: button face") << "u" << QApplication::palette().color(QPalette::Button);
}

void CalculatorFormTest::display_colour() {
    QFETCH(QString, key);
    QFETCH(QColor, colour);

    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), QStringLiteral("i") + key);
    QCOMPARE(form.display().palette().color(QPalette::Base), colour);
}

void CalculatorFormTest::clock_writes_the_main_caption() {
    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), u"y");
    QVERIFY(form.timer_enabled());
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString::fromStdString(services.now), 1000);
    QCOMPARE(form.size(), QSize(90, 17));
    type(&form.display(), u"y");
    QVERIFY(!form.timer_enabled());
    QCOMPARE(form.windowTitle(), QStringLiteral("Kirune"));

    type(&form.display(), u" ");
    QCOMPARE(form.size(), QSize(2, 2));
    QVERIFY(form.timer_enabled());
    type(&form.display(), u" ");
    QCOMPARE(form.size(), QSize(90, 17));
    QVERIFY(!form.timer_enabled());
}

void CalculatorFormTest::mouse_press_pulls_the_window_and_runs_the_clock() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.move(300, 200);
    // The centre is 675 x 127.5 twips; 75 px is 450 twips right of it, 8 px 7.5 twips above.
    send_mouse(&form.display(), QEvent::MouseButtonPress, QPointF(75, 8), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(330, 200));
    QVERIFY(form.timer_enabled());
    // A drag selects nothing: the display is no text field to the mouse.
    send_mouse(&form.display(), QEvent::MouseMove, QPointF(5, 8), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(330, 200));
    send_mouse(&form.display(), QEvent::MouseButtonRelease, QPointF(5, 8), Qt::NoButton);
    QVERIFY(!form.timer_enabled());
    QCOMPARE(form.display().selectedText(), QString());
}

void CalculatorFormTest::fleeing_window_moves_only_in_mouse_mode() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.move(300, 200);
    send_mouse(&form.display(), QEvent::MouseMove, QPointF(65, 8), Qt::NoButton);
    QCOMPARE(form.pos(), QPoint(300, 200));

    type(&form.display(), u"m");
    // 300 twips right of the centre: 300 twips (20 px) to the left.
    send_mouse(&form.display(), QEvent::MouseMove, QPointF(65, 8), Qt::NoButton);
    QCOMPARE(form.pos().x(), 280);
}

void CalculatorFormTest::z_opens_an_independent_window_on_the_same_main_window() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(&form.display(), u"12");
    type(&form.display(), u"z");
    QCOMPARE(services.boxes.size(), std::size_t{1});
    CalculatorForm* extra = extra_of(form);
    QVERIFY(extra != nullptr);
    QVERIFY(extra->isVisible());
    QVERIFY(extra->isWindow());
    QCOMPARE(extra->parentWidget(), nullptr);
    QVERIFY(extra->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(extra->display().text(), QStringLiteral("0"));
    QCOMPARE(services.randomize_calls, 2);

    type(&extra->display(), u"5+");
    QCOMPARE(form.display().text(), QStringLiteral("12"));
    // Size statements address the main window, the timer is the extra window's own.
    type(&extra->display(), u" ");
    QCOMPARE(form.size(), QSize(2, 2));
    QCOMPARE(extra->size(), QSize(90, 17));
    QVERIFY(extra->timer_enabled());
    QVERIFY(!form.timer_enabled());
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString::fromStdString(services.now), 1000);
    QCOMPARE(extra->windowTitle(), QStringLiteral("Kirune"));
}

void CalculatorFormTest::closing_the_main_window_ends_the_program() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    form.close();
    QCOMPARE(services.end_calls, 1);
}

void CalculatorFormTest::closing_a_further_window_only_hides_it() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(&form.display(), u"z");
    CalculatorForm* extra = extra_of(form);
    QVERIFY(extra != nullptr);
    type(&extra->display(), u"7y");
    extra->close();
    QVERIFY(!extra->isVisible());
    QVERIFY(!extra->timer_enabled());
    QCOMPARE(services.end_calls, 0);
    // "z" shows the same window again, with its state.
    type(&form.display(), u"z");
    QCOMPARE(extra_of(form), extra);
    QVERIFY(extra->isVisible());
    QCOMPARE(extra->display().text(), QStringLiteral("7"));
}

void CalculatorFormTest::ctrl_t_toggles_stay_on_top_in_place() {
    support::FakeServices services;
    CalculatorForm form(services);
    QVERIFY(!form.stay_on_top());
    // A hidden window takes the hint without showing itself.
    form.set_stay_on_top(true);
    QVERIFY(!form.isVisible());
    form.set_stay_on_top(false);

    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.move(300, 200);
    const QRect geometry = form.geometry();
    type(&form.display(), u"12");
    for (const bool on_top : {true, false}) {
        type(&form.display(), u"{Ctrl t}");
        QCOMPARE(form.stay_on_top(), on_top);
        // The native window carries the hint: that is what the window system reads.
        QCOMPARE(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on_top);
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(form.isVisible());
        QCOMPARE(form.geometry(), geometry);
        QTRY_COMPARE(QApplication::focusWidget(), &form.display());
        QCOMPARE(form.display().text(), QStringLiteral("12"));
    }
    type(&form.display(), u"3");
    QCOMPARE(form.display().text(), QStringLiteral("123"));
    QCOMPARE(services.beeps, 0);
}

void CalculatorFormTest::ctrl_t_in_a_further_window_affects_only_that_window() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(&form.display(), u"z");
    CalculatorForm* extra = extra_of(form);
    QVERIFY(extra != nullptr);
    type(&extra->display(), u"{Ctrl t}");
    QVERIFY(extra->stay_on_top());
    QVERIFY(extra->isVisible());
    QVERIFY(!form.stay_on_top());
    type(&form.display(), u"{Ctrl t}");
    QVERIFY(form.stay_on_top());
    QVERIFY(extra->stay_on_top());
}

void CalculatorFormTest::window_keeps_its_name_for_screen_readers() {
    support::FakeServices services;
    CalculatorForm form(services);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    QAccessibleInterface* display = QAccessible::queryAccessibleInterface(&form.display());
    QVERIFY(window != nullptr);
    QVERIFY(display != nullptr);
    QCOMPARE(display->role(), QAccessible::EditableText);
    QCOMPARE(display->text(QAccessible::Name), QStringLiteral("表示"));
    type(&form.display(), u"12");
    QCOMPARE(display->text(QAccessible::Value), QStringLiteral("12"));

    QVERIFY(window->text(QAccessible::Name).contains(QStringLiteral("Kirune")));
    // The caption clock takes the title over; the name stays.
    type(&form.display(), u"y");
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString::fromStdString(services.now), 1000);
    QVERIFY2(window->text(QAccessible::Name).contains(QStringLiteral("Kirune")),
             qPrintable(window->text(QAccessible::Name)));
}

void CalculatorFormTest::display_changes_are_announced_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("announced");

    // The program writes every one of these texts; a screen reader must hear each.
    QTest::newRow("digits and the result") << ""
                                           << "12+3{Return}" << QStringList{"1", "12", "3", "15"};
    QTest::newRow("clear") << ""
                           << "12{Backspace}" << QStringList{"1", "12", "0"};
    QTest::newRow("recall") << ""
                            << "4{F1}c{Shift F1}" << QStringList{"4", "0", "4"};
    QTest::newRow("change of sign") << ""
                                    << "25{Ctrl KP -}" << QStringList{"2", "25", "-25"};
    QTest::newRow("square root") << ""
                                 << "16r" << QStringList{"1", "16", "4"};
    QTest::newRow("paste") << "７"
                           << "5+{Ctrl v}{Return}" << QStringList{"5", "7", "12"};
    QTest::newRow("a fault changes nothing") << ""
                                             << "1/0{Return}" << QStringList{"1", "0"};
}

void CalculatorFormTest::display_changes_are_announced() {
    QFETCH(QString, clipboard);
    QFETCH(QString, script);
    QFETCH(QStringList, announced);

    if (QGuiApplication::platformName() == u"offscreen") {
        QSKIP(
            "The offscreen platform has no accessibility; calculator_form_accessibility_test "
            "runs this on X11 with the accessibility bus");
    }
    support::FakeServices services;
    services.clipboard = clipboard.toStdString();
    CalculatorForm form(services);
    form.show();
    // Qt turns accessibility on once it has found the bus.
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 5000);
    const Announcements announcements;
    type(&form.display(), script);
    QCOMPARE(Announcements::texts_of(&form.display()), announced);
}

void CalculatorFormTest::copy_and_paste_go_through_the_system_clipboard() {
    ClipboardServices services;
    CalculatorForm first(services);
    CalculatorForm second(services);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("999"));

    type(&first.display(), u"42{Ctrl c}");
    QCOMPARE(clipboard->text(), QStringLiteral("42"));
    type(&second.display(), u"{Ctrl v}");
    QCOMPARE(second.display().text(), QStringLiteral("42"));

    // The clipboard keys of older desktops; the text goes exactly as shown.
    type(&first.display(), u"c1/8{Return}{Ctrl Insert}");
    QCOMPARE(first.display().text(), QStringLiteral("0.125"));
    QCOMPARE(clipboard->text(), QStringLiteral("0.125"));
    type(&second.display(), u"+{Shift Insert}{Return}");
    QCOMPARE(second.display().text(), QStringLiteral("42.125"));

    // Copying leaves the calculation as it was.
    type(&first.display(), u"c5+{Ctrl c}2{Return}");
    QCOMPARE(clipboard->text(), QStringLiteral("5"));
    QCOMPARE(first.display().text(), QStringLiteral("7"));

    // Whatever the display holds, even what no paste would take back.
    const std::string digits(40000, '7');
    first.display().text_box().set_text(digits);
    type(&first.display(), u"{Ctrl c}");
    QCOMPARE(clipboard->text().toStdString(), digits);

    QCOMPARE(services.beeps, 0);
    QVERIFY(services.boxes.empty());
}

void CalculatorFormTest::paste_takes_one_number_or_beeps_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("boxes");

    QTest::newRow("full-width digit enters like a new number") << "７"
                                                               << "5+{Ctrl v}{Return}"
                                                               << "12" << 0 << 0;
    QTest::newRow("blanks trimmed, shown as a number") << " 12.50 \n"
                                                       << "{Shift Insert}"
                                                       << "12.5" << 0 << 0;
    QTest::newRow("negative") << "-3"
                              << "10*{Ctrl v}{Return}"
                              << "-30" << 0 << 0;
    QTest::newRow("exponent") << "1.5E+3"
                              << "{Ctrl v}"
                              << "1500" << 0 << 0;
    QTest::newRow("64 characters") << QString(62, u'0') + QStringLiteral("12") << "{Ctrl v}"
                                   << "12" << 0 << 0;
    QTest::newRow("thousands separator refused, the sum goes on") << "1,000"
                                                                  << "5+{Ctrl v}2{Return}"
                                                                  << "7" << 1 << 0;
    QTest::newRow("empty clipboard refused") << ""
                                             << "12{Shift Insert}"
                                             << "12" << 1 << 0;
    QTest::newRow("words refused") << "abc"
                                   << "12{Ctrl v}"
                                   << "12" << 1 << 0;
    QTest::newRow("65 characters refused")
        << QString(63, u'0') + QStringLiteral("12") << "12{Ctrl v}"
        << "12" << 1 << 0;
    QTest::newRow("beyond the range is a fault") << "1E+400"
                                                 << "12{Ctrl v}"
                                                 << "12" << 0 << 1;
    QTest::newRow("Ctrl+Shift+V does nothing") << "9"
                                               << "12{Ctrl Shift v}"
                                               << "12" << 0 << 0;
    QTest::newRow("Ctrl+Shift+Insert does nothing") << "9"
                                                    << "12{Ctrl Shift Insert}"
                                                    << "12" << 0 << 0;
}

void CalculatorFormTest::paste_takes_one_number_or_beeps() {
    QFETCH(QString, clipboard);
    QFETCH(QString, script);
    QFETCH(QString, display);
    QFETCH(int, beeps);
    QFETCH(int, boxes);

    ClipboardServices services;
    CalculatorForm form(services);
    QGuiApplication::clipboard()->setText(clipboard);
    type(&form.display(), script);
    QCOMPARE(form.display().text(), display);
    QCOMPARE(services.beeps, beeps);
    QCOMPARE(int(services.boxes.size()), boxes);
    // A paste only reads.
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

QTEST_MAIN(CalculatorFormTest)
#include "calculator_form_test.moc"
