#pragma once

#include <memory>
#include <tuple>
#include <vector>

#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::testing {

// A ledger data object that records rights checks, answers them all alike
// and fails every query.
struct FakeGLData : host::IGLData {
    std::vector<std::tuple<int, int, int>> checks;
    bool answer = true;

    RecordsetPtr getanyrecordset(const std::string&) override {
        throw Error(-1, "FakeGLData", "no database");
    }
    bool AccessCheck(int32_t type, int32_t number, int32_t right) override {
        checks.emplace_back(type, number, right);
        return answer;
    }
};

inline std::shared_ptr<FakeGLData> InstallFakeGLData() {
    auto fake = std::make_shared<FakeGLData>();
    host::RegisterComponent(host::progid::kGLData, [fake] { return fake; });
    return fake;
}

}  // namespace qelt::testing
