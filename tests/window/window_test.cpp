#include <vector>

#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <gtest/gtest.h>

#include "platform/qt/date_time_text.h"
#include "platform/qt/qt_services.h"
#include "tests/support/fake_services.h"
#include "window/calculator_form.h"

using support::FakeServices;
using window::CalculatorForm;

namespace {

// One key stroke as X11 delivers it (Ctrl+H types "\b"), or plain characters typed in turn.
struct Stroke {
    Stroke(const char* plain) : plain(plain) {}  // NOLINT: rows read as scripts
    Stroke(int key, Qt::KeyboardModifiers modifiers, const char16_t* text = u"")
        : key(key), modifiers(modifiers), text(QString::fromUtf16(text)) {}
    const char* plain = "";
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// Through the window system, as the platform hands keys over: shortcuts are tried first.
void type(CalculatorForm& form, const std::vector<Stroke>& strokes) {
    for (const Stroke& stroke : strokes) {
        for (const char* c = stroke.plain; *c != '\0'; ++c) {
            const int key = *c == '\r' ? int(Qt::Key_Return) : QChar(*c).toUpper().unicode();
            QTest::sendKeyEvent(QTest::Click, form.windowHandle(), Qt::Key(key),
                                QString(QChar(*c)), Qt::NoModifier);
        }
        if (stroke.key != 0) {
            QTest::sendKeyEvent(QTest::Click, form.windowHandle(), Qt::Key(stroke.key),
                                stroke.text, stroke.modifiers);
        }
    }
}

CalculatorForm* extra_of(CalculatorForm& form) {
    return dynamic_cast<CalculatorForm*>(form.core.extra_window.get());
}

constexpr Qt::KeyboardModifiers none = Qt::NoModifier, kp = Qt::KeypadModifier,
                                shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                                alt = Qt::AltModifier;

struct KeyCase {
    std::vector<Stroke> strokes;
    std::string display;
    int ends = 0;
    std::string clipboard = "7";
};

TEST(Window, QtKeyStrokesReachTheKeyMap) {
    const KeyCase cases[] = {
        {{"12", {Qt::Key_H, ctrl, u"\b"}, {Qt::Key_M, ctrl, u"\r"}}, "12"},
        {{"25", {Qt::Key_Minus, ctrl | kp, u"-"}, "3"}, "-253"},  // no subtraction typed too
        {{"25", {Qt::Key_Minus, ctrl, u"-"}, "3"}, "253"},
        {{"9", {Qt::Key_Minus, kp, u"-"}, "4", {Qt::Key_Enter, kp, u"\r"}}, "5"},
        {{"1", {Qt::Key_Comma, kp, u","}, "5"}, "1.5"},
        {{"5+", {Qt::Key_unknown, none, u"７"}, "\r"}, "12"},
        {{"123", {Qt::Key_Delete, shift, u"\x7f"}}, "12"},
        {{"123", {Qt::Key_Delete, none, u"\x7f"}, "4"}, "4"},
        {{"4", {Qt::Key_F5, none}, "c", {Qt::Key_F5, shift}}, "4"},
        {{"4", {Qt::Key_F5, none}, {Qt::Key_F3, ctrl | alt}, {Qt::Key_F5, shift}}, "0"},
        {{"1", {Qt::Key_Tab, none, u"\t"}, {Qt::Key_Backtab, shift, u"\t"}, "2"}, "12"},
        {{"12", {Qt::Key_A, ctrl, u"\x01"}, {Qt::Key_X, ctrl, u"\x18"}, {Qt::Key_Z, ctrl, u"\x1a"}},
         "12"},
        {{"3+", {Qt::Key_V, ctrl, u"\x16"}, "\r"}, "10"},
        {{"3+", {Qt::Key_Insert, shift}, "\r"}, "10"},
        {{"42", {Qt::Key_C, ctrl, u"\x03"}, "+1\r"}, "43", 0, "42"},
        {{"42", {Qt::Key_Insert, ctrl}}, "42", 0, "42"},
        {{{Qt::Key_X, alt, u"x"}, {Qt::Key_X, ctrl, u"\x18"}, {Qt::Key_Escape, alt, u"\x1b"}}, "0"},
        {{"x"}, "0", 1},
        {{{Qt::Key_Escape, none, u"\x1b"}}, "0", 1},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.display + (c.strokes[0].plain));
        FakeServices services;
        services.clipboard = "7";
        CalculatorForm form(services);
        form.show();
        type(form, c.strokes);
        EXPECT_EQ(form.display().text().toStdString(), c.display);
        EXPECT_EQ(services.end_calls, c.ends);
        EXPECT_EQ(services.clipboard, c.clipboard);
        EXPECT_EQ(QApplication::focusWidget(), &form.display());
    }
}

TEST(Window, TwipsBecomePixelsAndTheButtonsStayHidden) {
    FakeServices services;
    CalculatorForm form(services);
    form.show();
    EXPECT_EQ(form.size(), QSize(90, 17));
    EXPECT_EQ(form.display().geometry(), QRect(0, 0, 90, 17));
    type(form, {"s"});
    EXPECT_EQ(form.size(), QSize(2, 2));
    EXPECT_EQ(form.width(), 30.0F);
    type(form, {"d"});
    EXPECT_EQ(form.size(), QSize(90, 17));
    const auto buttons = form.findChildren<QPushButton*>();
    EXPECT_EQ(buttons.size(), 17);
    for (const QPushButton* button : buttons) {
        EXPECT_TRUE(button->isHidden() && !button->isEnabled()) << button->objectName().data();
    }
}

TEST(Window, DisplayNeverEditsItself) {
    FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(form, {"12"});
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("5"));
    QApplication::sendEvent(&form.display(), &composed);
    QMimeData dragged;
    dragged.setText(QStringLiteral("99"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form.display(), &drop);
    bool menu_opened = false;
    QTimer::singleShot(200, [&] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            menu_opened = true;
            menu->close();
        }
    });
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(&form.display(), &right_click);
    EXPECT_FALSE(menu_opened);
    EXPECT_EQ(form.display().text(), QStringLiteral("12"));
}

TEST(Window, CtrlTStaysOnTopInPlace) {
    FakeServices services;
    CalculatorForm form(services);
    form.show();
    form.move(300, 200);
    for (const bool on_top : {true, false}) {
        type(form, {{Qt::Key_T, ctrl, u"\x14"}});
        EXPECT_EQ(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on_top);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.geometry(), QRect(300, 200, 90, 17));
    }
}

TEST(Window, ClosingHidesAFurtherWindowAndEndsTheProgramFromTheMain) {
    FakeServices services;
    CalculatorForm form(services);
    form.show();
    type(form, {"z"});
    CalculatorForm* extra = extra_of(form);
    ASSERT_NE(extra, nullptr);
    type(*extra, {"7"});
    extra->close();
    EXPECT_FALSE(extra->isVisible());
    EXPECT_EQ(services.end_calls, 0);
    type(form, {"z"});
    EXPECT_EQ(extra_of(form), extra);
    EXPECT_TRUE(extra->isVisible());
    EXPECT_EQ(extra->display().text(), QStringLiteral("7"));
    form.close();
    EXPECT_EQ(services.end_calls, 1);
}

// LeakSanitizer checks at exit that the chain went with its first window.
TEST(Window, ChainOfTwoHundredFurtherWindows) {
    FakeServices services;
    {
        CalculatorForm form(services);
        form.show();
        CalculatorForm* last = &form;
        for (int i = 0; i < 200 && last != nullptr; ++i) {
            type(*last, {"z"});
            last = extra_of(*last);
        }
        EXPECT_EQ(QApplication::topLevelWidgets().size(), 201);
    }
    EXPECT_EQ(QApplication::topLevelWidgets().size(), 0);
}

TEST(QtServices, BoxesTitledExactlyKirune) {
    QString seen;
    const auto answer_with = [&](Qt::Key key) {
        QTimer::singleShot(100, [&, key] {
            QWidget* box = QApplication::activeModalWidget();
            seen = box->windowTitle() + u'|' + box->findChild<QLabel*>("qt_msgbox_label")->text();
            QTest::keyClick(box, key);
        });
    };
    platform::qt::QtServices services;
    answer_with(Qt::Key_Return);
    services.message_box("0 で割ることはできません。", platform::BoxStyle::critical, "Kirune");
    EXPECT_EQ(seen, QStringLiteral("Kirune|0 で割ることはできません。"));
}

TEST(QtServices, DateTimeFollowsTheLocaleWithFullYearAndSeconds) {
    const QDateTime when(QDate(2026, 1, 2), QTime(18, 5, 7));
    EXPECT_EQ(platform::qt::date_time_text(when, QLocale("ja_JP")), "2026/01/02 18:05:07");
    EXPECT_EQ(platform::qt::date_time_text(when, QLocale("en_US")), "1/2/2026 6:05:07 PM");
    EXPECT_EQ(platform::qt::date_time_text(when, QLocale("fi_FI")), "2.1.2026 18.05.07");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
