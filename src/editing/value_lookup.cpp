#include "editing/value_lookup.h"

#include <utility>

#include "editing/fmaker.h"
#include "editing/grid_columns.h"
#include "host/process_objects.h"
#include "platform/text.h"
#include "qelt/dictionary.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/recordset.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/grid.h"
#include "support/shared_settings.h"

namespace qelt::editing {

namespace {

namespace progid = host::progid;

// Columns of the condition grid.

// Base-data classes with a window of their own.
constexpr int32_t kResourcesClass = -103;
constexpr int32_t kIcmoResourcesClass = -102;
constexpr int32_t kBomClass = -101;
constexpr int32_t kRoutingClass = -100;
constexpr int32_t kMaterialClass = 4;
constexpr int32_t kItemClassOfTypes = 5;
constexpr int32_t kCurrencyClass = 12;
constexpr int32_t kAccountClass = 13;
constexpr int32_t kSettlementTypeClass = 130;
// Classes above this are user-defined base data.
constexpr int32_t kLastLedgerClass = 999999;

constexpr int32_t kReturnCode = 1;
constexpr int32_t kReturnName = 2;
constexpr int32_t kShowModal = 1;
constexpr int32_t kShowUserClass = 1;

// Feature and planning classes are no materials a bill can hold.
constexpr const char* kMaterialFilter = "FErpClsID<>6 AND FErpClsID<>8";
constexpr const char* kTypeItemFilter = "FTypeID=502";
constexpr const char* kIcmoTypesOfList36 = "FICMOTypeID in(1055,1054)";
constexpr const char* kIcmoTypesOfList620 = "FICMOTypeID in(1067)";

constexpr const char* kSearchKey = "Search";
constexpr const char* kDataTypeKey = "GetDataType";
constexpr const char* kShowModeKey = "ShowMode";
constexpr const char* kFilterKey = "Filter";
constexpr const char* kFilter1Key = "Filter1";

constexpr const char* kNameField = "FName";
constexpr const char* kBomNumberField = "FBomNumber";
constexpr const char* kRoutingNameField = "FRoutingName";
constexpr const char* kNumberField = "FNumber";
constexpr const char* kIdField = "FID";
constexpr const char* kShortNumberProperty = "FShortNumber";

constexpr const char* kNumberValue = "Number";
constexpr const char* kItemIdValue = "ItemID";
constexpr const char* kNameValue = "Name";

bool InRange(int32_t c, int32_t first, int32_t last) {
    return c >= first && c <= last;
}

bool IsItemClass(int32_t c) {
    return InRange(c, 1, 5) || InRange(c, 7, 10) || c == 14;
}

bool IsAuxiliaryClass(int32_t c) {
    return InRange(c, 20, 129) || InRange(c, 131, 999) || InRange(c, 10000, kLastLedgerClass);
}

bool IsBaseListClass(int32_t c) {
    return c == -17 || c == -15 || c == -5 || c == 6;
}

// The first row's `field` as text; nothing when the set holds no row.
std::optional<std::string> FirstRowText(const RecordsetPtr& rs, const char* field) {
    if (!rs || rs->recordCount() < 1) return std::nullopt;
    rs->moveFirst();
    return rs->value(field).toString();
}

std::string IcmoTypeFilter(int32_t listId) {
    if (listId == 36) return kIcmoTypesOfList36;
    if (listId == 620) return kIcmoTypesOfList620;
    return {};
}

std::string ItemFilter(int32_t c, int32_t listId) {
    if (c == kItemClassOfTypes && (listId == 4 || listId == 14 || listId == 22))
        return kTypeItemFilter;
    if (c == kMaterialClass) return kMaterialFilter;
    return {};
}

std::optional<std::string> BaseListLookup(int32_t c, const std::string& value,
                                          const std::string& baseInfo) {
    auto list = host::Create<host::IBaseList>(progid::kBaseList);
    list->setKeyWord(value);
    const int16_t number = Variant(text::Piece(baseInfo, 2, "|", false)).toInteger();
    return FirstRowText(list->Show(number, static_cast<int16_t>(c)), kNameField);
}

std::optional<std::string> ResourcesLookup(int32_t c, int32_t listId) {
    auto browser = host::Create<host::IResourcesBrowser>(progid::kResourcesBrowser);
    const bool icmo = c == kIcmoResourcesClass;
    browser->setShowType(icmo ? 1 : 0);
    browser->setShowMode(kShowModal);
    browser->setFilter(icmo ? IcmoTypeFilter(listId) : std::string());
    browser->Show();
    return FirstRowText(browser->Result(), kNameField);
}

std::optional<std::string> BomLookup() {
    Dictionary options;
    options.add(kShowModeKey, kShowModal);
    options.add(kFilterKey, std::string());
    options.add(kFilter1Key, std::string());
    auto bom = host::Create<host::IBomInfo>(progid::kBomInfo);
    return FirstRowText(bom->GetBomList(options), kBomNumberField);
}

std::optional<std::string> RoutingLookup(const std::string& systemName) {
    auto view = host::Create<host::IRoutingView>(progid::kRoutingView);
    view->setSystemName(systemName);
    view->Show();
    return FirstRowText(view->Result(), kRoutingNameField);
}

std::optional<std::string> SpecialClassLookup(int32_t c, const std::string& value, int32_t listId,
                                              const std::string& baseInfo,
                                              const std::string& systemName) {
    if (IsBaseListClass(c)) return BaseListLookup(c, value, baseInfo);
    switch (c) {
        case kResourcesClass:
        case kIcmoResourcesClass:
            return ResourcesLookup(c, listId);
        case kBomClass:
            return BomLookup();
        case kRoutingClass:
            return RoutingLookup(systemName);
        default:
            return std::nullopt;
    }
}

std::shared_ptr<host::IGLView> LedgerView() {
    return host::ProcessObjectAs<host::IGLView>(progid::kGLView);
}

// Null when the class has no ledger look-up.
host::LookupResultPtr LedgerLookup(const LookupField& field, const std::string& value,
                                   int32_t listId) {
    int32_t c = field.LookUpClsID;
    if (IsItemClass(c)) {
        std::string filter = ItemFilter(c, listId);
        Dictionary settings;
        settings.add(kSearchKey, value);
        settings.add(kDataTypeKey, field.RetDataType);
        return LedgerView()->ItemLookup(c, value, filter, settings);
    }
    if (c == kCurrencyClass) return LedgerView()->CurrencyLookup();
    if (c == kAccountClass) return LedgerView()->AccountLookup();
    if (c == kSettlementTypeClass) return LedgerView()->SettTypeLookup();
    if (IsAuxiliaryClass(c)) {
        std::string filter;
        return LedgerView()->SubMesLookup(c, Variant(), filter);
    }
    return nullptr;
}

std::optional<std::string> LedgerItemText(const LookupField& field, const std::string& value,
                                          int32_t listId) {
    auto result = LedgerLookup(field, value, listId);
    auto item = result ? result->ReturnObject() : nullptr;
    if (!item) return std::nullopt;
    if (field.RetDataType == kReturnCode) {
        if (text::IEquals(field.FieldName, kShortNumberProperty))
            return item->Properties(kShortNumberProperty).toString();
        return item->Number();
    }
    if (field.RetDataType == kReturnName) return text::Trim(item->Name());
    return std::nullopt;
}

std::optional<std::string> UserClassText(const LookupField& field) {
    auto item = LookUpNewClassBase(field.LookUpClsID, kShowUserClass, Variant(std::string()));
    if (!item) return std::nullopt;
    if (field.RetDataType == kReturnCode) return item->GetValue(kNumberValue).toString();
    return text::Trim(item->GetValue(kNameValue).toString());
}

}  // namespace

std::optional<std::string> LookUpValue(const LookupField& field, const std::string& value,
                                       int32_t listId, const std::string& baseInfo,
                                       const std::string& systemName) {
    const int32_t c = field.LookUpClsID;
    try {
        if (c == 6 || c < 1) return SpecialClassLookup(c, value, listId, baseInfo, systemName);
        if (c > kLastLedgerClass) return UserClassText(field);
        return LedgerItemText(field, value, listId);
    } catch (const Error&) {
        return std::nullopt;
    }
}

bool KeyForHelpWin(const LookupField& field, ui::Grid& grid, int32_t row, int32_t listId,
                   const std::string& baseInfo, const std::string& systemName) {
    if (grid.comboIndex(row, ConditionCol::Field) <= 0) return false;
    auto text =
        LookUpValue(field, grid.text(row, ConditionCol::Value), listId, baseInfo, systemName);
    if (!text) return false;
    grid.setText(row, ConditionCol::Value, *text);
    return true;
}

ClassLookupResult::ClassLookupResult(Variant number, Variant itemId, Variant name)
    : number_(std::move(number)), itemId_(std::move(itemId)), name_(std::move(name)) {}

Variant ClassLookupResult::GetValue(const std::string& name) const {
    if (name == kNumberValue) return number_;
    if (name == kItemIdValue) return itemId_;
    if (name == kNameValue) return name_;
    return Variant();
}

std::shared_ptr<const ClassLookupResult> LookUpNewClassBase(int32_t pClassID, int32_t pShowType,
                                                            const Variant&) {
    auto lookup = host::Create<host::ISingleBillLookUp>(progid::kSingleBillLookUp);
    lookup->setClassTypeID(pClassID);
    lookup->setShowType(pShowType);
    auto rs = lookup->Show();
    if (!rs || rs->recordCount() < 1) return nullptr;
    rs->moveFirst();
    if (text::IsBlank(rs->value(kNumberField).toString(""))) return nullptr;
    return std::make_shared<ClassLookupResult>(rs->value(kNumberField), rs->value(kIdField),
                                               rs->value(kNameField));
}

// F7 in a condition row: the look-up that fits the row's field.
void FMaker::KeyForHelpWin(int32_t Row, int16_t /*OptID*/, int32_t* m_ListID) {
    if (!conditionGrid_) return;
    const int index = conditionGrid_->comboIndex(Row, ConditionCol::Field);
    if (index <= 0 || index >= static_cast<int>(fields_.size())) return;
    const clsChatTitle& entry = fields_[static_cast<size_t>(index)];
    const LookupField field{entry.LookUpClsID, entry.RetDataType, entry.FieldName};
    const int32_t listId = m_ListID ? *m_ListID : MyListID;
    editing::KeyForHelpWin(field, *conditionGrid_, Row, listId, support::Shared().BaseInfo,
                           SystemName);
}

void FMaker::ConditionKeyDown(int keyCode, int32_t listId) {
    if (!conditionGrid_ || keyCode != ui::kKeyF7) return;
    if (conditionGrid_->activeCol() != ConditionCol::Value) return;
    KeyForHelpWin(conditionGrid_->activeRow(), 1, &listId);
}

}  // namespace qelt::editing
