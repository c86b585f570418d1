// The message boxes of the desktop application.
#pragma once

#include "app/user_prompts.h"

class QWidget;

namespace lumetra::app::ui {

class QtUserPrompts final : public UserPrompts {
public:
    // `parent` owns the boxes; it may be set later, when the main window exists.
    explicit QtUserPrompts(QWidget* parent = nullptr)
        : parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(MessageIcon icon, std::string_view text) override;

private:
    QWidget* parent_;
};

} // namespace lumetra::app::ui
