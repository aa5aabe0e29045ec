#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qelt/template_data.h"
#include "qelt/variant.h"

namespace qelt {

// Reaches the private operations of TemplateData from inside the library
// and from its tests; not part of the public interface.
struct TemplateDataAccess {
    static std::string buildJoins(TemplateData& t, const std::vector<std::string>& needed) {
        return t.buildJoins(needed);
    }
    static bool isAdministrator(TemplateData& t, int32_t userId) {
        return t.isAdministrator(userId);
    }
    static bool groupCheckOn(TemplateData& t) { return t.groupCheckOn(); }
    static Variant groupCondition(TemplateData& t, const std::string& aliasText, int32_t userId) {
        return t.groupCondition(aliasText, userId);
    }
    static void columnWidthAndAlign(const TemplateData& t, const std::string& alias,
                                    std::string& width, std::string& align) {
        t.columnWidthAndAlign(alias, width, align);
    }
    static double columnWidthAndPosition(const TemplateData& t, const std::string& alias,
                                         int32_t& index, int32_t& visible) {
        return t.columnWidthAndPosition(alias, index, visible);
    }
};

}  // namespace qelt
