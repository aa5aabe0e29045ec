#include "json_output.h"

namespace qelt::cli {

std::string JsonText(const nlohmann::ordered_json& doc) {
    return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

nlohmann::ordered_json ToJson(const Variant& v) {
    switch (v.type()) {
        case Variant::Type::Empty:
        case Variant::Type::Null:
        case Variant::Type::Object:
            return nullptr;
        case Variant::Type::Boolean:
            return v.toBool();
        case Variant::Type::Integer:
        case Variant::Type::Long:
            return v.toLong();
        case Variant::Type::Double:
            return v.toDouble();
        case Variant::Type::Date:
            return v.toDate().isoText();
        case Variant::Type::Text:
            break;
    }
    return v.toString();
}

nlohmann::ordered_json ToJson(const Dictionary& d) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const auto& [key, value] : d) out[key] = ToJson(value);
    return out;
}

nlohmann::ordered_json LookupResult(const CFilter& filter) {
    nlohmann::ordered_json out;
    out["ok"] = filter.OK();
    out["sql"] = filter.Datasql();
    out["cjName"] = filter.CJName();
    out["templateId"] = filter.TemplateID();
    nlohmann::ordered_json head = nlohmann::ordered_json::array();
    if (auto list = filter.getListHead())
        for (std::size_t i = 0; i < list->size(); ++i) head.push_back(ToJson(*list->at(i)));
    out["listHead"] = head;
    auto info = filter.getListTemplateInfo();
    out["templateInfo"] = info ? ToJson(*info) : nlohmann::ordered_json::object();
    return out;
}

}  // namespace qelt::cli
