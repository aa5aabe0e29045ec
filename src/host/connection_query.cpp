#include "host/connection_query.h"

#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"

namespace qelt::host {

namespace {

RecordsetPtr OrEmpty(RecordsetPtr rs) {
    if (rs) return rs;
    auto empty = std::make_shared<Recordset>();
    empty->open();
    return empty;
}

}  // namespace

RecordsetPtr QueryThroughConnection(const std::string& sql, ConnectionMember member) {
    auto connection = Create<IAppConnection>(progid::kAppConnection);
    return OrEmpty(member == ConnectionMember::Execute ? connection->Execute(sql)
                                                       : connection->getanyrecordset(sql));
}

}  // namespace qelt::host
