// GetListSQL on a large generated template, and GetWhereSQL on many
// conditions.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/test_env.h"
#include "qelt/template_data.h"

namespace {

constexpr int kTemplate = 900;
constexpr int kColumns = 300;
constexpr int kPairs = 30;  // two comparisons each: 60 relation rows

std::string Alias(int i) { return i == 0 ? "v1" : "t" + std::to_string(i); }

// Aliases v1, t1..t30 joined in a chain, every one mandatory; 300 columns
// spread over them, all shown by the template.
std::string LargeTemplateSql() {
    std::string masters = "v1";
    for (int i = 1; i <= kPairs; ++i) masters += "," + Alias(i);
    std::string sql =
        "INSERT INTO ICListTemplate (FID, FName, FTemplateID, FFilter, FMasterTable) VALUES (900, "
        "'large', 900, '', '" + masters + "');";
    for (int c = 1; c <= kColumns; ++c) {
        std::string alias = Alias(c % (kPairs + 1));
        sql += "INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FHeadSecond, FColName, "
               "FTableName, FColType, FColWidth, FVisible, FName, FTableAlias, FAction, FNeedCount, "
               "FIsPrimary, FLogicAction, FMergeable, FVisForOrder, FControl, FMode) VALUES (" +
               std::to_string(c) + ", 900, 'col" + std::to_string(c) + "', '', 'C" + std::to_string(c) +
               "', 'T', 1, 1000, 1, 'F" + std::to_string(c) + "', '" + alias + "', '', 0, " +
               (c == 1 ? "1" : "0") + ", '', 0, 1, 0, 1);";
    }
    int row = 0;
    for (int i = 1; i <= kPairs; ++i) {
        std::string a = Alias(i - 1), b = Alias(i);
        for (int index = 0; index < 2; ++index)
            sql += "INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, "
                   "FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, "
                   "FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, "
                   "FConstType, FSubFilter) VALUES (900, " + std::to_string(++row) + ", 'T" + a +
                   "', '" + a + "', 'FKey" + std::to_string(index) + "', 'T" + b + "', '" + b +
                   "', 'FKey" + std::to_string(index) + "', " + std::to_string(index) + ", '*=', '=', '" +
                   (index ? "AND" : "") + "', '', '', 0, 0, '');";
    }
    return sql;
}

void BM_GetListSQL_300Columns(benchmark::State& state) {
    qelt::testing::TempDatabase db;
    db.exec(LargeTemplateSql());
    qelt::host::SetSharedProperty("PropsString", "UserID=1");
    qelt::TemplateData tpl;
    tpl.InitData("FID in (900)");
    tpl.mTemplateID = kTemplate;
    tpl.setShowFilter(false);
    tpl.setListShowStatus(1);
    tpl.blVisMoneyInStock = true;
    std::size_t length = 0;
    for (auto _ : state) {
        std::string sql = tpl.GetListSQL("", "");
        length = sql.size();
        benchmark::DoNotOptimize(sql);
    }
    state.counters["sql_bytes"] = static_cast<double>(length);
    state.counters["head_entries"] = tpl.mListHead ? static_cast<double>(tpl.mListHead->size()) : 0;
}
BENCHMARK(BM_GetListSQL_300Columns)->Unit(benchmark::kMicrosecond);

void BM_GetWhereSQL_50Conditions(benchmark::State& state) {
    auto filters = std::make_shared<qelt::Collection<qelt::clsFilterElement>>();
    for (int i = 0; i < 50; ++i) {
        auto f = std::make_shared<qelt::clsFilterElement>();
        f->sFieldAlias = "C" + std::to_string(i * 6 + 1);
        f->sAndOr = i == 0 ? "   " : " AND ";
        f->sLogicOperator = std::to_string(i % 10 + 1);
        f->sValue = "'v" + std::to_string(i) + "'";
        filters->push_back(f);
    }
    qelt::Collection<qelt::clsSQLElement> columns;
    for (int c = 1; c <= kColumns; ++c) {
        auto e = std::make_shared<qelt::clsSQLElement>();
        e->sFieldName = "t.F" + std::to_string(c);
        e->sFieldAlias = "C" + std::to_string(c);
        columns.push_back(e);
    }
    qelt::TemplateData tpl;
    tpl.setCollectionFilter(filters);
    for (auto _ : state) benchmark::DoNotOptimize(tpl.GetWhereSQL(columns));
}
BENCHMARK(BM_GetWhereSQL_50Conditions)->Unit(benchmark::kMicrosecond);

}  // namespace
