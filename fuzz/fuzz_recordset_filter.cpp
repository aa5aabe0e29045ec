// Feeds arbitrary text to Recordset::setFilter and setSort over a small typed
// set, then walks what the filter lets through and checks the view stays
// consistent with itself and with a clone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "qelt/error.h"
#include "qelt/recordset.h"

namespace {

std::shared_ptr<qelt::Recordset> MakeSet() {
    using qelt::Variant;
    auto rs = std::make_shared<qelt::Recordset>();
    rs->appendField("FKey", qelt::adInteger);
    rs->appendField("FName", qelt::adVarWChar, 50);
    rs->appendField("FAmount", qelt::adDouble);
    rs->appendField("FFlag", qelt::adBoolean);
    rs->appendField("FDate", qelt::adDate);
    rs->appendField("FSmall", qelt::adSmallInt);
    rs->setCursorLocation(3);
    rs->open();
    rs->appendRow({1, "Anna", 10.5, true, qelt::Date{2026, 12, 6, 0, 0, 0}, int16_t{1}});
    rs->appendRow({2, "O'Neil", 20.0, false, qelt::Date{2026, 1, 1, 10, 20, 30}, int16_t{-2}});
    rs->appendRow({3, "默认方案", Variant::null(), true, Variant::null(), int16_t{3}});
    rs->appendRow({4, Variant::null(), -0.0, Variant::null(), qelt::Date{}, Variant::null()});
    rs->appendRow({5, "", 1e300, false, qelt::Date{1900, 2, 28, 0, 0, 0}, int16_t{32767}});
    return rs;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

long Walk(qelt::Recordset& rs) {
    long seen = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) (void)rs.value(i).toString("");
        ++seen;
    }
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    auto rs = MakeSet();
    try {
        rs->setFilter(input);
        Check(rs->filter() == input);
    } catch (const qelt::Error&) {
        Check(rs->filter().empty());
    }
    long count = rs->recordCount();
    Check(count >= 0 && count <= 5);
    Check(Walk(*rs) == count);

    try {
        rs->setSort(input);
    } catch (const qelt::Error&) {
    }
    Check(Walk(*rs) == count);

    // A deletion through the filtered view must be seen through a clone.
    auto clone = rs->clone();
    rs->moveFirst();
    if (!rs->eof()) {
        rs->deleteCurrent();
        Check(rs->recordCount() == count - 1);
        Check(clone->recordCount() == 4);
        Check(Walk(*clone) == 4);
    }
    auto copy = qelt::Recordset::copyOf(*rs);
    Check(copy->recordCount() == clone->recordCount());
    return 0;
}
