// "Flash Erasing..." with a running bar while the flash algorithm erases.
#pragma once

#include <QDialog>

namespace lumetra::programming::ui {

class EraseWindow : public QDialog {
    Q_OBJECT

public:
    explicit EraseWindow(QWidget* owner);
};

} // namespace lumetra::programming::ui
