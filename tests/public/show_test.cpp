#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/test_env.h"
#include "qelt/cfilter.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/presenter.h"
#include "support/shared_settings.h"

namespace qelt::testing {
namespace {

constexpr const char* kFixture = R"sql(
INSERT INTO ICListTemplate (FID, FName, FName_CHT, FName_EN, FTemplateID, FFilter, FMasterTable)
VALUES (1, '采购订单', NULL, 'Purchase orders', 501, 'v1.FStatus=1', 'v1,u1'),
       (2, '销售订单', NULL, 'Sales orders', 61, '', 'v1,u1');
INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FColCaption_CHT, FColCaption_EN,
  FHeadSecond, FColName, FTableName, FColType, FColWidth, FVisible, FItemClassID, FVisForQuest,
  FReturnDataType, FCountPriceType, FCtlIndex, FName, FTableAlias, FAction, FNeedCount, FIsPrimary,
  FLogicAction, FStatistical, FMergeable, FVisForOrder, FControl, FMode)
VALUES
 (1, 501, '单据编号', NULL, 'Bill no', '', 'FBillNo', 'TableA', 1, 1200, 1, 0, 1, 0, 0, 0, 'FBillNo', 'v1', '', 0, 1, '', 0, 0, 1, 0, 1),
 (2, 501, '日期', NULL, 'Date', '', 'FDate', 'TableA', 0, 900, 1, 0, 1, 0, 0, 0, 'FDate', 'v1', '', 0, 0, '', 0, 0, 1, 0, 1),
 (3, 501, '数量', NULL, 'Qty', '', 'FQty', 'TableB', 3, 900, 1, 0, 1, 0, 0, 0, 'FQty', 'u1', '', 1, 0, '', 0, 0, 1, 0, 0),
 (1, 61, '单据编号', NULL, 'Bill no', '', 'FBillNo', 'TableA', 1, 1200, 1, 0, 1, 0, 0, 0, 'FBillNo', 'v1', '', 0, 1, '', 0, 0, 1, 0, 1);
INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName,
  FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition,
  FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter)
VALUES (501, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', 0, '=', '=', '', '', '', 0, 0, ''),
       (61, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', 0, '=', '=', '', '', '', 0, 0, '');
)sql";

class Show : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(kFixture);
        host::SetSharedProperty("PropsString", "UserID=7;UserName=li");
    }
    void user(std::function<void(ui::Form&)> f) {
        ui::SetPresenter(std::make_shared<ui::ScriptedPresenter>(std::move(f)));
    }
    TempDatabase db;
    MessageRecorder messages;
};

TEST_F(Show, Smoke) {
    std::string dump;
    user([&](ui::Form& f) {
        dump = ui::Dump(f);
        f.button("cmdOk").click();
    });
    CFilter filter;
    filter.setListID(1);
    filter.Show();
    std::cout << dump << "\n";
    for (auto& m : messages.messages) std::cout << "MSG " << m.text << "|" << m.title << "\n";
    std::cout << filter.OK() << "\n" << filter.Datasql() << "\n";
}

}  // namespace
}  // namespace qelt::testing
