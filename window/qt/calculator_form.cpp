#include "window/qt/calculator_form.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QPushButton>

#include "platform/form_layout.h"
#include "platform/identity.h"
#include "platform/qt/qt_text.h"
#include "window/qt/accessibility.h"

namespace window::qt {

namespace {

QRect pixel_rect(float left, float top, float width, float height) {
    return {scale().position(left), scale().position(top), scale().size(width),
            scale().size(height)};
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

}  // namespace

CalculatorForm::CalculatorForm(platform::Services& services, const input::FormCore* opener)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      services(services),
      Text1(new Display(this)),
      core(services, *this, Text1->text_box(), opener) {
    setWindowTitle(platform::qt::to_qstring(platform::program_name));
    keep_accessible_name(*this, core.accessible_description());
    // The icon is the application's, set once in main(): building it per window would copy
    // the pixels again for every "z".
    // No layout sets a minimum size: a 30-twip window really is 2 pixels wide.
    resize(scale().size(platform::client_width), scale().size(platform::client_height));

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

std::unique_ptr<platform::Window> CalculatorForm::create_form() {
    return std::make_unique<CalculatorForm>(services, &core);
}

// The core ends the program or hides the window; the close is accepted, so Qt hides it too.
void CalculatorForm::closeEvent(QCloseEvent* event) {
    core.window_closed();
    event->accept();
}

}  // namespace window::qt
