// The notice after a flash download: the program is in flash, switch the board to flash boot. Closes itself.
#pragma once

#include "programming/download_command.h"

#include <QDialog>

class QTimer;

namespace lumetra::programming::ui {

inline constexpr int kNoticeCloseMs = 1000;

class FlashNoticeWindow : public QDialog, public FlashNotice {
    Q_OBJECT

public:
    explicit FlashNoticeWindow(QWidget* owner);
    // Centred on the owner; closed after 1000 ms.
    void show() override;

private:
    QTimer* closing_ = nullptr;
};

} // namespace lumetra::programming::ui
