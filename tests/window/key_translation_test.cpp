#include <QtTest>

#include "window/key_translation.h"

using namespace window;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {
constexpr int types_nothing = -1;
}

class KeyTranslationTest : public QObject {
    Q_OBJECT

private slots:
    void stroke_gives_key_down_and_key_press_data();
    void stroke_gives_key_down_and_key_press();
};

void KeyTranslationTest::stroke_gives_key_down_and_key_press_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("typed");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;

    // The key-down keys.
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << 46 << 0 << types_nothing;
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << "\x7f" << 46 << 1
                                  << types_nothing;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << "-" << 109 << 0 << int('-');
    QTest::newRow("Ctrl+keypad minus types nothing")
        << int(Qt::Key_Minus) << (ctrl | keypad) << "-" << 109 << 2 << types_nothing;
    QTest::newRow("main minus is not the keypad's")
        << int(Qt::Key_Minus) << none << "-" << 189 << 0 << int('-');
    QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << 112 << 0 << types_nothing;
    QTest::newRow("Shift+F7") << int(Qt::Key_F7) << shift << "" << 118 << 1 << types_nothing;
    QTest::newRow("Ctrl+Alt+F3") << int(Qt::Key_F3) << (ctrl | alt) << "" << 114 << 6
                                 << types_nothing;
    QTest::newRow("Shift+Ctrl+F12")
        << int(Qt::Key_F12) << (shift | ctrl) << "" << 123 << 3 << types_nothing;
    QTest::newRow("Meta does not count")
        << int(Qt::Key_F2) << Qt::KeyboardModifiers(Qt::MetaModifier) << "" << 113 << 0
        << types_nothing;

    // Keys that type a control character.
    QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << 13 << 0 << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << "\r" << 13 << 0 << 13;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << 8 << 0 << 8;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << 27 << 0 << 27;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << " " << 32 << 0 << 32;
    QTest::newRow("Shift+Space") << int(Qt::Key_Space) << shift << " " << 32 << 1 << 32;
    QTest::newRow("Tab types nothing")
        << int(Qt::Key_Tab) << none << "\t" << 9 << 0 << types_nothing;

    // Printable characters: the text decides, not the key.
    QTest::newRow("lower-case letter") << int(Qt::Key_N) << none << "n" << 78 << 0 << int('n');
    QTest::newRow("upper-case letter") << int(Qt::Key_N) << shift << "N" << 78 << 1 << int('N');
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << 55 << 0 << int('7');
    QTest::newRow("keypad digit") << int(Qt::Key_7) << keypad << "7" << 103 << 0 << int('7');
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << "+" << 107 << 0 << int('+');
    QTest::newRow("keypad star") << int(Qt::Key_Asterisk) << keypad << "*" << 106 << 0 << int('*');
    QTest::newRow("keypad slash") << int(Qt::Key_Slash) << keypad << "/" << 111 << 0 << int('/');
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << "." << 110 << 0 << int('.');
    QTest::newRow("keypad decimal comma")
        << int(Qt::Key_Comma) << keypad << "," << 110 << 0 << int('.');
    QTest::newRow("main comma stays a comma")
        << int(Qt::Key_Comma) << none << "," << 188 << 0 << int(',');
    // A Japanese input method may send full-width digits and operators: they are the keys.
    QTest::newRow("full-width plus") << int(Qt::Key_unknown) << none << "＋" << 0 << 0 << int('+');
    QTest::newRow("full-width seven") << int(Qt::Key_unknown) << none << "７" << 0 << 0 << int('7');
    QTest::newRow("full-width point") << int(Qt::Key_unknown) << none << "．" << 0 << 0 << int('.');
    QTest::newRow("full-width slash") << int(Qt::Key_unknown) << none << "／" << 0 << 0 << int('/');
    QTest::newRow("full-width letter stays")
        << int(Qt::Key_unknown) << none << "ａ" << 0 << 0 << int(u'ａ');
    // Only Ctrl+C, Ctrl+T and Ctrl+V type their control characters.
    QTest::newRow("Ctrl+C copies") << int(Qt::Key_C) << ctrl << "\x03" << 67 << 2 << 3;
    QTest::newRow("Ctrl+T stays on top") << int(Qt::Key_T) << ctrl << "\x14" << 84 << 2 << 20;
    QTest::newRow("Ctrl+V pastes") << int(Qt::Key_V) << ctrl << "\x16" << 86 << 2 << 22;
    QTest::newRow("Ctrl+H types nothing")
        << int(Qt::Key_H) << ctrl << "\x08" << 72 << 2 << types_nothing;
    QTest::newRow("Ctrl+M types nothing")
        << int(Qt::Key_M) << ctrl << "\x0d" << 77 << 2 << types_nothing;
    QTest::newRow("Ctrl+Shift+V types nothing")
        << int(Qt::Key_V) << (ctrl | shift) << "\x16" << 86 << 3 << types_nothing;
    QTest::newRow("Alt+x types nothing")
        << int(Qt::Key_X) << alt << "x" << 88 << 4 << types_nothing;
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << 37 << 0 << types_nothing;
}

void KeyTranslationTest::stroke_gives_key_down_and_key_press() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(int, shift);
    QFETCH(int, typed);

    QCOMPARE(int(key_code(key, modifiers)), code);
    QCOMPARE(shift_state(modifiers), shift);
    const std::optional<char16_t> character = typed_character(key, modifiers, text);
    QCOMPARE(character ? int(*character) : types_nothing, typed);
}

QTEST_APPLESS_MAIN(KeyTranslationTest)
#include "key_translation_test.moc"
