#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/test_env.h"
#include "host/default_components.h"
#include "host/prog_ids.h"
#include "platform/text.h"
#include "qelt/dictionary.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"
#include "qelt/template_data.h"

namespace qelt::testing {

// The library's connection component, with every statement it is given kept.
class RecordingConnection final : public host::IAppConnection {
public:
    RecordingConnection(std::shared_ptr<std::vector<std::string>> log)
        : inner_(std::dynamic_pointer_cast<host::IAppConnection>(
              host::defaults::NewAppConnection())),
          log_(std::move(log)) {}
    RecordsetPtr Execute(const std::string& sql) override {
        log_->push_back(sql);
        return inner_->Execute(sql);
    }
    RecordsetPtr getanyrecordset(const std::string& sql) override {
        log_->push_back(sql);
        return inner_->getanyrecordset(sql);
    }

private:
    std::shared_ptr<host::IAppConnection> inner_;
    std::shared_ptr<std::vector<std::string>> log_;
};

struct ColumnRow {
    int interId = 0;
    std::string colName;
    std::string tableAlias = "v1";
    std::string name;
    int colType = 1;
    int mode = 0;
    std::string caption;
    std::string action;
    int control = 0;
    int isPrimary = 0;
    double width = 1200;
    int visible = 1;
};

struct RelationRow {
    int interId = 0;
    std::string table;
    std::string alias;
    std::string field;
    std::string table11;
    std::string alias11;
    std::string field11;
    int index = 0;
    std::string logic = "=";
    std::string logicOperator = "=";
    std::string condition;
    int isConst = 0;
    int constType = 0;
    std::string subFilter;
    std::string left;
    std::string right;
};

// A private database holding small list templates, with the statements the
// library runs and the messages it shows recorded.
class TemplateTest : public ::testing::Test {
protected:
    TemplateTest() : queries(std::make_shared<std::vector<std::string>>()) {
        auto log = queries;
        host::RegisterComponent(host::progid::kAppConnection,
                                [log] { return std::make_shared<RecordingConnection>(log); });
    }

    static std::string Q(const std::string& s) { return text::SqlQuote(s); }

    void addList(int fid, int templateId, const std::string& masterTable,
                 const std::string& name = "List") {
        db.exec("INSERT INTO ICListtemplate (FID, FName, FName_EN, FTemplateID, FMasterTable) "
                "VALUES (" + std::to_string(fid) + "," + Q(name) + "," + Q(name + " EN") + "," +
                std::to_string(templateId) + "," + Q(masterTable) + ")");
    }

    void addColumn(int templateId, const ColumnRow& c) {
        db.exec("INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FColName, FTableAlias,"
                " FName, FColType, FMode, FAction, FControl, FIsPrimary, FColWidth, FVisible) "
                "VALUES (" + std::to_string(c.interId) + "," + std::to_string(templateId) + "," +
                Q(c.caption.empty() ? c.colName : c.caption) + "," + Q(c.colName) + "," +
                Q(c.tableAlias) + "," + Q(c.name.empty() ? c.colName : c.name) + "," +
                std::to_string(c.colType) + "," + std::to_string(c.mode) + "," + Q(c.action) +
                "," + std::to_string(c.control) + "," + std::to_string(c.isPrimary) + "," +
                std::to_string(c.width) + "," + std::to_string(c.visible) + ")");
    }

    void addRelation(int templateId, const RelationRow& r) {
        db.exec("INSERT INTO ICTableRelation (FInterID, FTypeID, FTableName, FTableNameAlias,"
                " FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic,"
                " FLogicOperator, Fcondition, FIsConst, FConstType, FSubFilter,"
                " FLeftParentheses, FRightParentheses) VALUES (" +
                std::to_string(r.interId) + "," + std::to_string(templateId) + "," + Q(r.table) +
                "," + Q(r.alias) + "," + Q(r.field) + "," + Q(r.table11) + "," + Q(r.alias11) +
                "," + Q(r.field11) + "," + std::to_string(r.index) + "," + Q(r.logic) + "," +
                Q(r.logicOperator) + "," + Q(r.condition) + "," + std::to_string(r.isConst) +
                "," + std::to_string(r.constType) + "," + Q(r.subFilter) + "," + Q(r.left) +
                "," + Q(r.right) + ")");
    }

    // The usual head and entry tables of a bill list, joined on FInterID.
    void addBillRelation(int templateId, int interId = 1) {
        addRelation(templateId, {.interId = interId, .table = "ICStockBill", .alias = "v1",
                                 .field = "FInterID", .table11 = "ICStockBillEntry",
                                 .alias11 = "u1", .field11 = "FInterID"});
    }

    void setOption(const std::string& key, const std::string& value) {
        db.exec("INSERT OR REPLACE INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC'," +
                Q(key) + "," + Q(value) + ")");
    }

    TempDatabase db;
    MessageRecorder recorder;
    std::shared_ptr<std::vector<std::string>> queries;
};

inline std::shared_ptr<clsHidenElement> Visible(const std::string& alias, int index, double width,
                                               const std::string& widthText = "",
                                               const std::string& align = "") {
    auto e = std::make_shared<clsHidenElement>();
    e->sFieldAlias = alias;
    e->lIndex = index;
    e->dColWidth = width;
    e->lVisible = 1;
    e->FColWidth = widthText;
    e->FColAlign = align;
    return e;
}

// One list-head entry as "key=value:type|..." so that one assertion checks
// every key, its order, its value and its value type.
inline std::string DumpEntry(const Dictionary& d) {
    static const char* const kTypes[] = {"empty", "null", "bool", "int16", "int32",
                                         "double", "text", "date", "object"};
    std::string out;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Variant& v = d.at(d.keyAt(i));
        if (i) out += "|";
        out += d.keyAt(i) + "=" + v.toString("") + ":" + kTypes[static_cast<int>(v.type())];
    }
    return out;
}

}  // namespace qelt::testing
