#include "qelt/ui/controls.h"

#include <gtest/gtest.h>

#include <string>

#include "common/raised.h"
#include "qelt/ui/dump.h"

namespace qelt::ui {
namespace {

using qelt::testing::ErrorNumber;

// Code fires Click only on a change, a person on every pick or click; a
// disabled or hidden control ignores the person, not the code.
TEST(ControlEvents, CodeFiresClickOnChangeAndThePersonOnEveryActionItCanReach) {
    ComboBox cbo("cboTransType");
    for (const char* item : {"采购订单", "销售订单"}) cbo.addItem(item);
    CheckBox chk("chkPlan");
    CommandButton cmd("b");
    std::string log;
    cbo.onClick = [&] { log += std::to_string(cbo.listIndex()) + cbo.text() + " "; };
    chk.onClick = [&] { log += "chk" + std::to_string(chk.value()) + " "; };
    cmd.onClick = [&] { log += "cmd "; };
    cbo.setListIndex(1);
    cbo.setListIndex(1);
    cbo.setListIndex(-1);
    cbo.select(0);
    cbo.select(0);  // a person picking the same item again fires again
    EXPECT_FALSE(cbo.select(2));
    chk.click();
    chk.click();
    chk.setValue(5);
    chk.setValue(1);
    chk.setValue(0);
    cbo.setEnabled(false);
    chk.setVisible(false);
    cmd.setEnabled(false);
    EXPECT_FALSE(cbo.select(1) || chk.click() || cmd.click());
    cbo.setListIndex(1);  // code still reaches a disabled control
    cbo.clear();
    EXPECT_EQ(log, "1销售订单 -1 0采购订单 0采购订单 chk1 chk0 chk1 chk0 1销售订单 ");
    EXPECT_EQ(cbo.listIndex(), -1);
    EXPECT_EQ(ErrorNumber([&] { cbo.setListIndex(0); }), 380);
}

TEST(TextBoxEvents, EachTypedCharacterPassesTheKeyFiltersThenChanges) {
    TextBox txt("txtRunNoFrom");
    txt.setMaxLength(4);
    std::string log;
    txt.previewKeyPress = [&](int& k) { k = k == '\'' || k == '"' ? 0 : k; };
    txt.onKeyPress = [&](int& k) {
        log += "K" + std::to_string(k) + " ";
        if (k == 'a') k = 'A';
    };
    txt.onChange = [&] { log += "C[" + txt.text() + "] "; };
    txt.type("a'单\"bcd");
    EXPECT_EQ(txt.text(), "A单bc");
    EXPECT_EQ(log, "K97 C[A] K21333 C[A单] K98 C[A单b] K99 C[A单bc] K100 ");
    log.clear();
    txt.type("\r\b");  // Enter reaches the handlers only; backspace removes "c"
    txt.erase();
    txt.erase();
    txt.setText("x");
    txt.setText("x");
    EXPECT_EQ(log, "K13 K8 C[A单b] C[] C[x] ");
}

// Lists, toolbars and tabs report the person's actions they can reach; texts
// written by code notify what changed; a bad position raises, not grows.
TEST(ControlEvents, ListsToolbarsTabsAndTheirDump) {
    std::string log;
    ListBox lst("listOrderFields");
    lst.addItem("a");
    lst.addItem("b");
    lst.onClick = [&] { log += "Click" + std::to_string(lst.listIndex()) + " "; };
    lst.onDblClick = [&] { log += "Dbl" + std::to_string(lst.listIndex()) + " "; };
    lst.doubleClick(1);
    ListView lvw("lvwProject");
    lvw.addColumnHeader("");
    lvw.addItem({"P0000", "默认方案", 1, 5});
    lvw.onItemClick = [&](const std::string& k) { log += "Item" + k + " "; };
    EXPECT_FALSE(lvw.click("P0001"));
    lvw.click("P0000");
    Toolbar tlb("tlbProject");
    tlb.addButton("TLBSAVE", "保存");
    tlb.addButton("TLBVIEW", "查看");
    tlb.addMenuItem("TLBVIEW", "大图标(&G)");
    tlb.addMenuItem("TLBVIEW", "");
    tlb.onButtonClick = [&](const std::string& k) { log += "Button" + k + " "; };
    tlb.onButtonMenuClick = [&](const std::string& k, int i) {
        log += "Menu" + k + std::to_string(i) + " ";
    };
    tlb.setButtonEnabled("TLBSAVE", false);
    EXPECT_FALSE(tlb.click("TLBSAVE") || tlb.menuClick("TLBVIEW", 2));
    tlb.click("TLBVIEW");
    tlb.menuClick("TLBVIEW", 0);
    TabControl tabs("SSTab1");
    for (const char* t : {"条件", "排序", "表格设置"}) tabs.addTab(t);
    tabs.onClick = [&](int previous) {
        log += "Tab" + std::to_string(previous) + ">" + std::to_string(tabs.current()) + " ";
    };
    tabs.setTabEnabled(2, false);
    EXPECT_FALSE(tabs.select(2));
    tabs.select(1);
    tabs.select(1);
    tabs.setCurrent(0);
    TextBox txt("txtRunNoFrom");
    txt.setText("a\"b\tc");
    CheckBox chk("chkPlan");
    const auto record = [&log](const Control& c, const Change& ch) {
        log += c.name() + ":" + std::to_string(static_cast<int>(ch.what)) + "@" +
               std::to_string(ch.index) + " ";
    };
    for (Control* c : std::initializer_list<Control*>{&chk, &tlb}) c->subscribe(record);
    chk.setToolTip("快速模式");
    chk.setToolTip("快速模式");  // the second changes nothing
    tlb.setMenuItem("TLBVIEW", 1, "小图表(&M)");
    const auto what = [](Change::What w) { return std::to_string(static_cast<int>(w)); };
    EXPECT_EQ(log, "Click1 Dbl1 ItemP0000 ButtonTLBVIEW MenuTLBVIEW0 Tab0>1 Tab1>0 chkPlan:" +
                       what(Change::What::ToolTip) + "@-1 tlbProject:" + what(Change::What::Items) +
                       "@1 ");
    EXPECT_EQ(Dump(txt) + Dump(tlb),
              "TextBox txtRunNoFrom \"a\\\"b\\tc\"\n"
              "Toolbar tlbProject\n"
              "  TLBSAVE \"保存\" disabled\n"
              "  TLBVIEW \"查看\" menu \"大图标(&G)\" \"小图表(&M)\"\n");
    EXPECT_EQ(ErrorNumber([&] { lvw.setColumnHeader(1, "x"); }), 381);
    EXPECT_EQ(ErrorNumber([&] { tlb.setMenuItem("TLBVIEW", 2, "x"); }), 381);
    EXPECT_EQ(ErrorNumber([&] { tlb.setMenuItem("TLBNONE", 0, "x"); }), 35601);
}

}  // namespace
}  // namespace qelt::ui
