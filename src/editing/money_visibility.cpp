#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "editing/fmaker.h"
#include "host/process_objects.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "support/shared_settings.h"

namespace qelt::editing {

namespace {

// Transaction types whose money columns are always visible.
constexpr std::array<int32_t, 14> kAlwaysVisibleTypes = {4,   14,  20,  22,  24,  25,  101,
                                                         102, 103, 137, 610, 630, 620, 36};

struct RightsObject {
    int32_t type;
    int32_t number;
};

struct RightsEntry {
    std::initializer_list<int32_t> transTypes;
    RightsObject object;
};

// The rights object that guards the money columns of each transaction type.
const RightsEntry kRightsObjects[] = {
    {{1, 99}, {1089, 1}}, {{2}, {1089, 2}},           {{5}, {1089, 3}},
    {{7}, {1089, 4}},     {{39}, {1089, 0}},          {{8, 10}, {1090, 1}},
    {{11}, {1090, 2}},    {{6, 15}, {1090, 3}},       {{16}, {1090, 4}},
    {{40}, {1090, 0}},    {{25}, {1088, 1}},          {{26}, {1088, 2}},
    {{27}, {1088, 3}},    {{29, 30, 42}, {1088, 4}},  {{28}, {1088, 5}},
    {{21}, {1088, 6}},    {{35}, {1088, 20}},         {{32}, {1088, 21}},
    {{34}, {1088, 22}},   {{31, 37, 43}, {1088, 23}}, {{33}, {1088, 24}},
    {{100}, {1088, 25}},  {{18}, {1088, 30}},         {{17, 19}, {1088, 31}},
    {{4}, {1088, 32}},    {{14}, {1088, 33}},         {{22}, {1088, 34}},
    {{103}, {1088, 37}},  {{137}, {1088, 38}},        {{24}, {1088, 40}},
    {{20}, {1088, 41}},   {{101}, {1088, 42}},        {{102}, {1088, 43}},
    {{36}, {1022, 10}},   {{611}, {1022, 18}},        {{610}, {1023, 11}},
    {{612}, {1023, 19}},  {{615}, {1024, 86}},        {{600}, {1015, 14}},
    {{621}, {1015, 87}},  {{80}, {64010, 35}},        {{702}, {64010, 1}},
};

RightsObject RightsObjectOf(int32_t transType) {
    for (const auto& entry : kRightsObjects)
        if (std::find(entry.transTypes.begin(), entry.transTypes.end(), transType) !=
            entry.transTypes.end())
            return entry.object;
    return {0, 0};
}

constexpr int32_t kRightView = 4;
constexpr const char* kCalculateSystem = "Calculate";
constexpr std::array<const char*, 5> kMoneySystems = {"PLAN", "SHOPFLOOR", "REPM", "OPERMANAGE",
                                                      "SUBCONTRACTOR"};
constexpr const char* kConfirmMode = "70";
constexpr int32_t kOrderTemplate = 61;

bool AccessCheck(int32_t type, int32_t number) {
    auto gl = host::ProcessObjectAs<host::IGLData>(host::progid::kGLData);
    return gl->AccessCheck(type, number, kRightView);
}

}  // namespace

void FMaker::setDestBillTransType(const std::string& value) {
    try {
        DefaultTransType = text::IsBlank(value) ? 0 : Variant(value).toLong();
    } catch (const Error&) {
        DefaultTransType = 0;
    }
}

bool FMaker::GetMoneyVisForStock() {
    int32_t transType = CurTransType == 0 ? DefaultTransType : CurTransType;
    if (std::find(kAlwaysVisibleTypes.begin(), kAlwaysVisibleTypes.end(), transType) !=
        kAlwaysVisibleTypes.end()) {
        stockMoney_ = true;
    } else {
        RightsObject object = RightsObjectOf(transType);
        try {
            stockMoney_ = AccessCheck(object.type, object.number);
        } catch (const Error&) {
            // Without an answer from the rights check, money stays hidden.
            stockMoney_ = false;
        }
    }
    CurTransType = 0;
    return true;
}

bool FMaker::GetMoneyVis() {
    bool visible = SystemName == kCalculateSystem || stockMoney_ || support::Shared().IsCalculate ||
                   std::any_of(kMoneySystems.begin(), kMoneySystems.end(),
                               [&](const char* s) { return text::IEquals(SystemName, s); });
    if (listShowStatus_ == 2 && text::Trim(ModeText) == kConfirmMode &&
        support::Shared().TemplateID == kOrderTemplate) {
        try {
            visible = AccessCheck(1088, 21);
        } catch (const Error&) {
            visible = false;
        }
    }
    return visible;
}

}  // namespace qelt::editing
