#include <qelt/cfilter.h>
#include <qelt/error.h>
#include <qelt/template_data.h>

#include <iostream>
#include <memory>

int main() {
    auto filters = std::make_shared<qelt::Collection<qelt::clsFilterElement>>();
    auto f = std::make_shared<qelt::clsFilterElement>();
    f->sFieldAlias = "FBillNo";
    f->sAndOr = "   ";
    f->sLogicOperator = "1";
    f->sValue = "'X'";
    filters->push_back(f);
    auto column = std::make_shared<qelt::clsSQLElement>();
    column->sFieldName = "t1.FBillNo";
    column->sFieldAlias = "FBillNo";

    qelt::TemplateData tpl;
    tpl.setCollectionFilter(filters);
    std::cout << "[" << tpl.GetWhereSQL({column}) << "]\n";
    try {
        std::string join;
        tpl.getJoinCondition("==", join);
    } catch (const qelt::Error& e) {
        std::cout << e.number << "\n";  // errors cross the library boundary as qelt::Error
    }
    return 0;
}
