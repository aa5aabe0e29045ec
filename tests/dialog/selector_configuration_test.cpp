#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialog/golden.h"
#include "dialog/selector_fixture.h"
#include "qelt/error.h"
#include "qelt/ui/dump.h"
#include "support/language.h"

namespace qelt::testing {
namespace {

constexpr const char* kNames[] = {"CboTime", "CboCheck", "CboCancel", "CboKickBack",
                                  "CboROB",  "CboPost",  "CboICMO",   "CboConnect"};

class SelectorConfiguration : public SelectorTest {
protected:
    // A configuration row for (list, show status, destination type, red/blue,
    // check switch) that shows every selector with caption "<name>:" (in
    // its language columns "<name>(CHT)", "<name>(EN)"), items "a;b;c"
    // and the second item; then `set` as SQL assignments.
    void row(int fid, const std::string& keys, const std::string& set = "") {
        std::string sql =
            "INSERT INTO ICListFilter (FID, FListID, FListShowStatus, FDestBillTranType, FBillROB, "
            "FCheckSwitch) VALUES (" +
            std::to_string(fid) + ", " + keys + "); UPDATE ICListFilter SET ";
        for (const char* n : kNames) {
            const std::string f = std::string("F") + n;
            sql += f + "Visible=1, " + f + "Caption='" + n + ":', " + f + "Caption_CHT='" + n +
                   "(CHT)', " + f + "Caption_EN='" + n + "(EN)', " + f + "List='a;b;c', " + f +
                   "List_CHT='a;b;c(CHT)', " + f + "List_EN='a;b;c(EN)', " + f + "Value=1, " + f +
                   "Enable=1" + (n == kNames[7] ? "" : ", ");
        }
        sql += " WHERE FID=" + std::to_string(fid);
        if (!set.empty())
            sql += "; UPDATE ICListFilter SET " + set + " WHERE FID=" + std::to_string(fid);
        db.exec(sql);
    }

    // Every selector and its label, as the person sees them.
    std::string selectors() {
        std::string out;
        for (ui::Control* c : form().controls())
            if (c->name().starts_with("cbo") || c->name().starts_with("lbl"))
                if (c->name() != "cboTransType" && c->name() != "lblProject") out += ui::Dump(*c);
        return Folded(out);
    }

    // One case of golden/selector_configuration.txt: "list,status,type,rob,check
    // | language | row keys # SQL assignments | ...". Before it the close box
    // is disabled and the write-off box and label hidden. The result: the
    // selectors when they changed, or the error raised.
    std::string configure(const std::string& input) {
        std::vector<std::string> parts;
        for (std::size_t from = 0, at = 0; at != std::string::npos; from = at + 3)
            parts.push_back(input.substr(from, (at = input.find(" | ", from)) - from));
        db.exec("DELETE FROM ICListFilter");
        for (std::size_t i = 2; i < parts.size(); ++i) {
            const auto hash = parts[i].find(" # ");
            row(int(i), parts[i].substr(0, hash),
                hash == std::string::npos ? "" : parts[i].substr(hash + 3));
        }
        support::SetLanguageCode(parts[1]);
        reset();
        form().lblKickBack.setVisible(false);
        form().cboKickBack.setVisible(false);
        form().cboConnect.setEnabled(false);
        const std::string before = selectors();
        int32_t k[5];
        std::sscanf(parts[0].c_str(), "%d,%d,%d,%d,%d", &k[0], &k[1], &k[2], &k[3], &k[4]);
        std::string out;
        try {
            form().selectors.configure(k[0], k[1], k[2], k[3], k[4]);
            out = selectors() == before ? "unchanged" : selectors();
        } catch (const Error& e) {
            out = "raised " + e.description;
        }
        support::SetLanguageCode("chs");
        return out;
    }
};

TEST_F(SelectorConfiguration, RowsMatchingEveryKeyShowHideLoadAndRaiseAsTheGolden) {
    ExpectGoldenCases("selector_configuration.txt",
                      [this](const std::string& in) { return configure(in); });
}

TEST(DemoSelectorConfiguration, DemoListsConfigureTheirSelectors) {
    TempDatabase reset;
    host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
    std::string seen;
    for (const auto& k : {std::vector<int32_t>{4, 0, 0, 0, 0}, {1, 75, 2, 1, 0}}) {
        dialog::frmFilter f;
        f.setDialogTexts();
        f.selectors.configure(k[0], k[1], k[2], k[3], k[4]);
        for (ui::ComboBox* c : {&f.cboTime, &f.cboCheck, &f.cboCancel, &f.cboROB, &f.cboConnect})
            seen += c->name() + (c->visible() ? "" : " hidden") +
                    (c->enabled() ? "" : " disabled") + " " + c->text() + "; ";
    }
    EXPECT_EQ(seen,
              "cboTime 本年; cboCheck 全部; cboCancel 正常; cboROB hidden ; cboConnect 未关闭; "
              "cboTime 全部; cboCheck disabled 已审核; cboCancel disabled 正常; cboROB disabled "
              "蓝字; cboConnect hidden ; ");
}

}  // namespace
}  // namespace qelt::testing
