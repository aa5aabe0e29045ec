#pragma once

#include <cstdint>
#include <string>

namespace qelt::host {

// The statement that reads the start and end dates of one accounting period
// from t_PeriodDate (columns FStartDate, FEndDate).
std::string PeriodDatesSql(int32_t year, int32_t period);

}  // namespace qelt::host
