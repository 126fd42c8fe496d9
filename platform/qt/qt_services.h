#pragma once

#include <memory>

#include "platform/services.h"

class QTranslator;

namespace platform::qt {

// The program's services on Qt: real message and input boxes, the system beep, the local
// clock and locale. One per program, created in main() after the QApplication. What Qt itself
// writes into a box is Japanese, whatever the user's locale, as in the rest of the program.
class QtServices : public Services {
public:
    QtServices();
    ~QtServices() override;
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    void message_box(std::string_view message, BoxStyle style, std::string_view title) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override;
    void beep() override;
    std::string now_text() override;
    void end_program() override;
    bool program_ending() const override { return ending; }
    std::string clipboard_text() override;
    void set_clipboard_text(std::string_view text) override;

private:
    std::unique_ptr<QTranslator> box_texts;
    bool ending = false;
};

}  // namespace platform::qt
