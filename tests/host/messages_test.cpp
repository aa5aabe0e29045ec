#include "host/messages.h"

#include <gtest/gtest.h>

#include "common/test_env.h"
#include "host/prog_ids.h"
#include "qelt/host/components.h"
#include "qelt/host/session.h"

namespace qelt {
namespace {

using testing::MessageRecorder;

TEST(Messages, LinesGoToTheSinkJoinedUnderTheDefaultTitle) {
    MessageRecorder recorder(2);
    auto box = host::Create<host::IMessageBox>(host::progid::kMessage);
    box->addLine("方案已存在");
    box->addLine("是否覆盖？");
    box->setIcon(host::kIconQuestion);
    EXPECT_EQ(box->show(host::kButtonsOkCancel, "", -1), 2);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].title, "Vostrel提示");
    EXPECT_EQ(recorder.messages[0].text, "方案已存在\n是否覆盖？");
    EXPECT_EQ(recorder.messages[0].icon, host::kIconQuestion);
    EXPECT_EQ(recorder.messages[0].buttons, host::kButtonsOkCancel);
}

TEST(Messages, ShowMessageUsesTheGivenTitle) {
    MessageRecorder recorder;
    EXPECT_EQ(host::ShowMessage("中间层调用失败！", host::kIconExclamation, host::kButtonsOk, "T"),
              1);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].title, "T");
    EXPECT_EQ(recorder.messages[0].text, "中间层调用失败！");
    EXPECT_EQ(recorder.messages[0].icon, host::kIconExclamation);
}

TEST(Messages, WithoutASinkTheyGoToStderrAnsweredOk) {
    host::SetMessageSink({});
    ::testing::internal::CaptureStderr();
    int answer = host::ShowMessage("第一行", host::kIconInformation, host::kButtonsYesNo);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Vostrel提示: 第一行\n");
    EXPECT_EQ(answer, 1);
}

TEST(Messages, HostComponentReplacesTheMessageBox) {
    testing::TempDatabase db(false);
    struct Silent : host::IMessageBox {
        void setTitle(const std::string&) override {}
        void addLine(const std::string&) override {}
        void setIcon(int) override {}
        int show(int, const std::string&, int) override { return 7; }
    };
    host::RegisterComponent(host::progid::kMessage, [] { return std::make_shared<Silent>(); });
    MessageRecorder recorder;
    EXPECT_EQ(host::ShowMessage("x", host::kIconNone, host::kButtonsYesNo), 7);
    EXPECT_TRUE(recorder.messages.empty());
}

}  // namespace
}  // namespace qelt
