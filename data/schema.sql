-- Schema of the embedded demo ERP database.
--
-- Declared types matter: the database layer reads every value by the type
-- its column declares. INTEGER is a 32-bit integer, BIGINT a 64-bit one,
-- FLOAT a double, VARCHAR/NVARCHAR text, DATETIME an ISO text
-- "yyyy-mm-dd hh:mm:ss" (never "yyyy/mm/dd", never an empty text: use NULL).
-- Flags are INTEGER 0/1.
--
-- Columns of the template and system tables have defaults (text columns
-- default to '') so that hand-written rows name only the columns they mean;
-- NULL stays allowed, as it is in the ERP databases the library reads.

------------------------------------------------------------------------------
-- List templates
------------------------------------------------------------------------------

-- One row per list (journal of bills of one transaction type).
CREATE TABLE IF NOT EXISTS ICListtemplate (
    FID             INTEGER PRIMARY KEY,
    FName           NVARCHAR(255) DEFAULT '',
    FName_CHT       NVARCHAR(255) DEFAULT '',
    FName_EN        NVARCHAR(255) DEFAULT '',
    FTemplateID     INTEGER DEFAULT 0,
    FFontID         INTEGER DEFAULT 0,
    FLogicStr       NVARCHAR(255) DEFAULT '',
    FToolBarVis     INTEGER DEFAULT 1,
    FHeadVis        INTEGER DEFAULT 1,
    FBottomVis      INTEGER DEFAULT 1,
    FSourceType     INTEGER DEFAULT 0,
    FSourceSql      NVARCHAR(2000) DEFAULT '',
    FGroupID        INTEGER DEFAULT 0,
    FBillTemplateID INTEGER DEFAULT 0,
    FNeedCount      INTEGER DEFAULT 0,
    FHeadHeight     INTEGER DEFAULT 0,
    FBottomHeight   INTEGER DEFAULT 0,
    FType           INTEGER DEFAULT 0,
    FGetDataType    INTEGER DEFAULT 0,
    FMenuID         INTEGER DEFAULT 0,
    FBillCls        INTEGER DEFAULT 0,
    FFilter         NVARCHAR(1000) DEFAULT '',
    FRptTemplateID  INTEGER DEFAULT 0,
    FMasterTable    VARCHAR(255) DEFAULT '',
    FNeedStatistic  INTEGER DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_ICListtemplate_Template ON ICListtemplate (FTemplateID);

-- One row per list column of a template (FTypeID = ICListtemplate.FTemplateID),
-- in FInterID order.
CREATE TABLE IF NOT EXISTS ICChatBillTitle (
    FInterID        INTEGER NOT NULL,
    FTypeID         INTEGER NOT NULL,
    FColCaption     NVARCHAR(255) DEFAULT '',
    FColCaption_CHT NVARCHAR(255) DEFAULT '',
    FColCaption_EN  NVARCHAR(255) DEFAULT '',
    FHeadSecond     NVARCHAR(255) DEFAULT '',
    FColName        VARCHAR(80) DEFAULT '',
    FTableName      VARCHAR(80) DEFAULT '',
    FColType        INTEGER DEFAULT 1,
    FColWidth       FLOAT DEFAULT 1200,
    FVisible        INTEGER DEFAULT 1,
    FItemClassID    INTEGER DEFAULT 0,
    FVisForQuest    INTEGER DEFAULT 1,
    FReturnDataType INTEGER DEFAULT 0,
    FCountPriceType INTEGER DEFAULT 0,
    FCtlIndex       INTEGER DEFAULT 0,
    FName           VARCHAR(80) DEFAULT '',
    FTableAlias     VARCHAR(30) DEFAULT '',
    FAction         NVARCHAR(1000) DEFAULT '',
    FNeedCount      INTEGER DEFAULT 0,
    FIsPrimary      INTEGER DEFAULT 0,
    FLogicAction    NVARCHAR(255) DEFAULT '',
    FStatistical    INTEGER DEFAULT 0,
    FMergeable      INTEGER DEFAULT 0,
    FVisForOrder    INTEGER DEFAULT 1,
    FControl        INTEGER DEFAULT 0,
    FMode           INTEGER DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_ICChatBillTitle_Type ON ICChatBillTitle (FTypeID, FInterID);

-- Join relations between the tables of a template. A row whose
-- FTableNameAlias11 is '##BASE##' is no join: it names in FFieldName a flag
-- field of the base table FTableNameAlias whose value must be 1.
CREATE TABLE IF NOT EXISTS ICTableRelation (
    FInterID          INTEGER NOT NULL,
    FTypeID           INTEGER NOT NULL,
    FTableName        VARCHAR(80) DEFAULT '',
    FTableNameAlias   VARCHAR(30) DEFAULT '',
    FFieldName        VARCHAR(255) DEFAULT '',
    FTableName11      VARCHAR(80) DEFAULT '',
    FTableNameAlias11 VARCHAR(30) DEFAULT '',
    FFieldName11      VARCHAR(255) DEFAULT '',
    FIndex            INTEGER DEFAULT 0,
    FLogic            VARCHAR(10) DEFAULT '=',
    FLogicOperator    VARCHAR(10) DEFAULT '=',
    Fcondition        VARCHAR(10) DEFAULT '',
    FLeftParentheses  VARCHAR(10) DEFAULT '',
    FRightParentheses VARCHAR(10) DEFAULT '',
    FIsConst          INTEGER DEFAULT 0,
    FConstType        INTEGER DEFAULT 0,
    FSubFilter        NVARCHAR(1000) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_ICTableRelation_Type ON ICTableRelation (FTypeID, FInterID);

-- Status-selector configuration per list, list show status, destination
-- transaction type, red/blue value and check switch. Caption and list
-- columns have a Traditional Chinese (_CHT) and an English (_EN) variant.
CREATE TABLE IF NOT EXISTS ICListFilter (
    FID                      INTEGER PRIMARY KEY,
    FListID                  INTEGER DEFAULT 0,
    FListShowStatus          INTEGER DEFAULT 0,
    FDestBillTranType        INTEGER DEFAULT 0,
    FBillROB                 INTEGER DEFAULT 0,
    FCheckSwitch             INTEGER DEFAULT 0,
    FCboTimeVisible          INTEGER,
    FCboTimeCaption          NVARCHAR(80),
    FCboTimeCaption_CHT      NVARCHAR(80),
    FCboTimeCaption_EN       NVARCHAR(80),
    FCboTimeList             NVARCHAR(255),
    FCboTimeList_CHT         NVARCHAR(255),
    FCboTimeList_EN          NVARCHAR(255),
    FCboTimeValue            INTEGER,
    FCboTimeEnable           INTEGER,
    FCboCheckVisible         INTEGER,
    FCboCheckCaption         NVARCHAR(80),
    FCboCheckCaption_CHT     NVARCHAR(80),
    FCboCheckCaption_EN      NVARCHAR(80),
    FCboCheckList            NVARCHAR(255),
    FCboCheckList_CHT        NVARCHAR(255),
    FCboCheckList_EN         NVARCHAR(255),
    FCboCheckValue           INTEGER,
    FCboCheckEnable          INTEGER,
    FCboCancelVisible        INTEGER,
    FCboCancelCaption        NVARCHAR(80),
    FCboCancelCaption_CHT    NVARCHAR(80),
    FCboCancelCaption_EN     NVARCHAR(80),
    FCboCancelList           NVARCHAR(255),
    FCboCancelList_CHT       NVARCHAR(255),
    FCboCancelList_EN        NVARCHAR(255),
    FCboCancelValue          INTEGER,
    FCboCancelEnable         INTEGER,
    FCboKickBackVisible      INTEGER,
    FCboKickBackCaption      NVARCHAR(80),
    FCboKickBackCaption_CHT  NVARCHAR(80),
    FCboKickBackCaption_EN   NVARCHAR(80),
    FCboKickBackList         NVARCHAR(255),
    FCboKickBackList_CHT     NVARCHAR(255),
    FCboKickBackList_EN      NVARCHAR(255),
    FCboKickBackValue        INTEGER,
    FCboKickBackEnable       INTEGER,
    FCboROBVisible           INTEGER,
    FCboROBCaption           NVARCHAR(80),
    FCboROBCaption_CHT       NVARCHAR(80),
    FCboROBCaption_EN        NVARCHAR(80),
    FCboROBList              NVARCHAR(255),
    FCboROBList_CHT          NVARCHAR(255),
    FCboROBList_EN           NVARCHAR(255),
    FCboROBValue             INTEGER,
    FCboROBEnable            INTEGER,
    FCboPostVisible          INTEGER,
    FCboPostCaption          NVARCHAR(80),
    FCboPostCaption_CHT      NVARCHAR(80),
    FCboPostCaption_EN       NVARCHAR(80),
    FCboPostList             NVARCHAR(255),
    FCboPostList_CHT         NVARCHAR(255),
    FCboPostList_EN          NVARCHAR(255),
    FCboPostValue            INTEGER,
    FCboPostEnable           INTEGER,
    FCboICMOVisible          INTEGER,
    FCboICMOCaption          NVARCHAR(80),
    FCboICMOCaption_CHT      NVARCHAR(80),
    FCboICMOCaption_EN       NVARCHAR(80),
    FCboICMOList             NVARCHAR(255),
    FCboICMOList_CHT         NVARCHAR(255),
    FCboICMOList_EN          NVARCHAR(255),
    FCboICMOValue            INTEGER,
    FCboICMOEnable           INTEGER,
    FCboConnectVisible       INTEGER,
    FCboConnectCaption       NVARCHAR(80),
    FCboConnectCaption_CHT   NVARCHAR(80),
    FCboConnectCaption_EN    NVARCHAR(80),
    FCboConnectList          NVARCHAR(255),
    FCboConnectList_CHT      NVARCHAR(255),
    FCboConnectList_EN       NVARCHAR(255),
    FCboConnectValue         INTEGER,
    FCboConnectEnable        INTEGER
);
CREATE INDEX IF NOT EXISTS IX_ICListFilter_List ON ICListFilter
    (FListID, FListShowStatus, FDestBillTranType, FBillROB, FCheckSwitch);

------------------------------------------------------------------------------
-- Filter schemes (written by the scheme store)
------------------------------------------------------------------------------

-- Length checks stand in for the column sizes a server database enforces, so
-- that a value too long for its column fails here as it would there.
CREATE TABLE IF NOT EXISTS ICSchemeProfile (
    FSchemeID   INTEGER PRIMARY KEY AUTOINCREMENT,
    FSchemeName NVARCHAR(160) DEFAULT '' CHECK (length(FSchemeName) <= 160),
    FUserID     INTEGER DEFAULT 0,
    FTranType   INTEGER DEFAULT 0,
    FSysName    VARCHAR(80) DEFAULT '' CHECK (length(FSysName) <= 80),
    FStatus     INTEGER DEFAULT 0,
    FISShare    INTEGER DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_ICSchemeProfile_Kind ON ICSchemeProfile (FSysName, FTranType);

CREATE TABLE IF NOT EXISTS ICSchemeProfileEntry (
    FSchemeID INTEGER NOT NULL,
    FType     INTEGER DEFAULT 0,
    FKey      VARCHAR(100) DEFAULT '' CHECK (length(FKey) <= 100),
    FValue    NVARCHAR(7000) DEFAULT '' CHECK (length(FValue) <= 7000)
);
CREATE INDEX IF NOT EXISTS IX_ICSchemeProfileEntry_Scheme ON ICSchemeProfileEntry (FSchemeID, FKey);

------------------------------------------------------------------------------
-- System
------------------------------------------------------------------------------

CREATE TABLE IF NOT EXISTS t_SystemProfile (
    FCategory    VARCHAR(30) NOT NULL,
    FKey         VARCHAR(50) NOT NULL,
    FValue       NVARCHAR(255),
    FDescription NVARCHAR(255) DEFAULT '',
    PRIMARY KEY (FCategory, FKey)
);

-- Users. The library spells the table both t_User and t_user.
CREATE TABLE IF NOT EXISTS t_User (
    FUserID      INTEGER PRIMARY KEY,
    FName        NVARCHAR(80) DEFAULT '',
    FDescription NVARCHAR(255) DEFAULT '',
    FEmpID       INTEGER DEFAULT 0,
    FForbidden   INTEGER DEFAULT 0
);

-- Group memberships: one row per user and group. Group 1 holds the
-- administrators; group 0 never restricts a user's documents.
CREATE TABLE IF NOT EXISTS t_Group (
    FGroupID INTEGER NOT NULL,
    FUserID  INTEGER NOT NULL,
    PRIMARY KEY (FGroupID, FUserID)
);
CREATE INDEX IF NOT EXISTS IX_t_Group_User ON t_Group (FUserID);

-- Accounting periods.
CREATE TABLE IF NOT EXISTS t_PeriodDate (
    FYear      INTEGER NOT NULL,
    FPeriod    INTEGER NOT NULL,
    FStartDate DATETIME NOT NULL,
    FEndDate   DATETIME NOT NULL,
    PRIMARY KEY (FYear, FPeriod)
);

-- Transaction types of bills; FROB 1 marks types with red and blue bills.
CREATE TABLE IF NOT EXISTS ICTransactionType (
    FID       INTEGER PRIMARY KEY,
    FNumber   VARCHAR(30) DEFAULT '',
    FName     NVARCHAR(80) DEFAULT '',
    FName_CHT NVARCHAR(80) DEFAULT '',
    FName_EN  NVARCHAR(80) DEFAULT '',
    FROB      INTEGER DEFAULT 0
);

-- Runs of the material requirement calculation (FType 0 or 1).
CREATE TABLE IF NOT EXISTS ICMrpInfo (
    FInterID  INTEGER PRIMARY KEY,
    FNumber   VARCHAR(30) DEFAULT '',
    FType     INTEGER DEFAULT 0,
    FDate     DATETIME,
    FBillerID INTEGER DEFAULT 0,
    FStatus   INTEGER DEFAULT 0,
    FNote     NVARCHAR(255) DEFAULT ''
);

------------------------------------------------------------------------------
-- Base data
------------------------------------------------------------------------------

-- Base-data classes (the FItemClassID of list columns) and where their items
-- live: table, key, code and name columns, for the look-up components.
CREATE TABLE IF NOT EXISTS t_ItemClass (
    FItemClassID  INTEGER PRIMARY KEY,
    FNumber       VARCHAR(30) DEFAULT '',
    FName         NVARCHAR(80) DEFAULT '',
    FName_CHT     NVARCHAR(80) DEFAULT '',
    FName_EN      NVARCHAR(80) DEFAULT '',
    FSQLTableName VARCHAR(80) DEFAULT '',
    FKeyField     VARCHAR(80) DEFAULT 'FItemID',
    FNumberField  VARCHAR(80) DEFAULT 'FNumber',
    FNameField    VARCHAR(80) DEFAULT 'FName'
);

CREATE TABLE IF NOT EXISTS t_Currency (
    FCurrencyID   INTEGER PRIMARY KEY,
    FNumber       VARCHAR(30) DEFAULT '',
    FName         NVARCHAR(80) DEFAULT '',
    FExchangeRate FLOAT DEFAULT 1,
    FScale        INTEGER DEFAULT 2,
    FDeleted      INTEGER DEFAULT 0
);

-- FStandard 1 marks the standard unit of its unit group.
CREATE TABLE IF NOT EXISTS t_MeasureUnit (
    FMeasureUnitID INTEGER PRIMARY KEY,
    FNumber        VARCHAR(30) DEFAULT '',
    FName          NVARCHAR(80) DEFAULT '',
    FUnitGroupID   INTEGER DEFAULT 0,
    FCoefficient   FLOAT DEFAULT 1,
    FStandard      INTEGER DEFAULT 0,
    FDeleted       INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS t_Department (
    FItemID    INTEGER PRIMARY KEY,
    FNumber    VARCHAR(80) DEFAULT '',
    FName      NVARCHAR(80) DEFAULT '',
    FDProperty INTEGER DEFAULT 0,
    FManager   INTEGER DEFAULT 0,
    FPhone     VARCHAR(40) DEFAULT '',
    FDeleted   INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS t_Emp (
    FItemID       INTEGER PRIMARY KEY,
    FNumber       VARCHAR(80) DEFAULT '',
    FName         NVARCHAR(80) DEFAULT '',
    FDepartmentID INTEGER DEFAULT 0,
    FGender       NVARCHAR(10) DEFAULT '',
    FPhone        VARCHAR(40) DEFAULT '',
    FDeleted      INTEGER DEFAULT 0
);

-- Warehouses; FMRPAvail 1 marks stock that counts for requirement planning.
CREATE TABLE IF NOT EXISTS t_Stock (
    FItemID   INTEGER PRIMARY KEY,
    FNumber   VARCHAR(80) DEFAULT '',
    FName     NVARCHAR(80) DEFAULT '',
    FTypeID   INTEGER DEFAULT 0,
    FAddress  NVARCHAR(255) DEFAULT '',
    FEmpID    INTEGER DEFAULT 0,
    FMRPAvail INTEGER DEFAULT 1,
    FDeleted  INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS t_Supplier (
    FItemID    INTEGER PRIMARY KEY,
    FNumber    VARCHAR(80) DEFAULT '',
    FName      NVARCHAR(255) DEFAULT '',
    FShortName NVARCHAR(80) DEFAULT '',
    FCity      NVARCHAR(80) DEFAULT '',
    FAddress   NVARCHAR(255) DEFAULT '',
    FContact   NVARCHAR(80) DEFAULT '',
    FPhone     VARCHAR(40) DEFAULT '',
    FStatus    INTEGER DEFAULT 1,
    FDeleted   INTEGER DEFAULT 0
);

-- Customers.
CREATE TABLE IF NOT EXISTS t_Organization (
    FItemID      INTEGER PRIMARY KEY,
    FNumber      VARCHAR(80) DEFAULT '',
    FName        NVARCHAR(255) DEFAULT '',
    FShortName   NVARCHAR(80) DEFAULT '',
    FCity        NVARCHAR(80) DEFAULT '',
    FAddress     NVARCHAR(255) DEFAULT '',
    FContact     NVARCHAR(80) DEFAULT '',
    FPhone       VARCHAR(40) DEFAULT '',
    FCreditLimit FLOAT DEFAULT 0,
    FStatus      INTEGER DEFAULT 1,
    FDeleted     INTEGER DEFAULT 0
);

-- Materials. FErpClsID: 1 purchased, 2 self-made, 3 subcontracted,
-- 5 virtual, 6 feature class, 7 configured, 8 planning class.
CREATE TABLE IF NOT EXISTS t_ICItem (
    FItemID      INTEGER PRIMARY KEY,
    FNumber      VARCHAR(80) DEFAULT '',
    FShortNumber VARCHAR(80) DEFAULT '',
    FName        NVARCHAR(255) DEFAULT '',
    FModel       NVARCHAR(255) DEFAULT '',
    FHelpCode    VARCHAR(80) DEFAULT '',
    FErpClsID    INTEGER DEFAULT 1,
    FUnitGroupID INTEGER DEFAULT 0,
    FUnitID      INTEGER DEFAULT 0,
    FOrderUnitID INTEGER DEFAULT 0,
    FSaleUnitID  INTEGER DEFAULT 0,
    FStoreUnitID INTEGER DEFAULT 0,
    FDefaultLoc  INTEGER DEFAULT 0,
    FSource      INTEGER DEFAULT 0,
    FOrderPrice  FLOAT DEFAULT 0,
    FSalePrice   FLOAT DEFAULT 0,
    FPlanPrice   FLOAT DEFAULT 0,
    FSafeStock   FLOAT DEFAULT 0,
    FQtyDecimal  INTEGER DEFAULT 2,
    FPriceDecimal INTEGER DEFAULT 2,
    FDeleted     INTEGER DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_t_ICItem_Number ON t_ICItem (FNumber);

------------------------------------------------------------------------------
-- Documents. Every head carries its maker in FBillerID (data permissions)
-- and the status columns the list selectors test.
------------------------------------------------------------------------------

-- Stock bills (receipts and issues), FTranType 1, 2, 21, 24.
CREATE TABLE IF NOT EXISTS ICStockBill (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       VARCHAR(50) DEFAULT '',
    FDate         DATETIME NOT NULL,
    FTranType     INTEGER DEFAULT 0,
    FROB          INTEGER DEFAULT 1,
    FSupplyID     INTEGER DEFAULT 0,
    FCustID       INTEGER DEFAULT 0,
    FDeptID       INTEGER DEFAULT 0,
    FEmpID        INTEGER DEFAULT 0,
    FFManagerID   INTEGER DEFAULT 0,
    FSManagerID   INTEGER DEFAULT 0,
    FCurrencyID   INTEGER DEFAULT 1,
    FExchangeRate FLOAT DEFAULT 1,
    FBillerID     INTEGER DEFAULT 0,
    FCheckerID    INTEGER,
    FCheckDate    DATETIME,
    FPosterID     INTEGER,
    FVchInterID   INTEGER DEFAULT 0,
    FStatus       INTEGER DEFAULT 0,
    FCancellation INTEGER DEFAULT 0,
    FClosed       INTEGER DEFAULT 0,
    FSuspend      INTEGER DEFAULT 0,
    FHookStatus   INTEGER DEFAULT 0,
    FExplanation  NVARCHAR(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_ICStockBill_Date ON ICStockBill (FTranType, FDate);

CREATE TABLE IF NOT EXISTS ICStockBillEntry (
    FInterID        INTEGER NOT NULL,
    FEntryID        INTEGER NOT NULL,
    FDetailID       BIGINT NOT NULL,
    FItemID         INTEGER NOT NULL,
    FUnitID         INTEGER DEFAULT 0,
    FBatchNo        VARCHAR(50) DEFAULT '',
    FQtyMust        FLOAT DEFAULT 0,
    FQty            FLOAT DEFAULT 0,
    FPrice          FLOAT DEFAULT 0,
    FAmount         FLOAT DEFAULT 0,
    FDCStockID      INTEGER DEFAULT 0,
    FSCStockID      INTEGER DEFAULT 0,
    FSourceTranType INTEGER DEFAULT 0,
    FSourceInterID  INTEGER DEFAULT 0,
    FSourceBillNo   VARCHAR(50) DEFAULT '',
    FNote           NVARCHAR(255) DEFAULT '',
    PRIMARY KEY (FInterID, FEntryID)
);
CREATE INDEX IF NOT EXISTS IX_ICStockBillEntry_Item ON ICStockBillEntry (FItemID);

-- Purchase orders, FTranType 71. FStatus: 0 saved, 1 audited,
-- 2 partly received, 3 closed.
CREATE TABLE IF NOT EXISTS POOrder (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       VARCHAR(50) DEFAULT '',
    FDate         DATETIME NOT NULL,
    FTranType     INTEGER DEFAULT 71,
    FROB          INTEGER DEFAULT 1,
    FSupplyID     INTEGER DEFAULT 0,
    FDeptID       INTEGER DEFAULT 0,
    FEmpID        INTEGER DEFAULT 0,
    FCurrencyID   INTEGER DEFAULT 1,
    FExchangeRate FLOAT DEFAULT 1,
    FBillerID     INTEGER DEFAULT 0,
    FCheckerID    INTEGER,
    FCheckDate    DATETIME,
    FStatus       INTEGER DEFAULT 0,
    FCancellation INTEGER DEFAULT 0,
    FClosed       INTEGER DEFAULT 0,
    FExplanation  NVARCHAR(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_POOrder_Date ON POOrder (FDate);

CREATE TABLE IF NOT EXISTS POOrderEntry (
    FInterID      INTEGER NOT NULL,
    FEntryID      INTEGER NOT NULL,
    FItemID       INTEGER NOT NULL,
    FUnitID       INTEGER DEFAULT 0,
    FQty          FLOAT DEFAULT 0,
    FPrice        FLOAT DEFAULT 0,
    FAmount       FLOAT DEFAULT 0,
    FDiscountRate FLOAT DEFAULT 0,
    FTaxRate      FLOAT DEFAULT 0,
    FTaxAmount    FLOAT DEFAULT 0,
    FAllAmount    FLOAT DEFAULT 0,
    FDate         DATETIME,
    FStockQty     FLOAT DEFAULT 0,
    FMrpClosed    INTEGER DEFAULT 0,
    FNote         NVARCHAR(255) DEFAULT '',
    PRIMARY KEY (FInterID, FEntryID)
);

-- Sales orders, FTranType 81, with the branch-sale confirmation columns.
CREATE TABLE IF NOT EXISTS SEOrder (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       VARCHAR(50) DEFAULT '',
    FDate         DATETIME NOT NULL,
    FTranType     INTEGER DEFAULT 81,
    FROB          INTEGER DEFAULT 1,
    FCustID       INTEGER DEFAULT 0,
    FDeptID       INTEGER DEFAULT 0,
    FEmpID        INTEGER DEFAULT 0,
    FCurrencyID   INTEGER DEFAULT 1,
    FExchangeRate FLOAT DEFAULT 1,
    FBillerID     INTEGER DEFAULT 0,
    FCheckerID    INTEGER,
    FCheckDate    DATETIME,
    FStatus       INTEGER DEFAULT 0,
    FCancellation INTEGER DEFAULT 0,
    FClosed       INTEGER DEFAULT 0,
    FOrderAffirm  INTEGER DEFAULT 0,
    FOrderRefuse  INTEGER DEFAULT 0,
    FTranStatus   INTEGER DEFAULT 0,
    FFetchAdd     NVARCHAR(255) DEFAULT '',
    FExplanation  NVARCHAR(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_SEOrder_Date ON SEOrder (FDate);

CREATE TABLE IF NOT EXISTS SEOrderEntry (
    FInterID           INTEGER NOT NULL,
    FEntryID           INTEGER NOT NULL,
    FItemID            INTEGER NOT NULL,
    FUnitID            INTEGER DEFAULT 0,
    FQty               FLOAT DEFAULT 0,
    FPrice             FLOAT DEFAULT 0,
    FAmount            FLOAT DEFAULT 0,
    FDiscountRate      FLOAT DEFAULT 0,
    FTaxRate           FLOAT DEFAULT 0,
    FTaxAmount         FLOAT DEFAULT 0,
    FAllAmount         FLOAT DEFAULT 0,
    FAdviceConsignDate DATETIME,
    FStockQty          FLOAT DEFAULT 0,
    FMrpClosed         INTEGER DEFAULT 0,
    FNote              NVARCHAR(255) DEFAULT '',
    PRIMARY KEY (FInterID, FEntryID)
);

-- Production tasks, FTranType 85. FStatus: 0 planned, 1 released,
-- 2 started, 3 finished (closed).
CREATE TABLE IF NOT EXISTS ICMO (
    FInterID        INTEGER PRIMARY KEY,
    FBillNo         VARCHAR(50) DEFAULT '',
    FDate           DATETIME NOT NULL,
    FTranType       INTEGER DEFAULT 85,
    FROB            INTEGER DEFAULT 1,
    FType           INTEGER DEFAULT 0,
    FItemID         INTEGER NOT NULL,
    FUnitID         INTEGER DEFAULT 0,
    FQty            FLOAT DEFAULT 0,
    FStockQty       FLOAT DEFAULT 0,
    FWorkShop       INTEGER DEFAULT 0,
    FPlanCommitDate DATETIME,
    FPlanFinishDate DATETIME,
    FCommitDate     DATETIME,
    FFinishDate     DATETIME,
    FBillerID       INTEGER DEFAULT 0,
    FCheckerID      INTEGER,
    FCheckDate      DATETIME,
    FStatus         INTEGER DEFAULT 0,
    FCancellation   INTEGER DEFAULT 0,
    FMRPClosed      INTEGER DEFAULT 0,
    FSuspend        INTEGER DEFAULT 0,
    FPlanOrderInterID INTEGER DEFAULT 0,
    FNote           NVARCHAR(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_ICMO_Date ON ICMO (FCheckDate);

-- Purchase invoices, FTranType 75 (red and blue bills).
CREATE TABLE IF NOT EXISTS ICPurchase (
    FInterID      INTEGER PRIMARY KEY,
    FBillNo       VARCHAR(50) DEFAULT '',
    FDate         DATETIME NOT NULL,
    FTranType     INTEGER DEFAULT 75,
    FROB          INTEGER DEFAULT 1,
    FSupplyID     INTEGER DEFAULT 0,
    FDeptID       INTEGER DEFAULT 0,
    FEmpID        INTEGER DEFAULT 0,
    FCurrencyID   INTEGER DEFAULT 1,
    FExchangeRate FLOAT DEFAULT 1,
    FBillerID     INTEGER DEFAULT 0,
    FCheckerID    INTEGER,
    FCheckDate    DATETIME,
    FPosterID     INTEGER,
    FVchInterID   INTEGER DEFAULT 0,
    FHookerID     INTEGER,
    FHookStatus   INTEGER DEFAULT 0,
    FARPStatus    INTEGER DEFAULT 0,
    FStatus       INTEGER DEFAULT 0,
    FCancellation INTEGER DEFAULT 0,
    FExplanation  NVARCHAR(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_ICPurchase_Date ON ICPurchase (FDate);

CREATE TABLE IF NOT EXISTS ICPurchaseEntry (
    FInterID       INTEGER NOT NULL,
    FEntryID       INTEGER NOT NULL,
    FItemID        INTEGER NOT NULL,
    FUnitID        INTEGER DEFAULT 0,
    FQty           FLOAT DEFAULT 0,
    FPrice         FLOAT DEFAULT 0,
    FAmount        FLOAT DEFAULT 0,
    FTaxRate       FLOAT DEFAULT 0,
    FTaxAmount     FLOAT DEFAULT 0,
    FAllAmount     FLOAT DEFAULT 0,
    FSourceBillNo  VARCHAR(50) DEFAULT '',
    FNote          NVARCHAR(255) DEFAULT '',
    PRIMARY KEY (FInterID, FEntryID)
);

-- Print counters of bills, per transaction type and bill.
CREATE TABLE IF NOT EXISTS ICPrintCount (
    FBillType      INTEGER NOT NULL,
    FInterID       INTEGER NOT NULL,
    FPrintCount    INTEGER DEFAULT 0,
    FLastPrintDate DATETIME,
    PRIMARY KEY (FBillType, FInterID)
);
