// Prints the version the program was compiled against and the one it runs
// with, then the SQL of a list of the packaged demo database; fails unless
// the library's errors reach it as qelt::Error.
#include <qelt/cfilter.h>
#include <qelt/error.h>
#include <qelt/host/session.h>
#include <qelt/template_data.h>
#include <qelt/version.h>

#include <cstring>
#include <iostream>

static_assert(QELT_VERSION ==
              QELT_VERSION_CHECK(QELT_VERSION_MAJOR, QELT_VERSION_MINOR, QELT_VERSION_PATCH));

int main() {
    std::cout << "headers " << QELT_VERSION_STRING << ", library " << qelt::Version() << "\n";
    if (std::strcmp(QELT_VERSION_STRING, qelt::Version()) != 0) return 1;
    try {
        std::string join;
        qelt::TemplateData().getJoinCondition("==", join);
        return 1;
    } catch (const qelt::Error& e) {
        if (e.number != -1) return 1;
    }
    try {
        qelt::host::SetSharedProperty(qelt::host::kPropsStringProperty, "UserID=2");
        qelt::CFilter filter;
        filter.setListID(1);
        filter.getInfoByF7Key("", false);
        if (!filter.OK()) return 1;
        std::cout << filter.Datasql().substr(0, 11) << "\n";
    } catch (const qelt::Error& e) {
        std::cerr << e.description << "\n";
        return 1;
    }
    return 0;
}
