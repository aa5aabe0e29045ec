#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "common/host_fake.h"
#include "common/template_rows.h"
#include "editing/fmaker.h"
#include "support/shared_settings.h"

namespace qelt::testing {

// Template 7 of list 1 in a private database, an FMaker over it, and a
// ledger fake that decides whether money may be shown.
class FMakerTest : public TemplateTest {
protected:
    FMakerTest() {
        addList(1, 7, "v1");
        maker.setTemplate(std::shared_ptr<TemplateData>(std::shared_ptr<void>(), &t));
    }

    // "1 FBillNo 1 | FVisible=0": FInterID, alias and column type of a column
    // of v1, then further columns as SQL assignments.
    void column(const std::string& row) {
        std::string id, alias, type;
        std::istringstream(row) >> id >> alias >> type;
        const auto bar = row.find(" | ");
        addColumn(7, id + " v1." + alias + " AS " + alias + " | FColType=" + type +
                         ", FColCaption='" + alias + "'" +
                         (bar == std::string::npos ? "" : ", " + row.substr(bar + 3)));
    }

    // Loads the templates and builds the catalogue of template 7.
    void initField() {
        t.InitData("");
        support::Shared().TemplateID = 7;
        maker.InitField();
    }

    // The aliases of the condition fields, each followed by ",".
    std::string conditionAliases() const {
        std::string s;
        for (std::size_t i = 1; i < maker.ConditionFields().size(); ++i)
            s += maker.ConditionFields()[i].ColName + ",";
        return s;
    }

    // One column of the catalogue over every row, each followed by ",".
    std::string catalogueColumn(const char* field) const {
        std::string s;
        const auto& rs = maker.Catalogue();
        if (!rs) return "(none)";
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) s += rs->value(field).toString("") + ",";
        return s;
    }

    std::shared_ptr<HostFake> gl = HostFake::Install({"GLData"});
    editing::FMaker maker;
};

}  // namespace qelt::testing
