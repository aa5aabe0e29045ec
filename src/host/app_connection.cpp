#include "host/db_session.h"
#include "host/default_components.h"
#include "qelt/host/components.h"

namespace qelt::host {

namespace {

// A cheap handle: the session lives in the pool, the results are materialised,
// so nothing of the instance is needed once a call returns.
class AppConnection final : public IAppConnection {
public:
    RecordsetPtr Execute(const std::string& sql) override { return RunQuery(sql); }
    RecordsetPtr getanyrecordset(const std::string& sql) override { return RunQuery(sql); }
};

// The default grants every right: a host that enforces rights registers its
// own ledger data object.
class GLData final : public IGLData {
public:
    RecordsetPtr getanyrecordset(const std::string& sql) override { return RunQuery(sql); }
    bool AccessCheck(int32_t, int32_t, int32_t) override { return true; }
};

class BillData final : public IBillData {
public:
    RecordsetPtr ExecuteSQL(const std::string&, const std::string& sql) override {
        return RunQuery(sql);
    }
};

}  // namespace

namespace defaults {
std::shared_ptr<Component> NewAppConnection() {
    return std::make_shared<AppConnection>();
}
std::shared_ptr<Component> NewGLData() {
    return std::make_shared<GLData>();
}
std::shared_ptr<Component> NewBillData() {
    return std::make_shared<BillData>();
}
}  // namespace defaults

}  // namespace qelt::host
