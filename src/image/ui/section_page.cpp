#include "image/ui/section_page.h"

#include "core/ui/report_view.h"
#include "image/ui/hex_dump_model.h"

#include <QFontDatabase>
#include <QItemSelectionModel>
#include <QListView>
#include <QSplitter>
#include <QVBoxLayout>

namespace lumetra::image::ui {

namespace {

const std::string& sectionCell(const SectionRow& row, int column)
{
    switch (column) {
    case 0:
        return row.name;
    case 1:
        return row.start;
    case 2:
        return row.end;
    default:
        return row.size;
    }
}

} // namespace

SectionPage::SectionPage(core::SettingsStore& store, QWidget* parent)
    : QWidget(parent)
    , sectionList_(new core::ui::ReportView(store, core::ColumnView::SectionPage))
    , sectionModel_(new SectionTableModel({"Section Name", "Start Address", "End Address", "Size"}, sectionCell, this))
    , hexView_(new QListView)
    , hexModel_(new HexDumpModel(this))
{
    sectionList_->setSelectionMode(QAbstractItemView::SingleSelection);
    sectionList_->setModel(sectionModel_);
    hexView_->setModel(hexModel_);
    hexView_->setUniformItemSizes(true);
    hexView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    hexView_->setSelectionMode(QAbstractItemView::NoSelection);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(sectionList_);
    splitter->addWidget(hexView_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(sectionList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) { showSectionData(current.isValid() ? current.row() : -1); });
}

void SectionPage::showSections(const ProgramImage& image)
{
    image_ = &image;
    hexModel_->clear();
    sectionModel_->setRows(buildSectionRows(image.sections(), image.targetId()));
}

void SectionPage::showSectionData(int row)
{
    if (image_ == nullptr || row < 0 || static_cast<std::size_t>(row) >= image_->sections().size()) {
        hexModel_->clear();
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    hexModel_->setData(image_->sectionData(index), image_->sections()[index].startAddress, image_->targetId());
}

} // namespace lumetra::image::ui
