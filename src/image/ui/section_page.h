// The section page of the message window ("섹션 정보"): the sections of the loaded program above a hexadecimal
// view of the selected section's data.
#pragma once

#include "core/settings_store.h"
#include "core/ui/row_table_model.h"
#include "image/program_image.h"
#include "image/section_rows.h"

#include <QWidget>

class QListView;

namespace lumetra::core::ui {
class ReportView;
}

namespace lumetra::image::ui {

class HexDumpModel;
using SectionTableModel = core::ui::RowTableModel<SectionRow>;

class SectionPage : public QWidget {
    Q_OBJECT

public:
    explicit SectionPage(core::SettingsStore& store, QWidget* parent = nullptr);

    // Shows the sections of `image`, which must stay alive until the next call (every load calls it again).
    void showSections(const ProgramImage& image);

    core::ui::ReportView* sectionList() const { return sectionList_; }
    SectionTableModel* sectionModel() const { return sectionModel_; }
    HexDumpModel* hexModel() const { return hexModel_; }

private:
    void showSectionData(int row);

    const ProgramImage* image_ = nullptr;
    core::ui::ReportView* sectionList_;
    SectionTableModel* sectionModel_;
    QListView* hexView_;
    HexDumpModel* hexModel_;
};

} // namespace lumetra::image::ui
