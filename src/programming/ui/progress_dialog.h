// The progress dialog of a programming run: step caption, "%d%%, %.1f sec", the bar and the Cancel/OK button,
// drawn from the progress model; the run reaches it only through the progress port.
#pragma once

#include "programming/progress_model.h"
#include "programming/progress_port.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace lumetra::programming::ui {

class EraseWindow;

class ProgressDialog : public QDialog, public ProgressPort {
    Q_OBJECT

public:
    explicit ProgressDialog(QWidget* owner);

    void showProgress() override;
    void setStep(std::string_view caption) override;
    void setRange(std::uint64_t total) override;
    void setPosition(std::uint64_t position) override;
    bool cancelRequested() override;
    void setButtonEnabled(bool enabled) override;
    void beginErase() override;
    void endErase() override;
    void showResult(RunResult result) override;

    const ProgressModel& model() const { return model_; }
    EraseWindow& eraseWindow() { return *erase_; }

private:
    void render();
    void pressButton();
    void centreOnOwner(QWidget* window);

    ProgressModel model_;
    QLabel* caption_ = nullptr;
    QLabel* percent_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* button_ = nullptr;
    QTimer* closing_ = nullptr;
    EraseWindow* erase_ = nullptr;
};

} // namespace lumetra::programming::ui
