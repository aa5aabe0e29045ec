INSERT INTO ICListTemplate (FID, FName, FName_EN, FTemplateID, FFilter, FMasterTable)
VALUES (1, '采购订单', 'Purchase orders', 501, 'v1.FStatus=1', 'v1,u1'), (4, '无模板', NULL, NULL, '', 'v1'),
       (5, '坏关联', NULL, 503, '', 'v1,u1');
INSERT INTO ICChatBillTitle (FInterID, FTypeID, FColCaption, FColName, FTableName, FColType, FColWidth,
  FName, FTableAlias, FNeedCount, FIsPrimary, FMode)
VALUES (1, 501, '单据编号', 'FBillNo', 'TableA', 1, 1200, 'FBillNo', 'v1', 0, 1, 1),
 (2, 501, '日期', 'FDate', 'TableA', 0, 900, 'FDate', 'v1', 0, 0, 1),
 (3, 501, '数量', 'FQty', 'TableB', 3, 900, 'FQty', 'u1', 1, 0, 0),
 (4, 501, '金额', 'FAmt', 'TableB', 3, 900, 'FAmount', 'u1', 1, 0, 0),
 (1, 503, '单据编号', 'FBillNo', 'TableA', 1, 1200, 'FBillNo', 'v1', 0, 1, 1);
INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName,
  FTableName11, FTableNameAlias11, FFieldName11, FLogic)
VALUES (501, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', '='),
       (503, 1, 'TableA', 'v1', 'FInterID', 'TableB', 'u1', 'FInterID', '=>');
INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', '2026'),
  ('IC', 'CurrentPeriod', '12');
INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate) VALUES
  (2026, 12, '2026-12-01 00:00:00', '2026-12-31 00:00:00');
