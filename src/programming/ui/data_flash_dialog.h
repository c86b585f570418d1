// The data-flash dialog: log box, "%d %%" text, bar and the "취소"/"확인" button, drawn from the dialog model. The
// worker thread reaches it only through the port, whose calls are queued to the user interface thread.
#pragma once

#include "core/ui/ui_thread_queue.h"
#include "programming/data_flash_command.h"
#include "programming/data_flash_dialog_model.h"
#include "programming/data_flash_dialog_port.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace lumetra::programming::ui {

class DataFlashDialog : public QDialog, public DataFlashDialogPort, public DataFlashDialogHost {
    Q_OBJECT

public:
    explicit DataFlashDialog(QWidget* owner);

    // Once shown the dialog starts the run with `start`; its "취소" calls `cancel`.
    void setRunHandlers(std::function<void(DataFlashJob)> start, std::function<void()> cancel);

    // DataFlashDialogHost, on the user interface thread.
    void runModal(std::string_view title, DataFlashJob job) override;

    // DataFlashDialogPort, from the worker thread.
    void setRange(std::uint64_t total) override;
    void setPosition(std::uint64_t position) override;
    void log(std::string_view line) override;
    void setButtonEnabled(bool enabled) override;
    void finish(DataFlashResult result) override;

    const DataFlashDialogModel& model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void onUiThread(std::function<void()> change);
    void render();
    void pressButton();

    DataFlashDialogModel model_;
    std::optional<DataFlashJob> pending_;
    std::function<void(DataFlashJob)> start_;
    std::function<void()> cancel_;
    QPlainTextEdit* log_ = nullptr;
    QLabel* percent_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* button_ = nullptr;
    QTimer* closing_ = nullptr;
    core::ui::UiThreadQueue uiThread_;
};

} // namespace lumetra::programming::ui
