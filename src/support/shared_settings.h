#pragma once

#include <cstdint>
#include <string>

// Process-wide values the facade writes and the other layers read. One copy
// per process; a new CFilter resets the ones it owns (see CFilter).
namespace qelt::support {

struct SharedSettings {
    int16_t AuditChoice = -1;
    int32_t StartBranchSale = 1;
    int32_t ShowRelationSign = 1;
    int32_t PrecisionOfDiscountRate = 4;
    int32_t TemplateID = 0;
    std::string CJName;
    std::string Filter;
    std::string BaseInfo;
    bool IsCalculate = false;
    bool IsMakeVoucher = false;
    bool PickName = true;
    int16_t HideTabs = 0;
    int32_t ShowMode = 0;
    std::string ICMOShieldCode;
};

SharedSettings& Shared();

// Returns every piece of process-wide state of the library to its initial
// value (see platform/process_state.h): shared settings, option cache,
// property table, application type, language, resource and process-lived
// host objects, pooled database sessions, host configuration, registered
// components, the facade's direct connection and the dialog presenter. The message sink stays: it
// belongs to whoever set it. For tests.
void ResetProcessState();

}  // namespace qelt::support
