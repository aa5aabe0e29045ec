#pragma once

#include <memory>
#include <tuple>
#include <vector>

#include "host/prog_ids.h"
#include "qelt/error.h"
#include "qelt/host/components.h"

namespace qelt::testing {

// A ledger data object that records rights checks and answers from a list.
struct FakeGLData : host::IGLData {
    std::vector<std::tuple<int, int, int>> checks;
    bool answer = true;
    RecordsetPtr result;
    std::vector<std::string> queries;

    RecordsetPtr getanyrecordset(const std::string& sql) override {
        queries.push_back(sql);
        if (!result) throw Error(-1, "FakeGLData", "no result");
        return result;
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
