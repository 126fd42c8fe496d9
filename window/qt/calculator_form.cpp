#include "window/qt/calculator_form.h"

#include <algorithm>
#include <variant>

#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPixmap>
#include <QPalette>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QWindow>

#include "platform/colour.h"
#include "platform/form_layout.h"
#include "platform/identity.h"
#include "platform/qt/qt_text.h"
#include "window/qt/twips.h"

// The resources live in this static library, whose own initializer the linker would drop, so
// they are registered by hand. Q_INIT_RESOURCE must be used outside any namespace.
static void register_icon_resources() {
    Q_INIT_RESOURCE(icon);
}

namespace window::qt {

namespace {

QRect pixel_rect(float left, float top, float width, float height) {
    return {position_pixels(left), position_pixels(top), size_pixels(width), size_pixels(height)};
}

// The Japanese Gothic the window was drawn with, or the nearest one installed, asked for by
// itself: Qt then looks for fallback faces only when a character is missing from it. A list,
// or a family that is not installed, costs a fontconfig fallback search at every start.
QFont display_font() {
    QStringList families = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                            QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                            QStringLiteral("Noto Sans CJK JP")};
    const QStringList installed = QFontDatabase::families();
    const auto found = std::find_if(families.cbegin(), families.cend(), [&](const QString& name) {
        return installed.contains(name, Qt::CaseInsensitive);
    });
    if (found != families.cend()) {
        families = QStringList{*found};
    }
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    // Numbers and short memos gain nothing from OpenType shaping, which would first read the
    // face's layout tables; scripts that need it are still shaped.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QColor colour_of(std::uint32_t colour) {
    const auto decoded = platform::decoded_colour(colour);
    if (const auto* system = std::get_if<platform::SystemColour>(&decoded)) {
        // Other system colours are never set; the text box's own background is the nearest.
        return QApplication::palette().color(
            system->index == platform::button_face_index ? QPalette::Button : QPalette::Base);
    }
    const auto& rgb = std::get<platform::Rgb>(decoded);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

CalculatorForm::CalculatorForm(platform::Services& services)
    : CalculatorForm(services, nullptr, 1) {}

CalculatorForm::CalculatorForm(platform::Services& services, platform::Window& Form1, int number)
    : CalculatorForm(services, &Form1, number) {}

CalculatorForm::CalculatorForm(platform::Services& services, platform::Window* Form1, int number)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      services(services),
      number(number),
      Text1(new Display(this)),
      core(services, *this, Form1 != nullptr ? *Form1 : *this, Text1->text_box()) {
    const QString name = platform::qt::to_qstring(platform::program_name);
    setWindowTitle(name);
    // The caption turns into a clock; the name a screen reader gives the window stays. Every
    // window has that name and opens in the same place, so a further one tells its place in
    // the chain ("Kirune. 2 番目のウィンドウ.").
    setAccessibleName(name);
    if (number > 1) {
        setAccessibleDescription(QString::number(number) + QStringLiteral(" 番目のウィンドウ"));
    }
    // The icon is the application's, set once in main(): building it per window would copy
    // the pixels again for every "z".
    // No layout sets a minimum size: a 30-twip window really is 2 pixels wide.
    resize(size_pixels(platform::client_width), size_pixels(platform::client_height));

    Text1->setGeometry(pixel_rect(0, 0, platform::display_width, platform::display_height));
    const QFont font = display_font();
    Text1->setFont(font);
    build_buttons(font);
    setFocusProxy(Text1);
    Text1->setFocus();

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, [this] {
        core.Timer1_Timer();
        Text1->text_box().refresh();
    });

    Text1->attach(core);
    core.Form_Load();
    Text1->text_box().refresh();
}

// The display outlives the core (Qt deletes children last): it must not reach it any more.
CalculatorForm::~CalculatorForm() {
    Text1->detach();
}

void CalculatorForm::build_buttons(const QFont& font) {
    for (std::size_t i = 0; i < platform::button_rows.size(); ++i) {
        const platform::ButtonRow& row = platform::button_rows[i];
        auto* button = new QPushButton(QString::fromUtf8(row.caption), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(pixel_rect(row.left, row.top, row.width, row.height));
        if (row.own_font) {
            button->setFont(font);
        }
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        // Out of sight below the display in any case; hidden, a screen reader does not list
        // seventeen controls nobody can reach, and nothing polishes or paints them.
        button->hide();
        buttons[i] = button;
    }
}

float CalculatorForm::left() const {
    return twips(pos().x());
}
float CalculatorForm::top() const {
    return twips(pos().y());
}
float CalculatorForm::width() const {
    return twips(size().width());
}
float CalculatorForm::height() const {
    return twips(size().height());
}

void CalculatorForm::set_left(float twips) {
    move(position_pixels(twips), pos().y());
}
void CalculatorForm::set_top(float twips) {
    move(pos().x(), position_pixels(twips));
}
void CalculatorForm::set_width(float twips) {
    resize(size_pixels(twips), size().height());
}
void CalculatorForm::set_height(float twips) {
    resize(size().width(), size_pixels(twips));
}

float CalculatorForm::screen_width() const {
    return twips(screen()->geometry().width());
}
float CalculatorForm::screen_height() const {
    return twips(screen()->geometry().height());
}

void CalculatorForm::set_caption(std::string_view caption) {
    setWindowTitle(platform::qt::to_qstring(caption));
}

void CalculatorForm::set_display_colour(std::uint32_t colour) {
    const QColor background = colour_of(colour);
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Window, background);
    Text1->setPalette(palette);
}

bool CalculatorForm::stay_on_top() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CalculatorForm::set_stay_on_top(bool on_top) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
    QWindow* native = windowHandle();
    if (native == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // setWindowFlags would re-create the native window hidden. Shown again, Qt would take it for
    // inactive for good (a box opened afterwards has no owner and never gets the keyboard), and
    // a window manager would see a new window. The window system takes the hint in place.
    overrideWindowFlags(flags);
    native->setFlags(flags);
}

bool CalculatorForm::timer_enabled() const {
    return Timer1.isActive();
}

void CalculatorForm::set_timer_enabled(bool enabled) {
    if (enabled) {
        // Enabling a running timer must not restart its interval.
        if (!Timer1.isActive()) {
            Timer1.start();
        }
    } else {
        Timer1.stop();
    }
}

std::string CalculatorForm::button_caption(std::size_t row) const {
    return buttons.at(row)->text().toStdString();
}

void CalculatorForm::show() {
    QWidget::show();
    raise();
    // Without a window manager nobody else gives the new window the keyboard.
    activateWindow();
    Text1->setFocus();
}

std::unique_ptr<platform::Window> CalculatorForm::create_form() {
    return std::make_unique<CalculatorForm>(services, core.main_window(), number + 1);
}

void CalculatorForm::hide() {
    QWidget::hide();
}

// The core ends the program or hides the window; the close is accepted, so Qt hides it too.
void CalculatorForm::closeEvent(QCloseEvent* event) {
    core.window_closed();
    event->accept();
}

QIcon program_icon() {
    static const bool registered = (register_icon_resources(), true);
    Q_UNUSED(registered);
    // Raw pixels, not PNG: any QImageReader, even one told the format, asks Qt's plugin loader,
    // which opens every image-format plugin at start-up. Window icons are never drawn larger
    // than 64 pixels here; launchers take the large sizes from the installed theme icons.
    const QByteArray pixels =
        QResource(QStringLiteral(":/kirune/window-icon.rgba")).uncompressedData();
    const auto* data = reinterpret_cast<const uchar*>(pixels.constData());
    QIcon icon;
    qsizetype offset = 0;
    for (const int size : {16, 32, 48, 64}) {
        const qsizetype bytes = qsizetype{size} * size * 4;
        if (offset + bytes > pixels.size()) {
            break;
        }
        // The image only borrows the bytes; the pixmap is a copy of its own.
        const QImage image(data + offset, size, size, size * 4, QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(image));
        offset += bytes;
    }
    return icon;
}

}  // namespace window::qt
