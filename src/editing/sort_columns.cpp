#include <charconv>
#include <span>
#include <string>

#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/grid_columns.h"
#include "platform/numbers.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/ui/controls.h"

namespace qelt::editing {

namespace {

constexpr const char* kItemSeparator = "|*|";
constexpr std::size_t kCaptionPadding = 500;
constexpr const char* kAscending = " ASC ";
constexpr const char* kDescending = " DESC ";
constexpr const char* kTicked = "1";
constexpr double kTwipsPerMillimetre = 56.7;

// A width as decimal text with fifteen significant digits, so that a width
// computed in binary reads as it was typed (567, not 566.99999999999989).
std::string WidthText(double twips) {
    char buffer[64];
    return std::string(
        buffer,
        std::to_chars(buffer, buffer + sizeof buffer, twips, std::chars_format::general, 15).ptr);
}

// The number in a cell; a blank cell counts as 0. Raises Error otherwise.
double CellNumber(const std::string& cell) {
    std::string trimmed = text::Trim(cell);
    return trimmed.empty() ? 0.0 : Variant(trimmed).toDouble();
}

}  // namespace

void FMaker::LoadOrderFields(ui::ListBox& cboOrderFields) {
    cboOrderFields.clear();
    for (std::size_t i = 1; i < fields_.size(); ++i) {
        const clsChatTitle& f = fields_[i];
        if (!f.VisForOrderBy) continue;
        const std::string id = text::Num(f.InterID);
        std::string item;
        item.reserve(f.Desc.size() + kCaptionPadding + id.size() + f.ColName.size() +
                     f.FieldName.size() + f.TableName.size() + f.TableAlias.size() + 12);
        item.append(f.Desc).append(kCaptionPadding, ' ').append(id);
        for (const std::string* piece : {&f.ColName, &f.FieldName, &f.TableName, &f.TableAlias})
            item.append(kItemSeparator).append(*piece);
        cboOrderFields.addItem(std::move(item));
    }
}

bool FMaker::InitHideColumns() {
    if (!columnGrid_ || !catalogue_ || catalogue_->recordCount() == 0) return false;
    using F = CatalogueField;
    ui::Grid& grid = *columnGrid_;
    grid.setMaxRows(catalogue_->recordCount());
    int32_t placed = 0;
    for (catalogue_->moveFirst(); !catalogue_->eof(); catalogue_->moveNext()) {
        const std::span<const Variant> c = catalogue_->currentRow();
        const int32_t visible = c[F::Visible].toLong();
        if (visible != 1 || c[F::InterID].toLong() < 0) continue;
        const int32_t row = ++placed;
        std::string caption = c[F::ColCaption].toString("");
        if (text::EndsWith(caption, "$")) {
            caption.pop_back();
            catalogue_->setValue(F::ColCaption, caption);
        }
        catalogue_->setValue(F::Index, row);
        cells::SetStatic(grid, row, ColumnCol::Caption, caption);
        cells::SetStatic(grid, row, ColumnCol::SecondCaption, "");
        cells::SetCheck(grid, row, ColumnCol::Shown, visible != 0);
        cells::SetEdit(grid, row, ColumnCol::Width, c[F::ColWidth].toString(""));
        cells::SetEdit(grid, row, ColumnCol::Index, text::Num(row));
        cells::MakeList(grid, row, ColumnCol::Alignment, kAlignmentList);
        grid.setComboIndex(row, ColumnCol::Alignment, 0);
        cells::SetEdit(grid, row, ColumnCol::FieldName, c[F::FieldName].toString(""));
        cells::SetEdit(grid, row, ColumnCol::Alias, c[F::ColName].toString(""));
        cells::SetEdit(grid, row, ColumnCol::TableName, c[F::TableName].toString(""));
        cells::SetEdit(grid, row, ColumnCol::TableAlias, c[F::TableAlias].toString(""));
    }
    catalogue_->setFilter("");
    grid.setMaxRows(placed);
    return true;
}

std::shared_ptr<Collection<clsSortElement>> FMaker::getOrderbyElements(ui::Grid& ctlSpread,
                                                                       bool* bReturn) {
    auto elements = std::make_shared<Collection<clsSortElement>>();
    const int32_t rows = ctlSpread.maxRows();
    for (int32_t r = 1; r <= rows; ++r) {
        std::string alias = ctlSpread.text(r, SortCol::Alias);
        if (alias.empty()) break;
        auto e = std::make_shared<clsSortElement>();
        e->sFieldAlias = alias;
        e->sFieldName = ctlSpread.text(r, SortCol::FieldName);
        e->sTableAlias = ctlSpread.text(r, SortCol::TableAlias);
        e->sTableName = ctlSpread.text(r, SortCol::TableName);
        if (ctlSpread.text(r, SortCol::Ascending) == kTicked) e->SortType = kAscending;
        if (ctlSpread.text(r, SortCol::Descending) == kTicked) e->SortType = kDescending;
        elements->push_back(std::move(e));
    }
    if (bReturn) *bReturn = true;
    return elements;
}

std::shared_ptr<Collection<clsHidenElement>> FMaker::getHidenElements(ui::Grid& ctlSpread,
                                                                      bool* bReturn) {
    if (bReturn) *bReturn = false;
    auto elements = std::make_shared<Collection<clsHidenElement>>();
    const int32_t rows = ctlSpread.maxRows();
    try {
        for (int32_t r = 1; r <= rows; ++r) {
            auto e = std::make_shared<clsHidenElement>();
            e->lIndex = r;
            e->sCaption = ctlSpread.text(r, ColumnCol::Caption);
            e->lVisible = static_cast<int32_t>(CellNumber(ctlSpread.text(r, ColumnCol::Shown)));
            e->dColWidth = CellNumber(ctlSpread.text(r, ColumnCol::Width)) * kTwipsPerMillimetre;
            e->FColWidth = WidthText(e->dColWidth);
            e->FColAlign = text::Num(ctlSpread.comboIndex(r, ColumnCol::Alignment));
            e->sFieldName = ctlSpread.text(r, ColumnCol::FieldName);
            e->sFieldAlias = ctlSpread.text(r, ColumnCol::Alias);
            e->sTableName = ctlSpread.text(r, ColumnCol::TableName);
            e->sTableAlias = ctlSpread.text(r, ColumnCol::TableAlias);
            if (e->lVisible == 1) elements->push_back(std::move(e));
        }
    } catch (const Error&) {
        // A cell that does not read as a number spoils the whole layout.
        return nullptr;
    }
    if (bReturn) *bReturn = true;
    return elements;
}

}  // namespace qelt::editing
