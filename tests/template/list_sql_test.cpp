#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "host/default_components.h"
#include "platform/text.h"
#include "qelt/error.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"
#include "support/language.h"
#include "support/shared_settings.h"
#include "template/template_internal.h"

namespace qelt::testing {
namespace {

// One list-head entry as "key=value:type|..." so that one assertion checks
// every key, its order, its value and its value type.
std::string DumpEntry(const Dictionary& d) {
    static const char* const kTypes[] = {"empty",  "null", "bool", "int16", "int32",
                                         "double", "text", "date", "object"};
    std::string out;
    for (const auto& [key, v] : d)
        out += (out.empty() ? "" : "|") + key + "=" + v.toString("") + ":" +
               kTypes[static_cast<int>(v.type())];
    return out;
}

// Bill list 7 with four columns, driven by the transcripts of
// tests/template/golden (commands as named in run(), several a line after
// " && "). "_" stands for a blank, "-" for nothing.
class ListSql : public TemplateTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        addBillList(7);
        addColumn(7, "1 v1.FBillNo AS FBillNo | FMode=1, FIsPrimary=1, FColCaption='单据号'");
        addColumn(7, "2 v1.FDate AS FDate | FMode=1, FColType=0");
        addColumn(7, "3 u1.FQty AS FQty | FColType=2");
        addColumn(7, "4 u1.FAmount AS FAmount | FMode=1, FColType=5");
    }

    std::string run(const std::string& line) { return Replace(step(line), "\r\n", "<CRLF>"); }
    std::string step(const std::string& line) {
        const Words a(line, "");
        const std::string& cmd = a[0];
        const int n = a.n(1);
        if (cmd == "list") return addList(n, a.n(2), a.rest(3)), "";  // FID TEMPLATE MASTER
        if (cmd == "column") return addColumn(n, a.rest(2)), "";
        if (cmd == "relation") return addRelation(n, a.rest(2)), "";
        if (cmd == "exec") return db.exec(a.rest(1)), "";
        if (cmd == "option") return setOption(a[1], a.rest(2)), "";
        if (cmd == "cond")  // ALIAS CODE VALUE ANDOR LEFT RIGHT
            return add(filters, {"x." + Blank(a[1]), Blank(a[1]), "", "", 0, Blank(a[5]),
                                 Blank(a[6]), Blank(a[4]), Blank(a[2]), Blank(a[3]), ""});
        if (cmd == "key") return add(sorts, {"x." + Blank(a[1]), Blank(a[1]), "", "", Blank(a[2])});
        if (cmd == "visible")  // ALIAS INDEX WIDTH [WIDTHTEXT ALIGN]
            return add(visible, {"", "", a[1], "", "", a.n(2), std::stod(a[3]), 1, a[4], a[5]});
        if (cmd == "sqlcolumn")  // NAME ALIAS
            return add(sqlColumns, {"", "", Blank(a[1]), Blank(a[2]), 0, 0, "", 0, ""});
        if (cmd == "filterext") return t.FilterExt = a.rest(1), "";
        if (cmd == "voucher") return support::Shared().IsMakeVoucher = true, "";
        if (cmd == "templatelayout") return t.setShowFilter(false), "";
        if (cmd == "liststatus") return t.setListShowStatus(n), "";
        if (cmd == "money") return t.blVisMoneyInStock = true, "";  // blVisMoneyInStock
        if (cmd == "props")
            return host::SetSharedProperty(host::kPropsStringProperty, a.rest(1)), "";
        if (cmd == "language") return support::SetLanguageCode(a[1]), "";
        if (cmd == "unanswered") {  // [TABLE]: a recording connection, answering nothing for TABLE
            connection = HostFake::Install({"AppConnection"});
            connection->query = [table = a.rest(1)](const std::string& sql) -> RecordsetPtr {
                if (!table.empty() && sql.find(table) != std::string::npos) return nullptr;
                return std::dynamic_pointer_cast<host::IAppConnection>(
                           host::defaults::NewAppConnection())
                    ->getanyrecordset(sql);
            };
            return "";
        }
        if (cmd == "load" || cmd == "tries") {
            // [FILTER]: a new template object loaded through the recording
            // connection; its statements (tries: how many), which sets it holds.
            if (!connection) run("unanswered");
            TemplateData fresh;
            fresh.InitData(a.rest(1));
            std::erase(connection->calls, "AppConnection.new");
            std::string out = cmd == "tries"
                                  ? std::to_string(connection->calls.size()) + " statements"
                                  : Replace(connection->take(), "; ", "\n");
            connection->calls.clear();
            out += "\nset " +
                   Bar(!!fresh.mRsTemplete, !!fresh.mRsChatBillTitle, !!fresh.mRsTableRelation);
            if (fresh.mRsTemplete && !fresh.mRsTemplete->eof())
                out += " " + fresh.mRsTemplete->value("FName").toString();
            return out;
        }
        if (cmd == "chain") {  // N: the end of the joins of N chained pairs, each one more pass
            db.exec("DELETE FROM ICTableRelation");
            std::vector<std::string> needed{"v1"};
            for (int i = 1; i <= n; ++i) {
                needed.push_back("t" + std::to_string(i));
                addRelation(7, "T " + needed[i - 1] + ".FID = T " + needed[i] + ".FID");
            }
            t.mTemplateID = 7;
            const std::string from = tpl::BuildJoins(t, needed);
            return "..." + from.substr(std::max<std::size_t>(from.size(), 40) - 40);
        }
        if (cmd == "joins") {  // ALIAS...: the FROM text of template 7 for the aliases needed
            t.mTemplateID = 7;
            std::vector<std::string> needed;
            for (std::size_t i = 1; i < a.given; ++i) needed.push_back(Blank(a[i]));
            try {
                return tpl::BuildJoins(t, needed);
            } catch (const Error& e) {
                return Bar(e.number, e.source, e.description);
            }
        }
        if (cmd == "where") {  // TEMPLATE: the list's WHERE text
            if (listSql(n).empty()) return "no statement";
            const std::string where = info.at("Where").toString();
            return where + (t.lastWhere() == where ? "" : " | last " + t.lastWhere());
        }
        if (cmd == "wheresql" || cmd == "sortsql") {  // the texts, then the elements' field names
            t.setCollectionFilter(filters);
            t.setCollectionSort(sorts);
            std::string out =
                "[" + (cmd == "wheresql" ? t.GetWhereSQL(*sqlColumns) : t.GetSortSQL(*sqlColumns)) +
                "]";
            for (const auto& f : *filters) out += " " + f->sFieldName;
            for (const auto& k : *sorts) out += " " + k->sFieldName;
            filters->clear();
            sorts->clear();
            return out;
        }
        if (cmd == "build" || cmd == "columns" || cmd == "rebuild") {
            // TEMPLATE [ALIASES]: the statement and each head entry, or the
            // statement and the head's columns; rebuild: without loading again.
            t.setCollectionFilter(filters);
            t.setCollectionSort(sorts);
            t.setCollectionHiden(visible);
            const std::string sql =
                cmd == "rebuild" ? t.GetListSQL("", ",8,", &info) : listSql(n, a[2]);
            if (cmd != "build") return sql + "\nhead " + head();
            std::string out = sql + "<END>\n";
            for (std::size_t i = 0; t.mListHead && i < t.mListHead->size(); ++i)
                out += DumpEntry(*t.mListHead->at(i)) + "\n";
            return out;
        }
        return "unknown command";
    }
    template <class T>
    std::string add(const std::shared_ptr<Collection<T>>& to, T item) {
        to->push_back(std::make_shared<T>(std::move(item)));
        return "";
    }
    std::shared_ptr<HostFake> connection;
    std::shared_ptr<Collection<clsSQLElement>> sqlColumns =
        std::make_shared<Collection<clsSQLElement>>();
    std::shared_ptr<Collection<clsFilterElement>> filters =
        std::make_shared<Collection<clsFilterElement>>();
    std::shared_ptr<Collection<clsSortElement>> sorts =
        std::make_shared<Collection<clsSortElement>>();
    std::shared_ptr<Collection<clsHidenElement>> visible =
        std::make_shared<Collection<clsHidenElement>>();
};

QELT_TRANSCRIPTS(ListSql, "template/golden", " && ");

// Field order and values come straight from the head row of the loading
// query, on every backend.
class TemplateInfo : public ::testing::WithParamInterface<Backend>, public TemplateTest {
protected:
    TemplateInfo() : TemplateTest(GetParam()) {}
};

TEST_P(TemplateInfo, HoldsTheHeadRowOfTheList) {
    addList(1, 7, "v1,u1", "采购订单");
    EXPECT_THAT([&] { t.GetTemplateInfo(); },
                ::testing::Throws<Error>(::testing::Field(&Error::number, err::kObjectNotSet)));
    t.InitData("FID in (1)");
    t.mListID = 1;
    const Dictionary info = t.GetTemplateInfo();
    // The keys are the database's names: PostgreSQL gives them in lower case.
    EXPECT_EQ(std::to_string(info.size()) + text::ToLower(info.keyAt(1)) + "=" +
                  info.at(info.keyAt(1)).toString() + " " + text::ToLower(info.keyAt(22)) + " " +
                  t.mRsTemplete->filter(),
              "23fname=采购订单 fneedstatistic FID=1");
    t.mListID = 2;
    EXPECT_EQ(t.GetTemplateInfo().size(), 0u);
}

QELT_ON_EVERY_BACKEND(TemplateInfo);

}  // namespace
}  // namespace qelt::testing
