#include "qelt/ui/dump.h"

#include <charconv>
#include <string>
#include <utility>
#include <vector>

#include "qelt/ui/controls.h"
#include "qelt/ui/form.h"
#include "qelt/ui/grid.h"

namespace qelt::ui {

namespace {

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (char ch : s) {
        switch (ch) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += ch;
        }
    }
    return out + '"';
}

// Shortest text that reads back as the same double ("99999999.999999", "0").
std::string Number(double v) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string("?");
}

std::string Flags(const Control& c) {
    std::string out;
    if (!c.toolTip().empty()) out += " tip=" + Quote(c.toolTip());
    if (!c.visible()) out += " hidden";
    if (!c.enabled()) out += " disabled";
    return out;
}

void DumpItems(std::string& out, const std::vector<std::string>& items, int selected) {
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (static_cast<int>(i) == selected ? "* " : "  ") + std::to_string(i) + ' ' +
               Quote(items[i]) + '\n';
}

char TypeLetter(CellType t) {
    switch (t) {
        case CellType::Static:
            return 'S';
        case CellType::Edit:
            return 'E';
        case CellType::ComboBox:
            return 'C';
        case CellType::CheckBox:
            return 'X';
        case CellType::Number:
            return 'N';
        case CellType::Date:
            return 'D';
    }
    return '?';
}

std::string DumpGrid(const Control& control) {
    const auto& g = static_cast<const Grid&>(control);
    std::string out = "Grid " + g.name() + " rows=" + std::to_string(g.maxRows()) +
                      " cols=" + std::to_string(g.maxCols()) +
                      " active=" + std::to_string(g.activeRow()) + ',' +
                      std::to_string(g.activeCol());
    if (g.editMode()) out += " editing";
    if (!g.reDraw()) out += " noredraw";
    std::string hiddenCols;
    for (int c = 1; c <= g.maxCols(); ++c)
        if (g.colHidden(c)) hiddenCols += (hiddenCols.empty() ? "" : ",") + std::to_string(c);
    if (!hiddenCols.empty()) out += " hidden-cols=" + hiddenCols;
    out += Flags(g) + '\n';

    out += "  0:";
    for (int c = 1; c <= g.maxCols(); ++c) out += (c > 1 ? " | " : " ") + Quote(g.text(0, c));
    out += '\n';

    std::vector<std::vector<std::string>> lists;
    for (int r = 1; r <= g.maxRows(); ++r) {
        out += "  " + std::to_string(r) + ':';
        for (int c = 1; c <= g.maxCols(); ++c) {
            const CellType t = g.cellType(r, c);
            std::string cell(1, TypeLetter(t));
            if (g.locked(r, c)) cell += '!';
            if (t == CellType::ComboBox) {
                const auto items = g.comboItems(r, c);
                std::size_t n = 0;
                while (n < lists.size() && lists[n] != items) ++n;
                if (n == lists.size()) lists.push_back(items);
                cell += 'L' + std::to_string(n + 1) + '@' + std::to_string(g.comboIndex(r, c));
                if (g.comboMaxDrop(r, c) > 0) cell += '/' + std::to_string(g.comboMaxDrop(r, c));
            } else if (t == CellType::Edit && g.maxLength(r, c) > 0) {
                cell += "<=" + std::to_string(g.maxLength(r, c));
            } else if (t == CellType::Number) {
                const NumberLimits l = g.numberLimits(r, c);
                cell += '(' + Number(l.min) + ".." + Number(l.max) + '/' +
                        std::to_string(l.decimals) + ')';
            } else if (t == CellType::CheckBox) {
                const CheckAlign a = g.checkAlign(r, c);
                if (a == CheckAlign::Center) cell += '^';
                if (a == CheckAlign::Right) cell += '>';
            }
            if (g.backColor(r, c) != Color::Window || g.foreColor(r, c) != Color::WindowText)
                cell += std::string("{") + ColorName(g.backColor(r, c)) + '/' +
                        ColorName(g.foreColor(r, c)) + '}';
            out += (c > 1 ? " | " : " ") + cell + ' ' + Quote(g.text(r, c));
        }
        out += '\n';
    }
    for (std::size_t n = 0; n < lists.size(); ++n) {
        out += "  L" + std::to_string(n + 1) + ':';
        for (const auto& item : lists[n]) out += ' ' + Quote(item);
        out += '\n';
    }
    return out;
}

std::string DumpLabel(const Control& control) {
    const auto& c = static_cast<const Label&>(control);
    return "Label " + c.name() + ' ' + Quote(c.caption()) + Flags(c) + '\n';
}

std::string DumpFrame(const Control& control) {
    const auto& c = static_cast<const Frame&>(control);
    return "Frame " + c.name() + ' ' + Quote(c.caption()) + Flags(c) + '\n';
}

std::string DumpButton(const Control& control) {
    const auto& c = static_cast<const CommandButton&>(control);
    return "CommandButton " + c.name() + ' ' + Quote(c.caption()) + Flags(c) + '\n';
}

std::string DumpCheckBox(const Control& control) {
    const auto& c = static_cast<const CheckBox&>(control);
    return "CheckBox " + c.name() + ' ' + Quote(c.caption()) +
           " value=" + std::to_string(c.value()) + Flags(c) + '\n';
}

std::string DumpTextBox(const Control& control) {
    const auto& c = static_cast<const TextBox&>(control);
    std::string out = "TextBox " + c.name() + ' ' + Quote(c.text());
    if (c.maxLength() > 0) out += " max=" + std::to_string(c.maxLength());
    return out + Flags(c) + '\n';
}

// Combo boxes and list boxes.
std::string DumpList(const Control& control) {
    const auto& c = static_cast<const ComboBox&>(control);
    std::string out = (control.kind() == ControlKind::ComboBox ? "ComboBox " : "ListBox ") +
                      c.name() + " index=" + std::to_string(c.listIndex()) + Flags(c) + '\n';
    DumpItems(out, c.items(), c.listIndex());
    return out;
}

std::string DumpListView(const Control& control) {
    const auto& c = static_cast<const ListView&>(control);
    std::string out = "ListView " + c.name() + " view=" + std::to_string(c.view()) +
                      " selected=" + Quote(c.selectedKey()) + Flags(c) + '\n';
    if (!c.columnHeaders().empty()) {
        out += "  columns";
        for (const auto& h : c.columnHeaders()) out += ' ' + Quote(h);
        out += '\n';
    }
    for (const auto& item : c.items())
        out += (item.key == c.selectedKey() ? "* " : "  ") + item.key + ' ' + Quote(item.text) +
               " icon=" + std::to_string(item.icon) + " small=" + std::to_string(item.smallIcon) +
               '\n';
    return out;
}

std::string DumpToolbar(const Control& control) {
    const auto& c = static_cast<const Toolbar&>(control);
    std::string out = "Toolbar " + c.name() + Flags(c) + '\n';
    for (const auto& b : c.buttons()) {
        out += "  " + b.key + ' ' + Quote(b.toolTip);
        if (!b.enabled) out += " disabled";
        if (!b.visible) out += " hidden";
        if (!b.tag.empty()) out += " tag=" + Quote(b.tag);
        if (!b.menu.empty()) {
            out += " menu";
            for (const auto& m : b.menu) out += ' ' + Quote(m);
        }
        out += '\n';
    }
    return out;
}

std::string DumpTabs(const Control& control) {
    const auto& c = static_cast<const TabControl&>(control);
    std::string out =
        "TabControl " + c.name() + " current=" + std::to_string(c.current()) + Flags(c) + '\n';
    for (std::size_t i = 0; i < c.tabs().size(); ++i) {
        const Tab& t = c.tabs()[i];
        out += (static_cast<int>(i) == c.current() ? "* " : "  ") + std::to_string(i) + ' ' +
               Quote(t.caption);
        if (!t.enabled) out += " disabled";
        if (!t.visible) out += " hidden";
        out += '\n';
    }
    return out;
}

}  // namespace

std::string Dump(const Control& control) {
    using DumpOf = std::string (*)(const Control&);
    static const std::pair<ControlKind, DumpOf> table[] = {
        {ControlKind::Label, DumpLabel},
        {ControlKind::Frame, DumpFrame},
        {ControlKind::CommandButton, DumpButton},
        {ControlKind::CheckBox, DumpCheckBox},
        {ControlKind::TextBox, DumpTextBox},
        {ControlKind::ComboBox, DumpList},
        {ControlKind::ListBox, DumpList},
        {ControlKind::ListView, DumpListView},
        {ControlKind::Toolbar, DumpToolbar},
        {ControlKind::TabControl, DumpTabs},
        {ControlKind::Grid, DumpGrid},
    };
    for (const auto& [kind, dump] : table)
        if (kind == control.kind()) return dump(control);
    return {};
}

std::string Dump(const Form& form) {
    std::string out = "Form " + form.name() + ' ' + Quote(form.caption());
    if (form.loaded()) out += " loaded";
    if (form.shown()) out += " shown";
    if (form.focused()) out += " focus=" + form.focused()->name();
    out += '\n';
    for (const Control* c : form.controls()) out += Dump(*c);
    for (const Control* c : form.controls()) {
        if (!c->container()) continue;
        out += "  " + c->name() + " in " + c->container()->name();
        if (c->containerTab() >= 0) out += " tab " + std::to_string(c->containerTab());
        out += '\n';
    }
    return out;
}

}  // namespace qelt::ui
