-- Demo data of the embedded ERP database: a small manufacturer of conveyors
-- and racks in its business year 2026 (current period: December).
--
-- Lists (ICListtemplate.FID / FTemplateID):
--   1 purchase receipts, 2 product receipts, 3 sales deliveries  (template 1)
--   4 purchase orders (61), 5 sales orders (81), 6 production tasks (90),
--   7 purchase invoices (62).
-- FMasterTable ends in "," so that the item alias the template adds after it
-- stays a separate alias.
--
-- Dates are ISO texts "yyyy-mm-dd hh:mm:ss"; documents are generated with
-- deterministic arithmetic on their number, so every build holds the same rows.

------------------------------------------------------------------------------
-- System
------------------------------------------------------------------------------

-- NeedShowColumnPrompt: the demo lists have 13 to 21 columns to show, so
-- confirming a list never asks; a template with more columns would.
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FDescription) VALUES
  ('IC', 'ListMaxRows',             '5000', '序时簿最大显示行数'),
  ('IC', 'StartBranchSale',         '1',    '启用分销管理'),
  ('IC', 'ShowRelationSign',        '1',    '显示关联标志'),
  ('IC', 'AuditChoice',             '1',    '审核后才能查看金额'),
  ('IC', 'PrecisionOfDiscountRate', '4',    '折扣率精度'),
  ('IC', 'StartYear',               '2026', '启用年度'),
  ('IC', 'StartPeriod',             '1',    '启用期间'),
  ('IC', 'CurrentYear',             '2026', '当前年度'),
  ('IC', 'CurrentPeriod',           '12',   '当前期间'),
  ('IC', 'CheckUserGroup',          '1',    '按用户组控制单据查看权限'),
  ('IC', 'NeedShowColumnPrompt',    '30',   '序时簿显示列数预警值'),
  ('Base', 'CompanyName',           '恒通输送设备制造有限公司', '公司名称'),
  ('Base', 'BaseCurrencyID',        '1',    '本位币');

-- Group 1: administrators; 2: purchasing and warehouse; 3: sales;
-- 4: production; 0: everyone (never restricts). 吴芳 belongs to no group.
INSERT INTO t_User (FUserID, FName, FDescription, FEmpID, FForbidden) VALUES
  (1, 'Administrator', '系统管理员', 0, 0),
  (2, '张伟', '采购员', 1, 0),
  (3, '孙丽', '仓库管理员', 7, 0),
  (4, '王强', '销售员', 3, 0),
  (5, '赵磊', '车间计划员', 6, 0),
  (6, '吴芳', '会计', 9, 0),
  (7, 'Guest', '来宾', 0, 0);

INSERT INTO t_Group (FGroupID, FUserID) VALUES
  (1, 1), (2, 2), (2, 3), (4, 3), (3, 4), (4, 5), (0, 7);

-- Monthly periods of 2026 and 2027.
WITH RECURSIVE p(y, m) AS (
  SELECT 2026, 1
  UNION ALL
  SELECT CASE WHEN m = 12 THEN y + 1 ELSE y END, CASE WHEN m = 12 THEN 1 ELSE m + 1 END
  FROM p WHERE NOT (y = 2027 AND m = 12)
)
INSERT INTO t_PeriodDate (FYear, FPeriod, FStartDate, FEndDate)
SELECT y, m,
       printf('%04d-%02d-01 00:00:00', y, m),
       strftime('%Y-%m-%d 00:00:00', printf('%04d-%02d-01', y, m), '+1 month', '-1 day')
FROM p;

INSERT INTO ICTransactionType (FID, FNumber, FName, FName_CHT, FName_EN, FROB) VALUES
  (1,  'WIN',  '外购入库',   '外購入庫',   'Purchase Receipt',    1),
  (2,  'CIN',  '产品入库',   '產品入庫',   'Product Receipt',     1),
  (21, 'XOUT', '销售出库',   '銷售出庫',   'Sales Delivery',      1),
  (24, 'SOUT', '生产领料',   '生產領料',   'Production Issue',    1),
  (71, 'POOR', '采购订单',   '採購訂單',   'Purchase Order',      0),
  (75, 'PINV', '采购发票',   '採購發票',   'Purchase Invoice',    1),
  (81, 'SEOR', '销售订单',   '銷售訂單',   'Sales Order',         0),
  (85, 'WORK', '生产任务单', '生產任務單', 'Production Task',     0);

INSERT INTO ICMrpInfo (FInterID, FNumber, FType, FDate, FBillerID, FStatus, FNote) VALUES
  (1, 'MRP2026110001', 0, '2026-11-27 18:30:00', 5, 1, '11月物料需求计划'),
  (2, 'MPS2026120001', 1, '2026-12-01 09:00:00', 5, 1, '12月主生产计划'),
  (3, 'MRP2026120001', 0, '2026-12-01 17:45:00', 5, 1, '12月物料需求计划'),
  (4, 'MRP2026120002', 0, '2026-12-15 16:10:00', 5, 0, '12月追加需求');

------------------------------------------------------------------------------
-- Base data
------------------------------------------------------------------------------

INSERT INTO t_ItemClass (FItemClassID, FNumber, FName, FName_CHT, FName_EN, FSQLTableName, FKeyField, FNumberField, FNameField) VALUES
  (1,  '001', '客户',     '客戶',     'Customer',     't_Organization', 'FItemID',        'FNumber', 'FName'),
  (2,  '002', '部门',     '部門',     'Department',   't_Department',   'FItemID',        'FNumber', 'FName'),
  (3,  '003', '职员',     '職員',     'Employee',     't_Emp',          'FItemID',        'FNumber', 'FName'),
  (4,  '004', '物料',     '物料',     'Material',     't_ICItem',       'FItemID',        'FNumber', 'FName'),
  (5,  '005', '仓库',     '倉庫',     'Warehouse',    't_Stock',        'FItemID',        'FNumber', 'FName'),
  (7,  '007', '计量单位', '計量單位', 'Unit',         't_MeasureUnit',  'FMeasureUnitID', 'FNumber', 'FName'),
  (8,  '008', '供应商',   '供應商',   'Supplier',     't_Supplier',     'FItemID',        'FNumber', 'FName'),
  (12, '012', '币别',     '幣別',     'Currency',     't_Currency',     'FCurrencyID',    'FNumber', 'FName');

INSERT INTO t_Currency (FCurrencyID, FNumber, FName, FExchangeRate, FScale) VALUES
  (1, 'RMB', '人民币', 1.0,  2),
  (2, 'USD', '美元',   7.1,  2),
  (3, 'EUR', '欧元',   7.8,  2);

INSERT INTO t_MeasureUnit (FMeasureUnitID, FNumber, FName, FUnitGroupID, FCoefficient, FStandard) VALUES
  (1, 'PCS', '个',   1, 1,     1),
  (2, 'BOX', '箱',   1, 24,    0),
  (3, 'KG',  '千克', 2, 1,     1),
  (4, 'G',   '克',   2, 0.001, 0),
  (5, 'T',   '吨',   2, 1000,  0),
  (6, 'M',   '米',   3, 1,     1),
  (7, 'CM',  '厘米', 3, 0.01,  0),
  (8, 'SET', '套',   4, 1,     1);

INSERT INTO t_Department (FItemID, FNumber, FName, FDProperty, FManager, FPhone) VALUES
  (1, '01', '采购部',         1, 1,  '021-5888-1001'),
  (2, '02', '销售部',         1, 3,  '021-5888-1002'),
  (3, '03', '一车间(机加工)', 2, 5,  '021-5888-1003'),
  (4, '04', '二车间(装配)',   2, 6,  '021-5888-1004'),
  (5, '05', '仓储部',         1, 7,  '021-5888-1005'),
  (6, '06', '财务部',         1, 9,  '021-5888-1006'),
  (7, '07', '质检部',         1, 10, '021-5888-1007'),
  (8, '08', '技术部',         1, 11, '021-5888-1008');

INSERT INTO t_Emp (FItemID, FNumber, FName, FDepartmentID, FGender, FPhone) VALUES
  (1,  'E001', '张伟',    1, '男', '138-0000-0001'),
  (2,  'E002', '刘敏',    1, '女', '138-0000-0002'),
  (3,  'E003', '王强',    2, '男', '138-0000-0003'),
  (4,  'E004', '李静',    2, '女', '138-0000-0004'),
  (5,  'E005', '陈刚',    3, '男', '138-0000-0005'),
  (6,  'E006', '赵磊',    4, '男', '138-0000-0006'),
  (7,  'E007', '孙丽',    5, '女', '138-0000-0007'),
  (8,  'E008', '周杰',    5, '男', '138-0000-0008'),
  (9,  'E009', '吴芳',    6, '女', '138-0000-0009'),
  (10, 'E010', '郑浩',    7, '男', '138-0000-0010'),
  (11, 'E011', '冯雪',    8, '女', '138-0000-0011'),
  (12, 'E012', 'Tom Lee', 2, '男', '138-0000-0012');

-- FTypeID 502 marks the reject warehouse; the old warehouse is deleted.
INSERT INTO t_Stock (FItemID, FNumber, FName, FTypeID, FAddress, FEmpID, FMRPAvail, FDeleted) VALUES
  (1, '01', '原材料仓', 500, 'A栋一层', 7, 1, 0),
  (2, '02', '成品仓',   500, 'B栋一层', 8, 1, 0),
  (3, '03', '半成品仓', 500, 'A栋二层', 7, 1, 0),
  (4, '04', '辅料仓',   500, 'A栋三层', 8, 1, 0),
  (5, '05', '不良品仓', 502, 'C栋',     8, 0, 0),
  (6, '06', '旧仓库',   500, '老厂区',  7, 0, 1);

-- FStatus 1: approved supplier; 0: blocked.
INSERT INTO t_Supplier (FItemID, FNumber, FName, FShortName, FCity, FAddress, FContact, FPhone, FStatus) VALUES
  (1,  '01.001', '上海宝利钢材有限公司',     '宝利钢材', '上海', '宝山区钢城路88号',     '陈经理', '021-6600-0001', 1),
  (2,  '01.002', '江苏恒达金属制品有限公司', '恒达金属', '无锡', '锡山区工业园12号',     '李经理', '0510-8800-0002', 1),
  (3,  '01.003', '浙江精工紧固件有限公司',   '精工紧固', '宁波', '北仑区港城路5号',      '王先生', '0574-8600-0003', 1),
  (4,  '01.004', '温州瑞丰轴承有限公司',     '瑞丰轴承', '温州', '瓯海区轴承城18号',     '郑女士', '0577-8800-0004', 1),
  (5,  '01.005', '常州华电电机有限公司',     '华电电机', '常州', '武进区电机路66号',     '周工',   '0519-8600-0005', 1),
  (6,  '01.006', '深圳启航自动化科技有限公司', '启航自动化', '深圳', '南山区科技园2栋',  '林先生', '0755-2600-0006', 1),
  (7,  '01.007', '广州南方电线电缆厂',       '南方电缆', '广州', '白云区太和镇',         '黄经理', '020-3600-0007', 1),
  (8,  '01.008', '东莞美涂涂料有限公司',     '美涂涂料', '东莞', '长安镇工业区',         '何女士', '0769-8500-0008', 1),
  (9,  '01.009', '苏州佳美包装材料有限公司', '佳美包装', '苏州', '吴中区木渎镇',         '钱先生', '0512-6600-0009', 1),
  (10, '01.010', '天津北辰五金贸易公司',     '北辰五金', '天津', '北辰区五金城3号',      '刘经理', '022-2600-0010', 1),
  (11, '02.001', '昆山鑫达表面处理厂',       '鑫达表面', '昆山', '玉山镇工业区9号',      '徐先生', '0512-5700-0011', 1),
  (12, '02.002', '太仓金源热处理有限公司',   '金源热处理', '太仓', '城厢镇东门街',       '蒋女士', '0512-5300-0012', 0);

INSERT INTO t_Organization (FItemID, FNumber, FName, FShortName, FCity, FAddress, FContact, FPhone, FCreditLimit) VALUES
  (1,  'C001', '北京华联物流设备有限公司',   '华联物流', '北京',      '大兴区物流园A区',        '马经理', '010-6500-0001', 500000),
  (2,  'C002', '上海浦江仓储服务有限公司',   '浦江仓储', '上海',      '浦东新区外高桥',         '沈先生', '021-5000-0002', 300000),
  (3,  'C003', '广州白云快递分拣中心',       '白云分拣', '广州',      '白云区机场路',           '梁主任', '020-8600-0003', 800000),
  (4,  'C004', '成都西部食品有限公司',       '西部食品', '成都',      '新都区工业大道',         '罗经理', '028-8300-0004', 200000),
  (5,  'C005', '武汉长江汽车零部件有限公司', '长江汽配', '武汉',      '经开区车城路',           '胡工',   '027-8400-0005', 600000),
  (6,  'C006', '杭州西湖电子商务有限公司',   '西湖电商', '杭州',      '余杭区仓前街道',         '潘女士', '0571-8800-0006', 400000),
  (7,  'C007', '南京金陵医药物流有限公司',   '金陵医药', '南京',      '江宁区医药物流园',       '朱经理', '025-5200-0007', 350000),
  (8,  'C008', '青岛海湾啤酒配送中心',       '海湾啤酒', '青岛',      '城阳区流亭街道',         '于先生', '0532-8700-0008', 250000),
  (9,  'C009', 'Lion Trading Pte Ltd',       'Lion Trading', 'Singapore', '21 Tuas Ave, Singapore', 'Mr. Tan', '+65-6000-0009', 900000),
  (10, 'C010', 'Hamburg Fördertechnik GmbH', 'HH Fördertechnik', 'Hamburg', 'Hafenstraße 12, Hamburg', 'Frau Müller', '+49-40-0000-10', 900000),
  (11, 'C011', '西安古城机械有限公司',       '古城机械', '西安',      '高新区锦业路',           '杜经理', '029-8800-0011', 150000),
  (12, 'C012', '重庆山城超市连锁有限公司',   '山城超市', '重庆',      '渝北区回兴街道',         '谭女士', '023-6700-0012', 300000);

-- Items 1-20 and 41 are purchased, 21-24 semi-finished, 25-32 finished
-- goods; 37-40 are feature and planning classes that no bill may carry.
INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FModel, FHelpCode, FErpClsID, FUnitGroupID, FUnitID, FOrderUnitID, FSaleUnitID, FStoreUnitID, FDefaultLoc, FSource, FOrderPrice, FSalePrice, FPlanPrice, FSafeStock, FQtyDecimal, FPriceDecimal) VALUES
  (1,  '1.01.001', '001', '冷轧钢板',       '1.0mm*1250*2500',  'LZGB', 1, 2, 3, 3, 3, 3, 1, 1,  5.80,  0, 5.60,  2000, 2, 2),
  (2,  '1.01.002', '002', '冷轧钢板',       '1.5mm*1250*2500',  'LZGB', 1, 2, 3, 3, 3, 3, 1, 1,  5.75,  0, 5.55,  2000, 2, 2),
  (3,  '1.01.003', '003', '不锈钢板',       'SUS304 2.0mm',     'BXGB', 1, 2, 3, 3, 3, 3, 1, 2,  16.50, 0, 16.00, 500,  2, 2),
  (4,  '1.01.004', '004', '铝板',           '5052 3.0mm',       'LB',   1, 2, 3, 3, 3, 3, 1, 2,  21.00, 0, 20.50, 300,  2, 2),
  (5,  '1.02.001', '005', '圆钢',           '45# Φ20',          'YG',   1, 2, 3, 3, 3, 3, 1, 1,  4.90,  0, 4.80,  1000, 2, 2),
  (6,  '1.02.002', '006', '无缝钢管',       'Φ38*3',            'WFGG', 1, 3, 6, 6, 6, 6, 1, 2,  28.00, 0, 27.00, 200,  2, 2),
  (7,  '1.03.001', '007', '六角螺栓',       'M8*30 8.8级',      'LJLS', 1, 1, 1, 1, 1, 1, 4, 3,  0.12,  0, 0.12,  10000, 0, 4),
  (8,  '1.03.002', '008', '六角螺母',       'M8',               'LJLM', 1, 1, 1, 1, 1, 1, 4, 3,  0.05,  0, 0.05,  10000, 0, 4),
  (9,  '1.03.003', '009', '平垫圈',         'Φ8',               'PDQ',  1, 1, 1, 1, 1, 1, 4, 3,  0.02,  0, 0.02,  10000, 0, 4),
  (10, '1.03.004', '010', '深沟球轴承',     '6204-2RS',         'SGQZC', 1, 1, 1, 1, 1, 1, 1, 4, 6.80,  0, 6.50,  500,  0, 2),
  (11, '1.04.001', '011', '三相异步电机',   'Y2-90L-4 1.5kW',   'SXDJ', 1, 1, 1, 1, 1, 1, 1, 5,  680.00, 0, 660.00, 20, 0, 2),
  (12, '1.04.002', '012', '变频器',         '0.75kW 220V',      'BPQ',  1, 1, 1, 1, 1, 1, 1, 6,  420.00, 0, 410.00, 20, 0, 2),
  (13, '1.04.003', '013', '接近开关',       'M12 NPN 常开',     'JJKG', 1, 1, 1, 1, 1, 1, 1, 6,  35.00, 0, 34.00, 100,  0, 2),
  (14, '1.05.001', '014', '电源线',         'RVV 3*1.5',        'DYX',  1, 3, 6, 6, 6, 6, 4, 7,  4.20,  0, 4.10,  500,  2, 2),
  (15, '1.05.002', '015', '屏蔽控制线',     'RVVP 6*0.5',       'PBKZX', 1, 3, 6, 6, 6, 6, 4, 7, 3.60,  0, 3.50,  500,  2, 2),
  (16, '1.06.001', '016', '环氧底漆',       '灰色',             'HYDQ', 1, 2, 3, 3, 3, 3, 4, 8,  38.00, 0, 37.00, 100,  2, 2),
  (17, '1.06.002', '017', '聚氨酯面漆',     'RAL7035 浅灰',     'JAZMQ', 1, 2, 3, 3, 3, 3, 4, 8, 52.00, 0, 50.00, 100,  2, 2),
  (18, '1.07.001', '018', '包装纸箱',       '600*400*400 五层', 'BZZX', 1, 1, 1, 1, 1, 1, 4, 9,  8.50,  0, 8.20,  200,  0, 2),
  (19, '1.07.002', '019', '木托盘',         '1200*1000 熏蒸',   'MTP',  1, 1, 1, 1, 1, 1, 4, 9,  65.00, 0, 63.00, 50,   0, 2),
  (20, '1.07.003', '020', '缠绕膜',         '500mm*20μm',       'CRM',  1, 2, 3, 3, 3, 3, 4, 9,  14.00, 0, 13.50, 100,  2, 2),
  (21, '2.01.001', '101', '机架焊接件',     'JG-100',           'JJHJJ', 2, 1, 1, 1, 1, 1, 3, 0, 0, 0, 320.00,  20, 0, 2),
  (22, '2.01.002', '102', '传动轴',         'CDZ-20',           'CDZ',  2, 1, 1, 1, 1, 1, 3, 0,  0, 0, 85.00,   50, 0, 2),
  (23, '2.01.003', '103', '电控箱组件',     'DK-01',            'DKXZJ', 2, 4, 8, 8, 8, 8, 3, 0, 0, 0, 1280.00, 10, 0, 2),
  (24, '2.01.004', '104', '喷涂外罩',       'WZ-300',           'PTWZ', 2, 1, 1, 1, 1, 1, 3, 0,  0, 0, 210.00,  20, 0, 2),
  (25, '3.01.001', '201', '皮带输送机',     'SSJ-500 标准型',   'PDSSJ', 2, 4, 8, 8, 8, 8, 2, 0, 0, 8800.00,  6200.00,  5, 0, 2),
  (26, '3.01.002', '202', '皮带输送机',     'SSJ-800 加宽型',   'PDSSJ', 2, 4, 8, 8, 8, 8, 2, 0, 0, 11800.00, 8300.00,  5, 0, 2),
  (27, '3.01.003', '203', '斗式提升机',     'TSJ-1200',         'DSTSJ', 2, 4, 8, 8, 8, 8, 2, 0, 0, 15600.00, 11000.00, 2, 0, 2),
  (28, '3.02.001', '204', '分拣工作台',     'FJ-2000',          'FJGZT', 2, 4, 8, 8, 8, 8, 2, 0, 0, 4200.00,  2900.00,  5, 0, 2),
  (29, '3.02.002', '205', '物料周转车',     'ZZC-01',           'WLZZC', 2, 1, 1, 1, 1, 1, 2, 0, 0, 980.00,   620.00,   20, 0, 2),
  (30, '3.02.003', '206', '不锈钢货架',     'HJ-4层',           'BXGHJ', 2, 4, 8, 8, 8, 8, 2, 0, 0, 1650.00,  1100.00,  10, 0, 2),
  (31, '3.03.001', '207', '电气控制柜',     'KZG-A1',           'DQKZG', 2, 4, 8, 8, 8, 8, 2, 0, 0, 6500.00,  4700.00,  3, 0, 2),
  (32, '3.03.002', '208', '操作面板',       'CZB-10',           'CZMB', 2, 1, 1, 1, 1, 1, 2, 0,  0, 1350.00,  900.00,   10, 0, 2),
  (33, '4.01.001', '301', '镀锌支架(委外)', 'DX-01',            'DXZJ', 3, 1, 1, 1, 1, 1, 3, 11, 12.00, 0, 12.00,  100, 0, 2),
  (34, '4.01.002', '302', '调质轴(委外)',   'RCL-20',           'TZZ',  3, 1, 1, 1, 1, 1, 3, 12, 40.00, 0, 40.00,  50,  0, 2),
  (35, '5.01.001', '401', '输送机套件',     'XN-500 虚拟件',    'SSJTJ', 5, 4, 8, 8, 8, 8, 2, 0, 0, 0, 0, 0, 0, 2),
  (36, '6.01.001', '501', '定制输送线',     'DZ-按订单配置',    'DZSSX', 7, 4, 8, 8, 8, 8, 2, 0, 0, 0, 0, 0, 0, 2),
  (37, '7.01.001', '601', '颜色特征',       'TZ-颜色',          'YSTZ', 6, 1, 1, 1, 1, 1, 0, 0,  0, 0, 0, 0, 0, 2),
  (38, '7.01.002', '602', '长度特征',       'TZ-长度',          'CDTZ', 6, 3, 6, 6, 6, 6, 0, 0,  0, 0, 0, 0, 2, 2),
  (39, '8.01.001', '701', '输送机系列规划', 'GH-SSJ',           'SSJGH', 8, 4, 8, 8, 8, 8, 0, 0, 0, 0, 0, 0, 0, 2),
  (40, '8.01.002', '702', '货架系列规划',   'GH-HJ',            'HJGH', 8, 4, 8, 8, 8, 8, 0, 0,  0, 0, 0, 0, 0, 2),
  (41, '1.08.001', '041', 'O''Ring 密封圈', 'Φ20*2.4 NBR',      'ORING', 1, 1, 1, 1, 1, 1, 4, 10, 0.80, 0, 0.78, 1000, 0, 2);

------------------------------------------------------------------------------
-- List templates
------------------------------------------------------------------------------

INSERT INTO ICListtemplate (FID, FName, FName_CHT, FName_EN, FTemplateID, FBillTemplateID, FFilter, FMasterTable, FMenuID, FBillCls, FGroupID, FNeedCount, FNeedStatistic, FType) VALUES
  (1, '外购入库单序时簿', '外購入庫單序時簿', 'Purchase Receipts',   1,  1,  'v1.FTranType=1',  'v1,u1,', 101, 1, 1, 1, 1, 0),
  (2, '产品入库单序时簿', '產品入庫單序時簿', 'Product Receipts',    1,  2,  'v1.FTranType=2',  'v1,u1,', 102, 1, 1, 1, 1, 0),
  (3, '销售出库单序时簿', '銷售出庫單序時簿', 'Sales Deliveries',    1,  21, 'v1.FTranType=21', 'v1,u1,', 103, 1, 1, 1, 1, 0),
  (4, '采购订单序时簿',   '採購訂單序時簿',   'Purchase Orders',     61, 71, 'v1.FTranType=71', 'v1,u1,', 201, 2, 2, 1, 1, 0),
  (5, '销售订单序时簿',   '銷售訂單序時簿',   'Sales Orders',        81, 81, 'v1.FTranType=81', 'v1,u1,', 301, 2, 3, 1, 1, 0),
  (6, '生产任务单序时簿', '生產任務單序時簿', 'Production Tasks',    90, 85, 'v1.FTranType=85', 'v1,',    401, 3, 4, 1, 0, 0),
  (7, '采购发票序时簿',   '採購發票序時簿',   'Purchase Invoices',   62, 75, 'v1.FTranType=75', 'v1,u1,', 202, 4, 2, 1, 1, 0);

-- Columns. FColType: 0 date, 1 text, 2 quantity, 3 integer, 4 price,
-- 5 discount rate, 6 tax, 11 two-decimal amount, 12 relation sign, 40 amount.
-- FControl (with FAction): 0/7 the field itself, its table joined;
-- 4/5 the expression, its table joined; 1/2 the expression alone (2 also in
-- conditions); any other kind leaves the column out.

-- Template 1: stock bills.
INSERT INTO ICChatBillTitle (FTypeID, FInterID, FColCaption, FColCaption_CHT, FColCaption_EN, FHeadSecond, FColName, FTableName, FTableAlias, FName, FColType, FColWidth, FVisible, FVisForQuest, FVisForOrder, FItemClassID, FReturnDataType, FIsPrimary, FNeedCount, FMergeable, FControl, FMode, FAction) VALUES
  (1, -1, '分录号',   '分錄號',   'Entry',            '', 'FEntryID',       'ICStockBillEntry', 'u1',  'FEntryID',      3,  600,  0, 0, 0, 0, 0, 2, 0, 0, 0, 0, ''),
  (1, 1,  '$',        '$',        '$',                '', 'FInterID',       'ICStockBill',      'v1',  'FInterID',      3,  600,  0, 0, 0, 0, 0, 1, 0, 0, 0, 0, ''),
  (1, 2,  '日期',     '日期',     'Date',             '', 'FDate',          'ICStockBill',      'v1',  'FDate',         0,  1100, 1, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (1, 3,  '单据编号', '單據編號', 'Bill No.',         '', 'FBillNo',        'ICStockBill',      'v1',  'FBillNo',       1,  1500, 1, 1, 1, 0, 0, 0, 0, 1, 0, 1, ''),
  (1, 4,  '事务类型', '事務類型', 'Transaction Type', '', 'FTranTypeName',  'ICTransactionType', 't7', 'FName',         1,  1100, 1, 1, 1, 0, 0, 0, 0, 1, 7, 0, 't7.FName'),
  (1, 5,  '供应商',   '供應商',   'Supplier',         '', 'FSupplierName',  't_Supplier',       't2',  'FName',         1,  2200, 1, 1, 1, 8, 2, 0, 0, 1, 0, 0, ''),
  (1, 6,  '客户',     '客戶',     'Customer',         '', 'FCustName',      't_Organization',   't9',  'FName',         1,  2200, 1, 1, 1, 1, 2, 0, 0, 1, 0, 0, ''),
  (1, 7,  '部门',     '部門',     'Department',       '', 'FDeptName',      't_Department',     't3',  'FName',         1,  1200, 1, 1, 1, 2, 2, 0, 0, 1, 0, 0, ''),
  (1, 8,  '经办人',   '經辦人',   'Handler',          '', 'FEmpName',       't_Emp',            't6',  'FName',         1,  900,  1, 1, 1, 3, 2, 0, 0, 1, 0, 0, ''),
  (1, 9,  '物料代码', '物料代碼', 'Item Code',        '', 'FItemNumber',    't_ICItem',         't1',  'FNumber',       1,  1200, 1, 1, 1, 4, 1, 0, 0, 0, 0, 0, ''),
  (1, 10, '物料名称', '物料名稱', 'Item Name',        '', 'FItemName',      't_ICItem',         't1',  'FName',         1,  1800, 1, 1, 1, 4, 2, 0, 0, 0, 0, 0, ''),
  (1, 11, '规格型号', '規格型號', 'Model',            '', 'FItemModel',     't_ICItem',         't1',  'FModel',        1,  1600, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (1, 12, '单位',     '單位',     'Unit',             '', 'FUnitName',      't_MeasureUnit',    't4',  'FName',         1,  700,  1, 1, 0, 7, 2, 0, 0, 0, 0, 0, ''),
  (1, 13, '批号',     '批號',     'Batch',            '', 'FBatchNo',       'ICStockBillEntry', 'u1',  'FBatchNo',      1,  1200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (1, 14, '数量',     '數量',     'Quantity',         '实收', 'FQty',       'ICStockBillEntry', 'u1',  'FQty',          2,  1100, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (1, 15, '单价',     '單價',     'Unit Price',       '', 'FPrice',         'ICStockBillEntry', 'u1',  'FPrice',        4,  1100, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (1, 16, '金额',     '金額',     'Amount',           '本位币', 'FAmount',  'ICStockBillEntry', 'u1',  'FAmount',       40, 1300, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (1, 17, '仓库',     '倉庫',     'Warehouse',        '', 'FDCStockName',   't_Stock',          't5',  'FName',         1,  1100, 1, 1, 1, 5, 2, 0, 0, 0, 4, 0, 'COALESCE(t5.FName,'''')'),
  (1, 18, '审核标志', '審核標志', 'Audited',          '', 'FCheckStatus',   'ICStockBill',      'v1',  'FCheckerID',    1,  800,  1, 1, 1, 0, 0, 0, 0, 1, 1, 0, 'CASE WHEN v1.FCheckerID>0 THEN ''Y'' ELSE '''' END'),
  (1, 19, '红蓝字',   '紅藍字',   'Red/Blue',         '', 'FROBName',       'ICStockBill',      'v1',  'FROB',          1,  700,  1, 1, 1, 0, 0, 0, 0, 1, 2, 0, 'CASE WHEN v1.FROB=-1 THEN ''红字'' ELSE ''蓝字'' END'),
  (1, 20, '制单人',   '製單人',   'Maker',            '', 'FBillerName',    'ICStockBill',      'v1',  'FBillerID',     1,  900,  1, 1, 1, 0, 0, 0, 0, 1, 5, 0, '(SELECT tu.FName FROM t_User tu WHERE tu.FUserID=v1.FBillerID)'),
  (1, 21, '审核日期', '審核日期', 'Audit Date',       '', 'FCheckDate',     'ICStockBill',      'v1',  'FCheckDate',    0,  1100, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (1, 22, '作废',     '作廢',     'Cancelled',        '', 'FCancellation',  'ICStockBill',      'v1',  'FCancellation', 3,  600,  0, 1, 0, 0, 0, 0, 0, 1, 0, 0, ''),
  (1, 23, '摘要',     '摘要',     'Remark',           '', 'FExplanation',   'ICStockBill',      'v1',  'FExplanation',  1,  2000, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, ''),
  (1, 24, '源单单号', '源單單號', 'Source Bill',      '', 'FSourceBillNo',  'ICStockBillEntry', 'u1',  'FSourceBillNo', 1,  1400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ''),
  (1, 25, '打印摘要', '列印摘要', 'Print Remark',     '', 'FPrintRemark',   'ICStockBill',      'v1',  'FExplanation',  1,  1000, 1, 0, 0, 0, 0, 0, 0, 0, 3, 1, 'v1.FExplanation');

INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter) VALUES
  (1, 1,  'ICStockBill',      'v1', 'FInterID',   'ICStockBillEntry',  'u1', 'FInterID',       0, '=',  '=',  '',    '', '', 0, 0, ''),
  (1, 2,  'ICStockBillEntry', 'u1', 'FItemID',    't_ICItem',          't1', 'FItemID',        0, '=',  '=',  '',    '', '', 0, 0, ''),
  (1, 3,  'ICStockBill',      'v1', 'FTranType',  'ICTransactionType', 't7', 'FID',            0, '=',  '=',  '',    '', '', 0, 0, ''),
  (1, 4,  'ICStockBill',      'v1', 'FROB',       'ICTransactionType', 't7', '0',              1, '=',  '<>', 'AND', '', '', 1, 0, ''),
  (1, 5,  'ICStockBill',      'v1', '1',          'ICTransactionType', 't7', '1',              2, '=',  '=',  'AND', '', '', 4, 1, ''),
  (1, 6,  'ICStockBillEntry', 'u1', 'FDCStockID', 't_Stock',           't5', 'FItemID',        0, '*=', '=',  '',    '', '', 0, 0, ''),
  (1, 7,  'ICStockBillEntry', 'u1', '0',          't_Stock',           't5', 'FDeleted',       1, '*=', '=',  'AND', '', '', 2, 1, ''),
  (1, 8,  'ICStockBill',      'v1', 'FDeptID',    't_Department',      't3', 'FItemID',        0, '*=', '=',  '',    '', '', 0, 0, ''),
  (1, 9,  'ICStockBill',      'v1', 'FEmpID',     't_Emp',             't6', 'FItemID',        0, '*=', '=',  '',    '', '', 0, 0, ''),
  (1, 10, 'ICStockBillEntry', 'u1', 'FUnitID',    't_MeasureUnit',     't4', 'FMeasureUnitID', 0, '*=', '=',  '',    '', '', 0, 0, ''),
  (1, 11, 't_MeasureUnit',    't4', 'FStandard',  '',                  '##BASE##', '',         0, '=',  '=',  '',    '', '', 0, 0, ''),
  (1, 12, 't_Supplier',       't2', 'FItemID',    'ICStockBill',       'v1', 'FSupplyID',      0, '=*', '=',  '',    '', '', 0, 0, ''),
  (1, 13, 't_Organization',   't9', 'FItemID',    'ICStockBill',       'v1', 'FCustID',        0, '=*', '=',  '',    '', '', 0, 0, '');

-- Template 61: purchase orders.
INSERT INTO ICChatBillTitle (FTypeID, FInterID, FColCaption, FColCaption_CHT, FColCaption_EN, FHeadSecond, FColName, FTableName, FTableAlias, FName, FColType, FColWidth, FVisible, FVisForQuest, FVisForOrder, FItemClassID, FReturnDataType, FIsPrimary, FNeedCount, FMergeable, FControl, FMode, FAction) VALUES
  (61, -1, '分录号',     '分錄號',     'Entry',             '', 'FEntryID',        'POOrderEntry',  'u1',  'FEntryID',      3,  600,  0, 0, 0, 0,  0, 2, 0, 0, 0, 0, ''),
  (61, 1,  '$',          '$',          '$',                 '', 'FInterID',        'POOrder',       'v1',  'FInterID',      3,  600,  0, 0, 0, 0,  0, 1, 0, 0, 0, 0, ''),
  (61, 2,  '日期',       '日期',       'Date',              '', 'FDate',           'POOrder',       'v1',  'FDate',         0,  1100, 1, 1, 1, 0,  0, 0, 0, 1, 0, 0, ''),
  (61, 3,  '订单编号',   '訂單編號',   'Order No.',         '', 'FBillNo',         'POOrder',       'v1',  'FBillNo',       1,  1500, 1, 1, 1, 0,  0, 0, 0, 1, 0, 1, ''),
  (61, 4,  '供应商代码', '供應商代碼', 'Supplier Code',     '', 'FSupplierNumber', 't_Supplier',    't2',  'FNumber',       1,  1100, 0, 1, 1, 8,  1, 0, 0, 1, 0, 0, ''),
  (61, 5,  '供应商',     '供應商',     'Supplier',          '', 'FSupplierName',   't_Supplier',    't2',  'FName',         1,  2200, 1, 1, 1, 8,  2, 0, 0, 1, 0, 0, ''),
  (61, 6,  '部门',       '部門',       'Department',        '', 'FDeptName',       't_Department',  't3',  'FName',         1,  1100, 1, 1, 1, 2,  2, 0, 0, 1, 0, 0, 't3.FName'),
  (61, 7,  '业务员',     '業務員',     'Buyer',             '', 'FEmpName',        't_Emp',         't6',  'FName',         1,  900,  1, 1, 1, 3,  2, 0, 0, 1, 0, 0, ''),
  (61, 8,  '币别',       '幣別',       'Currency',          '', 'FCurrencyName',   't_Currency',    't8',  'FName',         1,  700,  1, 1, 0, 12, 2, 0, 0, 1, 0, 0, ''),
  (61, 9,  '物料代码',   '物料代碼',   'Item Code',         '', 'FItemNumber',     't_ICItem',      't1',  'FNumber',       1,  1200, 1, 1, 1, 4,  1, 0, 0, 0, 0, 0, ''),
  (61, 10, '物料名称',   '物料名稱',   'Item Name',         '', 'FItemName',       't_ICItem',      't1',  'FName',         1,  1800, 1, 1, 1, 4,  2, 0, 0, 0, 0, 0, ''),
  (61, 11, '规格型号',   '規格型號',   'Model',             '', 'FItemModel',      't_ICItem',      't1',  'FModel',        1,  1600, 1, 1, 1, 0,  0, 0, 0, 0, 0, 0, ''),
  (61, 12, '单位',       '單位',       'Unit',              '', 'FUnitName',       't_MeasureUnit', 't4',  'FName',         1,  700,  1, 1, 0, 7,  2, 0, 0, 0, 0, 0, ''),
  (61, 13, '数量',       '數量',       'Quantity',          '', 'FQty',            'POOrderEntry',  'u1',  'FQty',          2,  1100, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (61, 14, '单价',       '單價',       'Unit Price',        '', 'FPrice',          'POOrderEntry',  'u1',  'FPrice',        4,  1100, 1, 1, 1, 0,  0, 0, 0, 0, 0, 0, ''),
  (61, 15, '折扣率(%)',  '折扣率(%)',  'Discount (%)',      '', 'FDiscountRate',   'POOrderEntry',  'u1',  'FDiscountRate', 5,  900,  1, 1, 1, 0,  0, 0, 0, 0, 0, 0, ''),
  (61, 16, '金额',       '金額',       'Amount',            '', 'FAmount',         'POOrderEntry',  'u1',  'FAmount',       4,  1300, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (61, 17, '税额',       '稅額',       'Tax',               '', 'FTaxAmount',      'POOrderEntry',  'u1',  'FTaxAmount',    6,  1100, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (61, 18, '价税合计',   '價稅合計',   'Total incl. Tax',   '', 'FAllAmount',      'POOrderEntry',  'u1',  'FAllAmount',    11, 1300, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (61, 19, '交货日期',   '交貨日期',   'Delivery Date',     '', 'FEntryDate',      'POOrderEntry',  'u1',  'FDate',         0,  1100, 1, 1, 1, 0,  0, 0, 0, 0, 0, 0, ''),
  (61, 20, '已入库数量', '已入庫數量', 'Received Qty',      '', 'FStockQty',       'POOrderEntry',  'u1',  'FStockQty',     2,  1100, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (61, 21, '关联标志',   '關聯標志',   'Linked',            '', 'FRelateSign',     'POOrderEntry',  'u1',  'FStockQty',     12, 600,  1, 1, 0, 0,  0, 0, 0, 0, 1, 0, 'CASE WHEN u1.FStockQty>0 THEN ''*'' ELSE '''' END'),
  (61, 22, '状态',       '狀態',       'Status',            '', 'FStatusText',     'POOrder',       'v1',  'FStatus',       1,  800,  1, 1, 1, 0,  0, 0, 0, 1, 2, 0, 'CASE v1.FStatus WHEN 0 THEN ''保存'' WHEN 1 THEN ''审核'' WHEN 2 THEN ''部分入库'' ELSE ''关闭'' END'),
  (61, 23, '审核人',     '審核人',     'Auditor',           '', 'FCheckerID',      't_User',        't10', 'FName',         1,  900,  1, 1, 1, 0,  0, 0, 0, 1, 0, 0, ''),
  (61, 24, '状态码',     '狀態碼',     'Status Code',       '', 'FStatus',         'POOrder',       'v1',  'FStatus',       3,  600,  0, 1, 1, 0,  0, 0, 0, 1, 0, 0, ''),
  (61, 25, '作废',       '作廢',       'Cancelled',         '', 'FCancellation',   'POOrder',       'v1',  'FCancellation', 3,  600,  0, 1, 0, 0,  0, 0, 0, 1, 0, 0, ''),
  (61, 26, '摘要',       '摘要',       'Remark',            '', 'FExplanation',    'POOrder',       'v1',  'FExplanation',  1,  2000, 0, 1, 0, 0,  0, 0, 0, 1, 0, 0, '');

INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter) VALUES
  (61, 1, 'POOrder',       'v1',  'FInterID',    'POOrderEntry',  'u1',  'FInterID',       0, '=*', '=', '', '', '', 0, 0, ''),
  (61, 2, 'POOrderEntry',  'u1',  'FItemID',     't_ICItem',      't1',  'FItemID',        0, '=',  '=', '', '', '', 0, 0, ''),
  (61, 3, 'POOrder',       'v1',  'FDeptID',     't_Department',  't3',  'FItemID',        0, '*=', '=', '', '', '', 0, 0, ''),
  (61, 10, 'POOrder',      'v1',  '1',           't_Department',  't3',  'FDeleted',       1, '*=', '<', 'AND', '', '', 2, 1, ''),
  (61, 4, 'POOrder',       'v1',  'FSupplyID',   't_Supplier',    't2',  'FItemID',        0, '*=', '=', '', '', '', 0, 0, ''),
  (61, 5, 't_Emp',         't6',  'FItemID',     'POOrder',       'v1',  'FEmpID',         0, '=*', '=', '', '', '', 0, 0, ''),
  (61, 6, 'POOrder',       'v1',  'FCurrencyID', 't_Currency',    't8',  'FCurrencyID',    0, '*=', '=', '', '', '', 0, 0, ''),
  (61, 7, 'POOrderEntry',  'u1',  'FUnitID',     't_MeasureUnit', 't4',  'FMeasureUnitID', 0, '*=', '=', '', '', '', 0, 0, ''),
  (61, 8, 't_MeasureUnit', 't4',  'FStandard',   '',              '##BASE##', '',          0, '=',  '=', '', '', '', 0, 0, ''),
  (61, 9, 'POOrder',       'v1',  'FCheckerID',  't_User',        't10', 'FUserID',        0, '*=', '=', '', '', '', 0, 0, '');

-- Template 81: sales orders, with the branch-sale confirmation columns.
INSERT INTO ICChatBillTitle (FTypeID, FInterID, FColCaption, FColCaption_CHT, FColCaption_EN, FHeadSecond, FColName, FTableName, FTableAlias, FName, FColType, FColWidth, FVisible, FVisForQuest, FVisForOrder, FItemClassID, FReturnDataType, FIsPrimary, FNeedCount, FMergeable, FControl, FMode, FAction) VALUES
  (81, -1, '分录号',       '分錄號',       'Entry',            '', 'FEntryID',      'SEOrderEntry',   'u1', 'FEntryID',           3,  600,  0, 0, 0, 0, 0, 2, 0, 0, 0, 0, ''),
  (81, 1,  '$',            '$',            '$',                '', 'FInterID',      'SEOrder',        'v1', 'FInterID',           3,  600,  0, 0, 0, 0, 0, 1, 0, 0, 0, 0, ''),
  (81, 2,  '日期',         '日期',         'Date',             '', 'FDate',         'SEOrder',        'v1', 'FDate',              0,  1100, 1, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 3,  '订单编号',     '訂單編號',     'Order No.',        '', 'FBillNo',       'SEOrder',        'v1', 'FBillNo',            1,  1500, 1, 1, 1, 0, 0, 0, 0, 1, 0, 1, ''),
  (81, 4,  '客户代码',     '客戶代碼',     'Customer Code',    '', 'FCustNumber',   't_Organization', 't2', 'FNumber',            1,  900,  1, 1, 1, 1, 1, 0, 0, 1, 0, 0, ''),
  (81, 5,  '客户',         '客戶',         'Customer',         '', 'FCustName',     't_Organization', 't2', 'FName',              1,  2200, 1, 1, 1, 1, 2, 0, 0, 1, 0, 0, ''),
  (81, 6,  '部门',         '部門',         'Department',       '', 'FDeptName',     't_Department',   't3', 'FName',              1,  1000, 1, 1, 1, 2, 2, 0, 0, 1, 0, 0, ''),
  (81, 7,  '业务员',       '業務員',       'Salesperson',      '', 'FEmpName',      't_Emp',          't6', 'FName',              1,  900,  1, 1, 1, 3, 2, 0, 0, 1, 4, 0, 'COALESCE(t6.FName,'''')'),
  (81, 8,  '物料代码',     '物料代碼',     'Item Code',        '', 'FItemNumber',   't_ICItem',       't1', 'FNumber',            1,  1200, 1, 1, 1, 4, 1, 0, 0, 0, 0, 0, ''),
  (81, 9,  '物料名称',     '物料名稱',     'Item Name',        '', 'FItemName',     't_ICItem',       't1', 'FName',              1,  1800, 1, 1, 1, 4, 2, 0, 0, 0, 0, 0, ''),
  (81, 10, '规格型号',     '規格型號',     'Model',            '', 'FItemModel',    't_ICItem',       't1', 'FModel',             1,  1600, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (81, 11, '单位',         '單位',         'Unit',             '', 'FUnitName',     't_MeasureUnit',  't4', 'FName',              1,  700,  1, 1, 0, 7, 2, 0, 0, 0, 0, 0, ''),
  (81, 12, '数量',         '數量',         'Quantity',         '', 'FQty',          'SEOrderEntry',   'u1', 'FQty',               2,  1000, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (81, 13, '单价',         '單價',         'Unit Price',       '', 'FPrice',        'SEOrderEntry',   'u1', 'FPrice',             4,  1100, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (81, 14, '折扣率(%)',    '折扣率(%)',    'Discount (%)',     '', 'FDiscountRate', 'SEOrderEntry',   'u1', 'FDiscountRate',      5,  900,  1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (81, 15, '金额',         '金額',         'Amount',           '', 'FAmount',       'SEOrderEntry',   'u1', 'FAmount',            4,  1300, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (81, 16, '税额',         '稅額',         'Tax',              '', 'FTaxAmount',    'SEOrderEntry',   'u1', 'FTaxAmount',         6,  1100, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (81, 17, '价税合计',     '價稅合計',     'Total incl. Tax',  '', 'FAllAmount',    'SEOrderEntry',   'u1', 'FAllAmount',         11, 1300, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (81, 18, '建议交货日期', '建議交貨日期', 'Delivery Date',    '', 'FAdviceConsignDate', 'SEOrderEntry', 'u1', 'FAdviceConsignDate', 0, 1200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (81, 19, '已发货数量',   '已發貨數量',   'Delivered Qty',    '', 'FStockQty',     'SEOrderEntry',   'u1', 'FStockQty',          2,  1100, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (81, 20, '交货地点',     '交貨地點',     'Delivery Address', '', 'FFetchAdd',     'SEOrder',        'v1', 'FFetchAdd',          1,  2000, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 21, '状态',         '狀態',         'Status',           '', 'FStatusText',   'SEOrder',        'v1', 'FStatus',            1,  700,  1, 1, 1, 0, 0, 0, 0, 1, 2, 0, 'CASE WHEN v1.FStatus=3 THEN ''关闭'' WHEN v1.FCheckerID>0 THEN ''审核'' ELSE ''保存'' END'),
  (81, 22, '关闭',         '關閉',         'Closed',           '', 'FClosed',       'SEOrder',        'v1', 'FClosed',            3,  600,  0, 1, 0, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 23, '作废',         '作廢',         'Cancelled',        '', 'FCancellation', 'SEOrder',        'v1', 'FCancellation',      3,  600,  0, 1, 0, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 24, '汇率',         '匯率',         'Exchange Rate',    '', 'FExchangeRate', 'SEOrder',        'v1', 'FExchangeRate',      9,  900,  0, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 41, '订单确认',     '訂單確認',     'Confirmed',        '', 'FOrderAffirm',  'SEOrder',        'v1', 'FOrderAffirm',       3,  700,  1, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 42, '订单拒绝',     '訂單拒絕',     'Refused',          '', 'FOrderRefuse',  'SEOrder',        'v1', 'FOrderRefuse',       3,  700,  1, 1, 1, 0, 0, 0, 0, 1, 0, 0, ''),
  (81, 43, '传递状态',     '傳遞狀態',     'Transfer Status',  '', 'FTranStatus',   'SEOrder',        'v1', 'FTranStatus',        3,  700,  0, 1, 1, 0, 0, 0, 0, 1, 0, 0, '');

INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter) VALUES
  (81, 1, 'SEOrder',        'v1', 'FInterID',  'SEOrderEntry',   'u1', 'FInterID',       0, '=',  '=', '',    '',  '',  0, 0, ''),
  (81, 2, 'SEOrderEntry',   'u1', 'FItemID',   't_ICItem',       't1', 'FItemID',        0, '=',  '=', '',    '',  '',  0, 0, ''),
  (81, 3, 'SEOrder',        'v1', 'FCustID',   't_Organization', 't2', 'FItemID',        0, '*=', '=', '',    '',  '',  0, 0, ''),
  (81, 4, 't_Department',   't3', 'FItemID',   'SEOrder',        'v1', 'FDeptID',        0, '=*', '=', '',    '',  '',  0, 0, ''),
  (81, 5, 'SEOrder',        'v1', 'FEmpID',    't_Emp',          't6', 'FItemID',        0, '*=', '=', '',    '',  '',  0, 0, ''),
  (81, 6, 'SEOrder',        'v1', '0',         't_Emp',          't6', 'FDeleted',       1, '*=', '=', 'AND', '(', ')', 2, 0, ''),
  (81, 7, 'SEOrderEntry',   'u1', 'FUnitID',   't_MeasureUnit',  't4', 'FMeasureUnitID', 0, '*=', '=', '',    '',  '',  0, 0, ''),
  (81, 8, 't_MeasureUnit',  't4', 'FStandard', '',               '##BASE##', '',         0, '=',  '=', '',    '',  '',  0, 0, '');

-- Template 90: production tasks (one table, the item joined to it).
INSERT INTO ICChatBillTitle (FTypeID, FInterID, FColCaption, FColCaption_CHT, FColCaption_EN, FHeadSecond, FColName, FTableName, FTableAlias, FName, FColType, FColWidth, FVisible, FVisForQuest, FVisForOrder, FItemClassID, FReturnDataType, FIsPrimary, FNeedCount, FMergeable, FControl, FMode, FAction) VALUES
  (90, 1,  '$',            '$',            '$',                '', 'FInterID',        'ICMO',          'v1', 'FInterID',        3,  600,  0, 0, 0, 0, 0, 1, 0, 0, 0, 0, ''),
  (90, 2,  '单据日期',     '單據日期',     'Date',             '', 'FDate',           'ICMO',          'v1', 'FDate',           0,  1100, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 3,  '生产任务单号', '生產任務單號', 'Task No.',         '', 'FBillNo',         'ICMO',          'v1', 'FBillNo',         1,  1500, 1, 1, 1, 0, 0, 2, 0, 0, 0, 1, ''),
  (90, 4,  '单据类型',     '單據類型',     'Bill Type',        '', 'FTranType',       'ICMO',          'v1', 'FTranType',       3,  600,  0, 0, 0, 0, 0, 0, 0, 0, 0, 1, '59'),
  (90, 5,  '生产车间',     '生產車間',     'Workshop',         '', 'FWorkShopName',   't_Department',  't3', 'FName',           1,  1400, 1, 1, 1, 2, 2, 0, 0, 0, 0, 0, ''),
  (90, 6,  '物料代码',     '物料代碼',     'Item Code',        '', 'FItemNumber',     't_ICItem',      't1', 'FNumber',         1,  1200, 1, 1, 1, 4, 1, 0, 0, 0, 0, 0, ''),
  (90, 7,  '物料名称',     '物料名稱',     'Item Name',        '', 'FItemName',       't_ICItem',      't1', 'FName',           1,  1800, 1, 1, 1, 4, 2, 0, 0, 0, 0, 0, ''),
  (90, 8,  '规格型号',     '規格型號',     'Model',            '', 'FItemModel',      't_ICItem',      't1', 'FModel',          1,  1600, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 9,  '单位',         '單位',         'Unit',             '', 'FUnitName',       't_MeasureUnit', 't4', 'FName',           1,  700,  1, 1, 0, 7, 2, 0, 0, 0, 0, 0, ''),
  (90, 10, '计划生产数量', '計劃生產數量', 'Planned Qty',      '', 'FQty',            'ICMO',          'v1', 'FQty',            2,  1200, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (90, 11, '完工入库数量', '完工入庫數量', 'Finished Qty',     '', 'FStockQty',       'ICMO',          'v1', 'FStockQty',       2,  1200, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, ''),
  (90, 12, '计划开工日期', '計劃開工日期', 'Planned Start',    '', 'FPlanCommitDate', 'ICMO',          'v1', 'FPlanCommitDate', 0,  1200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 13, '计划完工日期', '計劃完工日期', 'Planned Finish',   '', 'FPlanFinishDate', 'ICMO',          'v1', 'FPlanFinishDate', 0,  1200, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 14, '下达日期',     '下達日期',     'Released On',      '', 'FCheckDate',      'ICMO',          'v1', 'FCheckDate',      0,  1100, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 15, '状态',         '狀態',         'Status',           '', 'FStatusText',     'ICMO',          'v1', 'FStatus',         1,  700,  1, 1, 1, 0, 0, 0, 0, 0, 2, 0, 'CASE v1.FStatus WHEN 0 THEN ''计划'' WHEN 1 THEN ''下达'' WHEN 2 THEN ''开工'' ELSE ''结案'' END'),
  (90, 16, '计划成本',     '計劃成本',     'Planned Cost',     '', 'FPlanCost',       't_ICItem',      't1', 'FPlanPrice',      40, 1300, 1, 1, 1, 0, 0, 0, 1, 0, 1, 0, 'v1.FQty*t1.FPlanPrice'),
  (90, 17, '状态码',       '狀態碼',       'Status Code',      '', 'FStatus',         'ICMO',          'v1', 'FStatus',         3,  600,  0, 1, 1, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 18, '作废',         '作廢',         'Cancelled',        '', 'FCancellation',   'ICMO',          'v1', 'FCancellation',   3,  600,  0, 1, 0, 0, 0, 0, 0, 0, 0, 0, ''),
  (90, 19, '备注',         '備註',         'Note',             '', 'FNote',           'ICMO',          'v1', 'FNote',           1,  2000, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, '');

-- The second comparison of the item pair has a kind (9) that writes nothing.
INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter) VALUES
  (90, 1, 'ICMO',          'v1', 'FItemID',   't_ICItem',      't1', 'FItemID',        0, '=',  '=', '',    '', '', 0, 0, ''),
  (90, 2, 'ICMO',          'v1', 'FItemID',   't_ICItem',      't1', 'FItemID',        1, '=',  '=', 'AND', '', '', 9, 0, ''),
  (90, 3, 'ICMO',          'v1', 'FWorkShop', 't_Department',  't3', 'FItemID',        0, '*=', '=', '',    '', '', 0, 0, ''),
  (90, 4, 'ICMO',          'v1', 'FUnitID',   't_MeasureUnit', 't4', 'FMeasureUnitID', 0, '*=', '=', '',    '', '', 0, 0, ''),
  (90, 5, 't_MeasureUnit', 't4', 'FStandard', '',              '##BASE##', '',         0, '=',  '=', '',    '', '', 0, 0, '');

-- Template 62: purchase invoices, with the print counter of each invoice.
INSERT INTO ICChatBillTitle (FTypeID, FInterID, FColCaption, FColCaption_CHT, FColCaption_EN, FHeadSecond, FColName, FTableName, FTableAlias, FName, FColType, FColWidth, FVisible, FVisForQuest, FVisForOrder, FItemClassID, FReturnDataType, FIsPrimary, FNeedCount, FMergeable, FControl, FMode, FAction) VALUES
  (62, -1, '分录号',   '分錄號',   'Entry',           '', 'FEntryID',      'ICPurchaseEntry', 'u1',   'FEntryID',      3,  600,  0, 0, 0, 0,  0, 2, 0, 0, 0, 0, ''),
  (62, 1,  '$',        '$',        '$',               '', 'FInterID',      'ICPurchase',      'v1',   'FInterID',      3,  600,  0, 0, 0, 0,  0, 1, 0, 0, 0, 0, ''),
  (62, 2,  '日期',     '日期',     'Date',            '', 'FDate',         'ICPurchase',      'v1',   'FDate',         0,  1100, 1, 1, 1, 0,  0, 0, 0, 1, 0, 0, ''),
  (62, 3,  '发票号码', '發票號碼', 'Invoice No.',     '', 'FBillNo',       'ICPurchase',      'v1',   'FBillNo',       1,  1500, 1, 1, 1, 0,  0, 0, 0, 1, 0, 1, ''),
  (62, 4,  '单据类型', '單據類型', 'Bill Type',       '', 'FTranType',     'ICPurchase',      'v1',   'FTranType',     3,  600,  0, 0, 0, 0,  0, 0, 0, 0, 0, 1, '58'),
  (62, 5,  '供应商',   '供應商',   'Supplier',        '', 'FSupplierName', 't_Supplier',      't2',   'FName',         1,  2200, 1, 1, 1, 8,  2, 0, 0, 1, 0, 0, ''),
  (62, 6,  '部门',     '部門',     'Department',      '', 'FDeptName',     't_Department',    't3',   'FName',         1,  1000, 1, 1, 1, 2,  2, 0, 0, 1, 0, 0, ''),
  (62, 7,  '币别',     '幣別',     'Currency',        '', 'FCurrencyName', 't_Currency',      't8',   'FName',         1,  700,  1, 1, 0, 12, 2, 0, 0, 1, 7, 0, 't8.FName'),
  (62, 8,  '物料代码', '物料代碼', 'Item Code',       '', 'FItemNumber',   't_ICItem',        't1',   'FNumber',       1,  1200, 1, 1, 1, 4,  1, 0, 0, 0, 0, 0, ''),
  (62, 9,  '物料名称', '物料名稱', 'Item Name',       '', 'FItemName',     't_ICItem',        't1',   'FName',         1,  1800, 1, 1, 1, 4,  2, 0, 0, 0, 0, 0, ''),
  (62, 10, '单位',     '單位',     'Unit',            '', 'FUnitName',     't_MeasureUnit',   't4',   'FName',         1,  700,  1, 1, 0, 7,  2, 0, 0, 0, 0, 0, ''),
  (62, 11, '数量',     '數量',     'Quantity',        '', 'FQty',          'ICPurchaseEntry', 'u1',   'FQty',          2,  1000, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (62, 12, '单价',     '單價',     'Unit Price',      '', 'FPrice',        'ICPurchaseEntry', 'u1',   'FPrice',        4,  1100, 1, 1, 1, 0,  0, 0, 0, 0, 0, 0, ''),
  (62, 13, '金额',     '金額',     'Amount',          '', 'FAmount',       'ICPurchaseEntry', 'u1',   'FAmount',       4,  1300, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (62, 14, '税额',     '稅額',     'Tax',             '', 'FTaxAmount',    'ICPurchaseEntry', 'u1',   'FTaxAmount',    6,  1100, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (62, 15, '价税合计+本位币|含税', '價稅合計+本位幣|含稅', 'Total incl. Tax', '', 'FAllAmount',    'ICPurchaseEntry', 'u1',   'FAllAmount',    11, 1300, 1, 1, 1, 0,  0, 0, 1, 0, 0, 0, ''),
  (62, 16, '红蓝字',   '紅藍字',   'Red/Blue',        '', 'FROBName',      'ICPurchase',      'v1',   'FROB',          1,  700,  1, 1, 1, 0,  0, 0, 0, 1, 2, 0, 'CASE WHEN v1.FROB=-1 THEN ''红字'' ELSE ''蓝字'' END'),
  (62, 17, '审核标志', '審核標志', 'Audited',         '', 'FCheckStatus',  'ICPurchase',      'v1',   'FCheckerID',    1,  700,  1, 1, 1, 0,  0, 0, 0, 1, 1, 0, 'CASE WHEN v1.FCheckerID>0 THEN ''Y'' ELSE '''' END'),
  (62, 18, '打印次数', '列印次數', 'Printed',         '', 'FPrintCount',   'ICPrintCount',    't562', 'FPrintCount',   3,  700,  1, 1, 1, 0,  0, 0, 0, 1, 5, 0, 'COALESCE(t562.FPrintCount,0)'),
  (62, 19, '核销状态', '核銷狀態', 'Write-off',       '', 'FHookStatus',   'ICPurchase',      'v1',   'FHookStatus',   3,  700,  0, 1, 1, 0,  0, 0, 0, 1, 0, 0, ''),
  (62, 20, '作废',     '作廢',     'Cancelled',       '', 'FCancellation', 'ICPurchase',      'v1',   'FCancellation', 3,  600,  0, 1, 0, 0,  0, 0, 0, 1, 0, 0, '');

INSERT INTO ICTableRelation (FTypeID, FInterID, FTableName, FTableNameAlias, FFieldName, FTableName11, FTableNameAlias11, FFieldName11, FIndex, FLogic, FLogicOperator, Fcondition, FLeftParentheses, FRightParentheses, FIsConst, FConstType, FSubFilter) VALUES
  (62, 1, 'ICPurchase',      'v1', 'FInterID',    'ICPurchaseEntry', 'u1',   'FInterID',       0, '=',  '=', '', '', '', 0, 0, ''),
  (62, 2, 'ICPurchaseEntry', 'u1', 'FItemID',     't_ICItem',        't1',   'FItemID',        0, '=',  '=', '', '', '', 0, 0, ''),
  (62, 3, 'ICPurchase',      'v1', 'FInterID',    'ICPrintCount',    't562', 'FInterID',       0, '*=', '=', '', '', '', 0, 0, 'v1.FInterID = t562.FInterID AND t562.FBillType = v1.FTranType'),
  (62, 4, 't_Supplier',      't2', 'FItemID',     'ICPurchase',      'v1',   'FSupplyID',      0, '=*', '=', '', '', '', 0, 0, ''),
  (62, 5, 't_Supplier',      't2', 'FStatus',     '',                '##BASE##', '',           0, '=',  '=', '', '', '', 0, 0, ''),
  (62, 6, 'ICPurchase',      'v1', 'FDeptID',     't_Department',    't3',   'FItemID',        0, '*=', '=', '', '', '', 0, 0, ''),
  (62, 7, 'ICPurchaseEntry', 'u1', 'FUnitID',     't_MeasureUnit',   't4',   'FMeasureUnitID', 0, '*=', '=', '', '', '', 0, 0, ''),
  (62, 8, 'ICPurchase',      'v1', 'FCurrencyID', 't_Currency',      't8',   'FCurrencyID',    0, '=',  '=', '', '', '', 0, 0, ''),
  (62, 9, 'ICPurchase',      'v1', 'FExchangeRate', 't_Currency',    't8',   '0',              1, '=',  '>', 'AND', '', '', 1, 1, ''),
  (62, 10, 'ICPurchase',     'v1', '1',           't_Currency',      't8',   '1',              2, '=',  '=', 'AND', '', '', 4, 0, '');

------------------------------------------------------------------------------
-- Status-selector configuration
------------------------------------------------------------------------------

INSERT INTO ICListFilter (FID, FListID, FListShowStatus, FDestBillTranType, FBillROB, FCheckSwitch,
  FCboTimeVisible, FCboTimeCaption, FCboTimeCaption_CHT, FCboTimeCaption_EN, FCboTimeList, FCboTimeList_CHT, FCboTimeList_EN, FCboTimeValue, FCboTimeEnable,
  FCboCheckVisible, FCboCheckCaption, FCboCheckCaption_CHT, FCboCheckCaption_EN, FCboCheckList, FCboCheckList_CHT, FCboCheckList_EN, FCboCheckValue, FCboCheckEnable,
  FCboCancelVisible, FCboCancelCaption, FCboCancelCaption_CHT, FCboCancelCaption_EN, FCboCancelList, FCboCancelList_CHT, FCboCancelList_EN, FCboCancelValue, FCboCancelEnable,
  FCboKickBackVisible, FCboKickBackCaption, FCboKickBackCaption_CHT, FCboKickBackCaption_EN, FCboKickBackList, FCboKickBackList_CHT, FCboKickBackList_EN, FCboKickBackValue, FCboKickBackEnable,
  FCboROBVisible, FCboROBCaption, FCboROBCaption_CHT, FCboROBCaption_EN, FCboROBList, FCboROBList_CHT, FCboROBList_EN, FCboROBValue, FCboROBEnable,
  FCboPostVisible, FCboPostCaption, FCboPostCaption_CHT, FCboPostCaption_EN, FCboPostList, FCboPostList_CHT, FCboPostList_EN, FCboPostValue, FCboPostEnable,
  FCboICMOVisible, FCboICMOCaption, FCboICMOCaption_CHT, FCboICMOCaption_EN, FCboICMOList, FCboICMOList_CHT, FCboICMOList_EN, FCboICMOValue, FCboICMOEnable,
  FCboConnectVisible, FCboConnectCaption, FCboConnectCaption_CHT, FCboConnectCaption_EN, FCboConnectList, FCboConnectList_CHT, FCboConnectList_EN, FCboConnectValue, FCboConnectEnable)
VALUES
  -- Purchase receipts, shown from the menu: this period, every audit state.
  (1, 1, 0, 0, 0, 0,
   1, '时间:', '時間:', 'Time:', '当天;本周;本期;全部;本年', '當天;本週;本期;全部;本年', 'Today;This week;This period;All;This year', 2, 1,
   1, '审核标志:', '審核標志:', 'Audit:', '已审核;未审核;全部', '已審核;未審核;全部', 'Audited;Not audited;All', 2, 1,
   1, '作废标志:', '作廢標志:', 'Cancelled:', '已作废;正常;全部', '已作廢;正常;全部', 'Cancelled;Normal;All', 1, 1,
   0, '核销标志', '核銷標志', 'Write-off', '已核销;未核销;全部', '已核銷;未核銷;全部', 'Written off;Open;All', 2, 1,
   1, '红蓝标志:', '紅藍標志:', 'Red/Blue:', '蓝字;红字;全部', '藍字;紅字;全部', 'Blue;Red;All', 0, 1,
   1, '记账标志:', '記賬標志:', 'Posting:', '已记账;未记账;全部', '已記賬;未記賬;全部', 'Posted;Not posted;All', 2, 1,
   0, '订单状态:', '訂單狀態:', 'Order state:', '计划;下达;结案;全部', '計劃;下達;結案;全部', 'Planned;Released;Closed;All', 3, 1,
   0, '关闭标志:', '關閉標志:', 'Closing:', '已关闭;未关闭;全部', '已關閉;未關閉;全部', 'Closed;Open;All', 2, 1),
  -- Purchase receipts picked as the source of a purchase invoice (blue):
  -- audited, normal, blue bills only, the choices fixed.
  (2, 1, 2, 75, 1, 0,
   1, '时间:', '時間:', 'Time:', '当天;本周;本期;全部;本年', '當天;本週;本期;全部;本年', 'Today;This week;This period;All;This year', 3, 1,
   1, '审核标志:', '審核標志:', 'Audit:', '已审核;未审核;全部', '已審核;未審核;全部', 'Audited;Not audited;All', 0, 0,
   1, '作废标志:', '作廢標志:', 'Cancelled:', '已作废;正常;全部', '已作廢;正常;全部', 'Cancelled;Normal;All', 1, 0,
   0, '核销标志', '核銷標志', 'Write-off', '已核销;未核销;全部', '已核銷;未核銷;全部', 'Written off;Open;All', 2, 1,
   1, '红蓝标志:', '紅藍標志:', 'Red/Blue:', '蓝字;红字;全部', '藍字;紅字;全部', 'Blue;Red;All', 0, 0,
   0, '记账标志:', '記賬標志:', 'Posting:', '已记账;未记账;全部', '已記賬;未記賬;全部', 'Posted;Not posted;All', 2, 1,
   0, '订单状态:', '訂單狀態:', 'Order state:', '计划;下达;结案;全部', '計劃;下達;結案;全部', 'Planned;Released;Closed;All', 3, 1,
   0, '关闭标志:', '關閉標志:', 'Closing:', '已关闭;未关闭;全部', '已關閉;未關閉;全部', 'Closed;Open;All', 2, 1),
  -- Purchase orders: this year, open orders.
  (3, 4, 0, 0, 0, 0,
   1, '时间:', '時間:', 'Time:', '当天;本周;本期;全部;本年', '當天;本週;本期;全部;本年', 'Today;This week;This period;All;This year', 4, 1,
   1, '审核标志:', '審核標志:', 'Audit:', '已审核;未审核;全部', '已審核;未審核;全部', 'Audited;Not audited;All', 2, 1,
   1, '作废标志:', '作廢標志:', 'Cancelled:', '已作废;正常;全部', '已作廢;正常;全部', 'Cancelled;Normal;All', 1, 1,
   0, '核销标志', '核銷標志', 'Write-off', '已核销;未核销;全部', '已核銷;未核銷;全部', 'Written off;Open;All', 2, 1,
   0, '红蓝标志:', '紅藍標志:', 'Red/Blue:', '蓝字;红字;全部', '藍字;紅字;全部', 'Blue;Red;All', 2, 1,
   0, '记账标志:', '記賬標志:', 'Posting:', '已记账;未记账;全部', '已記賬;未記賬;全部', 'Posted;Not posted;All', 2, 1,
   0, '订单状态:', '訂單狀態:', 'Order state:', '计划;下达;结案;全部', '計劃;下達;結案;全部', 'Planned;Released;Closed;All', 3, 1,
   1, '关闭标志:', '關閉標志:', 'Closing:', '已关闭;未关闭;全部', '已關閉;未關閉;全部', 'Closed;Open;All', 1, 1),
  -- Production tasks: every state, all dates.
  (4, 6, 0, 0, 0, 0,
   1, '时间:', '時間:', 'Time:', '当天;本周;本期;全部;本年', '當天;本週;本期;全部;本年', 'Today;This week;This period;All;This year', 3, 1,
   0, '审核标志:', '審核標志:', 'Audit:', '已审核;未审核;全部', '已審核;未審核;全部', 'Audited;Not audited;All', 2, 1,
   1, '作废标志:', '作廢標志:', 'Cancelled:', '已作废;正常;全部', '已作廢;正常;全部', 'Cancelled;Normal;All', 1, 1,
   0, '核销标志', '核銷標志', 'Write-off', '已核销;未核销;全部', '已核銷;未核銷;全部', 'Written off;Open;All', 2, 1,
   0, '红蓝标志:', '紅藍標志:', 'Red/Blue:', '蓝字;红字;全部', '藍字;紅字;全部', 'Blue;Red;All', 2, 1,
   0, '记账标志:', '記賬標志:', 'Posting:', '已记账;未记账;全部', '已記賬;未記賬;全部', 'Posted;Not posted;All', 2, 1,
   1, '单据状态:', '單據狀態:', 'Bill state:', '计划;下达;结案;全部', '計劃;下達;結案;全部', 'Planned;Released;Closed;All', 3, 1,
   1, '计划关闭:', '計劃關閉:', 'Plan closed:', '已关闭;未关闭;全部', '已關閉;未關閉;全部', 'Closed;Open;All', 2, 1),
  -- Purchase invoices: this period, with the write-off selector.
  (5, 7, 0, 0, 0, 0,
   1, '时间:', '時間:', 'Time:', '当天;本周;本期;全部;本年', '當天;本週;本期;全部;本年', 'Today;This week;This period;All;This year', 2, 1,
   1, '审核标志:', '審核標志:', 'Audit:', '已审核;未审核;全部', '已審核;未審核;全部', 'Audited;Not audited;All', 2, 1,
   1, '作废标志:', '作廢標志:', 'Cancelled:', '已作废;正常;全部', '已作廢;正常;全部', 'Cancelled;Normal;All', 1, 1,
   1, '核销标志:', '核銷標志:', 'Write-off:', '已核销;未核销;全部', '已核銷;未核銷;全部', 'Written off;Open;All', 2, 1,
   1, '红蓝标志:', '紅藍標志:', 'Red/Blue:', '蓝字;红字;全部', '藍字;紅字;全部', 'Blue;Red;All', 2, 1,
   1, '记账标志:', '記賬標志:', 'Posting:', '已记账;未记账;全部', '已記賬;未記賬;全部', 'Posted;Not posted;All', 2, 1,
   0, '订单状态:', '訂單狀態:', 'Order state:', '计划;下达;结案;全部', '計劃;下達;結案;全部', 'Planned;Released;Closed;All', 3, 1,
   0, '关闭标志:', '關閉標志:', 'Closing:', '已关闭;未关闭;全部', '已關閉;未關閉;全部', 'Closed;Open;All', 2, 1);

------------------------------------------------------------------------------
-- Documents
------------------------------------------------------------------------------

-- Stock bills. Each kind is spread evenly over 2026 in bill-number order.
-- About 80% are audited (half of those posted), every 37th is cancelled and
-- every 29th is a red bill (negative quantities). Makers cycle through all
-- users, so that each group sees a different share of the bills.
WITH RECURSIVE
  seq(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 360),
  kinds(tran, base, prefix, cnt) AS (
    VALUES (1, 0, 'WIN', 360), (2, 1000, 'CIN', 300), (21, 2000, 'XOUT', 360), (24, 3000, 'SOUT', 150)),
  b AS (
    SELECT k.tran, k.base + s.n AS id, k.prefix || printf('%06d', s.n) AS billno,
           strftime('%Y-%m-%d 00:00:00', '2026-01-01', '+' || ((s.n - 1) * 365 / k.cnt) || ' days') AS d,
           s.n AS n,
           (s.n % 10 < 8 AND s.n % 37 <> 5) AS audited,
           (s.n % 37 = 5) AS cancelled
    FROM kinds k JOIN seq s ON s.n <= k.cnt)
INSERT INTO ICStockBill (FInterID, FBillNo, FDate, FTranType, FROB, FSupplyID, FCustID, FDeptID, FEmpID,
                         FFManagerID, FSManagerID, FCurrencyID, FExchangeRate, FBillerID, FCheckerID, FCheckDate,
                         FPosterID, FVchInterID, FStatus, FCancellation, FClosed, FSuspend, FHookStatus, FExplanation)
SELECT id, billno, d, tran,
       CASE WHEN n % 29 = 0 THEN -1 ELSE 1 END,
       CASE WHEN tran = 1 THEN 1 + n % 10 ELSE 0 END,
       CASE WHEN tran = 21 THEN 1 + n % 12 ELSE 0 END,
       CASE tran WHEN 1 THEN 5 WHEN 2 THEN 3 + n % 2 WHEN 21 THEN 2 ELSE 3 + n % 2 END,
       CASE tran WHEN 1 THEN 7 + n % 2 WHEN 2 THEN 5 + n % 2 WHEN 21 THEN CASE n % 3 WHEN 0 THEN 3 WHEN 1 THEN 4 ELSE 12 END ELSE 5 + n % 2 END,
       10, 7 + n % 2, 1, 1,
       1 + (n * 3) % 7,
       CASE WHEN audited THEN CASE WHEN n % 3 = 0 THEN 1 ELSE 3 END END,
       CASE WHEN audited THEN strftime('%Y-%m-%d 10:20:30', d, '+1 day') END,
       CASE WHEN audited AND n % 10 < 4 THEN 6 WHEN audited THEN 0 END,
       CASE WHEN audited AND n % 10 < 4 THEN id ELSE 0 END,
       CASE WHEN audited THEN 1 ELSE 0 END,
       cancelled, 0, 0, 0,
       CASE WHEN n % 29 = 0 THEN '退货冲回'
            WHEN tran = 1 AND n % 5 = 0 THEN '按采购订单到货验收'
            WHEN tran = 21 AND n % 7 = 0 THEN '客户自提'
            ELSE '' END
FROM b;

-- Entries: 1 to 4 distinct items per bill, bought at the order price, made
-- at the plan price, sold at the sale price. Every 53rd bill still names the
-- deleted warehouse.
WITH RECURSIVE
  k(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM k WHERE k < 4),
  e AS (
    SELECT b.FInterID AS id, b.FTranType AS tran, b.FDate AS d, k.k AS k,
           CASE b.FTranType
             WHEN 1  THEN 1 + (b.FInterID * 7 + k.k * 3) % 20
             WHEN 2  THEN 21 + (b.FInterID * 5 + k.k * 7) % 12
             WHEN 21 THEN 25 + (b.FInterID * 3 + k.k * 5) % 8
             ELSE 1 + (b.FInterID * 11 + k.k * 3) % 20 END AS item,
           b.FROB * CASE b.FTranType
             WHEN 21 THEN 1 + (b.FInterID + k.k) % 6
             WHEN 2  THEN 5 * (1 + (b.FInterID * 3 + k.k) % 12)
             ELSE 10 + (b.FInterID * 13 + k.k * 17) % 190 END AS qty,
           1 + ((b.FInterID % 1000) - 1) * 300 / 360 AS src
    FROM ICStockBill b JOIN k ON k.k <= 1 + b.FInterID % 4)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FDetailID, FItemID, FUnitID, FBatchNo, FQtyMust, FQty, FPrice, FAmount,
                              FDCStockID, FSCStockID, FSourceTranType, FSourceInterID, FSourceBillNo, FNote)
SELECT e.id, e.k, 10000000000 + e.id * 10 + e.k, i.FItemID, i.FUnitID,
       CASE WHEN e.tran IN (1, 2) THEN 'B' || substr(e.d, 3, 2) || substr(e.d, 6, 2) || substr(e.d, 9, 2) || '-' || e.k ELSE '' END,
       e.qty, e.qty, p.price, round(e.qty * p.price, 2),
       CASE WHEN e.id % 53 = 0 THEN 6 ELSE i.FDefaultLoc END,
       0,
       CASE e.tran WHEN 1 THEN 71 WHEN 21 THEN 81 ELSE 85 END,
       e.src,
       CASE e.tran WHEN 1 THEN 'POORD' WHEN 21 THEN 'SEORD' ELSE 'WORK' END || printf('%06d', e.src),
       CASE WHEN e.k = 1 AND e.id % 11 = 0 THEN '包装破损已挑选' ELSE '' END
FROM e
JOIN t_ICItem i ON i.FItemID = e.item
JOIN (SELECT FItemID, CASE WHEN FErpClsID = 1 THEN FOrderPrice WHEN FSalePrice > 0 THEN FSalePrice ELSE FPlanPrice END AS price
      FROM t_ICItem) AS p ON p.FItemID = e.item;

-- Purchase orders. FStatus by age: the older ones are closed (3), then
-- partly received (2), audited (1), and the newest only saved (0); every
-- 23rd is still unaudited, every 41st of those cancelled. Every 15th is an
-- import order in US dollars.
WITH RECURSIVE
  seq(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 300),
  o AS (
    SELECT n, strftime('%Y-%m-%d 00:00:00', '2026-01-01', '+' || ((n - 1) * 365 / 300) || ' days') AS d,
           CASE WHEN n % 23 = 0 THEN 0 WHEN n <= 200 THEN 3 WHEN n <= 250 THEN 2 WHEN n <= 285 THEN 1 ELSE 0 END AS st
    FROM seq)
INSERT INTO POOrder (FInterID, FBillNo, FDate, FTranType, FROB, FSupplyID, FDeptID, FEmpID, FCurrencyID, FExchangeRate,
                     FBillerID, FCheckerID, FCheckDate, FStatus, FCancellation, FClosed, FExplanation)
SELECT n, 'POORD' || printf('%06d', n), d, 71, 1,
       CASE WHEN n % 13 = 0 THEN 11 + n % 2 ELSE 1 + n % 10 END,
       1, 1 + n % 2,
       CASE WHEN n % 15 = 0 THEN 2 ELSE 1 END,
       CASE WHEN n % 15 = 0 THEN 7.1 ELSE 1 END,
       CASE n % 4 WHEN 0 THEN 1 WHEN 3 THEN 3 ELSE 2 END,
       CASE WHEN st > 0 THEN 1 END,
       CASE WHEN st > 0 THEN strftime('%Y-%m-%d 09:15:00', d, '+1 day') END,
       st,
       CASE WHEN st = 0 AND n % 41 = 0 THEN 1 ELSE 0 END,
       CASE WHEN st = 3 THEN 1 ELSE 0 END,
       CASE WHEN n % 15 = 0 THEN '进口采购' WHEN n % 13 = 0 THEN '委外加工' WHEN n % 6 = 0 THEN '月度备料' ELSE '' END
FROM o;

WITH RECURSIVE
  k(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM k WHERE k < 3),
  e AS (
    SELECT o.FInterID AS id, o.FDate AS d, o.FStatus AS st, k.k AS k,
           CASE WHEN o.FSupplyID > 10 THEN 33 + (o.FInterID + k.k) % 2
                ELSE 1 + (o.FInterID * 7 + k.k * 3) % 20 END AS item,
           20 + (o.FInterID * 17 + k.k * 31) % 480 AS qty,
           (o.FInterID % 5) * 1.0 AS disc
    FROM POOrder o JOIN k ON k.k <= 1 + o.FInterID % 3
                          AND (o.FSupplyID <= 10 OR k.k <= 2))
INSERT INTO POOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FPrice, FAmount, FDiscountRate, FTaxRate,
                          FTaxAmount, FAllAmount, FDate, FStockQty, FMrpClosed, FNote)
SELECT e.id, e.k, i.FItemID, i.FUnitID, e.qty, i.FOrderPrice,
       round(e.qty * i.FOrderPrice * (100 - e.disc) / 100, 2),
       e.disc, 13,
       round(e.qty * i.FOrderPrice * (100 - e.disc) / 100 * 0.13, 2),
       round(e.qty * i.FOrderPrice * (100 - e.disc) / 100, 2) + round(e.qty * i.FOrderPrice * (100 - e.disc) / 100 * 0.13, 2),
       strftime('%Y-%m-%d 00:00:00', e.d, '+15 days'),
       CASE e.st WHEN 3 THEN e.qty WHEN 2 THEN CASE WHEN e.k = 1 THEN e.qty ELSE round(e.qty / 2.0) END ELSE 0 END,
       CASE WHEN e.st = 3 THEN 1 ELSE 0 END,
       CASE WHEN e.k = 1 AND e.id % 9 = 0 THEN '需附材质证明' ELSE '' END
FROM e JOIN t_ICItem i ON i.FItemID = e.item;

-- Sales orders: the same life cycle; confirmed by the branch once audited,
-- every 31st refused. Export customers pay in US dollars or euros.
WITH RECURSIVE
  seq(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 300),
  o AS (
    SELECT n, 1 + n % 12 AS cust,
           strftime('%Y-%m-%d 00:00:00', '2026-01-01', '+' || ((n - 1) * 365 / 300) || ' days') AS d,
           CASE WHEN n % 19 = 0 THEN 0 WHEN n <= 210 THEN 3 WHEN n <= 255 THEN 2 WHEN n <= 285 THEN 1 ELSE 0 END AS st
    FROM seq)
INSERT INTO SEOrder (FInterID, FBillNo, FDate, FTranType, FROB, FCustID, FDeptID, FEmpID, FCurrencyID, FExchangeRate,
                     FBillerID, FCheckerID, FCheckDate, FStatus, FCancellation, FClosed, FOrderAffirm, FOrderRefuse,
                     FTranStatus, FFetchAdd, FExplanation)
SELECT o.n, 'SEORD' || printf('%06d', o.n), o.d, 81, 1, o.cust,
       CASE WHEN o.n % 9 = 0 THEN 0 ELSE 2 END,
       CASE o.n % 3 WHEN 0 THEN 3 WHEN 1 THEN 4 ELSE 12 END,
       CASE o.cust WHEN 9 THEN 2 WHEN 10 THEN 3 ELSE 1 END,
       CASE o.cust WHEN 9 THEN 7.1 WHEN 10 THEN 7.8 ELSE 1 END,
       CASE o.n % 5 WHEN 0 THEN 1 WHEN 1 THEN 2 ELSE 4 END,
       CASE WHEN o.st > 0 THEN 1 END,
       CASE WHEN o.st > 0 THEN strftime('%Y-%m-%d 14:05:00', o.d) END,
       o.st,
       CASE WHEN o.st = 0 AND o.n % 38 = 0 THEN 1 ELSE 0 END,
       CASE WHEN o.st = 3 THEN 1 ELSE 0 END,
       CASE WHEN o.st > 0 AND o.n % 31 <> 0 THEN 1 ELSE 0 END,
       CASE WHEN o.n % 31 = 0 THEN 1 ELSE 0 END,
       o.n % 2,
       c.FCity || ' ' || c.FAddress,
       CASE WHEN o.cust IN (9, 10) THEN '出口订单' WHEN o.n % 8 = 0 THEN '加急' ELSE '' END
FROM o JOIN t_Organization c ON c.FItemID = o.cust;

WITH RECURSIVE
  k(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM k WHERE k < 3),
  e AS (
    SELECT o.FInterID AS id, o.FDate AS d, o.FStatus AS st, k.k AS k,
           25 + (o.FInterID * 3 + k.k * 5) % 8 AS item,
           1 + (o.FInterID + k.k * 2) % 8 AS qty,
           CASE WHEN o.FCustID IN (1, 3, 5) THEN 5.0 ELSE 0.0 END AS disc
    FROM SEOrder o JOIN k ON k.k <= 1 + o.FInterID % 3)
INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FPrice, FAmount, FDiscountRate, FTaxRate,
                          FTaxAmount, FAllAmount, FAdviceConsignDate, FStockQty, FMrpClosed, FNote)
SELECT e.id, e.k, i.FItemID, i.FUnitID, e.qty, i.FSalePrice,
       round(e.qty * i.FSalePrice * (100 - e.disc) / 100, 2),
       e.disc, 13,
       round(e.qty * i.FSalePrice * (100 - e.disc) / 100 * 0.13, 2),
       round(e.qty * i.FSalePrice * (100 - e.disc) / 100, 2) + round(e.qty * i.FSalePrice * (100 - e.disc) / 100 * 0.13, 2),
       strftime('%Y-%m-%d 00:00:00', e.d, '+20 days'),
       CASE e.st WHEN 3 THEN e.qty WHEN 2 THEN CASE WHEN e.k = 1 THEN e.qty ELSE 0 END ELSE 0 END,
       CASE WHEN e.st = 3 THEN 1 ELSE 0 END,
       CASE WHEN e.k = 1 AND e.id % 10 = 0 THEN '颜色: RAL5015 天蓝' ELSE '' END
FROM e JOIN t_ICItem i ON i.FItemID = e.item;

-- Production tasks: planned (0), released (1), started (2), finished (3).
-- Released on FCheckDate; every 20th is a rework task (FType 1).
WITH RECURSIVE
  seq(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 400),
  m AS (
    SELECT n, 21 + (n * 5) % 12 AS item,
           strftime('%Y-%m-%d 00:00:00', '2026-01-01', '+' || ((n - 1) * 365 / 400) || ' days') AS d,
           CASE WHEN n % 31 = 0 THEN 0 WHEN n <= 300 THEN 3 WHEN n <= 345 THEN 2 WHEN n <= 375 THEN 1 ELSE 0 END AS st,
           5 * (2 + (n * 7) % 39) AS qty
    FROM seq)
INSERT INTO ICMO (FInterID, FBillNo, FDate, FTranType, FROB, FType, FItemID, FUnitID, FQty, FStockQty, FWorkShop,
                  FPlanCommitDate, FPlanFinishDate, FCommitDate, FFinishDate, FBillerID, FCheckerID, FCheckDate,
                  FStatus, FCancellation, FMRPClosed, FSuspend, FPlanOrderInterID, FNote)
SELECT m.n, 'WORK' || printf('%06d', m.n), m.d, 85, 1,
       CASE WHEN m.n % 20 = 0 THEN 1 ELSE 0 END,
       i.FItemID, i.FUnitID, m.qty,
       CASE m.st WHEN 3 THEN m.qty WHEN 2 THEN (m.qty / 3) ELSE 0 END,
       CASE WHEN i.FItemID <= 24 THEN 3 ELSE 4 END,
       strftime('%Y-%m-%d 08:00:00', m.d, '+2 days'),
       strftime('%Y-%m-%d 17:00:00', m.d, '+12 days'),
       CASE WHEN m.st >= 2 THEN strftime('%Y-%m-%d 08:00:00', m.d, '+3 days') END,
       CASE WHEN m.st = 3 THEN strftime('%Y-%m-%d 16:30:00', m.d, '+11 days') END,
       CASE WHEN m.n % 6 = 0 THEN 3 ELSE 5 END,
       CASE WHEN m.st >= 1 THEN 5 END,
       CASE WHEN m.st >= 1 THEN strftime('%Y-%m-%d 09:30:00', m.d, '+1 day') END,
       m.st,
       CASE WHEN m.st = 0 AND m.n % 62 = 0 THEN 1 ELSE 0 END,
       CASE WHEN m.st = 3 THEN 1 ELSE 0 END,
       0,
       CASE WHEN m.n > 330 THEN 3 ELSE 0 END,
       CASE WHEN m.n % 20 = 0 THEN '返工: 焊缝补焊' WHEN m.n % 9 = 0 THEN '按销售订单生产' ELSE '' END
FROM m JOIN t_ICItem i ON i.FItemID = m.item;

-- Purchase invoices: every 17th is a red invoice; audited ones are mostly
-- written off against receipts by the accountant.
WITH RECURSIVE
  seq(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 240),
  v AS (
    SELECT n, strftime('%Y-%m-%d 00:00:00', '2026-01-05', '+' || ((n - 1) * 360 / 240) || ' days') AS d,
           (n % 10 < 8) AS audited,
           (n % 3 <> 0) AS hooked,
           CASE WHEN n % 17 = 0 THEN -1 ELSE 1 END AS rob
    FROM seq)
INSERT INTO ICPurchase (FInterID, FBillNo, FDate, FTranType, FROB, FSupplyID, FDeptID, FEmpID, FCurrencyID, FExchangeRate,
                        FBillerID, FCheckerID, FCheckDate, FPosterID, FVchInterID, FHookerID, FHookStatus, FARPStatus,
                        FStatus, FCancellation, FExplanation)
SELECT n, 'PINV' || printf('%06d', n), d, 75, rob,
       1 + n % 12, 1, 1 + n % 2,
       CASE WHEN n % 24 = 0 THEN 2 ELSE 1 END,
       CASE WHEN n % 24 = 0 THEN 7.1 ELSE 1 END,
       CASE WHEN n % 3 = 0 THEN 2 ELSE 6 END,
       CASE WHEN audited THEN 6 END,
       CASE WHEN audited THEN strftime('%Y-%m-%d 11:00:00', d, '+2 days') END,
       CASE WHEN audited AND n % 2 = 0 THEN 6 WHEN audited THEN 0 END,
       CASE WHEN audited AND n % 2 = 0 THEN 50000 + n ELSE 0 END,
       CASE WHEN audited AND hooked THEN 6 END,
       CASE WHEN audited AND hooked THEN 1 ELSE 0 END,
       CASE WHEN audited AND hooked THEN 2 ELSE 0 END,
       CASE WHEN audited THEN 1 ELSE 0 END,
       CASE WHEN NOT audited AND n % 43 = 0 THEN 1 ELSE 0 END,
       CASE WHEN rob = -1 THEN '红字发票冲销' ELSE '' END
FROM v;

WITH RECURSIVE
  k(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM k WHERE k < 3),
  e AS (
    SELECT p.FInterID AS id, p.FROB AS rob, k.k AS k,
           CASE WHEN p.FSupplyID > 10 THEN 33 + (p.FInterID + k.k) % 2
                ELSE 1 + (p.FInterID * 7 + k.k * 3) % 20 END AS item,
           20 + (p.FInterID * 23 + k.k * 29) % 380 AS qty
    FROM ICPurchase p JOIN k ON k.k <= 1 + p.FInterID % 3
                             AND (p.FSupplyID <= 10 OR k.k <= 2))
INSERT INTO ICPurchaseEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FPrice, FAmount, FTaxRate, FTaxAmount,
                             FAllAmount, FSourceBillNo, FNote)
SELECT e.id, e.k, i.FItemID, i.FUnitID, e.rob * e.qty, i.FOrderPrice,
       round(e.rob * e.qty * i.FOrderPrice, 2), 13,
       round(e.rob * e.qty * i.FOrderPrice * 0.13, 2),
       round(e.rob * e.qty * i.FOrderPrice, 2) + round(e.rob * e.qty * i.FOrderPrice * 0.13, 2),
       'WIN' || printf('%06d', 1 + (e.id - 1) * 3 / 2),
       ''
FROM e JOIN t_ICItem i ON i.FItemID = e.item;

-- Print counters: audited invoices and receipts that were printed.
INSERT INTO ICPrintCount (FBillType, FInterID, FPrintCount, FLastPrintDate)
SELECT FTranType, FInterID, 1 + FInterID % 3, strftime('%Y-%m-%d 15:40:00', FCheckDate)
FROM ICPurchase WHERE FCheckerID IS NOT NULL AND FInterID % 4 <> 1;

INSERT INTO ICPrintCount (FBillType, FInterID, FPrintCount, FLastPrintDate)
SELECT FTranType, FInterID, 1, strftime('%Y-%m-%d 16:00:00', FCheckDate)
FROM ICStockBill WHERE FTranType = 1 AND FCheckerID IS NOT NULL AND FInterID % 2 = 0;

------------------------------------------------------------------------------
-- Filter schemes
------------------------------------------------------------------------------

-- Saved as the filter dialog writes them: the scheme key of a list shown
-- alone is "(" + its FID + ")", FTranType is the list chosen in the dialog.
-- Grids: fields end in "##<&", rows in "||". A condition row holds logic,
-- field caption, comparison, its code, the value twice, the column's
-- FInterID, "(", ")" and three empty fields; a sort row caption, ascending,
-- descending, alias, table alias, field, table; a column row visible, width
-- in twips, position, alias, alignment.
-- 张伟 uses his default scheme and keeps one for this month's receipts;
-- 孙丽 shares her unaudited receipts with everyone; 王强 keeps one for the
-- sales orders list.
INSERT INTO ICSchemeProfile (FSchemeID, FSchemeName, FUserID, FTranType, FSysName, FStatus, FISShare) VALUES
  (1, '默认方案',     2, 1, '(1)', 2, 0),
  (2, '本月外购入库', 2, 1, '(1)', 0, 0),
  (3, '未审核入库单', 3, 1, '(1)', 0, 1),
  (4, '默认方案',     4, 5, '(5)', 2, 0),
  (5, '大额销售订单', 4, 5, '(5)', 0, 1);

INSERT INTO ICSchemeProfileEntry (FSchemeID, FType, FKey, FValue) VALUES
  (1, 0, 'chkShowByBeforeProject', '0'),
  (1, 0, 'cboTransType', '0'),
  (1, 0, 'cboTime', '2'),
  (1, 0, 'cboCheck', '2'),
  (1, 0, 'cboCancel', '1'),
  (1, 0, 'OrderBy', ''),
  (1, 0, 'Relation', ''),
  (1, 0, 'HideColumns', ''),

  (2, 0, 'chkShowByBeforeProject', '0'),
  (2, 0, 'cboTransType', '0'),
  (2, 0, 'cboTime', '3'),
  (2, 0, 'cboCheck', '2'),
  (2, 0, 'cboCancel', '1'),
  (2, 0, 'OrderBy', '日期##<&0##<&1##<&FDate##<&v1##<&FDate##<&ICStockBill||单据编号##<&1##<&0##<&FBillNo##<&v1##<&FBillNo##<&ICStockBill||'),
  (2, 0, 'Relation', '##<&日期##<&大于或等于##<&4##<&2026-12-01##<&2026-12-01##<&2##<&##<&##<&##<&##<&||并且##<&供应商##<&包含##<&9##<&钢材##<&钢材##<&5##<&##<&##<&##<&##<&||'),
  (2, 0, 'HideColumns', '1##<&1134##<&1##<&FDate##<&0||1##<&1701##<&2##<&FBillNo##<&0||1##<&2268##<&3##<&FSupplierName##<&0||0##<&2268##<&4##<&FCustName##<&0||'),

  (3, 0, 'chkShowByBeforeProject', '0'),
  (3, 0, 'cboTransType', '0'),
  (3, 0, 'cboTime', '2'),
  (3, 0, 'cboCheck', '1'),
  (3, 0, 'cboCancel', '1'),
  (3, 0, 'OrderBy', '单据编号##<&1##<&0##<&FBillNo##<&v1##<&FBillNo##<&ICStockBill||'),
  (3, 0, 'Relation', '##<&仓库##<&等于##<&1##<&原材料仓##<&原材料仓##<&17##<&##<&##<&##<&##<&||'),
  (3, 0, 'HideColumns', ''),

  (4, 0, 'chkShowByBeforeProject', '0'),
  (4, 0, 'cboTransType', '0'),
  (4, 0, 'cboTime', '2'),
  (4, 0, 'cboCheck', '2'),
  (4, 0, 'OrderBy', ''),
  (4, 0, 'Relation', ''),
  (4, 0, 'HideColumns', ''),

  (5, 0, 'chkShowByBeforeProject', '0'),
  (5, 0, 'cboTransType', '0'),
  (5, 0, 'cboTime', '4'),
  (5, 0, 'cboCheck', '2'),
  (5, 0, 'OrderBy', '价税合计##<&0##<&1##<&FAllAmount##<&u1##<&FAllAmount##<&SEOrderEntry||'),
  (5, 0, 'Relation', '##<&价税合计##<&大于或等于##<&4##<&100000##<&100000##<&17##<&(##<&##<&##<&##<&||或者##<&客户##<&包含##<&9##<&华联##<&华联##<&5##<&##<&)##<&##<&##<&||'),
  (5, 0, 'HideColumns', '1##<&1701##<&1##<&FBillNo##<&0||1##<&2268##<&2##<&FCustName##<&0||1##<&1474##<&3##<&FAllAmount##<&1||');
