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
    void strokes_reach_the_handlers_data();
    void strokes_reach_the_handlers();
    void display_keeps_the_focus_and_line_edit_shortcuts_do_nothing();
    void twips_convert_to_pixels_both_ways_data();
    void twips_convert_to_pixels_both_ways();
    void display_colour_data();
    void display_colour();
    void closing_hides_a_further_window_but_ends_the_program_from_the_main();
    void ctrl_t_toggles_stay_on_top_in_place();
    void display_changes_are_announced_data();
    void display_changes_are_announced();
    void copy_and_paste_go_through_the_system_clipboard();
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
    const QRect screen = form.screen()->geometry();
    QCOMPARE(form.screen_width(), float(screen.width() * 15));
    QCOMPARE(form.screen_height(), float(screen.height() * 15));
}

void CalculatorFormTest::controls_lie_where_their_twips_put_them_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<bool>("gothic");

    const auto row = [](const char* name, const char* caption, QRect pixels, bool gothic) {
        QTest::newRow(name) << QString::fromUtf8(caption) << pixels << gothic;
    };
    // Twips / 15, rounded: 255 wide is 17 px, 240 high is 16 px.
    row("zero", "0", QRect(0, 80, 33, 16), true);
    row("iti", "1", QRect(0, 64, 17, 16), true);
    row("ni", "2", QRect(16, 64, 17, 16), true);
    row("san", "3", QRect(32, 64, 17, 16), true);
    row("yon", "4", QRect(0, 48, 17, 16), true);
    row("five", "5", QRect(16, 48, 17, 16), true);
    row("roku", "6", QRect(32, 48, 17, 16), true);
    row("nana", "7", QRect(0, 32, 17, 16), true);
    row("hati", "8", QRect(16, 32, 17, 16), true);
    row("kyu", "9", QRect(32, 32, 17, 16), true);
    row("puls", "+", QRect(48, 32, 24, 24), true);
    row("Command1", "-", QRect(48, 56, 24, 24), true);
    row("Command2", "×", QRect(72, 32, 24, 24), true);
    row("Command3", "÷", QRect(72, 56, 24, 24), true);
    row("Command4", "＝", QRect(48, 80, 48, 16), true);
    row("clr", "ｃ", QRect(64, 104, 16, 16), false);
    row("Command5", "√", QRect(96, 40, 25, 25), false);
}

void CalculatorFormTest::controls_lie_where_their_twips_put_them() {
    QFETCH(QString, caption);
    QFETCH(QRect, pixels);
    QFETCH(bool, gothic);

    support::FakeServices services;
    CalculatorForm form(services);
    const auto* button = form.findChild<QPushButton*>(QString::fromLatin1(QTest::currentDataTag()));
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

    // As an assistive tool could, behind the program's back: the next key shows the core's text.
    type(&display, u"12");
    display.QLineEdit::setText(QStringLiteral("99"));
    type(&display, u"N");
    QCOMPARE(display.text(), QStringLiteral("12"));
    // No line-edit length limit cuts what the core holds.
    form.display().text_box().set_text(std::string(40000, '7'));
    QCOMPARE(display.text().size(), qsizetype(40000));
}

void CalculatorFormTest::strokes_reach_the_handlers_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("box");  // the one information box shown, if any
    QTest::addColumn<int>("ends");

    const auto row = [](const char* name, const char* script, const char* display,
                        const char* box = "", int ends = 0) {
        QTest::newRow(name) << QString::fromLatin1(script) << QString::fromLatin1(display)
                            << QString::fromLatin1(box) << ends;
    };
    row("main keys", "12+3{Return}", "15");
    row("keypad keys", "{KP 1}{KP 2}{KP +}{KP 3}{KP Enter}", "15");
    row("keypad decimal comma", "1{KP ,}5", "1.5");
    row("keypad minus subtracts", "9{KP -}4{Return}", "5");
    row("upper-case letters do nothing", "12NA", "12");
    row("Backspace clears", "123{Backspace}", "0");
    row("Ctrl+Delete clears", "123{Ctrl Delete}", "0");
    row("Shift+Delete removes one character", "123{Shift Delete}", "12");
    // Were the stroke also typed, "-" would start a subtraction and the 3 a new number.
    row("Ctrl+keypad minus only changes the sign", "25{Ctrl KP -}3", "-253");
    row("Ctrl+main minus does nothing", "25{Ctrl -}3", "253");
    row("Ctrl+letter types nothing", "12{Ctrl c}{Ctrl l}{Ctrl s}", "12");
    row("F1 stores, Shift+F1 recalls", "12.5{F1}c{Shift F1}", "12.5");
    row("Ctrl+Alt+F3 clears all registers", "4{F5}{Ctrl Alt F3}{Shift F5}", "0");
    row("Ctrl+F2 shows the register", "42{F2}{Ctrl F2}", "42", "42");
    row("Escape ends", "{Escape}", "0", "", 1);
    row("x ends", "x", "0", "", 1);
    row("Alt+x, Ctrl+x and Alt+Escape do not end", "{Alt x}{Ctrl x}{Alt Escape}", "0");
}

void CalculatorFormTest::strokes_reach_the_handlers() {
    QFETCH(QString, script);
    QFETCH(QString, display);
    QFETCH(QString, box);
    QFETCH(int, ends);

    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), script);
    QCOMPARE(form.display().text(), display);
    QCOMPARE(form.display().text_box().text(), display.toStdString());
    QCOMPARE(services.end_calls, ends);
    std::vector<support::Box> boxes;
    if (!box.isEmpty()) {
        boxes.push_back({box.toStdString(), platform::BoxStyle::information, "Kirune"});
    }
    QCOMPARE(services.boxes, boxes);
}

void CalculatorFormTest::display_keeps_the_focus_and_line_edit_shortcuts_do_nothing() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), &form.display());
    QApplication::clipboard()->setText(QStringLiteral("999"));
    type(&form.display(), u"1{Tab}{Shift Tab}2");
    QCOMPARE(QApplication::focusWidget(), &form.display());
    type(&form.display(), u"{Ctrl a}{Ctrl x}{Ctrl z}{Ctrl Shift z}{Ctrl v}{Shift Insert}");
    QCOMPARE(form.display().text(), QStringLiteral("12"));
    QCOMPARE(form.display().selectedText(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("999"));
    // The pastes were the program's: they read the services' clipboard, empty here, and beeped.
    QCOMPARE(services.beeps, 2);
}

void CalculatorFormTest::twips_convert_to_pixels_both_ways_data() {
    QTest::addColumn<QString>("action");
    // The setters take twips in value.x(); the mouse points at value in display pixels.
    QTest::addColumn<QPointF>("value");
    QTest::addColumn<QRect>("pixels");

    const auto row = [](const char* name, const char* action, double value, QRect pixels) {
        QTest::newRow(name) << QString::fromLatin1(action) << QPointF(value, 0) << pixels;
    };
    // The window starts at (300, 200), 90 x 17.
    row("tiny width", "width", 30, QRect(300, 200, 2, 17));
    row("tiny height", "height", 30, QRect(300, 200, 90, 2));
    row("display height", "height", 250, QRect(300, 200, 90, 17));
    row("no width is one pixel", "width", 0, QRect(300, 200, 1, 17));
    row("negative width is one pixel", "width", -600, QRect(300, 200, 1, 17));
    row("left rounds", "left", 157.4, QRect(10, 200, 90, 17));
    row("left off the screen", "left", -1500, QRect(-100, 200, 90, 17));
    row("top rounds up", "top", 22.6, QRect(300, 2, 90, 17));
    // X11 positions are 16-bit: further out they would wrap to the other side.
    row("far left is clamped", "left", -1e30, QRect(-32768, 200, 90, 17));
    row("far down is clamped", "top", 1e30, QRect(300, 32767, 90, 17));
    row("not a number is 0", "top", std::numeric_limits<double>::quiet_NaN(),
        QRect(300, 0, 90, 17));
    // The centre is 675 x 127.5 twips: (75, 16.5) px is 450 twips right of it and 120 below.
    QTest::newRow("press pulls") << "press" << QPointF(75, 16.5) << QRect(330, 208, 90, 17);
    // 300 twips right of the centre and 30 below: away, three times as far vertically.
    QTest::newRow("mouse mode flees") << "flee" << QPointF(65, 10.5) << QRect(280, 194, 90, 17);
}

void CalculatorFormTest::twips_convert_to_pixels_both_ways() {
    QFETCH(QString, action);
    QFETCH(QPointF, value);
    QFETCH(QRect, pixels);

    support::FakeServices services;
    CalculatorForm form(services);
    form.move(300, 200);
    const auto twips = float(value.x());
    if (action == u"left") {
        form.set_left(twips);
    } else if (action == u"top") {
        form.set_top(twips);
    } else if (action == u"width") {
        form.set_width(twips);
    } else if (action == u"height") {
        form.set_height(twips);
    } else if (action == u"press") {
        send_mouse(&form.display(), QEvent::MouseButtonPress, value, Qt::LeftButton);
        QVERIFY(form.timer_enabled());
        // A drag selects nothing: the display is no text field to the mouse.
        send_mouse(&form.display(), QEvent::MouseMove, QPointF(5, 8), Qt::LeftButton);
        send_mouse(&form.display(), QEvent::MouseButtonRelease, QPointF(5, 8), Qt::NoButton);
        QVERIFY(!form.timer_enabled());
        QCOMPARE(form.display().selectedText(), QString());
    } else {
        type(&form.display(), u"m");
        send_mouse(&form.display(), QEvent::MouseMove, value, Qt::NoButton);
    }
    QCOMPARE(QRect(form.pos(), form.size()), pixels);
    QCOMPARE(form.left(), float(pixels.x() * 15));
    QCOMPARE(form.top(), float(pixels.y() * 15));
    QCOMPARE(form.width(), float(pixels.width() * 15));
    QCOMPARE(form.height(), float(pixels.height() * 15));
}

void CalculatorFormTest::display_colour_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("i: light red") << QStringLiteral("i") << QColor(0xFF, 0x80, 0x80);
    QTest::newRow("o: light yellow") << QStringLiteral("o") << QColor(0xFF, 0xFF, 0x80);
    QTest::newRow("p: white") << QStringLiteral("p") << QColor(0xFF, 0xFF, 0xFF);
    QTest::newRow("u: button face")
        << QStringLiteral("u") << QApplication::palette().color(QPalette::Button);
}

void CalculatorFormTest::display_colour() {
    QFETCH(QString, key);
    QFETCH(QColor, colour);

    support::FakeServices services;
    CalculatorForm form(services);
    type(&form.display(), QStringLiteral("i") + key);
    QCOMPARE(form.display().palette().color(QPalette::Base), colour);
}

void CalculatorFormTest::closing_hides_a_further_window_but_ends_the_program_from_the_main() {
    support::FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(&form.display(), u"z");
    CalculatorForm* extra = extra_of(form);
    QVERIFY(extra != nullptr);
    QVERIFY(extra->isVisible());
    QCOMPARE(extra->parentWidget(), nullptr);
    QVERIFY(extra->windowFlags().testFlag(Qt::FramelessWindowHint));
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

    form.close();
    QCOMPARE(services.end_calls, 1);
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

void CalculatorFormTest::display_changes_are_announced_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("announced");

    const auto row = [](const char* name, const char* clipboard, const char* script,
                        const QStringList& announced) {
        QTest::newRow(name) << QString::fromUtf8(clipboard) << QString::fromLatin1(script)
                            << announced;
    };
    // The program writes every one of these texts; a screen reader must hear each.
    row("digits and the result", "", "12+3{Return}", {"1", "12", "3", "15"});
    row("clear", "", "12{Backspace}", {"1", "12", "0"});
    row("recall", "", "4{F1}c{Shift F1}", {"4", "0", "4"});
    row("change of sign", "", "25{Ctrl KP -}", {"2", "25", "-25"});
    row("square root", "", "16r", {"1", "16", "4"});
    row("paste", "７", "5+{Ctrl v}{Return}", {"5", "7", "12"});
    row("a fault changes nothing", "", "1/0{Return}", {"1", "0"});
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

    // Full-width digits come through the system clipboard's encoding; a paste only reads.
    clipboard->setText(QStringLiteral("７"));
    type(&second.display(), u"c5+{Ctrl v}{Return}");
    QCOMPARE(second.display().text(), QStringLiteral("12"));
    QCOMPARE(clipboard->text(), QStringLiteral("７"));
    // Nothing to paste is refused, with a beep.
    clipboard->clear();
    type(&second.display(), u"{Shift Insert}");
    QCOMPARE(second.display().text(), QStringLiteral("12"));

    QCOMPARE(services.beeps, 1);
    QVERIFY(services.boxes.empty());
}

QTEST_MAIN(CalculatorFormTest)
#include "calculator_form_test.moc"
