#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

#include "platform/qt/date_time_text.h"
#include "platform/qt/qt_services.h"
#include "tests/support/fake_services.h"
#include "window/qt/calculator_form.h"

using window::qt::CalculatorForm;

namespace {

// Plain characters typed in turn, then one stroke as X11 delivers it: Ctrl+H comes with the
// text "\b", a full-width digit with no key.
struct Stroke {
    const char* plain;
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    const char16_t* text = u"";
};

// Through the window system, as the platform hands keys over: shortcuts are tried first.
void type(CalculatorForm& form, const std::vector<Stroke>& strokes) {
    for (const Stroke& stroke : strokes) {
        for (const char* c = stroke.plain; *c != '\0'; ++c) {
            QTest::keyClick(form.windowHandle(), *c);
        }
        if (stroke.key != 0) {
            QTest::sendKeyEvent(QTest::Click, form.windowHandle(), Qt::Key(stroke.key),
                                QString::fromUtf16(stroke.text), stroke.modifiers);
        }
    }
}

CalculatorForm* extra_of(CalculatorForm& form) {
    return dynamic_cast<CalculatorForm*>(form.core.further_window());
}

struct Window : testing::Test {
    void SetUp() override { form.show(); }
    support::FakeServices services;
    CalculatorForm form{services};
};

constexpr Qt::KeyboardModifiers kp = Qt::KeypadModifier, shift = Qt::ShiftModifier,
                                ctrl = Qt::ControlModifier, alt = Qt::AltModifier;

TEST(WindowKeys, QtStrokesReachTheKeyMap) {
    const std::pair<std::vector<Stroke>, std::string> cases[] = {
        // Strokes that type nothing: X11's Ctrl+H is "\b" yet must not clear, Ctrl+M must not
        // compute, Tab must not move the focus, and the line edit's own shortcuts do nothing.
        // clang-format off
        {{{"12", Qt::Key_H, ctrl, u"\b"}, {"", Qt::Key_M, ctrl, u"\r"},
          {"", Qt::Key_Tab, {}, u"\t"}, {"", Qt::Key_Backtab, shift, u"\t"},
          {"", Qt::Key_A, ctrl, u"\x01"}, {"", Qt::Key_X, ctrl, u"\x18"},
          {"", Qt::Key_Z, ctrl, u"\x1a"}, {"", Qt::Key_X, alt, u"x"},
          {"", Qt::Key_Escape, alt, u"\x1b"}, {"", Qt::Key_Minus, ctrl, u"-"}, {"3"}}, "123"},
        // clang-format on
        {{{"25", Qt::Key_Minus, ctrl | kp, u"-"}, {"3"}}, "-253"},  // no subtraction typed too
        {{{"9", Qt::Key_Minus, kp, u"-"}, {"4", Qt::Key_Enter, kp, u"\r"}}, "5"},
        {{{"1", Qt::Key_Comma, kp, u","}, {"5"}}, "1.5"},
        {{{"5+", Qt::Key_unknown, {}, u"７"}, {"\r"}}, "12"},
        {{{"123", Qt::Key_Delete, shift, u"\x7f"}}, "12"},
        {{{"123", Qt::Key_Delete, {}, u"\x7f"}, {"4"}}, "4"},
        {{{"4", Qt::Key_F1}, {"c", Qt::Key_F1, shift}}, "4"},
        {{{"4", Qt::Key_F12}, {"", Qt::Key_F3, ctrl | alt}, {"", Qt::Key_F12, shift}}, "0"},
        {{{"42", Qt::Key_C, ctrl, u"\x03"}, {"c1+", Qt::Key_V, ctrl, u"\x16"}, {"\r"}}, "43"},
        {{{"42", Qt::Key_Insert, ctrl}, {"c1+", Qt::Key_Insert, shift}, {"\r"}}, "43"},
    };
    for (const auto& [strokes, display] : cases) {
        SCOPED_TRACE(std::string(strokes[0].plain) + " -> " + display);
        support::FakeServices services;
        CalculatorForm form(services);
        form.show();
        type(form, strokes);
        EXPECT_EQ(form.display().text().toStdString(), display);
        EXPECT_EQ(services.end_calls, 0);
        EXPECT_EQ(QApplication::focusWidget(), &form.display());
    }
}

TEST_F(Window, TwipsBecomePixelsAndCtrlTStaysOnTopInPlace) {
    form.move(300, 200);
    type(form, {{"s"}});
    EXPECT_EQ(form.size(), QSize(2, 2));
    type(form, {{"d"}});  // 250 twips high: 16.7 pixels
    for (const bool on_top : {true, false}) {
        type(form, {{"", Qt::Key_T, ctrl, u"\x14"}});
        EXPECT_EQ(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on_top);
        EXPECT_EQ(form.isVisible() ? form.geometry() : QRect(), QRect(300, 200, 90, 17));
    }
    EXPECT_EQ(form.display().geometry(), QRect(0, 0, 90, 17));
}

// The colour keys' colours as the display shows them; "u" the buttons' face.
TEST_F(Window, ColourKeysPaintTheDisplay) {
    const std::pair<const char*, QColor> colours[] = {
        {"i", QColor(255, 128, 128)},
        {"o", QColor(255, 255, 128)},
        {"p", QColor(255, 255, 255)},
        {"u", QApplication::palette().color(QPalette::Button)}};
    for (const auto& [key, colour] : colours) {
        type(form, {{key}});
        EXPECT_EQ(form.display().palette().color(QPalette::Base), colour) << key;
    }
}

TEST_F(Window, ButtonsStayHiddenAndTheDisplayNeverEditsItself) {
    EXPECT_EQ(form.findChildren<QPushButton*>().size(), 17);
    for (const QPushButton* button : form.findChildren<QPushButton*>()) {
        EXPECT_TRUE(button->isHidden() && !button->isEnabled());
    }
    type(form, {{"12"}});
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("5"));
    QApplication::sendEvent(&form.display(), &composed);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(&form.display(), &right_click);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form.display().text(), QStringLiteral("12"));
}

// One installed Japanese font asked for by name: anything else costs a fontconfig fallback
// search at every start.
TEST_F(Window, TheDisplayAsksForOneInstalledJapaneseFont) {
    const QStringList asked = form.display().font().families();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(QFontInfo(form.display().font()).family(), asked.front());
    EXPECT_TRUE(QFontDatabase::writingSystems(asked.front()).contains(QFontDatabase::Japanese));
}

// A screen reader reads the whole display as one run of text on focus, and tells a further
// window by its place in the chain.
TEST_F(Window, AScreenReaderReadsTheWholeDisplayAndTellsTheWindowsApart) {
    type(form, {{"12.5+3\r"}});
    QAccessibleInterface* display = QAccessible::queryAccessibleInterface(&form.display());
    ASSERT_NE(display, nullptr);
    QAccessibleTextInterface* text = display->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(display->text(QAccessible::Name), QStringLiteral("表示"));
    EXPECT_EQ(display->text(QAccessible::Value), QStringLiteral("15.5"));
    EXPECT_EQ(text->text(0, -1), QStringLiteral("15.5"));
    int start = -2, end = -2;
    text->attributes(3, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 4));
    // Left to right inside the display, and found again where they are drawn.
    const QRect first = text->characterRect(0), last = text->characterRect(3);
    EXPECT_TRUE(display->rect().contains(first) && display->rect().contains(last));
    EXPECT_LT(first.right(), last.left());
    EXPECT_EQ(text->offsetAtPoint(last.center()), 3);
    EXPECT_EQ(text->characterRect(4), QRect());

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    type(form, {{"z"}});
    type(*extra_of(form), {{"z"}});
    const auto description = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    };
    EXPECT_EQ(window->role(), QAccessible::Window);  // a frame, which Orca names on return
    EXPECT_EQ(description(&form), QString());
    EXPECT_EQ(description(extra_of(form)), QStringLiteral("2 番目のウィンドウ"));
    EXPECT_EQ(description(extra_of(*extra_of(form))), QStringLiteral("3 番目のウィンドウ"));
}

// Whatever the locale (the tests run in the C locale), the memo box's buttons are Japanese (the
// menu of its field comes from the same translations); OK gives the field's text, Cancel "".
TEST(QtServices, TheMemoBoxIsJapaneseAndGivesTheFieldOnOkOnly) {
    platform::qt::QtServices services;
    QStringList texts;
    const auto answer = [&](bool ok) {
        QTimer::singleShot(0, [&, ok] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (const QAbstractButton* button : box->findChild<QDialogButtonBox*>()->buttons()) {
                texts << button->text();
            }
            ok ? box->accept() : box->reject();
        });
    };
    answer(true);
    EXPECT_EQ(services.input_box("メモ", "Kirune", "12 個"), "12 個");
    answer(false);
    EXPECT_EQ(services.input_box("メモ", "Kirune", "12 個"), "");
    EXPECT_EQ(texts.join(u',').toStdString(), "OK,キャンセル,OK,キャンセル");
}

// The locale's own order and separators, whatever Qt's tables say this year; Kirune's rule is
// only that the year has four digits and the seconds follow the minutes.
TEST(QtServices, DateTimeHasTheFullYearAndSecondsInEveryLocale) {
    const QDateTime when(QDate(2026, 1, 2), QTime(18, 5, 7));
    const QRegularExpression rule(QStringLiteral("2026.* .*05\\D{1,2}07"));
    for (const char* name : {"ja_JP", "en_US", "fi_FI", "de_DE", "C"}) {
        const QString text = platform::qt::date_time_text(when, QLocale(QString::fromLatin1(name)));
        EXPECT_TRUE(rule.match(text).hasMatch()) << name << ": " << text.toStdString();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
