#include "dialog/trans_type_item.h"

#include <charconv>
#include <string_view>

#include "platform/text.h"

namespace qelt::dialog {

namespace {

constexpr const char* kCodeSeparator = "||";

int32_t WholeNumber(std::string_view s) {
    s = text::TrimView(s);
    int32_t n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc{} && end == s.data() + s.size() ? n : 0;
}

}  // namespace

std::string TransTypeItem::Text(const std::string& name, int32_t listId, int32_t templateId,
                                const std::string& filter) {
    return name + std::string(kBlanks, ' ') + std::to_string(listId) + kCodeSeparator +
           std::to_string(templateId) + kCodeSeparator + filter;
}

std::string TransTypeItem::DisplayName(const std::string& itemText) {
    return text::Trim(text::Left(itemText, kBlanks));
}

std::string TransTypeItem::HiddenCode(const std::string& itemText) {
    const auto at = itemText.find(std::string(kBlanks, ' '));
    if (at == std::string::npos) return {};
    return text::Trim(itemText.substr(at + kBlanks));
}

std::string TransTypeItem::Part(const std::string& itemText, int n) {
    const std::string code = HiddenCode(itemText);
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const auto next = code.find(kCodeSeparator, start);
        if (next == std::string::npos) return {};
        start = next + 2;
    }
    const auto end = code.find(kCodeSeparator, start);
    return code.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int32_t TransTypeItem::ListId(const std::string& itemText) {
    return WholeNumber(Part(itemText, 1));
}

int32_t TransTypeItem::TemplateId(const std::string& itemText) {
    return WholeNumber(Part(itemText, 2));
}

std::string TransTypeItem::Filter(const std::string& itemText) {
    return text::Trim(Part(itemText, 3));
}

}  // namespace qelt::dialog
